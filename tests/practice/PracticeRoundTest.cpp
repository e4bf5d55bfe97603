// A practice round as the candidate chooses it: a chapter, only unanswered questions, a shuffled
// order; where it was left; its summary and the redo of its wrong answers.

#include "practice/PracticeRound.h"
#include "TestBank.h"
#include "practice/PracticeNames.h"
#include "practice/PracticeWindow.h"
#include "practice/RoundSummary.h"
#include "study/QuestionKey.h"
#include "study/StudyRecord.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using namespace practice;

using bank::QuestionRecord;
using bank::QuestionType;

namespace {

const QStringList kChapters{u"会计凭证"_s, u"会计账簿"_s};

// Six questions, A right for each, the chapters alternating: 会计凭证 holds 1, 3 and 5.
QList<QuestionRecord> sixQuestions() {
    QList<QuestionRecord> rows;
    for (int id = 1; id <= 6; ++id) {
        QuestionRecord q =
            choiceQuestion(id, u"第%1问"_s.arg(id), {u"甲"_s, u"乙"_s, u"丙"_s, u"丁"_s}, u"A"_s);
        q.ch = kChapters[(id - 1) % 2];
        rows.append(q);
    }
    return rows;
}

class PracticeRoundTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(m_bank.write({{u"danxuan"_s, sixQuestions()}}), QString()); }

    std::unique_ptr<PracticeWindow> open(const RoundPlan& plan) {
        auto w =
            std::make_unique<PracticeWindow>(QuestionType::SingleChoice, m_bank.path(), studyPath(), plan);
        w->show();
        return w;
    }
    QString studyPath() const { return m_dir.filePath(u"study.sqlite"_s); }
    static QString shown(const PracticeWindow& w) {
        return w.controls().get<QPlainTextEdit>(names::kQuestionText)->toPlainText();
    }
    static QString position(const PracticeWindow& w) {
        return w.controls().get<QLabel>(names::kPositionLabel)->text();
    }
    static void answer(PracticeWindow& w, int option) {
        QTest::mouseClick(w.controls().widget(names::kSingleOptions[option]), Qt::LeftButton, {},
                          QPoint(8, 16));
    }
    static void next(PracticeWindow& w) {
        QTest::mouseClick(w.controls().widget(names::kNext), Qt::LeftButton);
    }

    TestBank m_bank;
    QTemporaryDir m_dir;
    ui::ScopedMessageAnswers m_boxes{ui::Answer::No};
};

} // namespace

TEST(RoundOrder, KeepsTheChapterDropsAnsweredQuestionsAndShufflesTheSameWayForTheSameSeed) {
    QList<TableRow> rows;
    for (int id = 1; id <= 40; ++id)
        rows.append({id, id % 2 ? u"会计凭证"_s : u"会计账簿"_s, u"h%1"_s.arg(id)});
    const QSet<QString> answered{u"h1"_s, u"h3"_s, u"h4"_s};

    EXPECT_EQ(roundOrder(rows, {u"会计凭证"_s, false, false}, answered, 7).mid(0, 3), QList<int>({1, 3, 5}));
    EXPECT_EQ(roundOrder(rows, {u"会计凭证"_s, true, false}, answered, 7).mid(0, 3), QList<int>({5, 7, 9}));
    EXPECT_EQ(roundOrder(rows, {{}, true, false}, answered, 7).size(), 37);

    const QList<int> shuffled = roundOrder(rows, {{}, false, true}, answered, 7);
    EXPECT_EQ(shuffled, roundOrder(rows, {{}, false, true}, answered, 7)); // 上一题 retraces it
    EXPECT_NE(shuffled, roundOrder(rows, {{}, false, true}, answered, 8));
    QList<int> sorted = shuffled;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, roundOrder(rows, {}, answered, 7)); // every question once
    EXPECT_NE(shuffled, sorted);

    // A kept point of another form is no point at all.
    EXPECT_EQ(ResumePoint::fromText(ResumePoint{12, u"abc"_s}.toText())->id, 12);
    for (const QString& bad : {u""_s, u"12"_s, u"x abc"_s, u"0 abc"_s, u"12 abc def"_s})
        EXPECT_FALSE(ResumePoint::fromText(bad)) << bad.toStdString();
}

TEST_F(PracticeRoundTest, AChapterDrillOfUnansweredQuestionsWalksOnlyThoseAndSaysWhichChapter) {
    {
        auto w = open({});
        answer(*w, 0); // question 1, of 会计凭证, answered
    }
    auto w = open({{u"会计凭证"_s, true, false}, std::nullopt});
    EXPECT_EQ(shown(*w), u"第3问"_s);
    EXPECT_EQ(position(*w), u"第 1 / 2 题 · 会计凭证"_s);
    next(*w);
    EXPECT_EQ(shown(*w), u"第5问"_s);
    QTest::mouseClick(w->controls().widget(names::kPrevious), Qt::LeftButton);
    EXPECT_EQ(shown(*w), u"第3问"_s);
}

TEST_F(PracticeRoundTest, ARoundReopensWhereItWasLeftWithTheStartAndAnyNumberAKeyAway) {
    {
        auto w = open({});
        next(*w);
        next(*w);
        EXPECT_EQ(shown(*w), u"第3问"_s);
        w->close();
    }
    auto w = open({});
    EXPECT_EQ(shown(*w), u"第3问"_s);
    EXPECT_EQ(position(*w), u"第 3 / 6 题"_s);
    auto* fromStart = w->findChild<QPushButton*>(PracticeWindow::kFromStartButton);
    ASSERT_NE(fromStart, nullptr);
    QTest::mouseClick(fromStart, Qt::LeftButton);
    EXPECT_EQ(shown(*w), u"第1问"_s);
    EXPECT_FALSE(fromStart->isEnabled());
    next(*w); // the table's own walk goes on from there
    EXPECT_EQ(shown(*w), u"第2问"_s);

    // Ctrl+G, then a number and Enter, through the platform window.
    QApplication::setActiveWindow(w.get());
    QTest::keyClick(w->windowHandle(), Qt::Key_G, Qt::ControlModifier);
    auto* field = w->findChild<QLineEdit*>(PracticeWindow::kJumpField);
    ASSERT_TRUE(field->hasFocus());
    QTest::keyClick(w->windowHandle(), Qt::Key_5);
    QTest::keyClick(w->windowHandle(), Qt::Key_Return);
    EXPECT_EQ(shown(*w), u"第5问"_s);
    next(*w);
    EXPECT_EQ(shown(*w), u"第6问"_s);
    field->setText(u"9"_s);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(shown(*w), u"第6问"_s);
    EXPECT_EQ(m_boxes.texts().value(0), u"请输入 1 到 6 之间的题号。"_s);

    // A chapter resumes on its own; a rebuilt bank whose numbers moved starts again at the first.
    auto drill = open({{u"会计账簿"_s, false, false}, std::nullopt});
    EXPECT_EQ(shown(*drill), u"第2问"_s);
}

TEST_F(PracticeRoundTest, ARoundEndsWithItsSummaryAndItsWrongAnswersCanBeDoneAgain) {
    QWidget main;
    main.show();
    m_boxes.setAnswer(ui::Answer::Yes); // 重做错题
    auto* w = new PracticeWindow(QuestionType::SingleChoice, m_bank.path(), studyPath(), RoundPlan{}, &main);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->show();
    answer(*w, 0); // right
    next(*w);
    answer(*w, 1); // wrong
    answer(*w, 0); // mended while still on it: the last answer counts
    answer(*w, 2); // wrong after all
    next(*w);
    answer(*w, 3); // wrong
    QTest::mouseClick(w->controls().widget(names::kPrevious), Qt::LeftButton);
    answer(*w, 0); // mended after leaving it: stays wrong
    QPointer<PracticeWindow> first(w);
    w->close();
    ASSERT_EQ(m_boxes.titles().value(0), kRoundSummaryTitle);
    EXPECT_TRUE(m_boxes.texts()[0].startsWith(u"本轮答题 3 题：答对 1 题，答错 2 题，用时"_s))
        << m_boxes.texts()[0].toStdString();
    EXPECT_TRUE(m_boxes.texts()[0].endsWith(u"现在在错题本中：第 2、3 题。"_s))
        << m_boxes.texts()[0].toStdString();
    QApplication::processEvents();
    EXPECT_TRUE(first.isNull());

    const QList<PracticeWindow*> redo = main.findChildren<PracticeWindow*>();
    ASSERT_EQ(redo.size(), 1);
    EXPECT_EQ(shown(*redo[0]), u"第2问"_s);
    EXPECT_EQ(position(*redo[0]), u"第 1 / 2 题"_s);
    // The redo's own summary comes when it is walked to its end.
    answer(*redo[0], 0);
    next(*redo[0]);
    m_boxes.setAnswer(ui::Answer::No);
    answer(*redo[0], 0);
    next(*redo[0]);
    ASSERT_EQ(m_boxes.texts().size(), 2);
    EXPECT_TRUE(m_boxes.texts()[1].startsWith(u"本轮答题 2 题：答对 2 题，答错 0 题"_s));
    redo[0]->close();
    EXPECT_EQ(m_boxes.texts().size(), 2); // once a round
    EXPECT_TRUE(main.findChildren<PracticeWindow*>().isEmpty() ||
                !main.findChildren<PracticeWindow*>()[0]->isVisible());
}
