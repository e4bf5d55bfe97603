#include "exam/PaperRecording.h"

#include "bank/AnswerRecorder.h"
#include "bank/QuestionType.h"

using namespace Qt::StringLiterals;

using bank::calcFieldCount;
using bank::calcScore;
using bank::choiceScore;
using bank::isRecordableAnswer;
using bank::paperQuestionType;
using bank::QuestionRecord;
using bank::QuestionType;

namespace exam {

common::Outcome<int> recordChoice(PaperStore& store, int id, const QString& value) {
    const std::optional<QuestionType> type = paperQuestionType(id);
    if (!type || *type == QuestionType::Calculation)
        return common::Failure{u"question %1 of a paper takes no choice"_s.arg(id)};
    return recordChoiceAnswer(store, *type, id, value);
}

common::Outcome<int> recordCalculation(PaperStore& store, int id, const QStringList& answers) {
    if (paperQuestionType(id) != QuestionType::Calculation)
        return common::Failure{u"question %1 of a paper is not a calculation question"_s.arg(id)};
    return recordCalcAnswers(store, id, answers);
}

bool hasAnswer(const QuestionRecord& question) {
    if (!question.xxda.isEmpty()) return true;
    for (const QString& answer : question.answers)
        if (!answer.trimmed().isEmpty()) return true;
    return false;
}

} // namespace exam
