// An account longer than its box: chosen or typed, its whole text is the box's tooltip, the box
// shows it whole while it has the focus, and its start once the candidate has left it.

#include "EntryHost.h"
#include "entry/AccountChooserWindow.h"
#include "entry/GridNames.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using entry::testing::EntryHost;

namespace {

const QString kLongAccount = u"应交税费-应交增值税（进项税额转出）"_s;

class LongAccountTest : public ::testing::Test {
protected:
    LongAccountTest() {
        host.pages()->showQuestion(u"计算分析题-分录"_s, {});
        QApplication::setActiveWindow(host.window());
        EXPECT_TRUE(QTest::qWaitForWindowActive(host.window()));
    }
    QLineEdit* account() const { return host.find<QLineEdit>(entry::lineNames(1, 1).account); }
    QWindow* window() const { return host.window()->windowHandle(); }
    // Tabs from the line's mark into its account box and on out of it.
    void tabThroughAccount() const {
        host.find<QComboBox>(entry::lineNames(1, 1).mark)->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(window(), Qt::Key_Tab);
        ASSERT_TRUE(account()->hasFocus());
        EXPECT_EQ(account()->cursorPosition(), account()->text().size()) << "Tab selects the whole text";
        QTest::keyClick(window(), Qt::Key_Tab);
        ASSERT_FALSE(account()->hasFocus());
    }
    // The box shows its first character: the cursor at the start lies at the left of the box.
    bool showsStart() const {
        return account()->cursorPosition() == 0 &&
               account()->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() < 8;
    }

    EntryHost host;
};

TEST_F(LongAccountTest, AChosenLongAccountShowsItsStartAndWholeTextAsTooltip) {
    QTimer::singleShot(0, [] {
        QWidget* chooser = QApplication::activeModalWidget();
        ASSERT_NE(chooser, nullptr);
        QApplication::setActiveWindow(chooser);
        for (QChar c : u"进项税额转"_s)
            QTest::sendKeyEvent(QTest::Click, chooser->windowHandle(), Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
        QTest::keyClick(chooser->windowHandle(), Qt::Key_Return);
        if (chooser->isVisible()) chooser->close(); // nothing was chosen
    });
    QTest::mouseClick(host.find<QPushButton>(entry::lineNames(1, 1).chooser), Qt::LeftButton);
    ASSERT_EQ(account()->text(), kLongAccount);
    QApplication::setActiveWindow(host.window()); // no window manager gives it back here
    EXPECT_LT(account()->width(), account()->fontMetrics().horizontalAdvance(kLongAccount))
        << "the text is longer than the box";
    EXPECT_EQ(account()->toolTip(), kLongAccount);
    EXPECT_TRUE(showsStart());

    tabThroughAccount();
    EXPECT_TRUE(showsStart()) << "leaving the box brings its start back";
    EXPECT_EQ(account()->toolTip(), kLongAccount);
}

TEST_F(LongAccountTest, AFocusedLongAccountShowsWholeOverItsNeighboursAndGoesBackWhenLeft) {
    account()->setText(kLongAccount);
    const QRect own = account()->geometry();
    auto* chooser = host.find<QPushButton>(entry::lineNames(1, 1).chooser);
    host.find<QComboBox>(entry::lineNames(1, 1).mark)->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(window(), Qt::Key_Tab);
    ASSERT_TRUE(account()->hasFocus());
    account()->grab(); // laid out as painted
    // The cursor stands after the last character, and the first is still at the box's left edge.
    const QRect end = account()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_LE(end.left(), account()->width());
    EXPECT_LT(end.left() - account()->fontMetrics().horizontalAdvance(kLongAccount), 8)
        << "the whole text shows";
    EXPECT_TRUE(account()->geometry().intersects(chooser->geometry())) << "over \"...\"";
    EXPECT_EQ(account()->parentWidget()->childAt(chooser->geometry().center()), account()) << "and on top";

    QTest::keyClick(window(), Qt::Key_Tab);
    EXPECT_EQ(account()->geometry(), own);
    EXPECT_TRUE(showsStart());
}

TEST_F(LongAccountTest, ATypedLongAccountShowsItsStartOnceLeft) {
    account()->setFocus(Qt::MouseFocusReason);
    entry::testing::typeText(account(), kLongAccount);
    EXPECT_EQ(account()->toolTip(), kLongAccount);
    tabThroughAccount();
    EXPECT_TRUE(showsStart());
    account()->clear();
    EXPECT_TRUE(account()->toolTip().isEmpty());
}

} // namespace
