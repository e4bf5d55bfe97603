#pragma once

#include "common/Outcome.h"

#include <QString>

namespace ui {

// The program's directory (where the executable lies).
QString programDirectory();

// Where the program's private files lie: beside the executable in a build tree or a flat folder;
// once installed, under <prefix>/lib…/velmora/plugins (the browser plugin) and <prefix>/share/velmora (the
// documents and the shipped bank), found relative to the executable so that any prefix works.
QString libraryDirectory();
QString dataDirectory();

// A file of `directory` from its written name such as "\beikao.mht": the name is appended to the
// directory, and backslashes count as the path separator, not as part of a name.
QString fileIn(const QString& directory, const QString& writtenName);
// The same in the program's directory.
QString programFile(const QString& writtenName);

// Makes the program's directory the working directory.
common::Outcome<> enterProgramDirectory();

} // namespace ui
