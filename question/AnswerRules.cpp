#include "question/AnswerRules.h"

#include "bank/QuestionType.h"

using namespace Qt::StringLiterals;

using bank::paperQuestionType;
using bank::paperSectionStart;
using bank::QuestionType;
using bank::typeCaption;

namespace question {

QString paperQuestionLabel(int id) {
    const std::optional<QuestionType> type = paperQuestionType(id);
    if (!type) return {};
    const int number = id - paperSectionStart(*type) + 1;
    return u"%1第 %2 题"_s.arg(typeCaption(*type)).arg(number);
}

bool objectiveAnswerRight(const QString& recorded, const QString& standard) {
    return !recorded.isEmpty() && recorded == standard;
}

QString optionLetter(int index) {
    return QString(QChar(u'A' + index));
}

QString optionCaption(int index, const QString& text) {
    return optionLetter(index) + u' ' + text;
}

QString shownRecordedAnswer(const QString& recorded) {
    return recorded.isEmpty() ? u"未做"_s : recorded;
}

} // namespace question
