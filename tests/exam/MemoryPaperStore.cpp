#include "MemoryPaperStore.h"

#include "bank/QuestionType.h"
#include "bank/Scoring.h"

using namespace Qt::StringLiterals;
using common::Failure;

using bank::amountsCalcType;
using bank::calcFieldCount;
using bank::falseAnswer;
using bank::isRecordableAnswer;
using bank::isRecordableScore;
using bank::journalCalcType;
using bank::paperQuestionCount;
using bank::QuestionRecord;
using bank::QuestionType;
using bank::trueAnswer;

MemoryPaperStore::MemoryPaperStore(QString table, QList<QuestionRecord> rows)
    : m_table(std::move(table)), m_rows(std::move(rows)) {}

common::Outcome<QList<QuestionRecord>> MemoryPaperStore::readAll() {
    return m_rows;
}

common::Outcome<QuestionRecord> MemoryPaperStore::readQuestion(int id) {
    for (const QuestionRecord& row : m_rows)
        if (row.id == id) return row;
    return Failure{u"no question has ID=%1"_s.arg(id)};
}

common::Outcome<> MemoryPaperStore::write() {
    if (m_failWrites) return Failure{u"writes fail"_s};
    ++m_writes;
    return {};
}

QuestionRecord* MemoryPaperStore::rowByText(const QString& questionText) {
    for (QuestionRecord& row : m_rows)
        if (row.tm == questionText) return &row;
    return nullptr;
}

common::Outcome<> MemoryPaperStore::recordAnswer(const QString& questionText, const QString& value) {
    if (!isRecordableAnswer(QuestionType::MultipleChoice, value) &&
        !isRecordableAnswer(QuestionType::TrueFalse, value))
        return Failure{u"no answer statement for "_s + value};
    OUTCOME_TRY(write());
    if (QuestionRecord* row = rowByText(questionText)) row->xxda = value;
    return {};
}

common::Outcome<> MemoryPaperStore::recordScore(const QString& questionText, int score) {
    if (!isRecordableScore(score)) return Failure{u"no score statement for %1"_s.arg(score)};
    OUTCOME_TRY(write());
    if (QuestionRecord* row = rowByText(questionText)) row->fen = QString::number(score);
    return {};
}

common::Outcome<> MemoryPaperStore::recordCalcAnswer(const QString& questionText, int field,
                                                     const QString& answer) {
    if (field < 1 || field > calcFieldCount) return Failure{u"no answer field %1"_s.arg(field)};
    OUTCOME_TRY(write());
    if (QuestionRecord* row = rowByText(questionText)) row->answers[field - 1] = answer;
    return {};
}

common::Outcome<> MemoryPaperStore::clearAnswers() {
    OUTCOME_TRY(write());
    ++*m_clears;
    for (QuestionRecord& row : m_rows) {
        row.fen = u"0"_s;
        row.xxda.clear();
        row.answers = {};
    }
    return {};
}

common::Outcome<int> MemoryPaperStore::sumScores() {
    ++m_sums;
    int total = 0;
    for (const QuestionRecord& row : m_rows)
        total += row.fen.toInt();
    return total;
}

common::Outcome<> MemoryPaperStore::asOne(const std::function<common::Outcome<>()>& steps) {
    const QList<QuestionRecord> before = m_rows;
    common::Outcome<> done = steps();
    if (!done) m_rows = before;
    return done;
}

QList<QuestionRecord> samplePaper(int paper) {
    const QStringList singles{u"A"_s, u"B"_s, u"C"_s, u"D"_s};
    const QStringList multiples{u"AB"_s, u"ACD"_s, u"BD"_s, u"ABCD"_s, u"BC"_s};
    QList<QuestionRecord> rows;
    for (int id = 1; id <= paperQuestionCount; ++id) {
        QuestionRecord q;
        q.id = id;
        q.tm = u"第%1套第%2题：它's 题干"_s.arg(paper).arg(id);
        q.fen = u"0"_s;
        q.jx = u"解析 %1"_s.arg(id);
        for (int i = 0; i < 4; ++i)
            q.options[i] = u"选项 %1-%2"_s.arg(id).arg(i + 1); // as in the bank: no letter of its own
        if (id <= 20)
            q.da = singles[id % 4];
        else if (id <= 40)
            q.da = multiples[id % 5];
        else if (id <= 60)
            q.da = id % 2 ? trueAnswer() : falseAnswer();
        rows.append(q);
    }
    rows[60].tx = amountsCalcType();
    rows[60].standards = {u"1000"_s, u"2500.5"_s, u"300"_s, u"0"_s, u"-120"_s};
    rows[61].tx = journalCalcType();
    rows[61].standards = {u"借 银行存款 200000\n贷 实收资本 200000"_s,
                          u"借 原材料 5000\n借 应交税费 650\n贷 银行存款 5650"_s,
                          u"借 管理费用 800\n贷 库存现金 800"_s, u"借 应收账款 1130\n贷 主营业务收入 1000"_s,
                          u"借 本年利润 3000\n贷 利润分配 3000"_s};
    return rows;
}
