#pragma once

#include "bank/QuestionRecord.h"

#include "common/Outcome.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>

namespace bank {

class QuestionBank;

// One table of the bank as a window works on it: questions read by their number from a fresh
// select, answers and scores written by the question's text. Every operation that fails says why.
class QuestionTable {
public:
    virtual ~QuestionTable() = default;

    // The table's name: danxuan, duoxuan, panduan, fenxi or tm1 … tm20.
    virtual QString table() const = 0;
    // The file that holds the table, for telling the candidate; empty when there is none.
    virtual QString bankPath() const { return {}; }
    // Every row of the table, read by one select.
    virtual common::Outcome<QList<QuestionRecord>> readAll() = 0;
    // The row with this ID, read afresh (the table selected again).
    virtual common::Outcome<QuestionRecord> readQuestion(int id) = 0;
    virtual common::Outcome<> recordAnswer(const QString& questionText, const QString& value) = 0;
    virtual common::Outcome<> recordScore(const QString& questionText, int score) = 0;
    virtual common::Outcome<> recordCalcAnswer(const QString& questionText, int field,
                                               const QString& answer) = 0;
    // Every answer of the table emptied and every score 0.
    virtual common::Outcome<> clearAnswers() = 0;
    virtual common::Outcome<int> sumScores() = 0;
    // Runs `steps` (calls of this table) as one change: all of their writes, or none when a step fails.
    virtual common::Outcome<> asOne(const std::function<common::Outcome<>()>& steps) = 0;
};

// `table` through `bank`'s connection and row set: after readQuestion the bank stands on that question.
std::unique_ptr<QuestionTable> tableOfBank(QuestionBank& bank, const QString& table);
// `table` through a connection of its own to the bank at `bankPath`. A bank that cannot be opened
// makes every operation fail.
std::unique_ptr<QuestionTable> openBankTable(const QString& bankPath, const QString& table);

} // namespace bank
