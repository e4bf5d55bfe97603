#include "PaperRecording.h"

#include "QuestionType.h"
#include "Scoring.h"

namespace exam {

std::optional<int> recordChoice(PaperStore& store, int id, const QString& value) {
    const std::optional<QuestionType> type = paperQuestionType(id);
    if (!type || *type == QuestionType::Calculation || !isRecordableAnswer(*type, value)) return std::nullopt;
    const std::optional<QuestionRecord> question = store.readQuestion(id);
    if (!question || !store.recordAnswer(question->tm, value)) return std::nullopt;
    const std::optional<QuestionRecord> recorded = store.readQuestion(id);
    if (!recorded) return std::nullopt;
    const int score = choiceScore(*type, value, recorded->da);
    if (!store.recordScore(recorded->tm, score)) return std::nullopt;
    return score;
}

std::optional<int> recordCalculation(PaperStore& store, int id, const QStringList& answers) {
    if (paperQuestionType(id) != QuestionType::Calculation) return std::nullopt;
    const std::optional<QuestionRecord> question = store.readQuestion(id);
    if (!question) return std::nullopt;
    for (int k = 0; k < calcFieldCount; ++k)
        if (!store.recordCalcAnswer(question->tm, k + 1, answers.value(k))) return std::nullopt;
    const std::optional<QuestionRecord> recorded = store.readQuestion(id);
    if (!recorded) return std::nullopt;
    const int score = calcScore(recorded->answers, recorded->standards);
    if (!store.recordScore(recorded->tm, score)) return std::nullopt;
    return score;
}

bool hasAnswer(const QuestionRecord& question) {
    if (!question.xxda.isEmpty()) return true;
    for (const QString& answer : question.answers)
        if (!answer.trimmed().isEmpty()) return true;
    return false;
}

} // namespace exam
