#pragma once

#include "QuestionRecord.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace exam {

// One paper's table as the exam window reaches it: questions read by their number, answers and
// scores written by the question's text. Every operation reports failure; lastError() says why.
class PaperStore {
public:
    virtual ~PaperStore() = default;

    // The paper's table: tm1 … tm20.
    virtual QString table() const = 0;
    // Every question of the paper, read by one select.
    virtual std::optional<QList<bank::QuestionRecord>> readPaper() = 0;
    // The question with this ID, read afresh (the table selected again).
    virtual std::optional<bank::QuestionRecord> readQuestion(int id) = 0;
    virtual bool recordAnswer(const QString& questionText, const QString& value) = 0;
    virtual bool recordScore(const QString& questionText, int score) = 0;
    virtual bool recordCalcAnswer(const QString& questionText, int field, const QString& answer) = 0;
    // Every answer of the paper emptied and every score 0.
    virtual bool clearAnswers() = 0;
    virtual std::optional<int> sumScores() = 0;
    // Runs `steps` (calls of this store) as one change: all of their writes, or none when a step fails.
    virtual bool asOne(const std::function<bool()>& steps) = 0;
    virtual QString lastError() const = 0;
    // The file that holds the table, for telling the candidate; empty when there is none.
    virtual QString bankPath() const { return {}; }
};

} // namespace exam
