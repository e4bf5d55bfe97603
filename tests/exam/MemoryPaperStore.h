#pragma once

#include "exam/PaperStore.h"

#include <QList>

#include <memory>

// A paper's table held in memory, with the bank's rules for writing by question text, and counters
// of the statements that tests check were (or were not) sent.
class MemoryPaperStore final : public exam::PaperStore {
public:
    MemoryPaperStore(QString table, QList<bank::QuestionRecord> rows);

    QString table() const override { return m_table; }
    common::Outcome<QList<bank::QuestionRecord>> readAll() override;
    common::Outcome<bank::QuestionRecord> readQuestion(int id) override;
    common::Outcome<> recordAnswer(const QString& questionText, const QString& value) override;
    common::Outcome<> recordScore(const QString& questionText, int score) override;
    common::Outcome<> recordCalcAnswer(const QString& questionText, int field,
                                       const QString& answer) override;
    common::Outcome<> clearAnswers() override;
    common::Outcome<int> sumScores() override;
    common::Outcome<> asOne(const std::function<common::Outcome<>()>& steps) override;

    const QList<bank::QuestionRecord>& rows() const { return m_rows; }
    int writes() const { return m_writes; }
    int sums() const { return m_sums; }
    int clears() const { return *m_clears; }
    // The same count, still readable once the store (and the window that owns it) is destroyed.
    std::shared_ptr<const int> clearCount() const { return m_clears; }
    // Every write fails from now on, leaving the rows as they are.
    void failWrites() { m_failWrites = true; }

private:
    bank::QuestionRecord* rowByText(const QString& questionText);
    common::Outcome<> write();

    QString m_table;
    QList<bank::QuestionRecord> m_rows;
    int m_writes = 0;
    int m_sums = 0;
    std::shared_ptr<int> m_clears = std::make_shared<int>(0);
    bool m_failWrites = false;
};

// A paper of 62 questions with varied standard answers: question 61 answered with amounts, 62
// with journal entries (one of them of three lines).
QList<bank::QuestionRecord> samplePaper(int paper);
