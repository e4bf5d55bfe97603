#pragma once

#include <QString>

#include <functional>

namespace app {

// Said when another copy holds the bank but does not answer the request to come to the front.
inline const QString kAlreadyRunning = QStringLiteral("程序已经在运行，请使用已打开的窗口。");

// The per-user data directory's name, and the desktop entry that matches the program's windows.
inline const QString kProgramName = QStringLiteral("velmora");
inline const QString kDesktopFileName = QStringLiteral("org.velmora.Velmora");

class MainWindow;

// The whole program: makes the program's directory the working directory, leaves at once when
// another copy already works on the same bank (bringing that copy's window to the front), checks
// the bank, prepares fonts, shows MainWindow centred and runs until it closes. Returns the exit code.
// `onShown` runs once the window is shown (the start-up benchmark watches the first paint through it).
int runProgram(int& argc, char** argv, const std::function<void(MainWindow&)>& onShown = {});

} // namespace app
