#include "PaperRecording.h"

#include "QuestionType.h"
#include "Scoring.h"

using bank::calcFieldCount;
using bank::calcScore;
using bank::choiceScore;
using bank::isRecordableAnswer;
using bank::paperQuestionType;
using bank::QuestionRecord;
using bank::QuestionType;

namespace exam {

std::optional<int> recordChoice(PaperStore& store, int id, const QString& value) {
    const std::optional<QuestionType> type = paperQuestionType(id);
    if (!type || *type == QuestionType::Calculation || !isRecordableAnswer(*type, value)) return std::nullopt;
    std::optional<int> score;
    const auto steps = [&] {
        const std::optional<QuestionRecord> question = store.readQuestion(id);
        if (!question || !store.recordAnswer(question->tm, value)) return false;
        const std::optional<QuestionRecord> recorded = store.readQuestion(id);
        if (!recorded) return false;
        score = choiceScore(*type, value, recorded->da);
        return store.recordScore(recorded->tm, *score);
    };
    return store.asOne(steps) ? score : std::nullopt;
}

std::optional<int> recordCalculation(PaperStore& store, int id, const QStringList& answers) {
    if (paperQuestionType(id) != QuestionType::Calculation) return std::nullopt;
    std::optional<int> score;
    const auto steps = [&] {
        const std::optional<QuestionRecord> question = store.readQuestion(id);
        if (!question) return false;
        for (int k = 0; k < calcFieldCount; ++k)
            if (!store.recordCalcAnswer(question->tm, k + 1, answers.value(k))) return false;
        const std::optional<QuestionRecord> recorded = store.readQuestion(id);
        if (!recorded) return false;
        score = calcScore(recorded->answers, recorded->standards);
        return store.recordScore(recorded->tm, *score);
    };
    return store.asOne(steps) ? score : std::nullopt;
}

bool hasAnswer(const QuestionRecord& question) {
    if (!question.xxda.isEmpty()) return true;
    for (const QString& answer : question.answers)
        if (!answer.trimmed().isEmpty()) return true;
    return false;
}

} // namespace exam
