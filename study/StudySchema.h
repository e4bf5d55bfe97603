#pragma once

class QSqlDatabase;
class QString;

namespace study {

// The record's tables, by version (PRAGMA user_version). Each step moves a file one version on.
inline constexpr int kSchemaVersion = 1;

enum class MigrationResult { Current, NewerThanProgram, Failed };

// Brings the file to kSchemaVersion in one transaction; *error says why on failure.
MigrationResult migrate(QSqlDatabase& db, QString* error);

} // namespace study
