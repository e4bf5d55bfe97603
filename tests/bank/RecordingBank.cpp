#include "RecordingBank.h"

#include "authoring/BankChecker.h"
#include "authoring/BankCompiler.h"

using namespace Qt::StringLiterals;
using namespace bank;

BankTable answerPaper() {
    return {u"tm1"_s, paperRows()};
}

BankTable answerPractice() {
    BankTable table{u"danxuan"_s, {}};
    table.rows.append(choiceRecord(1, u"重复的题目"_s, u"B"_s));
    table.rows.append(choiceRecord(2, u"别的题目"_s, u"C"_s));
    table.rows.append(choiceRecord(3, u"重复的题目"_s, u"B"_s));
    table.rows.append(choiceRecord(4, u"it's a 'quoted'; text --"_s, u"D"_s));
    return table;
}

void RecordingBank::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
    m_path = m_dir.filePath(u"qvtb.mdb"_s);
    ASSERT_EQ(reasonOf(authoring::writeBank({answerPractice(), answerPaper()}, m_path)), QString());
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
