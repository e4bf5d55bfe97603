#pragma once

#include "PaperStore.h"
#include "QuestionBank.h"

namespace exam {

// A paper's table in the question-bank file, through the window's own connection.
class BankPaperStore final : public PaperStore {
public:
    // Opens `bankPath`; a bank that cannot be opened makes every later operation fail.
    BankPaperStore(const QString& bankPath, int paper);

    QString table() const override { return m_table; }
    std::optional<QList<bank::QuestionRecord>> readPaper() override;
    std::optional<bank::QuestionRecord> readQuestion(int id) override;
    bool recordAnswer(const QString& questionText, const QString& value) override;
    bool recordScore(const QString& questionText, int score) override;
    bool recordCalcAnswer(const QString& questionText, int field, const QString& answer) override;
    bool clearAnswers() override;
    std::optional<int> sumScores() override;
    bool asOne(const std::function<bool()>& steps) override { return m_bank.asOne(steps); }
    QString lastError() const override { return m_bank.lastError(); }
    QString bankPath() const override { return m_bankPath; }

private:
    std::optional<bank::QuestionRecord> currentRecord();

    bank::QuestionBank m_bank;
    QString m_bankPath;
    QString m_table;
};

} // namespace exam
