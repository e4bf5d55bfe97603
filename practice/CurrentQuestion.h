#pragma once

#include "QuestionRecord.h"

class QuestionBank;

namespace practice {

// Every column of the bank's current row. A column the table lacks, or a row that is not there,
// reads as empty (ID 0): the windows then show empty controls.
QuestionRecord readCurrentQuestion(QuestionBank& bank);

} // namespace practice
