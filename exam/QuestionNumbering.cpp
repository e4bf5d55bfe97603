#include "QuestionNumbering.h"

#include "AnswerRules.h"
#include "QuestionType.h"

using namespace Qt::StringLiterals;

using bank::paperQuestionType;
using bank::paperSectionStart;
using bank::QuestionType;

namespace exam {
namespace {

// The card names the true/false buttons 判断题k, the others by a short prefix.
QString buttonPrefix(QuestionType type) {
    switch (type) {
    case QuestionType::SingleChoice:
        return u"单选"_s;
    case QuestionType::MultipleChoice:
        return u"多选"_s;
    case QuestionType::TrueFalse:
        return u"判断题"_s;
    case QuestionType::Calculation:
        return u"计算分析题"_s;
    }
    return {};
}

} // namespace

bool isPaperQuestion(int id) {
    return id >= kFirstQuestion && id <= kLastQuestion;
}

int numberInSection(int id) {
    const std::optional<QuestionType> type = paperQuestionType(id);
    return type ? id - paperSectionStart(*type) + 1 : 0;
}

QString sectionCaption(int id) {
    const QString label = practice::paperQuestionLabel(id);
    return label.isEmpty() ? label : u"("_s + label + u")"_s;
}

QString cardButtonName(int id) {
    const std::optional<QuestionType> type = paperQuestionType(id);
    if (!type) return {};
    return buttonPrefix(*type) + QString::number(numberInSection(id));
}

QString spokenCardButtonName(int id) {
    const std::optional<QuestionType> type = paperQuestionType(id);
    if (!type) return {};
    return buttonPrefix(*type) + u' ' + QString::number(numberInSection(id));
}

int objectivePage(int id) {
    const std::optional<QuestionType> type = paperQuestionType(id);
    if (!type) return -1;
    switch (*type) {
    case QuestionType::SingleChoice:
        return 0;
    case QuestionType::MultipleChoice:
        return 1;
    case QuestionType::TrueFalse:
        return 2;
    case QuestionType::Calculation:
        return -1;
    }
    return -1;
}

} // namespace exam
