#include "bank/Scoring.h"

#include "bank/CalcAnswer.h"

using namespace Qt::StringLiterals;

namespace bank {

namespace {

constexpr std::array<char16_t, 4> letters{u'A', u'B', u'C', u'D'};

// Letters in ascending order, each at most once, at least one.
std::optional<OptionStates> statesOfLetters(const QString& value) {
    OptionStates states{};
    int last = -1;
    for (QChar c : value) {
        const int index = c.unicode() - u'A';
        if (index < 0 || index > 3 || index <= last) return std::nullopt;
        states[static_cast<std::size_t>(index)] = true;
        last = index;
    }
    if (last < 0) return std::nullopt;
    return states;
}

} // namespace

QString trueAnswer() {
    return u"正确"_s;
}
QString falseAnswer() {
    return u"错误"_s;
}

QString answerFromOptions(const OptionStates& states) {
    QString value;
    for (std::size_t i = 0; i < letters.size(); ++i)
        if (states[i]) value.append(QChar(letters[i]));
    return value;
}

QString trueFalseAnswer(bool firstChoice) {
    return firstChoice ? trueAnswer() : falseAnswer();
}

std::optional<OptionStates> optionsFromAnswer(QuestionType type, const QString& recorded) {
    if (recorded.isEmpty()) return OptionStates{};
    switch (type) {
    case QuestionType::SingleChoice:
        if (recorded.size() != 1) return std::nullopt;
        return statesOfLetters(recorded);
    case QuestionType::MultipleChoice:
        return statesOfLetters(recorded);
    case QuestionType::TrueFalse:
        if (recorded == trueAnswer()) return OptionStates{true, false, false, false};
        if (recorded == falseAnswer()) return OptionStates{false, true, false, false};
        return std::nullopt;
    case QuestionType::Calculation:
        break;
    }
    return std::nullopt;
}

bool isRecordableAnswer(QuestionType type, const QString& value) {
    return type != QuestionType::Calculation && optionsFromAnswer(type, value).has_value();
}

const QStringList& answerValues() {
    static const QStringList values{u"A"_s,   u"B"_s,   u"C"_s,    u"D"_s,       u"AB"_s,      u"AC"_s,
                                    u"AD"_s,  u"BC"_s,  u"BD"_s,   u"CD"_s,      u"ABC"_s,     u"ABD"_s,
                                    u"ACD"_s, u"BCD"_s, u"ABCD"_s, trueAnswer(), falseAnswer()};
    return values;
}

int choiceScore(QuestionType type, const QString& answer, const QString& standard) {
    if (type == QuestionType::Calculation || answer.isEmpty() || answer != standard) return 0;
    return typePoints(type);
}

int calcScoreFromMatches(int matches) {
    if (matches < 0 || matches > calcFieldCount) return 0;
    return 2 * matches;
}

int calcScore(const CalcFields& answers, const CalcFields& standards, SubAccounts subAccounts) {
    int matches = 0;
    for (std::size_t i = 0; i < answers.size(); ++i)
        if (calcFieldMatches(answers[i], standards[i], subAccounts)) ++matches;
    return calcScoreFromMatches(matches);
}

bool isRecordableScore(int score) {
    return score == 0 || score == 1 || score == 2 || score == 4 || score == 6 || score == 8 || score == 10;
}

} // namespace bank
