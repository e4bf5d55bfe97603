// 评分解析 from the keyboard of the practice window: Enter on the focused button, as Space, and the
// key the F1 list names, from wherever the focus is; in the note window the same key saves the note
// and scores nothing.

#include "ScreenReader.h"
#include "TestBank.h"
#include "practice/PracticeWindow.h"
#include "question/AnswerNames.h"
#include "question/NoteWindow.h"
#include "question/ObjectiveAnswerWindow.h"
#include "ui/Keys.h"
#include "ui/KeysWindow.h"

#include <QInputMethodEvent>
#include <QLabel>
#include <QPointer>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using namespace practice;

namespace {

const QString kQuestion = u"下列各项中，属于企业流动资产的是（）。"_s;

class PracticeButtonKeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(
            m_bank.write({{u"danxuan"_s,
                           {choiceQuestion(1, kQuestion,
                                           {u"应收账款"_s, u"固定资产"_s, u"无形资产"_s, u"长期股权投资"_s},
                                           u"A"_s)}}}),
            QString());
        m_window = std::make_unique<PracticeWindow>(bank::QuestionType::SingleChoice, m_bank.path(),
                                                    m_dir.filePath(u"study.sqlite"_s), std::nullopt);
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }
    QWindow* keys() const { return m_window->windowHandle(); }
    QWidget* scoreButton() const { return m_window->controls().widget(question::names::kAnswerButton); }
    // The answer window now over the practice window, showing the score it was opened with.
    QString shownScore() const {
        auto* answer = qobject_cast<question::ObjectiveAnswerWindow*>(QApplication::activeModalWidget());
        if (!answer) return {};
        const QString score = answer->controls().get<QLabel>(question::names::kObjectiveScore)->text();
        answer->close();
        return score;
    }
    QKeySequence listedScoreKey() const {
        QTest::keySequence(keys(), ui::keys::kKeysList);
        auto* list = qobject_cast<ui::KeysWindow*>(QApplication::activeModalWidget());
        if (!list) return {};
        QString listed;
        const auto* table = list->findChild<QTableWidget*>(u"专项练习"_s);
        for (int row = 0; table && row < table->rowCount(); ++row)
            if (table->item(row, 1)->text() == u"评分解析"_s) listed = table->item(row, 0)->text();
        list->close();
        m_window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        return QKeySequence(listed, QKeySequence::NativeText);
    }

    TestBank m_bank;
    QTemporaryDir m_dir;
    std::unique_ptr<PracticeWindow> m_window;
};

} // namespace

TEST_F(PracticeButtonKeysTest, EnterOnTheFocused评分解析ScoresTheAnswer) {
    QTest::keyClick(keys(), Qt::Key_A);
    ASSERT_TRUE(tabTo(scoreButton()));
    QTest::keyClick(keys(), Qt::Key_Return);
    EXPECT_EQ(shownScore(), m_bank.stored(u"danxuan"_s, 1).fen);
    EXPECT_FALSE(m_bank.stored(u"danxuan"_s, 1).fen.isEmpty());
}

TEST_F(PracticeButtonKeysTest, TheListedScoreKeyScoresFromAnOptionAndInTheNoteSavesTheNoteInstead) {
    const QKeySequence score = listedScoreKey();
    ASSERT_FALSE(score.isEmpty()) << "the list names a key for 评分解析";
    EXPECT_TRUE(scoreButton()->toolTip().endsWith(score.toString(QKeySequence::NativeText)));
    QTest::keyClick(keys(), Qt::Key_B); // the focus stays where it was, the answer is given
    QTest::keySequence(keys(), score);
    EXPECT_EQ(shownScore(), m_bank.stored(u"danxuan"_s, 1).fen);
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));

    QTest::keySequence(keys(), ui::keys::kNote);
    QPointer<question::NoteWindow> note =
        qobject_cast<question::NoteWindow*>(QApplication::activeModalWidget());
    ASSERT_TRUE(note);
    ASSERT_TRUE(QTest::qWaitForWindowActive(note));
    QInputMethodEvent typed;
    typed.setCommitString(u"流动资产：一年内变现"_s);
    QApplication::sendEvent(QApplication::focusWidget(), &typed);
    QTest::keySequence(note->windowHandle(), score);
    EXPECT_TRUE(QTest::qWaitFor([&] { return note.isNull() || !note->isVisible(); })) << "the note is saved";
    for (const auto* answer : m_window->findChildren<question::ObjectiveAnswerWindow*>())
        EXPECT_FALSE(answer->isVisible()) << "and nothing is scored";
}
