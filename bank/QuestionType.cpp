#include "QuestionType.h"

using namespace Qt::StringLiterals;

namespace bank {

QString practiceTable(QuestionType type) {
    switch (type) {
    case QuestionType::SingleChoice:
        return u"danxuan"_s;
    case QuestionType::MultipleChoice:
        return u"duoxuan"_s;
    case QuestionType::TrueFalse:
        return u"panduan"_s;
    case QuestionType::Calculation:
        return u"fenxi"_s;
    }
    return {};
}

QString typeCaption(QuestionType type) {
    switch (type) {
    case QuestionType::SingleChoice:
        return u"单选题"_s;
    case QuestionType::MultipleChoice:
        return u"多选题"_s;
    case QuestionType::TrueFalse:
        return u"判断题"_s;
    case QuestionType::Calculation:
        return u"计算分析题"_s;
    }
    return {};
}

int typePoints(QuestionType type) {
    switch (type) {
    case QuestionType::SingleChoice:
    case QuestionType::TrueFalse:
        return 1;
    case QuestionType::MultipleChoice:
        return 2;
    case QuestionType::Calculation:
        return 10;
    }
    return 0;
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
    switch (type) {
    case QuestionType::SingleChoice:
        return 1;
    case QuestionType::MultipleChoice:
        return 21;
    case QuestionType::TrueFalse:
        return 41;
    case QuestionType::Calculation:
        return 61;
    }
    return 0;
}

int paperSectionSize(QuestionType type) {
    return type == QuestionType::Calculation ? 2 : 20;
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
