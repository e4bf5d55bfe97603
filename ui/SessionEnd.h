#pragma once

namespace ui {

// The desktop session is ending (logout, shutdown, Ctrl+C in a terminal): from now on windows close
// without asking, message boxes are not shown (their texts go to the log), and an exam in progress
// is kept for the next start instead of being cleared.
void beginSessionEnd();
bool isSessionEnding();

} // namespace ui
