// Closing an exam that has not been handed in throws the attempt away, so the window asks first;
// a paper handed in closes at once.

#include "ExamWindowFixture.h"

#include "ExamNames.h"
#include "MessageBox.h"
#include "PlatformKeys.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace exam;
namespace n = exam::names;

namespace {

const QString kCloseQuestion = u"尚未交卷，关闭后本次作答将被清除。确定关闭吗?"_s;

TEST(ExamCloseQuestion, EscAsksAndNoKeepsTheAnswersAndTheRunningCountdown) {
    ExamWindowFixture f;
    f.clickOption(n::singleOption(2));
    ASSERT_TRUE(activate(f.window.get()));
    f.tick();
    ui::ScopedMessageAnswers boxes(ui::Answer::No);
    QTest::keyClick(f.window->windowHandle(), Qt::Key_Escape);
    EXPECT_EQ(boxes.texts(), QStringList{kCloseQuestion});
    EXPECT_TRUE(f.window->isVisible());
    EXPECT_TRUE(f.window->isCountdownTimerActive());
    EXPECT_EQ(f.store->clears(), 0);
    EXPECT_EQ(f.store->rows()[0].xxda, u"B"_s);
    f.tick();
    EXPECT_EQ(f.text(n::kCountdown), u"00:59:58"_s);

    boxes.setAnswer(ui::Answer::Yes);
    QTest::keyClick(f.window->windowHandle(), Qt::Key_Escape);
    EXPECT_EQ(boxes.texts(), (QStringList{kCloseQuestion, kCloseQuestion}));
    EXPECT_FALSE(f.window->isVisible());
    EXPECT_FALSE(f.window->isCountdownTimerActive());
    EXPECT_EQ(f.store->clears(), 1);
    EXPECT_TRUE(f.store->rows()[0].xxda.isEmpty());
}

TEST(ExamCloseQuestion, TheCloseButtonAsksTheSame) {
    ExamWindowFixture f;
    f.clickOption(n::singleOption(3));
    ui::ScopedMessageAnswers boxes(ui::Answer::No);
    f.window->windowHandle()->close(); // what the window manager's close button does
    EXPECT_EQ(boxes.texts(), QStringList{kCloseQuestion});
    EXPECT_TRUE(f.window->isVisible());
    EXPECT_EQ(f.store->clears(), 0);

    boxes.setAnswer(ui::Answer::Yes);
    f.window->windowHandle()->close();
    EXPECT_FALSE(f.window->isVisible());
    EXPECT_EQ(f.store->clears(), 1);
}

// The hour goes on while the question waits: time running out then hands the paper in, and No
// keeps the window open on the result; a paper handed in closes without asking.
TEST(ExamCloseQuestion, TimeRunningOutWhileAskedHandsThePaperIn) {
    ExamWindowFixture f;
    f.clickOption(n::singleOption(1));
    ui::ScopedMessageAnswers boxes;
    f.window->setConfirmation([&f](QWidget*, const QString&) {
        f.now += Countdown::kDuration;
        f.window->tick();
        return false;
    });
    f.window->close();
    EXPECT_TRUE(f.window->isSubmitted());
    EXPECT_TRUE(f.window->isVisible());
    EXPECT_EQ(f.store->sums(), 1);
    EXPECT_EQ(f.store->clears(), 0);
    EXPECT_EQ(boxes.texts().first(), ExamWindow::kTimeUp);

    // Handed in, it closes without asking.
    ASSERT_TRUE(activate(f.window.get()));
    const QStringList beforeClosing = boxes.texts();
    QTest::keyClick(f.window->windowHandle(), Qt::Key_Escape);
    EXPECT_EQ(boxes.texts(), beforeClosing);
    EXPECT_FALSE(f.window->isVisible());
    EXPECT_EQ(f.store->clears(), 1);
}

} // namespace
