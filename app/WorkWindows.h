#pragma once

#include <QString>

namespace exam {
class ExamLauncher;
}

namespace app {

class MainWindow;

// Opens the practice and exam windows that `window` asks for, over the bank at `bankPath`. With
// `bankProblem` set (the bank failed its check at start-up), every such request shows that message
// instead and opens nothing. Returns the exam launcher, owned by `window`.
exam::ExamLauncher* connectWorkWindows(MainWindow& window, const QString& bankPath,
                                       const QString& bankProblem);

} // namespace app
