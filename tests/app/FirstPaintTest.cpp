// Work put off until the main window is on screen runs once, after its first paint, and still runs
// when the window is shown somewhere nothing paints it.
#include "app/FirstPaint.h"

#include <QEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QWidget* window) { window->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

} // namespace

TEST(FirstPaint, WorkRunsOnceAfterTheFirstPaint) {
    QWidget window;
    window.resize(200, 100);
    PaintCounter counter(&window);
    int runs = 0;
    int paintsBeforeRun = -1;
    app::afterFirstPaint(&window, [&] {
        ++runs;
        paintsBeforeRun = counter.paints;
    });
    QTest::qWait(50);
    EXPECT_EQ(runs, 0) << "nothing shown, nothing run";
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return runs > 0; }, 2000));
    EXPECT_GE(paintsBeforeRun, 1);
    window.update();
    window.hide();
    window.show();
    QTest::qWait(700);
    EXPECT_EQ(runs, 1);
}

TEST(FirstPaint, AWindowNeverPaintedRunsTheWorkAllTheSame) {
    QWidget window;
    window.setUpdatesEnabled(false);
    PaintCounter counter(&window);
    bool ran = false;
    app::afterFirstPaint(&window, [&] { ran = true; });
    window.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return ran; }, 2000));
    EXPECT_EQ(counter.paints, 0) << "the window was painted after all: this case tests nothing";
}
