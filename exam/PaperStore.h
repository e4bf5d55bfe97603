#pragma once

#include "bank/QuestionTable.h"

namespace exam {

// One paper's table (tm1 … tm20) as the exam window reaches it: the bank's table of questions, or
// in tests one held in memory.
using PaperStore = bank::QuestionTable;

} // namespace exam
