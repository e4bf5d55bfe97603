#pragma once

#include "common/Outcome.h"

class QSqlDatabase;
class QString;

namespace study {

// The record's tables, by version (PRAGMA user_version). Each step moves a file one version on.
inline constexpr int kSchemaVersion = 5;

enum class Migration { Current, NewerThanProgram };

// Brings the file to kSchemaVersion in one transaction, or says why it could not.
common::Outcome<Migration> migrate(QSqlDatabase& db);

} // namespace study
