#include "bank/QuestionTable.h"

#include "bank/QuestionBank.h"

using common::Failure;
using common::Outcome;

namespace bank {

namespace {

// A table through a bank's connection: the window's own, or one opened for this table alone.
class TableOfBank final : public QuestionTable {
public:
    TableOfBank(QuestionBank& bank, QString table) : m_bank(bank), m_table(std::move(table)) {}
    TableOfBank(const QString& bankPath, QString table)
        : m_owned(std::make_unique<QuestionBank>()), m_bank(*m_owned), m_table(std::move(table)),
          m_path(bankPath) {
        // Not lost: every operation on a bank that did not open fails with "the bank is not open".
        static_cast<void>(m_bank.openBank(bankPath));
    }

    QString table() const override { return m_table; }
    QString bankPath() const override { return m_path; }

    Outcome<QList<QuestionRecord>> readAll() override {
        OUTCOME_TRY(m_bank.selectTable(m_table));
        QList<QuestionRecord> rows;
        OUTCOME_TRY(m_bank.forEachRow([&]() -> Outcome<> {
            Outcome<QuestionRecord> row = m_bank.currentRecord();
            if (!row) return Failure{row.reason()};
            rows.append(std::move(row).value());
            return {};
        }));
        return rows;
    }

    Outcome<QuestionRecord> readQuestion(int id) override {
        OUTCOME_TRY(m_bank.selectTable(m_table));
        OUTCOME_TRY(m_bank.findQuestion(id));
        return m_bank.currentRecord();
    }

    Outcome<> recordAnswer(const QString& questionText, const QString& value) override {
        return m_bank.recordAnswer(m_table, questionText, value);
    }

    Outcome<> recordScore(const QString& questionText, int score) override {
        return m_bank.recordScore(m_table, questionText, score);
    }

    Outcome<> recordCalcAnswer(const QString& questionText, int field, const QString& answer) override {
        return m_bank.recordCalcAnswer(m_table, questionText, field, answer);
    }

    Outcome<> clearAnswers() override { return m_bank.clearAnswers(m_table); }
    Outcome<int> sumScores() override { return m_bank.sumScores(m_table); }
    Outcome<> asOne(const std::function<Outcome<>()>& steps) override { return m_bank.asOne(steps); }

private:
    std::unique_ptr<QuestionBank> m_owned; // when the table has a connection of its own
    QuestionBank& m_bank;
    QString m_table;
    QString m_path;
};

} // namespace

std::unique_ptr<QuestionTable> tableOfBank(QuestionBank& bank, const QString& table) {
    return std::make_unique<TableOfBank>(bank, table);
}

std::unique_ptr<QuestionTable> openBankTable(const QString& bankPath, const QString& table) {
    return std::make_unique<TableOfBank>(bankPath, table);
}

} // namespace bank
