#include "entry/JournalGrid.h"
#include "EntryHost.h"
#include "bank/CalcAnswer.h"
#include "bank/Scoring.h"
#include "entry/AccountChooserWindow.h"
#include "entry/GridNames.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QWheelEvent>

#include <functional>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using bank::calcFieldCount;
using bank::calcFieldMatches;
using bank::CalcFields;
using bank::calcScore;
using entry::testing::EntryHost;

namespace {

class JournalGridTest : public ::testing::Test {
protected:
    JournalGridTest() {
        host.pages()->showQuestion(u"计算分析题-分录"_s, {});
        grid = host.pages()->journalGrid();
    }

    template <class T> T* at(int entry, int line, QString entry::LineNames::*which) const {
        return host.find<T>(entry::lineNames(entry, line).*which);
    }
    QComboBox* mark(int entry, int line) const { return at<QComboBox>(entry, line, &entry::LineNames::mark); }
    QLineEdit* account(int entry, int line) const {
        return at<QLineEdit>(entry, line, &entry::LineNames::account);
    }
    QLineEdit* amount(int entry, int line) const {
        return at<QLineEdit>(entry, line, &entry::LineNames::amount);
    }
    QWidget* box(int entry) const { return host.find<QWidget>(entry::entryBoxName(entry)); }
    void clickPlus(int entry) const {
        QTest::mouseClick(host.find<QAbstractButton>(entry::plusButtonName(entry)), Qt::LeftButton);
    }
    // Types a line as a candidate does: mark from the list, account and amount by keyboard.
    void type(int entry, int line, const QString& markText, const QString& accountText,
              const QString& amountText) const {
        mark(entry, line)->setCurrentIndex(mark(entry, line)->findText(markText));
        entry::testing::typeText(account(entry, line), accountText);
        entry::testing::typeText(amount(entry, line), amountText);
    }

    EntryHost host;
    entry::JournalGrid* grid = nullptr;
};

TEST_F(JournalGridTest, JoinsAnEntrysLinesAndLeavesEmptyLinesOut) {
    type(2, 1, u"借"_s, u"银行存款"_s, u"200000"_s);
    clickPlus(2);
    type(2, 3, u"贷"_s, u"实收资本（或股本）"_s, u"200000"_s);
    EXPECT_EQ(grid->entryText(2), u"借 银行存款 200000\n贷 实收资本（或股本） 200000"_s);
    EXPECT_EQ(grid->answers(), (QStringList{{}, grid->entryText(2), {}, {}, {}}));

    // A mark chosen on an otherwise empty line is not a line of the entry.
    mark(4, 2)->setCurrentIndex(1);
    EXPECT_EQ(grid->entryText(4), QString());
}

TEST_F(JournalGridTest, MarksTakeNoTypedTextAndCanBeTakenBack) {
    QComboBox* m = mark(1, 1);
    QTest::keyClicks(m, u"xyz 100"_s);
    EXPECT_TRUE(m->currentText().isEmpty() || m->currentText() == u"借"_s || m->currentText() == u"贷"_s);
    EXPECT_EQ(m->count(), 2);
    m->setCurrentIndex(1);
    QTest::keyClick(m, Qt::Key_Delete);
    EXPECT_EQ(m->currentIndex(), -1);
}

TEST_F(JournalGridTest, LinesEnteredOutOfOrderScoreAsTheSameEntry) {
    const QString standard =
        u"借 原材料-A 10000\n借 应交税费-应交增值税（进项税额） 1300\n贷 银行存款 11300"_s;
    clickPlus(1);
    type(1, 1, u"贷"_s, u"银行存款"_s, u"11300"_s);
    type(1, 2, u"借"_s, u"应交税费-应交增值税（进项税额）"_s, u"1,300.00"_s);
    type(1, 3, u"借"_s, u"原材料-A"_s, u"10000"_s);
    EXPECT_TRUE(calcFieldMatches(grid->entryText(1), standard, bank::SubAccounts::AsKeyed))
        << grid->entryText(1).toStdString();

    const CalcFields standards{standard, u"借 库存现金 5"_s, u"借 库存现金 6"_s, u"借 库存现金 7"_s,
                               u"贷 库存现金 8"_s};
    CalcFields given;
    const QStringList answers = grid->answers();
    for (int i = 0; i < calcFieldCount; ++i)
        given[i] = answers[i];
    EXPECT_EQ(calcScore(given, standards, bank::SubAccounts::AsKeyed), 2);
    // A wrong amount on one line makes the entry wrong.
    amount(1, 3)->setText(u"1000"_s);
    EXPECT_FALSE(calcFieldMatches(grid->entryText(1), standard, bank::SubAccounts::AsKeyed));
}

TEST_F(JournalGridTest, PlusOpensTheThirdLineByMovingTheEntriesBelowDown) {
    const QRect entry3 = box(3)->geometry();
    EXPECT_TRUE(at<QWidget>(2, 3, &entry::LineNames::account)->isHidden());
    clickPlus(2);
    EXPECT_TRUE(grid->isThirdLineOpen(2));
    EXPECT_FALSE(account(2, 3)->isHidden());
    EXPECT_EQ(box(2)->geometry(), QRect(2, 50, 600, 75));
    EXPECT_EQ(box(3)->geometry(), entry3.translated(0, 25));
    EXPECT_EQ(box(5)->y(), 225);
    // The opened line is not covered by the next entry.
    EXPECT_GE(box(3)->y(), box(2)->geometry().bottom() + 1);

    type(2, 3, u"贷"_s, u"银行存款"_s, u"5"_s);
    clickPlus(2);
    EXPECT_FALSE(grid->isThirdLineOpen(2));
    EXPECT_TRUE(account(2, 3)->isHidden());
    EXPECT_EQ(box(3)->geometry(), entry3);
    // Closing hides the line without losing what it holds.
    EXPECT_EQ(grid->entryText(2), u"贷 银行存款 5"_s);

    clickPlus(5);
    EXPECT_EQ(box(5)->height(), 75);
}

TEST_F(JournalGridTest, ScrollBarBringsTheLowestLineIntoView) {
    auto* bar = host.find<QScrollBar>(u"纵向滚动条1"_s);
    QWidget* gridBox = host.find<QWidget>(u"图片框10"_s);
    const int shown = host.tabs()->height() - gridBox->y();
    // Closed entries fit: the bar moves nothing.
    bar->setValue(bar->maximum());
    EXPECT_EQ(grid->scrollOffset(), 0);
    EXPECT_EQ(box(1)->y(), 0);

    for (int r = 1; r <= 5; ++r)
        clickPlus(r);
    EXPECT_EQ(grid->contentHeight(), 375);
    EXPECT_GT(grid->contentHeight(), shown);
    QWidget* lowest = amount(5, 3);
    const int lowestBottom = lowest->mapTo(gridBox, QPoint(0, lowest->height())).y();
    EXPECT_LE(lowestBottom, shown);
    EXPECT_GE(lowest->mapTo(gridBox, QPoint(0, 0)).y(), 0);

    bar->setValue(bar->minimum());
    EXPECT_EQ(grid->scrollOffset(), 0);
    EXPECT_EQ(box(1)->y(), 0);
    bar->setValue(50);
    EXPECT_GT(grid->scrollOffset(), 0);
    EXPECT_LT(grid->scrollOffset(), grid->contentHeight() - shown);
}

TEST_F(JournalGridTest, ALineTakingTheFocusIsScrolledIntoView) {
    QApplication::setActiveWindow(host.window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(host.window()));
    for (int r = 1; r <= 5; ++r)
        clickPlus(r);
    QWidget* gridBox = host.find<QWidget>(u"图片框10"_s);
    const int shown = host.tabs()->height() - gridBox->y();
    const auto topOf = [gridBox](QWidget* w) { return w->mapTo(gridBox, QPoint(0, 0)).y(); };

    amount(5, 3)->setFocus();
    EXPECT_GT(grid->scrollOffset(), 0);
    EXPECT_LE(topOf(amount(5, 3)) + amount(5, 3)->height(), shown);
    account(1, 1)->setFocus();
    EXPECT_GE(topOf(account(1, 1)), 0);
    // A line already in view does not move the entries.
    const int offset = grid->scrollOffset();
    amount(2, 2)->setFocus();
    EXPECT_EQ(grid->scrollOffset(), offset);
}

TEST_F(JournalGridTest, TheWheelScrollsTheEntriesAndLeavesMarksAlone) {
    for (int r = 1; r <= 5; ++r)
        clickPlus(r);
    mark(2, 1)->setCurrentIndex(0);
    const auto wheelDown = [](QWidget* target) {
        const QPointF at(target->width() / 2.0, target->height() / 2.0);
        QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
    };
    // Qt passes a wheel that a line's boxes ignore on to their containers, up to 图片框10.
    wheelDown(host.find<QWidget>(u"图片框10"_s));
    const int afterOne = grid->scrollOffset();
    EXPECT_GT(afterOne, 0);
    wheelDown(mark(2, 1));
    EXPECT_GT(grid->scrollOffset(), afterOne);
    EXPECT_EQ(mark(2, 1)->currentText(), u"借"_s);
}

TEST_F(JournalGridTest, ARecordedThreeLineEntryComesBackOnThreeLines) {
    const QString three = u"借 原材料-A 10000\n借 应交税费-应交增值税（进项税额） 1300\n贷 银行存款 11300"_s;
    const QStringList recorded{{}, {}, three, u"借 库存现金 500\n贷 银行存款 500"_s, {}};
    host.pages()->showQuestion(u"计算分析题-分录"_s, recorded);
    host.pages()->showQuestion(u"计算分析题-计算"_s, {u"1"_s});
    host.pages()->showQuestion(u"计算分析题-分录"_s, recorded);

    EXPECT_TRUE(grid->isThirdLineOpen(3));
    EXPECT_FALSE(grid->isThirdLineOpen(4));
    EXPECT_FALSE(account(3, 3)->isHidden());
    EXPECT_EQ(mark(3, 3)->currentText(), u"贷"_s);
    EXPECT_EQ(account(3, 2)->text(), u"应交税费-应交增值税（进项税额）"_s);
    EXPECT_EQ(amount(3, 3)->text(), u"11300"_s);
    EXPECT_EQ(box(4)->y(), 175);
    EXPECT_EQ(host.pages()->answers(), recorded);
}

TEST_F(JournalGridTest, LongAndQuotedAccountsAreKeptExactly) {
    const QString longAccount = QString(5000, u'账');
    const QString quoted = u"O'Brien \"应付\" 账款"_s;
    account(1, 1)->setText(longAccount);
    amount(1, 1)->setText(u"1"_s);
    mark(1, 1)->setCurrentIndex(0);
    type(1, 2, u"贷"_s, quoted, u"1"_s);
    const QStringList recorded = host.pages()->answers();
    EXPECT_EQ(recorded[0], u"借 "_s + longAccount + u" 1\n贷 "_s + quoted + u" 1"_s);

    host.pages()->showQuestion(u"计算分析题-分录"_s, {});
    host.pages()->showQuestion(u"计算分析题-分录"_s, recorded);
    EXPECT_EQ(account(1, 1)->text(), longAccount);
    EXPECT_EQ(account(1, 2)->text(), quoted);
    EXPECT_EQ(host.pages()->answers(), recorded);
}

TEST_F(JournalGridTest, ALineBreakInABoxDoesNotSplitTheEntry) {
    mark(1, 1)->setCurrentIndex(0);
    account(1, 1)->setText(u"银行\n存款"_s);
    amount(1, 1)->setText(u"100"_s);
    EXPECT_EQ(grid->entryText(1).count(u'\n'), 0);
}

TEST_F(JournalGridTest, TheChooserFillsTheAccountBoxOfItsOwnLine) {
    int asked = 0;
    std::optional<QString> answer = u"应交税费-应交增值税（销项税额）"_s;
    grid->setAccountSource([&](QWidget*) {
        ++asked;
        return answer;
    });
    account(4, 2)->setText(u"手写科目"_s);
    EXPECT_TRUE(host.find<QPushButton>(entry::lineNames(4, 3).chooser)->isHidden());
    clickPlus(4);
    QTest::mouseClick(host.find<QPushButton>(entry::lineNames(4, 3).chooser), Qt::LeftButton);
    EXPECT_EQ(account(4, 3)->text(), *answer);
    EXPECT_EQ(account(4, 2)->text(), u"手写科目"_s);

    answer.reset();
    QTest::mouseClick(host.find<QPushButton>(entry::lineNames(4, 2).chooser), Qt::LeftButton);
    EXPECT_EQ(asked, 2); // both clicks asked, only the first one chose
    EXPECT_EQ(account(4, 2)->text(), u"手写科目"_s);
}

// Clicks a button of the modal chooser as soon as it is up, from a timer started before the click.
void answerChooser(const QString& button, std::function<void(entry::AccountChooserWindow*)> before = {}) {
    QTimer::singleShot(0, [button, before] {
        auto* window = qobject_cast<entry::AccountChooserWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        if (before) before(window);
        QTest::mouseClick(window->findChild<QWidget*>(button), Qt::LeftButton);
    });
}

TEST_F(JournalGridTest, CancellingTheChooserLeavesTheBoxUnchanged) {
    account(1, 2)->setText(u"应付账款"_s);
    answerChooser(u"超级按钮2"_s);
    QTest::mouseClick(host.find<QPushButton>(u"按钮_分录2"_s), Qt::LeftButton);
    EXPECT_EQ(account(1, 2)->text(), u"应付账款"_s);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    answerChooser(u"超级按钮1"_s, [](entry::AccountChooserWindow* window) {
        QTreeWidgetItem* assets = window->tree()->topLevelItem(0)->child(0);
        window->tree()->setCurrentItem(assets->child(1)); // 银行存款
    });
    QTest::mouseClick(host.find<QPushButton>(u"按钮_分录2"_s), Qt::LeftButton);
    EXPECT_EQ(account(1, 2)->text(), u"银行存款"_s);
}

} // namespace
