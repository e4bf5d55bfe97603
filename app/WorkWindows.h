#pragma once

#include "common/Outcome.h"

#include <QString>

namespace exam {
class ExamLauncher;
}

namespace app {

class MainWindow;

// Opens the practice and exam windows that `window` asks for, over the bank at `bankPath`. When
// `bankCheck` failed (at start-up), every such request shows its reason instead and opens nothing.
// Returns the exam launcher, owned by `window`.
exam::ExamLauncher* connectWorkWindows(MainWindow& window, const QString& bankPath,
                                       const common::Outcome<>& bankCheck);

} // namespace app
