#include "PaperRecords.h"

using namespace Qt::StringLiterals;

using bank::amountsCalcType;
using bank::journalCalcType;
using bank::QuestionRecord;

QuestionRecord choiceRecord(int id, const QString& tm, const QString& da) {
    QuestionRecord record;
    record.id = id;
    record.tm = tm;
    record.options = {u"甲"_s, u"乙"_s, u"丙"_s, u"丁"_s};
    record.da = da;
    record.fen = u"0"_s;
    record.jx = u"解析 %1"_s.arg(id);
    return record;
}

QList<QuestionRecord> paperRows() {
    QList<QuestionRecord> rows;
    for (int id = 1; id <= 20; ++id)
        rows.append(choiceRecord(id, u"单选 %1"_s.arg(id), u"A"_s));
    for (int id = 21; id <= 40; ++id)
        rows.append(choiceRecord(id, u"多选 %1"_s.arg(id), u"ABD"_s));
    for (int id = 41; id <= 60; ++id)
        rows.append(choiceRecord(id, u"判断 %1"_s.arg(id), u"正确"_s));
    QuestionRecord amounts = choiceRecord(61, u"计算 61"_s, QString());
    amounts.tx = amountsCalcType();
    amounts.standards = {u"100"_s, u"200"_s, u"300"_s, u"400"_s, u"500.50"_s};
    QuestionRecord journal = choiceRecord(62, u"分录 62"_s, QString());
    journal.tx = journalCalcType();
    for (QString& standard : journal.standards)
        standard = u"借 银行存款 1000\n贷 短期借款 1000"_s;
    rows.append({amounts, journal});
    return rows;
}
