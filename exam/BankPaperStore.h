#pragma once

#include "exam/PaperStore.h"

#include <memory>

namespace exam {

// A paper's table in the question-bank file at `bankPath`, through a connection of its own. A bank
// that cannot be opened makes every operation fail.
std::unique_ptr<PaperStore> bankPaperStore(const QString& bankPath, int paper);

} // namespace exam
