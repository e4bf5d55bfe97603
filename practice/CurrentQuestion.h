#pragma once

#include "bank/QuestionRecord.h"
#include "common/Outcome.h"
#include "practice/PracticeRound.h"

#include <QList>

namespace bank {
class QuestionBank;
} // namespace bank

namespace practice {

// The bank's current row as the bank maps it (QuestionBank::currentRecord). A column the table lacks,
// or a row that is not there, reads as empty (ID 0): the windows then show empty controls.
bank::QuestionRecord readCurrentQuestion(bank::QuestionBank& bank);

// The numbers (ID) of the selected table's rows in the row set's order. Leaves no row current.
common::Outcome<QList<int>> questionNumbers(bank::QuestionBank& bank);

// The selected table's rows, with their chapters and question hashes, in the row set's order.
// Leaves no row current.
common::Outcome<QList<TableRow>> tableRows(bank::QuestionBank& bank);

} // namespace practice
