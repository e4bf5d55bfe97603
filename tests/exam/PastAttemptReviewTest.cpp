// A past attempt reviewed from the study record: every question as it was handed in, after the
// window closed and the paper was cleared, read-only, with 只看错题 and the card green and red.

#include "ExamWindowFixture.h"
#include "PlatformKeys.h"
#include "exam/ExamNames.h"
#include "study/StudyRecord.h"
#include "ui/MessageBox.h"
#include "ui/Palette.h"
#include "ui/PictureButton.h"

#include <QCheckBox>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using exam::ExamWindow;
namespace n = exam::names;

namespace {

// Paper 9 with 1 answered right (B), 2 wrong (A for C) and 3 right (D), handed in and closed; the
// rows as they were at hand-in, and the record read afresh.
struct HandedInAndClosed {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"study.sqlite"_s);
    QList<bank::QuestionRecord> handedIn;

    HandedInAndClosed() {
        ExamWindowFixture f{9};
        f.window->setStudyRecordPath(path);
        for (const auto& [id, option] : {std::pair{1, 2}, {2, 1}, {3, 4}}) {
            f.window->showQuestion(id);
            f.clickOption(n::singleOption(option));
        }
        ui::ScopedMessageAnswers boxes(ui::Answer::Yes);
        f.click(n::kSubmit);
        handedIn = f.store->rows();
        const std::shared_ptr<const int> clears = f.store->clearCount();
        f.window.reset();
        EXPECT_EQ(*clears, 2) << "the paper cleared at opening and at closing";
    }
    common::Outcome<study::ExamReview> review() {
        study::StudyRecord record(path);
        const QList<study::ExamHistoryEntry> history = record.examHistory();
        if (history.size() != 1) return common::Failure{u"no attempt"_s};
        return record.examReview(history[0].id);
    }
};

QColor cardColour(const ExamWindow& window, int id) {
    return window.controls()
        .get<ui::PictureButton>(exam::cardButtonName(id))
        ->look()
        .normal.background.value_or(QColor());
}

bool isChecked(const ExamWindow& window, const QString& option) {
    return window.controls().get<QAbstractButton>(option)->isChecked();
}

} // namespace

TEST(PastAttemptReview, TheRecordKeepsEveryQuestionAsHandedInAfterThePaperIsCleared) {
    HandedInAndClosed exam;
    const common::Outcome<study::ExamReview> review = exam.review();
    ASSERT_TRUE(review.ok()) << review.reason().toStdString();
    EXPECT_EQ(review->attempt.paper, 9);
    EXPECT_EQ(review->attempt.total, 2);
    EXPECT_EQ(review->attempt.typeScores, (std::array<int, 4>{2, 0, 0, 0}));
    ASSERT_EQ(review->questions.size(), exam.handedIn.size());
    for (qsizetype i = 0; i < exam.handedIn.size(); ++i) {
        const bank::QuestionRecord& kept = review->questions[i];
        const bank::QuestionRecord& was = exam.handedIn[i];
        EXPECT_EQ(kept.id, was.id);
        EXPECT_EQ(kept.tm, was.tm);
        EXPECT_EQ(kept.options, was.options);
        EXPECT_EQ(kept.da, was.da);
        EXPECT_EQ(kept.xxda, was.xxda) << was.id;
        EXPECT_EQ(kept.fen, was.fen) << was.id;
        EXPECT_EQ(kept.jx, was.jx);
        EXPECT_EQ(kept.tx, was.tx);
        EXPECT_EQ(kept.standards, was.standards);
    }
    EXPECT_EQ(review->questions[0].xxda, u"B"_s);
    EXPECT_EQ(review->questions[1].xxda, u"A"_s);
}

TEST(PastAttemptReview, TheReviewShowsTheAnswersScoresAndCardReadOnly) {
    HandedInAndClosed exam;
    const common::Outcome<study::ExamReview> review = exam.review();
    ASSERT_TRUE(review.ok()) << review.reason().toStdString();
    ExamWindow window(*review);
    window.resize(944, 627);
    window.show();
    ASSERT_TRUE(activate(&window));
    EXPECT_TRUE(isChecked(window, n::singleOption(2)));
    EXPECT_FALSE(window.controls().widget(n::singleOption(1))->isEnabled());
    EXPECT_TRUE(window.controls().widget(n::kAnswerButton)->isEnabled());
    const QString scores = window.findChild<QLabel*>(ExamWindow::kScores)->text();
    EXPECT_TRUE(scores.contains(u"单选 2 分"_s)) << scores.toStdString();
    EXPECT_TRUE(scores.contains(u"总分 2 分（未及格，60 分及格）"_s)) << scores.toStdString();
    EXPECT_EQ(cardColour(window, 2), ui::palette::kWrongPale);
    EXPECT_EQ(cardColour(window, 3), ui::palette::kRightPale);
    EXPECT_EQ(cardColour(window, 62), ui::palette::kWrongPale) << "unanswered earns nothing";
    // A key the candidate presses on the review gives no answer.
    QTest::keyClick(window.windowHandle(), Qt::Key_PageDown);
    QTest::keyClick(window.windowHandle(), Qt::Key_C);
    EXPECT_EQ(window.currentQuestion(), 2);
    EXPECT_TRUE(isChecked(window, n::singleOption(1))) << "question 2 still shows A, as handed in";
    ui::ScopedMessageAnswers boxes;
    QTest::mouseClick(window.controls().widget(n::kSubmit), Qt::LeftButton);
    EXPECT_EQ(boxes.texts(), QStringList{ExamWindow::resultText(2)});
}

TEST(PastAttemptReview, OnlyWrongWalksTheQuestionsAnsweredWrongByKeys) {
    HandedInAndClosed exam;
    const common::Outcome<study::ExamReview> review = exam.review();
    ASSERT_TRUE(review.ok()) << review.reason().toStdString();
    ExamWindow window(*review);
    window.show();
    ASSERT_TRUE(activate(&window));
    auto* onlyWrong = window.findChild<QCheckBox*>(ExamWindow::kOnlyWrong);
    ASSERT_TRUE(onlyWrong);
    // Reached with Tab and ticked with the space bar, as a keyboard user does.
    for (int tabs = 0; tabs < 200 && !onlyWrong->hasFocus(); ++tabs)
        QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
    ASSERT_TRUE(onlyWrong->hasFocus());
    QTest::keyClick(window.windowHandle(), Qt::Key_Space);
    EXPECT_TRUE(onlyWrong->isChecked());
    EXPECT_EQ(window.currentQuestion(), 2) << "question 1 was right";
    QTest::keyClick(window.windowHandle(), Qt::Key_PageDown);
    EXPECT_EQ(window.currentQuestion(), 4) << "question 3 was right";
    QTest::keyClick(window.windowHandle(), Qt::Key_PageUp);
    EXPECT_EQ(window.currentQuestion(), 2);
    EXPECT_FALSE(window.controls().widget(exam::cardButtonName(3))->isEnabled());
    QTest::keyClick(window.windowHandle(), Qt::Key_Space);
    EXPECT_FALSE(onlyWrong->isChecked());
    QTest::keyClick(window.windowHandle(), Qt::Key_PageUp);
    EXPECT_EQ(window.currentQuestion(), 1);
}
