#include "ui/WindowBuilder.h"
#include "DeclarationCheck.h"
#include "ui/Fonts.h"
#include "ui/PictureBox.h"
#include "ui/PictureButton.h"
#include "ui/StatusBar.h"
#include "ui/TabControl.h"
#include "ui/TransparentLabel.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using ui::Control;
using ui::Kind;

namespace {

const ui::WindowDeclaration kWindow{.title = u"试验窗口"_s, .outerSize = {400, 300}};

// A small window with every containment case: client area, picture box, tab pages.
ui::Declaration sample() {
    return {
        {.name = u"按钮1"_s, .kind = Kind::PushButton, .rect = {10, 10, 80, 24}, .text = u"确定"_s},
        {.name = u"图片框1"_s,
         .kind = Kind::PictureBox,
         .rect = {0, 40, 200, 100},
         .background = QColor(1, 2, 3)},
        {.name = u"透明标签1"_s,
         .kind = Kind::TransparentLabel,
         .rect = {5, 6, 100, 20},
         .parent = u"图片框1"_s,
         .text = u"标签"_s,
         .font = {.pixels = 15, .bold = true}},
        {.name = u"选择夹1"_s,
         .kind = Kind::TabControl,
         .rect = {200, 40, 180, 200},
         .items = {u"甲"_s, u"乙"_s}},
        {.name = u"编辑框1"_s,
         .kind = Kind::LineEdit,
         .rect = {10, 30, 100, 20},
         .parent = u"选择夹1"_s,
         .page = 1,
         .font = {.pixels = 12, .face = u"SimSun"_s}},
        {.name = u"状态条1"_s,
         .kind = Kind::StatusBar,
         .rect = {0, 250, 394, 19},
         .items = {u"一"_s, u"二"_s},
         .widths = {100, 50}},
        {.name = u"按钮2"_s, .kind = Kind::PushButton, .rect = {300, 10, 80, 24}, .text = u"取消"_s},
    };
}

} // namespace

TEST(WindowBuilder, BuildsEveryControlWhereDeclared) {
    QWidget window;
    const ui::Declaration declaration = sample();
    const ui::Built built = ui::buildWindow(&window, kWindow, declaration);
    EXPECT_TRUE(built.errors().isEmpty()) << built.errors().join(u'\n').toStdString();
    EXPECT_TRUE(ui::compareWithDeclaration(&window, declaration).isEmpty())
        << ui::compareWithDeclaration(&window, declaration).join(u'\n').toStdString();
    EXPECT_EQ(built.controls().size(), 7);
    // Tab-page contents are placed relative to the tab control, strip included.
    auto* edit = built.get<QLineEdit>(u"编辑框1"_s);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->mapTo(built.widget(u"选择夹1"_s), QPoint(0, 0)), QPoint(10, 30));
    EXPECT_EQ(edit->font().pixelSize(), 12);
    EXPECT_EQ(QFontInfo(edit->font()).family(), u"Noto Serif CJK SC"_s); // SimSun is substituted
    auto* label = built.get<ui::TransparentLabel>(u"透明标签1"_s);
    EXPECT_EQ(label->font().pixelSize(), 15);
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(QFontInfo(label->font()).family(), u"Noto Sans CJK SC"_s);
}

TEST(WindowBuilder, WindowHasDeclaredTitleClientSizeAndNoMaximize) {
    QWidget window;
    ui::buildWindow(&window,
                    {.title = u"Velmora-Ostrevin"_s, .outerSize = {950, 655}, .minimizeButton = true}, {});
    EXPECT_EQ(window.windowTitle(), u"Velmora-Ostrevin"_s);
    EXPECT_EQ(window.size(), QSize(944, 627));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()); // fixed frame
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
}

TEST(WindowBuilder, DeclarationFaultsAreReported) {
    QWidget window;
    const ui::Declaration faulty = {
        {.name = u"甲"_s, .kind = Kind::PushButton, .rect = {0, 0, 10, 10}, .parent = u"没有"_s},
        {.name = u"夹"_s, .kind = Kind::TabControl, .rect = {0, 0, 50, 50}, .items = {u"页"_s}},
        {.name = u"乙"_s, .kind = Kind::PushButton, .rect = {0, 0, 10, 10}, .parent = u"夹"_s, .page = 3},
        {.name = u"夹"_s, .kind = Kind::PushButton, .rect = {0, 0, 10, 10}},
    };
    const ui::Built built = ui::buildWindow(&window, kWindow, faulty);
    EXPECT_EQ(built.errors().size(), 3) << built.errors().join(u'\n').toStdString();
    EXPECT_EQ(built.widget(u"甲"_s), nullptr);
}

TEST(WindowBuilder, FirstDeclaredIsOnTopAndFirstInTabOrder) {
    QWidget window;
    const ui::Declaration overlapping = {
        {.name = u"上"_s, .kind = Kind::LineEdit, .rect = {0, 0, 50, 20}},
        {.name = u"下"_s, .kind = Kind::LineEdit, .rect = {10, 5, 50, 20}},
        {.name = u"末"_s, .kind = Kind::LineEdit, .rect = {100, 5, 50, 20}},
    };
    const ui::Built built = ui::buildWindow(&window, kWindow, overlapping);
    EXPECT_EQ(window.childAt(20, 10), built.widget(u"上"_s));
    EXPECT_EQ(built.widget(u"上"_s)->nextInFocusChain(), built.widget(u"下"_s));
    EXPECT_EQ(built.widget(u"下"_s)->nextInFocusChain(), built.widget(u"末"_s));
}

TEST(WindowBuilder, EscapeClosesTheWindow) {
    QWidget window;
    ui::buildWindow(&window, kWindow, sample());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST(TabControl, OnlyTheCurrentPageIsShown) {
    ui::TabControl tabs;
    tabs.resize(200, 100);
    tabs.setPages({u"甲"_s, u"乙"_s, u"丙"_s}, ui::TabStrip::Top, 20);
    tabs.show();
    QSignalSpy changed(&tabs, &ui::TabControl::currentChanged);
    tabs.setCurrentIndex(2);
    tabs.setCurrentIndex(7); // ignored
    EXPECT_EQ(tabs.currentIndex(), 2);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(tabs.page(0)->isVisible());
    EXPECT_TRUE(tabs.page(2)->isVisible());
    EXPECT_EQ(tabs.page(2)->geometry(), tabs.rect()); // contents measured from the control's corner
    EXPECT_EQ(tabs.tabBar()->geometry(), QRect(0, 0, 200, 20));
    EXPECT_EQ(tabs.bodyRect(), QRect(0, 20, 200, 80));
    // Clicking the strip changes the page too.
    QTest::mouseClick(tabs.tabBar(), Qt::LeftButton, {}, tabs.tabBar()->tabRect(0).center());
    EXPECT_EQ(tabs.currentIndex(), 0);
}

TEST(TabControl, TabsAreNoTallerThanTheStrip) {
    // A CJK face's line spacing plus the style's padding would make tabs taller than the strip,
    // and the strip's edge would cut the captions' underscores off.
    ui::TabControl tabs;
    tabs.resize(400, 100);
    tabs.setPages({u"单选题"_s, u"计算分析题_计算"_s}, ui::TabStrip::Top, 20);
    tabs.tabBar()->setFont(ui::fontFor({.pixels = 12, .face = u"宋体"_s}));
    tabs.show();
    for (int i = 0; i < tabs.count(); ++i) {
        const QRect tab = tabs.tabBar()->tabRect(i);
        EXPECT_EQ(tab.top(), 0);
        EXPECT_EQ(tab.height(), 20);
        const QFontMetrics metrics(tabs.tabBar()->font());
        EXPECT_LE(metrics.height(), tab.height()); // the whole line, descent included, fits
        EXPECT_GE(tab.width(), metrics.horizontalAdvance(tabs.tabBar()->tabText(i)));
    }
}

TEST(TabControl, HiddenStripNeverShows) {
    ui::TabControl tabs;
    tabs.resize(200, 100);
    tabs.setPages({u"甲"_s, u"乙"_s}, ui::TabStrip::Hidden, 20);
    tabs.show();
    tabs.setCurrentIndex(1);
    EXPECT_FALSE(tabs.tabBar()->isVisible());
    EXPECT_EQ(tabs.bodyRect(), tabs.rect());
}

TEST(StatusBar, PanelsHaveFixedWidthsAndTexts) {
    ui::StatusBar bar;
    bar.resize(300, 20);
    bar.setPanels({800, 180, 350});
    bar.setPanelText(1, u"软件版本：V2.0.0.0"_s);
    bar.setPanelText(3, u"无此栏"_s);
    bar.setPanelText(-1, u"无此栏"_s);
    EXPECT_EQ(bar.panelCount(), 3);
    EXPECT_EQ(bar.panelText(1), u"软件版本：V2.0.0.0"_s);
    EXPECT_EQ(bar.panelText(3), QString());
    EXPECT_EQ(bar.panelRect(1).left(), 800);
    EXPECT_EQ(bar.panelRect(2).left(), 980); // beyond the bar's right edge, as declared
    EXPECT_FALSE(bar.grab().isNull());
}
