#pragma once

#include "bank/QuestionRecord.h"

#include <QList>

class QuestionBank;

namespace practice {

// The bank's current row as the bank maps it (QuestionBank::currentRecord). A column the table lacks,
// or a row that is not there, reads as empty (ID 0): the windows then show empty controls.
QuestionRecord readCurrentQuestion(QuestionBank& bank);

// The numbers (ID) of the selected table's rows in the row set's order. Leaves no row current.
QList<int> questionNumbers(QuestionBank& bank);

} // namespace practice
