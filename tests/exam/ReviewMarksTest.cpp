// 收藏 and 笔记 in the review after hand-in: S stars the question on show, by its practice table so
// it joins that type's starred round; the note shows under the explanation of 答案解析. Before
// hand-in there is nothing to mark.

#include "ExamWindowFixture.h"
#include "PlatformKeys.h"

#include "exam/ExamNames.h"
#include "question/AnswerNames.h"
#include "question/AnswerWindow.h"
#include "question/MarkButtons.h"
#include "study/StudyRecord.h"
#include "ui/Keys.h"
#include "ui/MessageBox.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using question::MarkButtons;
namespace n = exam::names;

TEST(ReviewMarks, SStarsTheReviewedQuestionForPracticeAndItsNoteShowsUnderTheExplanation) {
    ExamWindowFixture f;
    ASSERT_TRUE(activate(f.window.get()));
    QTest::keySequence(f.window->windowHandle(), ui::keys::kStar);
    EXPECT_FALSE(f.window->findChild<QPushButton*>(MarkButtons::kStar)) << "no star before hand-in";
    {
        ui::ScopedMessageAnswers boxes(ui::Answer::Yes);
        f.click(n::kSubmit);
    }
    ASSERT_TRUE(f.window->isSubmitted());
    ASSERT_TRUE(activate(f.window.get()));
    auto* star = f.window->findChild<QPushButton*>(MarkButtons::kStar);
    ASSERT_TRUE(star);
    EXPECT_TRUE(star->isVisible());
    QTest::keySequence(f.window->windowHandle(), ui::keys::kStar);
    EXPECT_TRUE(star->isChecked());

    const QString text = f.store->rows()[0].tm;
    const QString path = f.studyDirectory.filePath(u"study.sqlite"_s);
    EXPECT_TRUE(study::StudyRecord(path).questionMark(u"danxuan"_s, text).starred);
    ASSERT_TRUE(study::StudyRecord(path).setNote(u"danxuan"_s, text, u"看清是“最长不得超过”"_s).ok());
    f.click(n::kAnswerButton);
    auto* review = qobject_cast<question::AnswerWindow*>(f.window->reviewWindow());
    ASSERT_TRUE(review);
    EXPECT_TRUE(review->controls()
                    .get<QPlainTextEdit>(question::names::kExplanation)
                    ->toPlainText()
                    .endsWith(MarkButtons::kNoteHeading + u"\n看清是“最长不得超过”"_s));
    review->close();
}
