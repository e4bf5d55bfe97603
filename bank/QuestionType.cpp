#include "bank/QuestionType.h"

using namespace Qt::StringLiterals;

namespace bank {

namespace {

// Each row stands at the place of its kind, so factsOf can index the table.
constexpr bool rowsInTypeOrder() {
    for (QuestionType type : allQuestionTypes)
        if (factsOf(type).type != type) return false;
    return true;
}
static_assert(rowsInTypeOrder());

} // namespace

QString practiceTable(QuestionType type) {
    return factsOf(type).practiceTable.toString();
}

QString typeCaption(QuestionType type) {
    return factsOf(type).caption.toString();
}

int typePoints(QuestionType type) {
    return factsOf(type).points;
}

std::optional<QuestionType> typeOfPracticeTable(const QString& table) {
    for (QuestionType type : allQuestionTypes)
        if (practiceTable(type) == table) return type;
    return std::nullopt;
}

QString paperTable(int paper) {
    return u"tm"_s + QString::number(paper);
}

std::optional<int> paperOfTable(const QString& table) {
    if (!table.startsWith(u"tm"_s) || table.size() < 3 || table.size() > 4 || table.at(2) == u'0')
        return std::nullopt;
    bool ok = false;
    const int paper = table.mid(2).toInt(&ok);
    // toInt accepts signs and blanks; the round trip keeps only the plain decimal names.
    if (!ok || paper < 1 || paper > paperCount || paperTable(paper) != table) return std::nullopt;
    return paper;
}

int paperSectionStart(QuestionType type) {
    return factsOf(type).paperSectionStart;
}

int paperSectionSize(QuestionType type) {
    return factsOf(type).paperSectionSize;
}

std::optional<QuestionType> paperQuestionType(int id) {
    for (QuestionType type : allQuestionTypes) {
        const int start = paperSectionStart(type);
        if (id >= start && id < start + paperSectionSize(type)) return type;
    }
    return std::nullopt;
}

bool isBankTable(const QString& table) {
    return typeOfPracticeTable(table).has_value() || paperOfTable(table).has_value();
}

} // namespace bank
