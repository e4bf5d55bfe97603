#include "AccessibilityWalk.h"
#include "entry/AccountChooserWindow.h"
#include "ui/PictureButton.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using entry::AccountChooserWindow;

namespace {

QTreeWidgetItem* findItem(const QTreeWidget* tree, const QString& text) {
    const QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

// Every item in tree order with its level (1 = root).
void walk(QTreeWidgetItem* item, int level, QStringList* texts, QList<int>* levels) {
    texts->append(item->text(0));
    levels->append(level);
    for (int i = 0; i < item->childCount(); ++i)
        walk(item->child(i), level + 1, texts, levels);
}

class AccountChooserTest : public ::testing::Test {
protected:
    AccountChooserTest() { window.show(); }
    QTreeWidget* tree() const { return window.tree(); }
    void select(const QString& text) const {
        QTreeWidgetItem* item = findItem(tree(), text);
        ASSERT_NE(item, nullptr) << text.toStdString();
        tree()->setCurrentItem(item);
    }
    void click(const QString& name) const {
        QTest::mouseClick(window.findChild<QWidget*>(name), Qt::LeftButton);
    }

    AccountChooserWindow window;
};

TEST_F(AccountChooserTest, ShowsTheChartInFourLevelsInItsOrder) {
    QStringList texts;
    QList<int> levels;
    ASSERT_EQ(tree()->topLevelItemCount(), 1);
    walk(tree()->topLevelItem(0), 1, &texts, &levels);
    ASSERT_EQ(texts.size(), 91);
    EXPECT_EQ(levels.count(1), 1);
    EXPECT_EQ(levels.count(2), 5);
    EXPECT_EQ(levels.count(3), 66);
    EXPECT_EQ(levels.count(4), 19);

    const QTreeWidgetItem* root = tree()->topLevelItem(0);
    const QStringList categories{u"资产类"_s, u"负债类"_s, u"所有者权益类"_s, u"成本类"_s, u"损益类"_s};
    const int accounts[] = {29, 12, 5, 3, 17};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(root->child(i)->text(0), categories[i]);
        EXPECT_EQ(root->child(i)->childCount(), accounts[i]);
    }
    EXPECT_EQ(texts.value(1), u"资产类"_s);
    EXPECT_EQ(texts.value(2), u"库存现金"_s);
    EXPECT_EQ(texts.value(90), u"以前年度损益调整"_s);

    const QTreeWidgetItem* taxes = findItem(tree(), u"应交税费"_s);
    ASSERT_NE(taxes, nullptr);
    const QStringList taxItems{u"应交增值税（进项税额）"_s,
                               u"应交增值税（进项税额转出）"_s,
                               u"应交增值税（销项税额）"_s,
                               u"应交增值税（转出未交增值税）"_s,
                               u"未交增值税"_s,
                               u"应交消费税"_s,
                               u"应交城市维护建设税"_s,
                               u"应交教育费附加"_s,
                               u"应交所得税"_s,
                               u"应交个人所得税"_s};
    ASSERT_EQ(taxes->childCount(), taxItems.size());
    for (int i = 0; i < taxItems.size(); ++i)
        EXPECT_EQ(taxes->child(i)->text(0), taxItems[i]);
    const QTreeWidgetItem* distribution = findItem(tree(), u"利润分配"_s);
    ASSERT_NE(distribution, nullptr);
    ASSERT_EQ(distribution->childCount(), 5);
    EXPECT_EQ(distribution->child(0)->text(0), u"提取法定盈余公积"_s);
    EXPECT_EQ(distribution->child(4)->text(0), u"未分配利润"_s);
    for (const QString& gone : {u"营业税金及附加"_s, u"应交营业税"_s, u"待摊费用"_s, u"预提费用"_s,
                                u"应交教育附加税"_s, u"包装物及低值易耗品"_s})
        EXPECT_EQ(findItem(tree(), gone), nullptr) << gone.toStdString();
    const QTreeWidgetItem* materials = findItem(tree(), u"原材料"_s);
    ASSERT_NE(materials, nullptr);
    EXPECT_EQ(materials->child(0)->text(0), u"原材料-A"_s);
    EXPECT_EQ(materials->child(1)->text(0), u"原材料-B"_s);
    for (const QString& text : {u"应付股利（或应付利润）"_s, u"实收资本（或股本）"_s, u"税金及附加"_s,
                                u"周转材料"_s, u"信用减值损失"_s, u"其他收益"_s, u"资产处置损益"_s,
                                u"应收利息"_s, u"应收股利"_s, u"任意盈余公积"_s})
        EXPECT_NE(findItem(tree(), text), nullptr) << text.toStdString();
}

TEST_F(AccountChooserTest, OpensWithTheRootBoldExpandedAndSelected) {
    const QTreeWidgetItem* root = tree()->topLevelItem(0);
    EXPECT_EQ(root->text(0), u"会计科目"_s);
    EXPECT_TRUE(root->font(0).bold());
    EXPECT_TRUE(root->isExpanded());
    EXPECT_EQ(tree()->currentItem(), root);
    EXPECT_TRUE(root->icon(0).isNull());
    for (int i = 0; i < root->childCount(); ++i) {
        EXPECT_FALSE(root->child(i)->isExpanded());
        EXPECT_FALSE(root->child(i)->font(0).bold());
        EXPECT_FALSE(root->child(i)->icon(0).isNull());
    }
    EXPECT_FALSE(findItem(tree(), u"原材料-B"_s)->icon(0).isNull());
    EXPECT_EQ(tree()->iconSize(), QSize(16, 15));
    EXPECT_FALSE(tree()->rootIsDecorated());

    EXPECT_EQ(window.windowTitle(), u"会计科目"_s);
    EXPECT_EQ(window.size(), QSize(326, 373));
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(tree()->geometry(), QRect(8, 8, 312, 328));
    // 取消 at the left, 确定 at the right.
    EXPECT_EQ(window.findChild<ui::PictureButton*>(u"超级按钮2"_s)->text(), u"取消"_s);
    EXPECT_EQ(window.findChild<ui::PictureButton*>(u"超级按钮2"_s)->x(), 80);
    EXPECT_EQ(window.findChild<ui::PictureButton*>(u"超级按钮1"_s)->text(), u"确定"_s);
    EXPECT_EQ(window.findChild<ui::PictureButton*>(u"超级按钮1"_s)->x(), 208);
    EXPECT_EQ(window.findChild<ui::PictureButton*>(u"超级按钮1"_s)->picture().size(), QSize(20, 19));
}

TEST_F(AccountChooserTest, OkOnTheRootOrACategoryKeepsTheWindowOpen) {
    click(u"超级按钮1"_s);
    EXPECT_TRUE(window.isVisible());
    select(u"负债类"_s);
    click(u"超级按钮1"_s);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.chosenAccount().has_value());
}

TEST_F(AccountChooserTest, OkHandsBackTheAccountAsAJournalLineNamesIt) {
    const std::pair<QString, QString> cases[] = {
        {u"银行存款"_s, u"银行存款"_s},
        {u"原材料-A"_s, u"原材料-A"_s},
        {u"原材料"_s, u"原材料"_s},
        {u"应交增值税（销项税额）"_s, u"应交税费-应交增值税（销项税额）"_s},
        {u"应交所得税"_s, u"应交税费-应交所得税"_s},
    };
    for (const auto& [item, handed] : cases) {
        AccountChooserWindow chooser;
        chooser.show();
        chooser.tree()->setCurrentItem(findItem(chooser.tree(), item));
        QTest::mouseClick(chooser.findChild<QWidget*>(u"超级按钮1"_s), Qt::LeftButton);
        EXPECT_EQ(chooser.result(), QDialog::Accepted) << item.toStdString();
        EXPECT_EQ(chooser.chosenAccount().value_or(QString()), handed);
        EXPECT_FALSE(chooser.isVisible());
    }
}

TEST_F(AccountChooserTest, CancelCloseAndEscChooseNothing) {
    select(u"银行存款"_s);
    click(u"超级按钮2"_s);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_FALSE(window.chosenAccount().has_value());

    AccountChooserWindow escaped;
    escaped.show();
    QApplication::setActiveWindow(&escaped);
    escaped.tree()->setCurrentItem(findItem(escaped.tree(), u"库存现金"_s));
    QTest::keyClick(escaped.tree(), Qt::Key_Escape);
    EXPECT_FALSE(escaped.isVisible());
    EXPECT_FALSE(escaped.chosenAccount().has_value());

    AccountChooserWindow closed;
    closed.show();
    closed.tree()->setCurrentItem(findItem(closed.tree(), u"库存现金"_s));
    closed.close();
    EXPECT_FALSE(closed.chosenAccount().has_value());
}

TEST(AccountChooserModal, ReturnsTheChoiceOfTheModalWindow) {
    QTimer::singleShot(0, [] {
        auto* window = qobject_cast<AccountChooserWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        const QList<QTreeWidgetItem*> found =
            window->tree()->findItems(u"应交教育费附加"_s, Qt::MatchRecursive);
        window->tree()->setCurrentItem(found.value(0));
        QTest::mouseClick(window->findChild<QWidget*>(u"超级按钮1"_s), Qt::LeftButton);
    });
    EXPECT_EQ(AccountChooserWindow::chooseAccount(nullptr).value_or(QString()), u"应交税费-应交教育费附加"_s);

    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_FALSE(AccountChooserWindow::chooseAccount(nullptr).has_value());
}

} // namespace

TEST(AccountChooserAccessibility, EveryControlIsNamedAndReachedByTab) {
    AccountChooserWindow chooser;
    chooser.show();
    chooser.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&chooser));
    EXPECT_EQ(walkFaults(&chooser).join(u"; "_s).toStdString(), "");
}
