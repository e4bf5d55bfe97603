#pragma once

#include "common/Outcome.h"
#include "exam/PaperStore.h"

namespace exam {

// Whether every one of the paper's 62 questions can be read, before its hour starts: a paper with
// a question that cannot be read is refused, with the message for the candidate.
common::Outcome<> checkPaperReadable(PaperStore& store);

} // namespace exam
