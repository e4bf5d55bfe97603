#include "question/Zoom.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Two pixels a step, from the declared size, never beyond the window's limits either way.
TEST(Zoom, StepsTwoPixelsWithinItsLimits) {
    question::Zoom zoom(-2, 5);
    EXPECT_EQ(zoom.pixels(14), 14);
    zoom.in();
    EXPECT_EQ(zoom.pixels(14), 16);
    EXPECT_EQ(zoom.pixels(15), 17) << "every zoomed font grows by the same amount";
    for (int i = 0; i < 10; ++i)
        zoom.in();
    EXPECT_EQ(zoom.step(), 5);
    EXPECT_EQ(zoom.pixels(14), 24);
    for (int i = 0; i < 10; ++i)
        zoom.out();
    EXPECT_EQ(zoom.step(), -2);
    EXPECT_EQ(zoom.pixels(14), 10);
    zoom.reset();
    EXPECT_EQ(zoom.pixels(15), 15);
}

// The named controls get their declared fonts at the zoom; the others keep theirs.
TEST(Zoom, FontsFollowTheDeclarationAtTheZoom) {
    const ui::Declaration declared{
        {.name = u"编辑框1"_s, .kind = ui::Kind::Label, .rect = {0, 0, 50, 20}, .font = {.pixels = 14}},
        {.name = u"多选A"_s,
         .kind = ui::Kind::Label,
         .rect = {0, 20, 50, 20},
         .font = {.pixels = 15, .bold = true}},
        {.name = u"判断A"_s, .kind = ui::Kind::Label, .rect = {0, 40, 50, 20}, .font = {.pixels = 15}}};
    QWidget window;
    const ui::Built built = ui::buildWindow(&window, {.outerSize = {200, 100}}, declared);
    question::Zoom zoom(-2, 7);
    zoom.in();
    zoom.in();
    question::zoomFonts(built, declared, {u"编辑框1"_s, u"多选A"_s}, zoom);
    EXPECT_EQ(built.widget(u"编辑框1"_s)->font().pixelSize(), 18);
    EXPECT_EQ(built.widget(u"多选A"_s)->font().pixelSize(), 19);
    EXPECT_TRUE(built.widget(u"多选A"_s)->font().bold());
    EXPECT_EQ(built.widget(u"判断A"_s)->font().pixelSize(), 15);
}

// The window's three buttons change the zoom of the named controls, within the limits.
TEST(Zoom, TheWindowsButtonsZoomTheText) {
    const ui::Declaration declared{
        {.name = u"编辑框1"_s, .kind = ui::Kind::Label, .rect = {0, 0, 50, 20}, .font = {.pixels = 14}},
        {.name = u"缩小"_s, .kind = ui::Kind::PushButton, .rect = {0, 20, 50, 20}},
        {.name = u"默认"_s, .kind = ui::Kind::PushButton, .rect = {50, 20, 50, 20}},
        {.name = u"放大"_s, .kind = ui::Kind::PushButton, .rect = {100, 20, 50, 20}}};
    QWidget window;
    const ui::Built built = ui::buildWindow(&window, {.outerSize = {200, 100}}, declared);
    question::ZoomedText text({-1, 1}, {u"编辑框1"_s});
    text.attach(&window, built, declared);
    const auto press = [&](const QString& name) { built.get<QAbstractButton>(name)->click(); };
    const auto pixels = [&] { return built.widget(u"编辑框1"_s)->font().pixelSize(); };
    press(u"放大"_s);
    press(u"放大"_s);
    EXPECT_EQ(pixels(), 16);
    press(u"缩小"_s);
    press(u"缩小"_s);
    press(u"缩小"_s);
    EXPECT_EQ(pixels(), 12);
    EXPECT_EQ(text.zoom().step(), -1);
    press(u"默认"_s);
    EXPECT_EQ(pixels(), 14);
}

} // namespace
