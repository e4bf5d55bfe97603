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

QList<int> questionNumbers(QuestionBank& bank) {
    QList<int> numbers;
    // Only the number: the window opens on this walk over the whole table.
    for (bool atRow = bank.moveFirst(); atRow; atRow = bank.moveNext()) {
        const common::Outcome<QString> id = bank.readField(u"ID"_s);
        numbers.append(id ? id->toInt() : 0);
    }
    return numbers;
}

} // namespace practice
