#pragma once

#include "common/Outcome.h"
#include "study/BankSearch.h"

#include <QString>

namespace app {

// The search index of the bank at `bankPath`, kept at `cachePath`. It is built from the bank's
// practice tables the first time and again whenever the bank's content version (the file beside
// the bank that every build and copy carries) differs from the one it was built from; a bank
// without that file is read and its questions hashed, so a changed bank is still found out.
common::Outcome<study::BankSearch> openSearchIndex(const QString& bankPath, const QString& cachePath);

// search.sqlite in the per-user cache directory.
QString defaultSearchIndexPath();

} // namespace app
