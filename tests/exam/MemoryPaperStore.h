#pragma once

#include "PaperStore.h"

#include <QList>

// A paper's table held in memory, with the bank's rules for writing by question text, and counters
// of the statements that tests check were (or were not) sent.
class MemoryPaperStore final : public exam::PaperStore {
public:
    MemoryPaperStore(QString table, QList<bank::QuestionRecord> rows);

    QString table() const override { return m_table; }
    std::optional<QList<bank::QuestionRecord>> readPaper() override;
    std::optional<bank::QuestionRecord> readQuestion(int id) override;
    bool recordAnswer(const QString& questionText, const QString& value) override;
    bool recordScore(const QString& questionText, int score) override;
    bool recordCalcAnswer(const QString& questionText, int field, const QString& answer) override;
    bool clearAnswers() override;
    std::optional<int> sumScores() override;
    bool asOne(const std::function<bool()>& steps) override;
    QString lastError() const override { return m_lastError; }

    const QList<bank::QuestionRecord>& rows() const { return m_rows; }
    int writes() const { return m_writes; }
    int sums() const { return m_sums; }
    int clears() const { return m_clears; }
    // Every write fails from now on, leaving the rows as they are.
    void failWrites() { m_failWrites = true; }

private:
    bank::QuestionRecord* rowByText(const QString& questionText);
    bool write();

    QString m_table;
    QList<bank::QuestionRecord> m_rows;
    QString m_lastError;
    int m_writes = 0;
    int m_sums = 0;
    int m_clears = 0;
    bool m_failWrites = false;
};

// A paper of 62 questions with varied standard answers: question 61 answered with amounts, 62
// with journal entries (one of them of three lines).
QList<bank::QuestionRecord> samplePaper(int paper);
