// Closing an exam that has not been handed in throws the attempt away, so the window asks first;
// a paper handed in closes at once.

#include "ExamWindowFixture.h"

#include "PlatformKeys.h"
#include "exam/ExamNames.h"
#include "ui/MessageBox.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace exam;
namespace n = exam::names;

namespace {

const QString kCloseQuestion = u"尚未交卷，关闭后本次作答将被清除。确定关闭吗?"_s;

TEST(ExamCloseQuestion, EscAndTheCloseButtonAskAndNoKeepsTheAnswersAndTheCountdown) {
    ExamWindowFixture f;
    f.clickOption(n::singleOption(2));
    ASSERT_TRUE(activate(f.window.get()));
    ui::ScopedMessageAnswers boxes(ui::Answer::No);
    QTest::keyClick(f.window->windowHandle(), Qt::Key_Escape);
    f.window->windowHandle()->close(); // what the window manager's close button does
    EXPECT_EQ(boxes.texts(), (QStringList{kCloseQuestion, kCloseQuestion}));
    EXPECT_TRUE(f.window->isVisible());
    EXPECT_EQ(f.store->rows()[0].xxda, u"B"_s);
    f.tick();
    EXPECT_EQ(f.text(n::kCountdown), u"00:59:59"_s);

    boxes.setAnswer(ui::Answer::Yes);
    QTest::keyClick(f.window->windowHandle(), Qt::Key_Escape);
    EXPECT_FALSE(f.window->isVisible());
    EXPECT_TRUE(f.store->rows()[0].xxda.isEmpty());
}

// The hour goes on while the question waits: time running out hands the paper in, No keeps the
// window on the result, and a paper handed in closes without asking.
TEST(ExamCloseQuestion, TimeRunningOutWhileAskedHandsThePaperIn) {
    ExamWindowFixture f;
    const int clearedOnOpening = f.store->clears();
    ui::ScopedMessageAnswers boxes(ui::Answer::No);
    boxes.whileNextBoxIsUp([&f] {
        f.now += Countdown::kDuration;
        f.window->tick();
    });
    f.window->close();
    EXPECT_TRUE(f.window->isSubmitted());
    EXPECT_TRUE(f.window->isVisible());
    EXPECT_EQ(boxes.texts(),
              (QStringList{ExamWindow::kConfirmClose, ExamWindow::kTimeUp, ExamWindow::resultText(0)}));

    ASSERT_TRUE(activate(f.window.get()));
    QTest::keyClick(f.window->windowHandle(), Qt::Key_Escape);
    EXPECT_FALSE(f.window->isVisible());
    EXPECT_EQ(f.store->clears() - clearedOnOpening, 1);
}

} // namespace
