// Searching the bank from the main window, by the keys a candidate uses: Ctrl+K (the key the keys
// list names) or typing into the search field opens 搜索题目 over the real bank, the words come
// through the input method, and Enter opens the first question found in practice. The index
// follows the bank's content version.
#include "app/MainWindow.h"
#include "app/SearchIndex.h"
#include "app/SearchWindow.h"
#include "app/UserBank.h"
#include "app/WorkWindows.h"
#include "practice/PracticeWindow.h"
#include "ui/Keys.h"

#include <QApplication>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using app::MainWindow;
using app::SearchWindow;
using bank::QuestionType;

namespace {

class BankSearchWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::copy(QStringLiteral(VELMORA_BUILT_BANK), bank()));
        QFile::setPermissions(bank(), QFile::ReadOwner | QFile::WriteOwner);
        ASSERT_TRUE(QFile::copy(QStringLiteral(VELMORA_BUILT_BANK) + app::UserBank::kVersionSuffix,
                                bank() + app::UserBank::kVersionSuffix));
    }
    QString bank() const { return m_dir.filePath(u"qvtb.mdb"_s); }
    QString index() const { return m_dir.filePath(u"search.sqlite"_s); }
    void showWindow() {
        m_window.setStudyRecordPath(m_dir.filePath(u"study.sqlite"_s));
        app::connectWorkWindows(m_window, bank(), {});
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }
    static SearchWindow* searchWindow() {
        auto* search = qobject_cast<SearchWindow*>(QApplication::activeModalWidget());
        if (search) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(search));
        }
        return search;
    }
    // Chinese comes through the input method, committed into the focused field.
    static void commit(const QString& text) {
        QInputMethodEvent typed;
        typed.setCommitString(text);
        QApplication::sendEvent(QApplication::focusWidget(), &typed);
    }
    static practice::PracticeWindow* practiceWindow() {
        return qobject_cast<practice::PracticeWindow*>(QApplication::activeModalWidget());
    }

    QTemporaryDir m_dir;
    MainWindow m_window{m_dir.path()};
};

} // namespace

TEST_F(BankSearchWindowTest, CtrlKFindsAQuestionAsTheCandidateTypesAndEnterPractisesIt) {
    showWindow();
    QTest::keySequence(m_window.windowHandle(), ui::keys::kSearch);
    SearchWindow* search = searchWindow();
    ASSERT_TRUE(search);
    EXPECT_EQ(search->windowModality(), Qt::WindowModal);
    auto* results = search->findChild<QListWidget*>(SearchWindow::kResults);
    EXPECT_EQ(QApplication::focusWidget(), search->findChild<QLineEdit*>(SearchWindow::kField));
    // Two-character words, which the index cannot hold.
    commit(u"押金"_s);
    QTest::keyClick(search->windowHandle(), Qt::Key_Space);
    commit(u"租金"_s);
    ASSERT_GT(results->count(), 0);
    EXPECT_TRUE(results->item(0)->text().startsWith(u"判断题  第 "_s))
        << results->item(0)->text().toStdString();
    EXPECT_TRUE(results->item(0)->text().contains(u"押金"_s));

    QTest::keyClick(search->windowHandle(), Qt::Key_Return);
    QPointer<practice::PracticeWindow> practice = practiceWindow();
    ASSERT_TRUE(practice);
    EXPECT_EQ(practice->type(), QuestionType::TrueFalse);
    EXPECT_TRUE(practice->question().tm.contains(u"包装物押金和应付未付的租入包装物租金"_s))
        << practice->question().tm.toStdString();
    practice->close();
}

TEST_F(BankSearchWindowTest, TypingInTheFieldOpensTheSearchWithTheWordsAndArrowsChooseAmongTheResults) {
    showWindow();
    auto* field = m_window.findChild<QLineEdit*>(MainWindow::kSearchField);
    ASSERT_TRUE(field);
    EXPECT_EQ(field->accessibleName(), MainWindow::kSearchField);
    field->setFocus();
    QTest::keyClick(m_window.windowHandle(), Qt::Key_2);
    SearchWindow* search = searchWindow();
    ASSERT_TRUE(search);
    auto* words = search->findChild<QLineEdit*>(SearchWindow::kField);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(search->windowHandle(), '0');
    EXPECT_EQ(words->text(), u"20000"_s) << "what was typed in the main window goes on in the search";
    auto* results = search->findChild<QListWidget*>(SearchWindow::kResults);
    ASSERT_GT(results->count(), 1);
    QTest::keyClick(search->windowHandle(), Qt::Key_Down);
    EXPECT_EQ(results->currentRow(), 1);
    const QString chosen = results->currentItem()->text();
    QTest::keyClick(search->windowHandle(), Qt::Key_Return);
    QPointer<practice::PracticeWindow> practice = practiceWindow();
    ASSERT_TRUE(practice);
    EXPECT_TRUE(chosen.contains(u"第 %1 题"_s.arg(practice->question().id))) << chosen.toStdString();
    practice->close();
}

TEST_F(BankSearchWindowTest, TheIndexIsRebuiltWhenTheBanksContentVersionChanges) {
    {
        auto first = app::openSearchIndex(bank(), index());
        ASSERT_TRUE(first.ok()) << first.reason().toStdString();
        EXPECT_FALSE(first->indexedVersion().isEmpty());
        EXPECT_FALSE(first->find(u"押金 租金"_s)->isEmpty());
        // An index left behind by another bank: the version names it, the words are gone.
        ASSERT_TRUE(first->rebuild(u"an older bank"_s, {}).ok());
    }
    auto again = app::openSearchIndex(bank(), index());
    ASSERT_TRUE(again.ok()) << again.reason().toStdString();
    EXPECT_FALSE(again->find(u"押金 租金"_s)->isEmpty());

    // Without its version file the bank's questions are read and hashed.
    ASSERT_TRUE(QFile::remove(bank() + app::UserBank::kVersionSuffix));
    {
        auto hashed = app::openSearchIndex(bank(), index());
        ASSERT_TRUE(hashed.ok()) << hashed.reason().toStdString();
        EXPECT_TRUE(hashed->indexedVersion().startsWith(u"sha1:"_s));
    }
}
