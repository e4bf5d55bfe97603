// The account chooser as a candidate works it from a journal line's "...": double-click and Enter
// choose, typing finds, and the next opening starts at the category used last. Keys go through the
// chooser's platform window, as a real key press does.

#include "EntryHost.h"
#include "entry/AccountChooserWindow.h"
#include "entry/GridNames.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using entry::AccountChooserWindow;
using entry::testing::EntryHost;

namespace {

QTreeWidgetItem* item(const QTreeWidget* tree, const QString& text) {
    const QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.value(0);
}

void type(QWindow* window, const QString& text) {
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, window, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void doubleClick(AccountChooserWindow* chooser, const QString& text) {
    QTreeWidgetItem* target = item(chooser->tree(), text);
    ASSERT_NE(target, nullptr);
    chooser->tree()->scrollToItem(target); // as the candidate scrolls to it
    const QPoint at =
        chooser->tree()->viewport()->mapTo(chooser, chooser->tree()->visualItemRect(target).center());
    QTest::mouseDClick(chooser->windowHandle(), Qt::LeftButton, {}, at);
}

class ChooserKeysTest : public ::testing::Test {
protected:
    ChooserKeysTest() { host.pages()->showQuestion(u"计算分析题-分录"_s, {}); }

    QLineEdit* account(int entry, int line) const {
        return host.find<QLineEdit>(entry::lineNames(entry, line).account);
    }
    // Presses the line's "..." and lets `work` drive the chooser while it is open.
    void choose(int entry, int line, const std::function<void(AccountChooserWindow*)>& work) {
        bool worked = false;
        QTimer::singleShot(0, [&] {
            auto* chooser = qobject_cast<AccountChooserWindow*>(QApplication::activeModalWidget());
            ASSERT_NE(chooser, nullptr);
            QApplication::setActiveWindow(chooser);
            ASSERT_TRUE(QTest::qWaitForWindowActive(chooser));
            ASSERT_TRUE(chooser->tree()->hasFocus()) << "the tree takes the keys when the chooser opens";
            work(chooser);
            worked = true;
            if (chooser->isVisible()) chooser->reject();
        });
        QTest::mouseClick(host.find<QPushButton>(entry::lineNames(entry, line).chooser), Qt::LeftButton);
        EXPECT_TRUE(worked);
    }

    EntryHost host;
};

TEST_F(ChooserKeysTest, DoubleClickChoosesAnAccountAndOpensACategory) {
    choose(1, 1, [](AccountChooserWindow* chooser) {
        const QTreeWidgetItem* equity = item(chooser->tree(), u"所有者权益类"_s);
        const bool wasOpen = equity->isExpanded(); // open if an earlier choice was made in it
        doubleClick(chooser, u"所有者权益类"_s);
        EXPECT_TRUE(chooser->isVisible()) << "a category is no account";
        EXPECT_NE(equity->isExpanded(), wasOpen);
        if (!equity->isExpanded()) doubleClick(chooser, u"所有者权益类"_s);
        doubleClick(chooser, u"盈余公积"_s);
        EXPECT_FALSE(chooser->isVisible());
    });
    EXPECT_EQ(account(1, 1)->text(), u"盈余公积"_s);
}

TEST_F(ChooserKeysTest, TypingFindsAnAccountInClosedCategoriesAndEnterChoosesIt) {
    choose(1, 2, [](AccountChooserWindow* chooser) {
        type(chooser->windowHandle(), u"进项税额转"_s);
        ASSERT_NE(chooser->tree()->currentItem(), nullptr);
        EXPECT_EQ(chooser->tree()->currentItem()->text(0), u"应交增值税（进项税额转出）"_s)
            << "found by a part of its name, its category and account opened";
        EXPECT_TRUE(item(chooser->tree(), u"应交税费"_s)->isExpanded());
        QTest::keyClick(chooser->windowHandle(), Qt::Key_Return);
        EXPECT_FALSE(chooser->isVisible());
    });
    EXPECT_EQ(account(1, 2)->text(), u"应交税费-应交增值税（进项税额转出）"_s);

    choose(2, 1, [](AccountChooserWindow* chooser) {
        // Chinese arrives from an input method as committed text.
        QInputMethodEvent committed;
        committed.setCommitString(u"固定"_s);
        QApplication::sendEvent(chooser->tree(), &committed);
        EXPECT_EQ(chooser->tree()->currentItem()->text(0), u"固定资产"_s);
        type(chooser->windowHandle(), u"资产清"_s);
        EXPECT_EQ(chooser->tree()->currentItem()->text(0), u"固定资产清理"_s)
            << "keys in a row spell one name";
        QTest::qWait(QApplication::keyboardInputInterval() + 100);
        type(chooser->windowHandle(), u"固"_s);
        EXPECT_EQ(chooser->tree()->currentItem()->text(0), u"固定资产"_s) << "after a pause the next one";
        QTest::keyClick(chooser->windowHandle(), Qt::Key_Enter);
    });
    EXPECT_EQ(account(2, 1)->text(), u"固定资产"_s);
}

TEST_F(ChooserKeysTest, EnterOnTheRootOrACategoryOpensItAndChoosesNothing) {
    choose(1, 1, [](AccountChooserWindow* chooser) {
        QTreeWidgetItem* root = chooser->tree()->topLevelItem(0);
        QTest::keyClick(chooser->windowHandle(), Qt::Key_Return);
        EXPECT_TRUE(chooser->isVisible());
        EXPECT_FALSE(root->isExpanded());
        QTest::keyClick(chooser->windowHandle(), Qt::Key_Return);
        EXPECT_TRUE(root->isExpanded());
        QTreeWidgetItem* costs = item(chooser->tree(), u"成本类"_s);
        chooser->tree()->setCurrentItem(costs);
        QTest::keyClick(chooser->windowHandle(), Qt::Key_Enter);
        EXPECT_TRUE(costs->isExpanded());
        EXPECT_TRUE(chooser->isVisible());
    });
    EXPECT_TRUE(account(1, 1)->text().isEmpty());
}

TEST_F(ChooserKeysTest, OpensWithTheCategoryOfTheLastChoiceExpanded) {
    const auto categories = [](const QTreeWidget* tree) {
        QStringList open;
        const QTreeWidgetItem* root = tree->topLevelItem(0);
        for (int i = 0; i < root->childCount(); ++i)
            if (root->child(i)->isExpanded()) open << root->child(i)->text(0);
        return open;
    };
    choose(1, 1, [](AccountChooserWindow* chooser) {
        type(chooser->windowHandle(), u"管理费用"_s);
        QTest::keyClick(chooser->windowHandle(), Qt::Key_Return);
    });
    ASSERT_EQ(account(1, 1)->text(), u"管理费用"_s);
    choose(1, 2, [&](AccountChooserWindow* chooser) {
        EXPECT_EQ(categories(chooser->tree()), QStringList{u"损益类"_s});
        EXPECT_EQ(chooser->tree()->currentItem()->text(0), u"会计科目"_s);
        type(chooser->windowHandle(), u"应交所得税"_s);
        QTest::keyClick(chooser->windowHandle(), Qt::Key_Return);
    });
    ASSERT_EQ(account(1, 2)->text(), u"应交税费-应交所得税"_s);
    choose(1, 3, [&](AccountChooserWindow* chooser) {
        EXPECT_EQ(categories(chooser->tree()), QStringList{u"负债类"_s});
        EXPECT_TRUE(item(chooser->tree(), u"应交税费"_s)->isExpanded()) << "the sub-account shows again";
        QTest::keyClick(chooser->windowHandle(), Qt::Key_Escape);
    });
    choose(1, 3, [&](AccountChooserWindow* chooser) {
        EXPECT_EQ(categories(chooser->tree()), QStringList{u"负债类"_s})
            << "a cancelled opening changes nothing";
    });
}

} // namespace
