#pragma once

#include <QString>

namespace ui {

// The program's directory (where the executable lies).
QString programDirectory();

// A file of `directory` from its written name such as "\beikao.mht": the name is appended to the
// directory, and backslashes count as the path separator, not as part of a name.
QString fileIn(const QString& directory, const QString& writtenName);
// The same in the program's directory.
QString programFile(const QString& writtenName);

// Makes the program's directory the working directory. False if that failed.
bool enterProgramDirectory();

} // namespace ui
