#include "exam/QuestionNumbering.h"

#include "bank/QuestionType.h"
#include "question/AnswerRules.h"

#include <array>

using namespace Qt::StringLiterals;

using bank::paperQuestionType;
using bank::paperSectionStart;
using bank::QuestionType;

namespace exam {
namespace {

// The card names the true/false buttons 判断题k, the others by a short prefix; in type order.
constexpr std::array<QStringView, 4> kButtonPrefixes{u"单选", u"多选", u"判断题", u"计算分析题"};

QString buttonPrefix(QuestionType type) {
    return kButtonPrefixes[typeIndex(type)].toString();
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
    const QString label = question::paperQuestionLabel(id);
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

} // namespace exam
