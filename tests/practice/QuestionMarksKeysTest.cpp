// 收藏 and 笔记 in the practice window, from the keyboard through the platform window: kept in the
// study record, found again by a new window over a new record, the note under the explanation; and
// the keys list names the keys the window answers to.
#include "TestBank.h"
#include "practice/PracticeWindow.h"
#include "question/AnswerNames.h"
#include "question/AnswerWindow.h"
#include "question/MarkButtons.h"
#include "question/NoteWindow.h"
#include "ui/Keys.h"
#include "ui/KeysWindow.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using namespace practice;

using bank::BankTable;
using bank::QuestionType;
using question::MarkButtons;
using question::NoteWindow;

namespace {

const QString kQuestion = u"企业发现原材料盘亏，属于一般经营损失的部分，应记入（）。"_s;

class QuestionMarksKeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(
            m_bank.write(
                {{u"danxuan"_s,
                  {choiceQuestion(1, kQuestion,
                                  {u"管理费用"_s, u"营业外支出"_s, u"其他应收款"_s, u"销售费用"_s}, u"A"_s,
                                  {}, u"一般经营损失记入管理费用。"_s)}},
                 {u"panduan"_s, {choiceQuestion(1, u"资产是企业拥有或控制的资源。"_s, {}, u"正确"_s)}}}),
            QString());
    }
    QString studyPath() const { return m_dir.filePath(u"study.sqlite"_s); }
    std::unique_ptr<PracticeWindow> open(QuestionType type) {
        auto window = std::make_unique<PracticeWindow>(type, m_bank.path(), studyPath(), std::nullopt);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return window;
    }
    static void press(QWidget& w, const QKeySequence& key) { QTest::keySequence(w.windowHandle(), key); }
    static QPushButton* star(PracticeWindow& w) { return w.findChild<QPushButton*>(MarkButtons::kStar); }
    // Chinese comes through the input method, committed into the focused field.
    static void commit(const QString& text) {
        QInputMethodEvent typed;
        typed.setCommitString(text);
        QApplication::sendEvent(QApplication::focusWidget(), &typed);
    }

    TestBank m_bank;
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(QuestionMarksKeysTest, AStarAndANoteGivenByKeysAreKeptAndShownAfterARestart) {
    {
        auto w = open(QuestionType::SingleChoice);
        ASSERT_TRUE(star(*w));
        EXPECT_EQ(star(*w)->accessibleName(), MarkButtons::kStar);
        press(*w, ui::keys::kStar);
        EXPECT_TRUE(star(*w)->isChecked());
        press(*w, ui::keys::kNote);
        QPointer<NoteWindow> note = qobject_cast<NoteWindow*>(QApplication::activeModalWidget());
        ASSERT_TRUE(note);
        ASSERT_TRUE(QTest::qWaitForWindowActive(note));
        commit(u"盘亏：经营损失进管理费用，过失人赔偿进其他应收款"_s);
        QTest::keySequence(note->windowHandle(), ui::keys::kSaveNote);
        EXPECT_TRUE(QTest::qWaitFor([&] { return note.isNull() || !note->isVisible(); }));
        w->close();
    }
    const study::QuestionMark kept = study::StudyRecord(studyPath()).questionMark(u"danxuan"_s, kQuestion);
    EXPECT_TRUE(kept.starred);
    EXPECT_EQ(kept.note, u"盘亏：经营损失进管理费用，过失人赔偿进其他应收款"_s);

    auto again = open(QuestionType::SingleChoice);
    EXPECT_TRUE(star(*again)->isChecked());
    QPointer<question::AnswerWindow> answer = again->openAnswerWindow();
    ASSERT_TRUE(answer);
    const QString explanation =
        answer->controls().get<QPlainTextEdit>(question::names::kExplanation)->toPlainText();
    EXPECT_EQ(explanation, u"一般经营损失记入管理费用。\n\n"_s + MarkButtons::kNoteHeading +
                               u"\n盘亏：经营损失进管理费用，过失人赔偿进其他应收款"_s);
    answer->close();
    // The star comes off again, and stays off.
    press(*again, ui::keys::kStar);
    EXPECT_FALSE(star(*again)->isChecked());
    EXPECT_FALSE(study::StudyRecord(studyPath()).questionMark(u"danxuan"_s, kQuestion).starred);
}

TEST_F(QuestionMarksKeysTest, F1ListsTheKeysAndTheKeyItNamesForTheStarIsTheOneTheWindowTakes) {
    auto w = open(QuestionType::SingleChoice);
    press(*w, ui::keys::kKeysList);
    auto* list = qobject_cast<ui::KeysWindow*>(QApplication::activeModalWidget());
    ASSERT_TRUE(list);
    auto* practiceKeys = list->findChild<QTableWidget*>(u"专项练习"_s);
    ASSERT_TRUE(practiceKeys);
    QString starKey;
    for (int row = 0; row < practiceKeys->rowCount(); ++row)
        if (practiceKeys->item(row, 1)->text().contains(MarkButtons::kStar))
            starKey = practiceKeys->item(row, 0)->text();
    ASSERT_FALSE(starKey.isEmpty());
    for (const QString& window : {u"主窗口"_s, u"全真考场"_s, u"评分解析"_s})
        EXPECT_TRUE(list->findChild<QTableWidget*>(window)) << window.toStdString();
    list->close();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));

    press(*w, QKeySequence(starKey, QKeySequence::NativeText));
    EXPECT_TRUE(star(*w)->isChecked());
}

TEST_F(QuestionMarksKeysTest, OnATrueFalseQuestionNStillAnswersWrongAndOpensNoNote) {
    auto w = open(QuestionType::TrueFalse);
    press(*w, ui::keys::kNote);
    EXPECT_FALSE(qobject_cast<NoteWindow*>(QApplication::activeModalWidget()));
    EXPECT_EQ(m_bank.stored(u"panduan"_s, 1).xxda, u"错误"_s);
}
