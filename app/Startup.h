#pragma once

#include <functional>

namespace app {

class MainWindow;

// The whole program: makes the program's directory the working directory, prepares fonts,
// shows MainWindow centred and runs until it closes. Returns the exit code. `onShown` runs once
// the window is shown (the start-up benchmark watches the first paint through it).
int runProgram(int& argc, char** argv, const std::function<void(MainWindow&)>& onShown = {});

} // namespace app
