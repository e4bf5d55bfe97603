#include "practice/CurrentQuestion.h"

#include "bank/QuestionBank.h"
#include "study/QuestionKey.h"

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

common::Outcome<QList<TableRow>> tableRows(QuestionBank& bank) {
    QList<TableRow> rows;
    OUTCOME_TRY(bank.forEachRow([&]() -> common::Outcome<> {
        const common::Outcome<QuestionRecord> row = bank.currentRecord();
        if (!row) return common::Failure{row.reason()};
        rows.append({row->id, row->ch, study::questionHash(row->tm)});
        return {};
    }));
    return rows;
}

} // namespace practice
