#include "practice/CurrentQuestion.h"

#include "bank/QuestionBank.h"

using bank::calcFieldCount;
using bank::QuestionBank;
using bank::QuestionRecord;

namespace practice {

QuestionRecord readCurrentQuestion(QuestionBank& bank) {
    const common::Outcome<QuestionRecord> record = bank.currentRecord();
    return record ? *record : QuestionRecord{};
}

QList<int> questionNumbers(QuestionBank& bank) {
    QList<int> numbers;
    for (bool atRow = bank.moveFirst(); atRow; atRow = bank.moveNext())
        numbers.append(readCurrentQuestion(bank).id);
    return numbers;
}

} // namespace practice
