#pragma once

// Taking the study record to another computer: a copy written while the program runs, and a copy
// read back into the record, merged with it or replacing it.

#include "common/Outcome.h"

#include <QSqlDatabase>
#include <QString>

namespace study {

enum class ImportMode {
    Merge,   // answers and exams of both, each once; this record's settings kept
    Replace, // the file's answers, exams and settings instead of this record's
};

// A consistent copy of the open record `db` as one file at `target`, replacing a file there only
// once the copy is complete.
common::Outcome<> exportRecord(const QSqlDatabase& db, const QString& target);

// Whether the file at `source` is a study record this program can read; the reason, for the
// candidate, when it is not. The file is only read.
common::Outcome<> checkImportable(const QString& source);

// Reads the record at `source` into the open record `db` in one transaction; the memory states are
// made again from the answers. A file that is no study record, or one of a newer program, is
// refused with a reason the candidate can read, and nothing changes. The exam in progress stays:
// its answers are in this computer's bank.
common::Outcome<> importRecord(const QSqlDatabase& db, const QString& source, ImportMode mode);

} // namespace study
