#include "practice/CurrentQuestion.h"

#include "bank/QuestionBank.h"

using namespace Qt::StringLiterals;

using bank::QuestionBank;
using bank::QuestionRecord;

namespace practice {

QuestionRecord readCurrentQuestion(QuestionBank& bank) {
    const common::Outcome<QuestionRecord> record = bank.currentRecord();
    return record ? *record : QuestionRecord{};
}

common::Outcome<QList<int>> questionNumbers(QuestionBank& bank) {
    QList<int> numbers;
    // Only the number: the window opens on this walk over the whole table.
    OUTCOME_TRY(bank.forEachRow([&]() -> common::Outcome<> {
        const common::Outcome<QString> id = bank.readField(u"ID"_s);
        numbers.append(id ? id->toInt() : 0);
        return {};
    }));
    return numbers;
}

} // namespace practice
