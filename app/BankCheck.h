#pragma once

#include "common/Outcome.h"

#include <QString>

namespace app {

// The quick look at the bank taken at start-up: the file's header, its catalog and the pages of
// the 24 question tables that the windows read. Fails with the message for the candidate when the
// bank is missing or damaged, with its path.
common::Outcome<> checkBank(const QString& bankPath);

// The message for the candidate when the bank cannot be used: `what` happened, at `bankPath`.
QString bankUnusable(const QString& what, const QString& bankPath);

} // namespace app
