#include "bank/AnswerRecorder.h"

#include "bank/QuestionTable.h"
#include "bank/Scoring.h"

using namespace Qt::StringLiterals;
using common::Failure;
using common::Outcome;

namespace bank {

namespace {

using AnswerWrites = std::function<Outcome<>(const QString& questionText)>;
using ScoreOf = std::function<int(const QuestionRecord& fresh)>;

// The answer's writes, then the score of the row read afresh, as one change.
Outcome<int> recordScored(QuestionTable& table, int id, const AnswerWrites& writeAnswer,
                          const ScoreOf& scoreOf) {
    int score = 0;
    OUTCOME_TRY(table.asOne([&]() -> Outcome<> {
        const Outcome<QuestionRecord> question = table.readQuestion(id);
        if (!question) return Failure{question.reason()};
        OUTCOME_TRY(writeAnswer(question->tm));
        const Outcome<QuestionRecord> recorded = table.readQuestion(id);
        if (!recorded) return Failure{recorded.reason()};
        score = scoreOf(*recorded);
        return table.recordScore(recorded->tm, score);
    }));
    return score;
}

} // namespace

Outcome<int> recordChoiceAnswer(QuestionTable& table, QuestionType type, int id, const QString& value) {
    if (!isRecordableAnswer(type, value))
        return Failure{u"%1 is not an answer to a %2 question"_s.arg(value, typeCaption(type))};
    return recordScored(
        table, id, [&](const QString& text) { return table.recordAnswer(text, value); },
        [&](const QuestionRecord& fresh) { return choiceScore(type, value, fresh.da); });
}

Outcome<int> recordCalcAnswers(QuestionTable& table, int id, const QStringList& answers) {
    const auto writeFields = [&](const QString& text) -> Outcome<> {
        for (int field = 1; field <= calcFieldCount; ++field)
            OUTCOME_TRY(table.recordCalcAnswer(text, field, answers.value(field - 1)));
        return {};
    };
    return recordScored(table, id, writeFields, [](const QuestionRecord& fresh) {
        return calcScore(fresh.answers, fresh.standards, subAccountsAskedBy(fresh.tm));
    });
}

} // namespace bank
