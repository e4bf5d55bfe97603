#include "RecordingBank.h"

#include "authoring/BankChecker.h"
#include "authoring/BankCompiler.h"

using namespace Qt::StringLiterals;
using namespace bank;

QuestionRecord choiceRow(int id, const QString& tm, const QString& da) {
    return recordFromCells(
        {u"ID"_s, u"TM"_s, u"XXA"_s, u"XXB"_s, u"XXC"_s, u"XXD"_s, u"DA"_s, u"fen"_s, u"JX"_s},
        {QString::number(id), tm, u"甲"_s, u"乙"_s, u"丙"_s, u"丁"_s, da, u"0"_s, u"解析 %1"_s.arg(id)});
}

BankTable answerPaper() {
    BankTable table{u"tm1"_s, {}};
    for (int id = 1; id <= 20; ++id)
        table.rows.append(choiceRow(id, u"单选 %1"_s.arg(id), u"A"_s));
    for (int id = 21; id <= 40; ++id)
        table.rows.append(choiceRow(id, u"多选 %1"_s.arg(id), u"ABD"_s));
    for (int id = 41; id <= 60; ++id)
        table.rows.append(choiceRow(id, u"判断 %1"_s.arg(id), u"正确"_s));
    QuestionRecord amounts = choiceRow(61, u"计算 61"_s, QString());
    amounts.tx = amountsCalcType();
    amounts.standards = {u"100"_s, u"200"_s, u"300"_s, u"400"_s, u"500.50"_s};
    QuestionRecord journal = choiceRow(62, u"分录 62"_s, QString());
    journal.tx = journalCalcType();
    for (QString& standard : journal.standards)
        standard = u"借 银行存款 1000\n贷 短期借款 1000"_s;
    table.rows.append({amounts, journal});
    return table;
}

BankTable answerPractice() {
    BankTable table{u"danxuan"_s, {}};
    table.rows.append(choiceRow(1, u"重复的题目"_s, u"B"_s));
    table.rows.append(choiceRow(2, u"别的题目"_s, u"C"_s));
    table.rows.append(choiceRow(3, u"重复的题目"_s, u"B"_s));
    table.rows.append(choiceRow(4, u"it's a 'quoted'; text --"_s, u"D"_s));
    return table;
}

void RecordingBank::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
    m_path = m_dir.filePath(u"qvtb.mdb"_s);
    ASSERT_EQ(authoring::writeBank({answerPractice(), answerPaper()}, m_path), QString());
    const common::Outcome<> opened = m_bank.openBank(m_path);
    ASSERT_TRUE(opened) << opened.reason().toStdString();
}

BankTable RecordingBank::stored(const QString& name) const {
    for (const BankTable& table : authoring::readBankFile(m_path).tables)
        if (table.name == name) return table;
    ADD_FAILURE() << "no table " << name.toStdString();
    return {};
}

QString RecordingBank::field(const QString& table, int id, const QString& column) {
    EXPECT_TRUE(m_bank.selectTable(table));
    EXPECT_TRUE(m_bank.findQuestion(id)) << id;
    return valueOf(m_bank.readField(column)).value_or(QString());
}
