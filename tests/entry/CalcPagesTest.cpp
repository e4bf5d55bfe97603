#include "entry/CalcPages.h"
#include "DeclarationCheck.h"
#include "EntryHost.h"
#include "entry/CalcDeclaration.h"
#include "entry/GridNames.h"
#include "entry/JournalGrid.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using entry::testing::EntryHost;

namespace {

QStringList namesUnder(const QWidget* root) {
    QStringList names;
    for (const QWidget* w : root->findChildren<QWidget*>())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(u"qt_"_s))
            names.append(w->objectName());
    names.sort();
    return names;
}

template <class T> int countUnder(const QWidget* page, const QString& prefix) {
    int n = 0;
    for (const T* w : page->findChildren<T*>())
        if (w->objectName().startsWith(prefix)) ++n;
    return n;
}

// The grid's name table as written down for the windows: entry, line, mark, account box, chooser,
// amount box, "会计科目:" label, "金额:" label.
struct NameRow {
    int entry, line, mark, account, chooser, amount, accountCaption, amountCaption;
};
constexpr NameRow kNameTable[] = {
    {1, 1, 1, 1, 1, 2, 2, 3},       {1, 2, 2, 3, 2, 4, 4, 5},       {1, 3, 3, 5, 3, 6, 6, 7},
    {2, 1, 6, 12, 6, 11, 13, 12},   {2, 2, 5, 10, 5, 9, 11, 10},    {2, 3, 4, 8, 4, 7, 9, 8},
    {3, 1, 9, 18, 9, 17, 20, 19},   {3, 2, 8, 16, 8, 15, 18, 17},   {3, 3, 7, 14, 7, 13, 16, 15},
    {4, 1, 12, 24, 12, 23, 27, 26}, {4, 2, 11, 22, 11, 21, 25, 24}, {4, 3, 10, 20, 10, 19, 23, 22},
    {5, 1, 15, 30, 15, 29, 34, 33}, {5, 2, 14, 28, 14, 27, 32, 31}, {5, 3, 13, 26, 13, 25, 30, 29},
};

} // namespace

TEST(GridNames, FollowTheWindowsNameTable) {
    for (const NameRow& row : kNameTable) {
        SCOPED_TRACE(testing::Message() << "entry " << row.entry << " line " << row.line);
        const entry::LineNames names = entry::lineNames(row.entry, row.line);
        EXPECT_EQ(names.mark, u"组合框_分录"_s + QString::number(row.mark));
        EXPECT_EQ(names.account, u"编辑框_分录"_s + QString::number(row.account));
        EXPECT_EQ(names.chooser, u"按钮_分录"_s + QString::number(row.chooser));
        EXPECT_EQ(names.amount, u"编辑框_分录"_s + QString::number(row.amount));
        EXPECT_EQ(names.accountCaption, u"透明标签_分录"_s + QString::number(row.accountCaption));
        EXPECT_EQ(names.amountCaption, u"透明标签_分录"_s + QString::number(row.amountCaption));
    }
    const QStringList numberLabels{u"透明标签_分录1"_s, u"透明标签_分录14"_s, u"透明标签_分录21"_s,
                                   u"透明标签_分录28"_s, u"透明标签_分录35"_s};
    for (int entry = 1; entry <= 5; ++entry)
        EXPECT_EQ(entry::numberLabelName(entry), numberLabels[entry - 1]);
}

TEST(CalcPages, BuildEveryDeclaredControlWhereDeclared) {
    EntryHost host;
    EXPECT_EQ(ui::compareWithDeclaration(
                  host.window(), entry::onTabPage(entry::amountsPageDeclaration(), u"高级选择夹1"_s, 3)),
              QStringList());
    EXPECT_EQ(ui::compareWithDeclaration(
                  host.window(), entry::onTabPage(entry::journalPageDeclaration(), u"高级选择夹1"_s, 4)),
              QStringList());

    const QWidget* grid = host.pages()->journalPage();
    EXPECT_EQ(countUnder<QComboBox>(grid, u"组合框_分录"_s), 15);
    EXPECT_EQ(countUnder<QLineEdit>(grid, u"编辑框_分录"_s), 30);
    EXPECT_EQ(countUnder<QPushButton>(grid, u"按钮_分录"_s), 15);
    EXPECT_EQ(countUnder<QLabel>(grid, u"透明标签_分录"_s), 35);
    EXPECT_EQ(countUnder<QWidget>(grid, u"超级按钮_分录"_s), 5);
    for (int entry = 1; entry <= 5; ++entry)
        EXPECT_EQ(host.find<QWidget>(entry::entryBoxName(entry))->parentWidget()->objectName(),
                  u"图片框10"_s);
    EXPECT_EQ(host.find<QLabel>(u"透明标签_分录35"_s)->text(), u"(5)"_s);
    EXPECT_EQ(host.find<QLabel>(u"标签2"_s)->text(), u"（2）计算金额："_s);
    EXPECT_EQ(host.find<QLabel>(u"标签1"_s)->font().pixelSize(), 15);
    EXPECT_EQ(host.find<QPushButton>(u"按钮2"_s)->text(), u"提交答案"_s);
}

TEST(CalcPages, StartWithNoMarkAndEveryBoxEmpty) {
    EntryHost host;
    for (QComboBox* mark : host.pages()->journalPage()->findChildren<QComboBox*>()) {
        EXPECT_EQ(mark->currentIndex(), -1) << mark->objectName().toStdString();
        EXPECT_TRUE(mark->currentText().isEmpty());
        EXPECT_FALSE(mark->isEditable());
        EXPECT_EQ(mark->count(), 2);
        EXPECT_EQ(mark->itemText(0), u"借"_s);
        EXPECT_EQ(mark->itemText(1), u"贷"_s);
    }
    for (const QWidget* page : {host.pages()->journalPage(), host.pages()->amountsPage()})
        for (QLineEdit* edit : page->findChildren<QLineEdit*>())
            EXPECT_TRUE(edit->text().isEmpty()) << edit->objectName().toStdString();
    for (int r = 1; r <= 5; ++r)
        EXPECT_FALSE(host.pages()->journalGrid()->isThirdLineOpen(r));
    EXPECT_EQ(host.pages()->answers(), QStringList(5, QString()));
}

TEST(CalcPages, AreTheSameInThePracticeAndTheExamWindow) {
    EntryHost practice(936);
    EntryHost exam(728);
    EXPECT_EQ(namesUnder(practice.tabs()), namesUnder(exam.tabs()));
    EXPECT_EQ(ui::compareWithDeclaration(
                  exam.window(), entry::onTabPage(entry::journalPageDeclaration(), u"高级选择夹1"_s, 4)),
              QStringList());

    const QStringList recorded{u"借 银行存款 200000\n贷 实收资本（或股本） 200000"_s,
                               {},
                               {},
                               u"借 原材料-A 10\n借 应交税费-应交增值税（进项税额） 1.3\n贷 应付账款 11.3"_s,
                               {}};
    for (EntryHost* host : {&practice, &exam}) {
        host->pages()->showQuestion(u"计算分析题-分录"_s, recorded);
        EXPECT_EQ(host->pages()->answers(), recorded);
        EXPECT_EQ(host->tabs()->currentIndex(), entry::kJournalPageIndex);
        EXPECT_EQ(host->find<QLineEdit>(u"编辑框_分录20"_s)->text(), u"应付账款"_s);
    }
}

TEST(CalcPages, ChooseTheirPageByTheQuestionType) {
    EXPECT_EQ(entry::pageForType(u"计算分析题-计算"_s), entry::CalcPage::Amounts);
    EXPECT_EQ(entry::pageForType(u"计算分析题-分录"_s), entry::CalcPage::Journal);
    EXPECT_EQ(entry::pageForType(QString()), entry::CalcPage::Journal);

    EntryHost host;
    host.pages()->showQuestion(u"计算分析题-计算"_s, {u"100"_s, u"2,000.50"_s, {}, u"'; drop"_s});
    EXPECT_EQ(host.tabs()->currentIndex(), entry::kAmountsPageIndex);
    EXPECT_EQ(host.find<QLineEdit>(u"计算_编辑框2"_s)->text(), u"2,000.50"_s);
    EXPECT_EQ(host.pages()->answers(), (QStringList{u"100"_s, u"2,000.50"_s, {}, u"'; drop"_s, {}}));

    // The next question of the other kind starts empty, on its own page.
    host.pages()->showQuestion(u"计算分析题-分录"_s, {});
    EXPECT_EQ(host.tabs()->currentIndex(), entry::kJournalPageIndex);
    EXPECT_EQ(host.pages()->answers(), QStringList(5, QString()));
    EXPECT_TRUE(host.find<QLineEdit>(u"计算_编辑框2"_s)->text().isEmpty());
}

TEST(CalcPages, AmountBoxesKeepLongAndQuotedTextsExactly) {
    EntryHost host;
    host.pages()->showQuestion(u"计算分析题-计算"_s, {});
    const QString longText = QString(5000, u'9');
    host.find<QLineEdit>(u"计算_编辑框1"_s)->setText(longText);
    QTest::keyClicks(host.find<QLineEdit>(u"计算_编辑框3"_s), u"1'2\"3"_s);
    EXPECT_EQ(host.pages()->answers().value(0), longText);
    EXPECT_EQ(host.pages()->answers().value(2), u"1'2\"3"_s);
}

TEST(CalcPages, SubmitFromEitherPage) {
    EntryHost host;
    QSignalSpy spy(host.pages(), &entry::CalcPages::submitRequested);
    host.tabs()->setCurrentIndex(entry::kAmountsPageIndex);
    QTest::mouseClick(host.find<QPushButton>(u"按钮3"_s), Qt::LeftButton);
    host.tabs()->setCurrentIndex(entry::kJournalPageIndex);
    QTest::mouseClick(host.find<QPushButton>(u"按钮2"_s), Qt::LeftButton);
    EXPECT_EQ(spy.count(), 2);
}

TEST(CalcPages, DisableEveryInputForAnEmptyTable) {
    EntryHost host;
    host.pages()->setEnabled(false);
    for (const char* name : {"按钮3", "按钮2", "计算_编辑框5", "组合框_分录13", "编辑框_分录26",
                             "按钮_分录13", "超级按钮_分录5", "纵向滚动条1"})
        EXPECT_FALSE(host.find<QWidget>(QString::fromUtf8(name))->isEnabled()) << name;
    QSignalSpy spy(host.pages(), &entry::CalcPages::submitRequested);
    host.tabs()->setCurrentIndex(entry::kJournalPageIndex);
    QTest::mouseClick(host.find<QPushButton>(u"按钮2"_s), Qt::LeftButton);
    EXPECT_EQ(spy.count(), 0);
    host.pages()->setEnabled(true);
    EXPECT_TRUE(host.find<QWidget>(u"编辑框_分录26"_s)->isEnabled());
}
