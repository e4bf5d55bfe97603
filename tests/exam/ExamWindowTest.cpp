// ExamWindow driven through its own controls, over a paper in memory and a clock the test moves.

#include "ExamWindowFixture.h"

#include "bank/Scoring.h"
#include "entry/CalcPages.h"
#include "exam/ExamNames.h"
#include "exam/PaperRecording.h"
#include "exam/QuestionNumbering.h"
#include "question/AnswerNames.h"
#include "question/CalcAnswerWindow.h"
#include "question/ObjectiveAnswerWindow.h"
#include "ui/MessageBox.h"
#include "ui/TabControl.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace exam;

using bank::QuestionRecord;
namespace n = exam::names;

namespace {

const QColor kCurrent(0, 128, 0);
const QColor kFlagged(255, 128, 0);
const QColor kAnswered(0, 136, 255);

int pageIndex(const ExamWindowFixture& f) {
    return f.get<ui::TabControl>(n::kAnswerPages)->currentIndex();
}

QList<QuestionRecord> withAnswer(QList<QuestionRecord> rows, int id, const QString& value) {
    rows[id - 1].xxda = value;
    return rows;
}

} // namespace

TEST(ExamWindow, OpensOnQuestionOneWithItsButtonCurrent) {
    ExamWindowFixture f;
    f.open(7, withAnswer(samplePaper(7), 5, u"C"_s));
    EXPECT_EQ(f.window->currentQuestion(), 1);
    EXPECT_EQ(f.text(n::kNumber), u"1"_s);
    EXPECT_EQ(f.text(n::kSection), u"(单选题第 1 题)"_s);
    EXPECT_EQ(pageIndex(f), 0);
    EXPECT_EQ(f.get<QPlainTextEdit>(n::kQuestionText)->toPlainText(), f.store->rows()[0].tm);
    EXPECT_EQ(f.get<QRadioButton>(n::singleOption(3))->text(), u"C "_s + f.store->rows()[0].options[2]);
    EXPECT_EQ(f.cardColour(1), kCurrent);
    EXPECT_TRUE(f.store->rows()[4].xxda.isEmpty())
        << "an answer left by an earlier run is cleared on opening";
    for (int id = 2; id <= 62; ++id)
        ASSERT_EQ(f.cardColour(id), cardColour(CardState::Unanswered)) << id;
    EXPECT_EQ(f.text(n::kCountdown), u"00:00:00"_s);
    EXPECT_TRUE(f.window->isCountdownTimerActive());
    EXPECT_FALSE(f.get(n::kAnswerButton)->isEnabled()) << "no review before the paper is submitted";
}

TEST(ExamWindow, SteppingStopsAtBothEndsWithItsMessage) {
    ExamWindowFixture f;
    ui::ScopedMessageAnswers boxes;
    f.click(n::kPrevious);
    EXPECT_EQ(f.window->currentQuestion(), 1);
    f.click(n::kLast);
    EXPECT_EQ(f.window->currentQuestion(), 62);
    f.click(n::kNext);
    EXPECT_EQ(f.window->currentQuestion(), 62);
    EXPECT_EQ(boxes.texts(), (QStringList{u"当前已是第一题!"_s, u"已是最后一题!"_s}));
    f.click(n::kPrevious);
    EXPECT_EQ(f.window->currentQuestion(), 61);
    f.click(n::kFirst);
    EXPECT_EQ(f.window->currentQuestion(), 1);
    EXPECT_EQ(boxes.texts().size(), 2);
}

TEST(ExamWindow, CrossingSectionsChangesTheAnswerPage) {
    ExamWindowFixture f;
    f.click(u"单选20"_s);
    f.click(n::kNext);
    EXPECT_EQ(f.window->currentQuestion(), 21);
    EXPECT_EQ(pageIndex(f), 1);
    EXPECT_EQ(f.text(n::kSection), u"(多选题第 1 题)"_s);
    EXPECT_EQ(f.cardColour(21), kCurrent);
    EXPECT_EQ(f.cardColour(20), cardColour(CardState::Unanswered));
    f.click(u"判断题20"_s);
    EXPECT_EQ(pageIndex(f), 2);
    EXPECT_EQ(f.get<QRadioButton>(n::kTrue)->text(), u"正确"_s);
    f.click(n::kNext);
    EXPECT_EQ(f.window->currentQuestion(), 61);
    EXPECT_EQ(pageIndex(f), entry::kAmountsPageIndex); // question 61 is answered with amounts
    EXPECT_EQ(f.cardColour(61), kCurrent);
    f.click(n::kNext);
    EXPECT_EQ(pageIndex(f), entry::kJournalPageIndex);
    EXPECT_EQ(f.text(n::kSection), u"(计算分析题第 2 题)"_s);
    f.click(u"计算分析题2"_s); // the current question's own button shows it again unchanged
    EXPECT_EQ(f.window->currentQuestion(), 62);
    EXPECT_EQ(f.cardColour(62), kCurrent);
}

TEST(ExamWindow, AnswersAreRecordedAtOnceAndPutBackOnReturn) {
    ExamWindowFixture f;
    const QuestionRecord q1 = f.store->rows()[0]; // a copy: recording replaces the rows
    f.clickOption(n::singleOption(2));
    EXPECT_EQ(f.store->rows()[0].xxda, u"B"_s);
    EXPECT_EQ(f.store->rows()[0].fen, q1.da == u"B"_s ? u"1"_s : u"0"_s);

    f.click(u"多选5"_s);
    QStringList recorded;
    for (const QString& box : {n::multipleOption(2), n::multipleOption(4), n::multipleOption(1)}) {
        f.clickOption(box);
        recorded << f.store->rows()[24].xxda;
    }
    EXPECT_EQ(recorded, (QStringList{u"B"_s, u"BD"_s, u"ABD"_s}));
    EXPECT_EQ(f.store->rows()[24].fen, f.store->rows()[24].da == u"ABD"_s ? u"2"_s : u"0"_s);
    EXPECT_EQ(f.cardColour(1), kAnswered);

    f.click(u"判断题3"_s);
    f.clickOption(n::kFalse);
    EXPECT_EQ(f.store->rows()[42].xxda, u"错误"_s);

    f.click(u"多选5"_s);
    EXPECT_TRUE(f.get<QCheckBox>(n::multipleOption(1))->isChecked());
    EXPECT_FALSE(f.get<QCheckBox>(n::multipleOption(3))->isChecked());
    f.click(u"单选1"_s);
    EXPECT_TRUE(f.get<QRadioButton>(n::singleOption(2))->isChecked());
    f.click(u"单选2"_s);
    for (int i = 1; i <= 4; ++i)
        EXPECT_FALSE(f.get<QRadioButton>(n::singleOption(i))->isChecked()) << "question 2 is unanswered";
}

TEST(ExamWindow, FlagsToggleAndShowOverAnswers) {
    ExamWindowFixture f;
    f.click(u"单选3"_s);
    QTest::mousePress(f.get(n::kFlag), Qt::LeftButton);
    EXPECT_EQ(f.cardColour(3), kCurrent) << "the current question stays current";
    f.clickOption(n::singleOption(1)); // answered and flagged
    f.click(n::kNext);
    EXPECT_EQ(f.cardColour(3), kFlagged);
    f.click(n::kPrevious);
    QTest::mousePress(f.get(n::kFlag), Qt::LeftButton); // the second press clears the flag
    f.click(n::kNext);
    EXPECT_EQ(f.cardColour(3), kAnswered);
}

TEST(ExamWindow, CountdownShowsEachSecondAndSubmitsOnceWhenTimeIsUp) {
    ExamWindowFixture f;
    ui::ScopedMessageAnswers boxes;
    f.tick();
    EXPECT_EQ(f.text(n::kCountdown), u"00:59:59"_s);
    for (int tick = 2; tick < 3600; ++tick)
        f.tick();
    EXPECT_EQ(f.text(n::kCountdown), u"00:00:01"_s);
    EXPECT_TRUE(boxes.texts().isEmpty());
    f.tick(); // the 3600th
    EXPECT_EQ(f.text(n::kCountdown), u"00:00:00"_s);
    EXPECT_FALSE(f.window->isCountdownTimerActive());
    EXPECT_EQ(boxes.texts(), (QStringList{u"答题时间已到,已自动交卷."_s, ExamWindow::resultText(0)}));
    EXPECT_EQ(boxes.titles().last(), u"评分"_s);
    f.tick();
    f.tick();
    EXPECT_EQ(boxes.texts().size(), 2) << "the time-up message is shown once";
    EXPECT_EQ(f.store->sums(), 1);
    EXPECT_TRUE(f.window->isSubmitted());
}

TEST(ExamWindow, NoToTheConfirmationChangesNothing) {
    ExamWindowFixture f;
    f.clickOption(n::singleOption(1));
    f.tick();
    const int writes = f.store->writes();
    ui::ScopedMessageAnswers boxes(ui::Answer::No);
    f.click(n::kSubmit);
    EXPECT_EQ(boxes.texts(), QStringList{u"确定要交卷吗?"_s});
    EXPECT_FALSE(f.window->isSubmitted());
    EXPECT_TRUE(f.window->isCountdownTimerActive());
    EXPECT_TRUE(f.window->isVisible());
    EXPECT_EQ(f.store->writes(), writes);
    EXPECT_EQ(f.store->sums(), 0);
    EXPECT_EQ(f.store->rows()[0].xxda, u"A"_s);
    f.tick();
    EXPECT_EQ(f.text(n::kCountdown), u"00:59:58"_s);
}

TEST(ExamWindow, SubmittingUnansweredGivesZeroAndLocksTheAnswers) {
    ExamWindowFixture f;
    ui::ScopedMessageAnswers boxes(ui::Answer::Yes);
    f.click(n::kSubmit);
    EXPECT_EQ(boxes.texts(), (QStringList{u"确定要交卷吗?"_s, u"你本次考试的得分为:\r\n\r\n0 分"_s}));
    EXPECT_EQ(boxes.titles().last(), u"评分"_s);
    EXPECT_FALSE(f.window->isCountdownTimerActive());
    EXPECT_TRUE(f.window->isVisible()) << "the window stays open for review";
    const int writes = f.store->writes();
    f.clickOption(n::singleOption(1));
    EXPECT_EQ(f.store->writes(), writes) << "answers can no longer change";
    EXPECT_TRUE(f.store->rows()[0].xxda.isEmpty());
    f.click(n::kSubmit); // shows the result again, submits nothing
    EXPECT_EQ(boxes.texts().size(), 3);
    EXPECT_EQ(boxes.texts().last(), ExamWindow::resultText(0));
    EXPECT_EQ(f.store->sums(), 1);
}

TEST(ExamWindow, TimeRunningOutDuringTheConfirmationSubmitsOnce) {
    ExamWindowFixture f;
    ui::ScopedMessageAnswers boxes(ui::Answer::Yes);
    // While the question is open the timer keeps ticking; the hour ends before the candidate answers Yes.
    boxes.whileNextBoxIsUp([&f] {
        f.now += Countdown::kDuration;
        f.window->tick();
    });
    f.click(n::kSubmit);
    EXPECT_EQ(f.store->sums(), 1);
    EXPECT_EQ(boxes.texts(), (QStringList{ExamWindow::kConfirmSubmit, u"答题时间已到,已自动交卷."_s,
                                          ExamWindow::resultText(0)}));
    EXPECT_TRUE(f.window->isSubmitted());
}

TEST(ExamWindow, ClosingClearsThePaperSoTheNextAttemptStartsFromNothing) {
    ExamWindowFixture f(12);
    // 86 points: everything right except fourteen single-choice questions.
    for (const QuestionRecord& q : f.store->rows()) {
        if (q.id <= 14)
            ASSERT_TRUE(recordChoice(*f.store, q.id, q.da == u"A"_s ? u"B"_s : u"A"_s));
        else if (q.id <= 60)
            ASSERT_TRUE(recordChoice(*f.store, q.id, q.da));
        else
            ASSERT_TRUE(
                recordCalculation(*f.store, q.id, QStringList(q.standards.begin(), q.standards.end())));
    }
    ui::ScopedMessageAnswers boxes(ui::Answer::Yes);
    f.click(n::kSubmit);
    EXPECT_EQ(boxes.texts().last(), u"你本次考试的得分为:\r\n\r\n86 分"_s);
    f.window->close();
    for (const QuestionRecord& q : f.store->rows()) {
        ASSERT_TRUE(q.xxda.isEmpty()) << q.id;
        ASSERT_EQ(q.fen, u"0"_s) << q.id;
        for (const QString& answer : q.answers)
            ASSERT_TRUE(answer.isEmpty()) << q.id;
        ASSERT_FALSE(q.tm.isEmpty()) << "questions themselves stay";
    }
    const QList<QuestionRecord> cleared = f.store->rows();
    f.window.reset();
    f.open(12, cleared);
    f.click(n::kSubmit);
    EXPECT_EQ(boxes.texts().last(), ExamWindow::resultText(0));
}

TEST(ExamWindow, DestroyingTheWindowClearsThePaperOnce) {
    // Destroyed without being closed (the program ending under it): the paper is cleared.
    {
        ExamWindowFixture f;
        f.clickOption(n::singleOption(1));
        const std::shared_ptr<const int> clears = f.store->clearCount();
        const int clearedOnOpening = *clears;
        f.window.reset();
        EXPECT_EQ(*clears - clearedOnOpening, 1);
    }
    // Closed, then destroyed: closing clears it, destroying it clears nothing more.
    ExamWindowFixture f;
    f.clickOption(n::singleOption(1));
    MemoryPaperStore* store = f.store;
    const std::shared_ptr<const int> clears = store->clearCount();
    ui::ScopedMessageAnswers closeAnyway(ui::Answer::Yes);
    const int clearedOnOpening = *clears;
    f.window->close();
    EXPECT_EQ(*clears - clearedOnOpening, 1);
    EXPECT_TRUE(store->rows()[0].xxda.isEmpty());
    f.window.reset();
    EXPECT_EQ(*clears - clearedOnOpening, 1);
}

TEST(ExamWindow, ReviewOpensTheAnswerWindowOfTheKindWithFreshValues) {
    ExamWindowFixture f;
    ui::ScopedMessageAnswers boxes(ui::Answer::Yes);
    f.click(u"判断题5"_s);
    f.clickOption(n::kTrue);
    f.click(n::kSubmit);
    ASSERT_TRUE(f.get(n::kAnswerButton)->isEnabled());
    // Written after the window last read the question: the review reads the table again.
    ASSERT_TRUE(f.store->recordAnswer(f.store->rows()[44].tm, u"错误"_s));
    f.click(n::kAnswerButton);
    auto* objective = qobject_cast<question::ObjectiveAnswerWindow*>(f.window->reviewWindow());
    ASSERT_NE(objective, nullptr);
    EXPECT_EQ(objective->controls().get<QLabel>(question::names::kObjectiveLabel)->text(),
              u"判断题第 5 题"_s);
    EXPECT_EQ(objective->controls().get<QLabel>(question::names::kObjectiveRecorded)->text(), u"错误"_s);
    objective->close();
    QCoreApplication::processEvents();

    f.click(u"计算分析题1"_s);
    f.click(n::kAnswerButton);
    auto* calc = qobject_cast<question::CalcAnswerWindow*>(f.window->reviewWindow());
    ASSERT_NE(calc, nullptr);
    EXPECT_EQ(calc->controls().get<QLabel>(question::names::kCalcLabel)->text(), u"计算分析题第 1 题"_s);
    calc->close();
}

TEST(ExamWindow, ZoomScalesTheQuestionWithinLimits) {
    ExamWindowFixture f;
    auto pixels = [&f] { return f.get(n::kQuestionText)->font().pixelSize(); };
    EXPECT_EQ(pixels(), 14);
    f.click(n::kZoomIn);
    EXPECT_EQ(pixels(), 16);
    EXPECT_EQ(f.get(n::singleOption(1))->font().pixelSize(), 16);
    for (int i = 0; i < 10; ++i)
        f.click(n::kZoomIn);
    EXPECT_EQ(pixels(), 24);
    f.click(n::kZoomReset);
    EXPECT_EQ(pixels(), 14);
    for (int i = 0; i < 10; ++i)
        f.click(n::kZoomOut);
    EXPECT_EQ(pixels(), 10);
}

TEST(ExamWindow, LayoutKeepsTheCardRightAndNothingOverlaps) {
    ExamWindowFixture f;
    for (const QSize size : {QSize(944, 627), QSize(1024, 768), QSize(1920, 1080)}) {
        f.window->resize(size);
        QCoreApplication::processEvents();
        const QRect card = f.get(n::kCard)->geometry();
        EXPECT_EQ(card.right(), size.width() - 1) << size.width();
        EXPECT_EQ(card.bottom(), size.height() - 1) << size.width();
        const QList<QRect> areas{f.get(n::kQuestionText)->geometry(), f.get(n::kSeparator)->geometry(),
                                 f.get(n::kAnswerPages)->geometry(), f.get(n::kBar)->geometry(), card};
        for (int a = 0; a < areas.size(); ++a) {
            EXPECT_TRUE(QRect(QPoint(), size).contains(areas[a])) << size.width() << " area " << a;
            for (int b = a + 1; b < areas.size(); ++b)
                EXPECT_FALSE(areas[a].intersects(areas[b])) << size.width() << " areas " << a << "," << b;
        }
        EXPECT_GE(f.get(n::kAnswerPages)->height(), 284);
        const QRect timer = f.get(n::kTimerPanel)->geometry();
        EXPECT_LE(timer.right(), size.width() - 1);
        EXPECT_FALSE(timer.intersects(card));
    }
}

TEST(ExamWindow, QuestionNumberSitsInTheCaptionsGap) {
    // 透明标签_题号1 lies over the blanks of "共62题，当前第   题": a two-digit number must fit
    // between 第 and 题 in the faces actually installed, not only in the design face.
    ExamWindowFixture f;
    auto* caption = f.get<QLabel>(n::kCountCaption);
    const QString text = caption->text();
    ASSERT_TRUE(text.endsWith(u"第   题"_s));
    const QFontMetricsF captionMetrics(caption->font());
    const qreal captionLeft = caption->mapTo(f.window.get(), caption->contentsRect().topLeft()).x();
    const qreal gapLeft = captionLeft + captionMetrics.horizontalAdvance(text.chopped(4));
    const qreal gapRight = captionLeft + captionMetrics.horizontalAdvance(text.chopped(1));
    auto* number = f.get<QLabel>(n::kNumber);
    const QFontMetricsF numberMetrics(number->font());
    for (int id : {1, 9, 10, 62}) {
        f.window->showQuestion(id);
        const qreal width = numberMetrics.horizontalAdvance(number->text());
        const qreal left = number->mapTo(f.window.get(), QPoint()).x() + (number->width() - width) / 2;
        EXPECT_GE(left, gapLeft) << id << " touches 第";
        EXPECT_LE(left + width, gapRight) << id << " covers 题";
    }
}
