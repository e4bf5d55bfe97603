#include "AnswerRecorder.h"

#include "QuestionBank.h"

using namespace Qt::StringLiterals;

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
    const std::optional<QString> text = questionText(bank, table, id);
    if (!text || !bank.recordAnswer(table, *text, value) || !refind(bank, table, id)) return std::nullopt;
    bool ok = false;
    const QString standard = bank.readField(u"DA"_s, &ok);
    if (!ok) return std::nullopt;
    const int score = choiceScore(type, value, standard);
    if (!bank.recordScore(table, *text, score)) return std::nullopt;
    return score;
}

std::optional<int> recordCalcAnswers(QuestionBank& bank, const QString& table, int id,
                                     const CalcFields& answers) {
    const std::optional<QString> text = questionText(bank, table, id);
    if (!text) return std::nullopt;
    for (std::size_t i = 0; i < answers.size(); ++i)
        if (!bank.recordCalcAnswer(table, *text, static_cast<int>(i) + 1, answers[i])) return std::nullopt;
    if (!refind(bank, table, id)) return std::nullopt;
    CalcFields recorded;
    CalcFields standards;
    for (std::size_t i = 0; i < answers.size(); ++i) {
        bool answerOk = false;
        bool standardOk = false;
        recorded[i] = bank.readField(u"fenxi"_s + QString::number(i + 1), &answerOk);
        standards[i] = bank.readField(u"DAfenxi"_s + QString::number(i + 1), &standardOk);
        if (!answerOk || !standardOk) return std::nullopt;
    }
    const int score = calcScore(recorded, standards);
    if (!bank.recordScore(table, *text, score)) return std::nullopt;
    return score;
}
