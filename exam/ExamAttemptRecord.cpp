#include "exam/ExamAttemptRecord.h"

#include "bank/QuestionType.h"
#include "exam/PaperRecording.h"

using namespace Qt::StringLiterals;

using bank::paperOfTable;
using bank::paperQuestionType;
using bank::QuestionRecord;
using bank::QuestionType;
using bank::typePoints;

namespace exam {

common::Outcome<study::ExamAttempt> handedInAttempt(PaperStore& store, const QDateTime& started,
                                                    const QDateTime& ended, int usedSeconds) {
    const std::optional<int> paper = paperOfTable(store.table());
    if (!paper) return common::Failure{u"%1 is not a paper"_s.arg(store.table())};
    const common::Outcome<QList<QuestionRecord>> questions = store.readAll();
    if (!questions) return common::Failure{questions.reason()};
    study::ExamAttempt attempt;
    attempt.paper = *paper;
    attempt.started = started;
    attempt.ended = ended;
    attempt.usedSeconds = usedSeconds;
    for (const QuestionRecord& question : *questions) {
        const std::optional<QuestionType> type = paperQuestionType(question.id);
        if (!type) continue;
        const int score = question.fen.toInt();
        attempt.total += score;
        attempt.typeScores[static_cast<std::size_t>(*type)] += score;
        attempt.questions.append({question.id, question.tm, score == typePoints(*type), score, *type,
                                  question.ch, hasAnswer(question)});
    }
    return attempt;
}

} // namespace exam
