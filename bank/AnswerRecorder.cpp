#include "AnswerRecorder.h"

#include "QuestionBank.h"

using namespace Qt::StringLiterals;

namespace bank {

namespace {

// The question's text, read from a fresh row set.
std::optional<QString> questionText(QuestionBank& bank, const QString& table, int id) {
    bool ok = false;
    const QString text =
        bank.selectTable(table) && bank.findQuestion(id) ? bank.readField(u"TM"_s, &ok) : QString();
    return ok ? std::optional(text) : std::nullopt;
}

bool refind(QuestionBank& bank, const QString& table, int id) {
    return bank.selectTable(table) && bank.findQuestion(id);
}

} // namespace

std::optional<int> recordChoiceAnswer(QuestionBank& bank, const QString& table, QuestionType type, int id,
                                      const QString& value) {
    std::optional<int> score;
    const auto steps = [&] {
        const std::optional<QString> text = questionText(bank, table, id);
        if (!text || !bank.recordAnswer(table, *text, value) || !refind(bank, table, id)) return false;
        bool ok = false;
        const QString standard = bank.readField(u"DA"_s, &ok);
        if (!ok) return false;
        score = choiceScore(type, value, standard);
        return bank.recordScore(table, *text, *score);
    };
    return bank.asOne(steps) ? score : std::nullopt;
}

std::optional<int> recordCalcAnswers(QuestionBank& bank, const QString& table, int id,
                                     const CalcFields& answers) {
    std::optional<int> score;
    const auto steps = [&] {
        const std::optional<QString> text = questionText(bank, table, id);
        if (!text) return false;
        for (std::size_t i = 0; i < answers.size(); ++i)
            if (!bank.recordCalcAnswer(table, *text, static_cast<int>(i) + 1, answers[i])) return false;
        if (!refind(bank, table, id)) return false;
        CalcFields recorded;
        CalcFields standards;
        for (std::size_t i = 0; i < answers.size(); ++i) {
            bool answerOk = false;
            bool standardOk = false;
            recorded[i] = bank.readField(u"fenxi"_s + QString::number(i + 1), &answerOk);
            standards[i] = bank.readField(u"DAfenxi"_s + QString::number(i + 1), &standardOk);
            if (!answerOk || !standardOk) return false;
        }
        score = calcScore(recorded, standards);
        return bank.recordScore(table, *text, *score);
    };
    return bank.asOne(steps) ? score : std::nullopt;
}

} // namespace bank
