#pragma once

#include <QString>

namespace app {

// The quick look at the bank taken at start-up: the file's header, its catalog and the pages of
// the 24 question tables that the windows read. Returns the message for the candidate when the
// bank is missing or damaged, with its path; empty when the bank can be used.
QString bankProblem(const QString& bankPath);

} // namespace app
