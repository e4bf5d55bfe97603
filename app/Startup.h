#pragma once

namespace app {

// The whole program: makes the program's directory the working directory, prepares fonts,
// shows MainWindow centred and runs until it closes. Returns the exit code.
int runProgram(int& argc, char** argv);

} // namespace app
