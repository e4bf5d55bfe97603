// The journal grid walked by keys of the platform window: "+" opens the entry's third line and the
// focus goes on into it, to its mark, so that Tab fills the new line before leaving the entry.

#include "EntryHost.h"
#include "entry/GridNames.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using entry::testing::EntryHost;

TEST(JournalKeys, PlusPutsTheFocusOnTheNewLinesMarkAndTabGoesOnThroughTheLine) {
    EntryHost host;
    host.pages()->showQuestion(u"计算分析题-分录"_s, {});
    QApplication::setActiveWindow(host.window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(host.window()));
    QWindow* keys = host.window()->windowHandle();
    const auto control = [&](const QString& name) { return host.find<QWidget>(name); };
    const entry::LineNames third = entry::lineNames(2, 3);

    control(entry::lineNames(2, 2).amount)->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(keys, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), control(entry::plusButtonName(2)));
    QTest::keyClick(keys, Qt::Key_Space);
    ASSERT_TRUE(control(third.mark)->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), control(third.mark));
    QTest::keyClick(keys, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), control(third.account));
}
