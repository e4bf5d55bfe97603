#include "BankPaperStore.h"

#include "QuestionType.h"

using namespace Qt::StringLiterals;

using bank::calcFieldCount;
using bank::paperTable;
using bank::QuestionRecord;

namespace exam {

BankPaperStore::BankPaperStore(const QString& bankPath, int paper)
    : m_bankPath(bankPath), m_table(paperTable(paper)) {
    m_bank.openBank(bankPath);
}

std::optional<QList<QuestionRecord>> BankPaperStore::readPaper() {
    if (!m_bank.selectTable(m_table)) return std::nullopt;
    QList<QuestionRecord> questions;
    for (bool atRow = m_bank.moveFirst(); atRow; atRow = m_bank.moveNext()) {
        std::optional<QuestionRecord> record = currentRecord();
        if (!record) return std::nullopt;
        questions.append(*record);
    }
    return questions;
}

std::optional<QuestionRecord> BankPaperStore::readQuestion(int id) {
    if (!m_bank.selectTable(m_table) || !m_bank.findQuestion(id)) return std::nullopt;
    return currentRecord();
}

std::optional<QuestionRecord> BankPaperStore::currentRecord() {
    bool ok = true;
    const auto field = [this, &ok](const QString& column) {
        bool read = false;
        QString text = m_bank.readField(column, &read);
        ok = ok && read;
        return text;
    };
    QuestionRecord record;
    record.id = field(u"ID"_s).toInt();
    record.tx = field(u"TX"_s);
    record.tm = field(u"TM"_s);
    const QString letters = u"ABCD"_s;
    for (int i = 0; i < 4; ++i)
        record.options[i] = field(u"XX"_s + letters[i]);
    record.da = field(u"DA"_s);
    record.xxda = field(u"XXDA"_s);
    record.fen = field(u"fen"_s);
    record.jx = field(u"JX"_s);
    for (int k = 0; k < calcFieldCount; ++k) {
        record.answers[k] = field(u"fenxi"_s + QString::number(k + 1));
        record.standards[k] = field(u"DAfenxi"_s + QString::number(k + 1));
    }
    if (!ok) return std::nullopt;
    return record;
}

bool BankPaperStore::recordAnswer(const QString& questionText, const QString& value) {
    return m_bank.recordAnswer(m_table, questionText, value);
}

bool BankPaperStore::recordScore(const QString& questionText, int score) {
    return m_bank.recordScore(m_table, questionText, score);
}

bool BankPaperStore::recordCalcAnswer(const QString& questionText, int field, const QString& answer) {
    return m_bank.recordCalcAnswer(m_table, questionText, field, answer);
}

bool BankPaperStore::clearAnswers() {
    return m_bank.clearAnswers(m_table);
}

std::optional<int> BankPaperStore::sumScores() {
    return m_bank.sumScores(m_table);
}

} // namespace exam
