#include "ExamAttemptRecord.h"

#include "QuestionType.h"

using bank::paperOfTable;
using bank::paperQuestionType;
using bank::QuestionRecord;
using bank::QuestionType;
using bank::typePoints;

namespace exam {

std::optional<study::ExamAttempt> handedInAttempt(PaperStore& store, const QDateTime& started,
                                                  const QDateTime& ended) {
    const std::optional<int> paper = paperOfTable(store.table());
    const std::optional<QList<QuestionRecord>> questions = store.readPaper();
    if (!paper || !questions) return std::nullopt;
    study::ExamAttempt attempt;
    attempt.paper = *paper;
    attempt.started = started;
    attempt.ended = ended;
    for (const QuestionRecord& question : *questions) {
        const std::optional<QuestionType> type = paperQuestionType(question.id);
        if (!type) continue;
        const int score = question.fen.toInt();
        attempt.total += score;
        attempt.typeScores[static_cast<std::size_t>(*type)] += score;
        attempt.questions.append({question.id, question.tm, score == typePoints(*type), score});
    }
    return attempt;
}

} // namespace exam
