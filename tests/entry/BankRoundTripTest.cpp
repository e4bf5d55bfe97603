// The five texts of the journal page through a real bank file: recorded, read back and shown again.

#include "EntryHost.h"
#include "OutcomeValue.h"
#include "authoring/BankCompiler.h"
#include "bank/QuestionBank.h"
#include "bank/Scoring.h"
#include "entry/GridNames.h"
#include "entry/JournalGrid.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using bank::CalcFields;
using bank::calcScore;
using bank::journalCalcType;
using bank::QuestionBank;
using bank::QuestionRecord;
using entry::testing::EntryHost;

namespace {

const QString kQuestion = u"甲公司发生下列经济业务，编制会计分录。"_s;

QuestionRecord journalQuestion() {
    QuestionRecord q;
    q.id = 1;
    q.tx = journalCalcType();
    q.tm = kQuestion;
    q.fen = u"0"_s;
    q.standards = {u"借 银行存款 200000\n贷 实收资本（或股本） 200000"_s,
                   u"借 原材料-A 10000\n借 应交税费-应交增值税（进项税额） 1300\n贷 银行存款 11300"_s,
                   u"借 管理费用 500\n贷 库存现金 500"_s, u"借 库存现金 1\n贷 银行存款 1"_s,
                   u"借 应收账款 11300\n贷 主营业务收入 10000\n贷 应交税费-应交增值税（销项税额） 1300"_s};
    return q;
}

QLineEdit* edit(const EntryHost& host, const QString& name) {
    return host.find<QLineEdit>(name);
}

TEST(BankRoundTrip, JournalTextsAreStoredAndShownExactly) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"qvtb.mdb"_s);
    ASSERT_EQ(reasonOf(authoring::writeBank({{u"fenxi"_s, {journalQuestion()}}}, path)), QString());
    QuestionBank bank;
    const common::Outcome<> opened = bank.openBank(path);
    ASSERT_TRUE(opened) << opened.reason().toStdString();

    EntryHost host;
    host.pages()->showQuestion(journalCalcType(), {});
    entry::JournalGrid* grid = host.pages()->journalGrid();
    const QString longAccount = QString(5000, u'费');
    const QString quoted = u"it's \"应付\" ''账款''"_s;
    grid->setEntryText(1, u"借 银行存款 200000\n贷 实收资本（或股本） 200000"_s);
    // Entry 2 typed out of order, the credit on the first line.
    grid->setEntryText(2,
                       u"贷 银行存款 11300\n借 应交税费-应交增值税（进项税额） 1,300\n借 原材料-A 10000"_s);
    grid->setEntryText(3, u"借 "_s + longAccount + u" 500"_s);
    grid->setEntryText(4, u"借 "_s + quoted + u" 1"_s);
    const QStringList typed = host.pages()->answers();

    for (int k = 1; k <= 5; ++k) {
        const common::Outcome<> recorded = bank.recordCalcAnswer(u"fenxi"_s, kQuestion, k, typed[k - 1]);
        ASSERT_TRUE(recorded) << recorded.reason().toStdString();
    }
    ASSERT_TRUE(bank.selectTable(u"fenxi"_s));
    ASSERT_TRUE(bank.findQuestion(1));
    const common::Outcome<QuestionRecord> row = bank.currentRecord();
    ASSERT_TRUE(row);
    const CalcFields stored = row->answers;
    const CalcFields standards = row->standards;
    EXPECT_EQ(QStringList(stored.begin(), stored.end()), typed);
    // Entries 1 and 2 match; the long account, the quoted one and the empty entry 5 do not.
    EXPECT_EQ(calcScore(stored, standards, bank::SubAccounts::AsKeyed), 4);

    host.pages()->showQuestion(journalCalcType(), {});
    host.pages()->showQuestion(journalCalcType(), QStringList(stored.begin(), stored.end()));
    EXPECT_EQ(edit(host, entry::lineNames(3, 1).account)->text(), longAccount);
    EXPECT_EQ(edit(host, entry::lineNames(4, 1).account)->text(), quoted);
    EXPECT_TRUE(grid->isThirdLineOpen(2));
    EXPECT_EQ(host.find<QComboBox>(entry::lineNames(2, 3).mark)->currentText(), u"借"_s);
    EXPECT_EQ(host.pages()->answers(), typed);
}

} // namespace
