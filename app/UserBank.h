#pragma once

#include "common/Outcome.h"

#include <QString>

namespace app {

// Where the bank lives. Run from a writable folder holding qvtb.mdb (a build tree, a copied folder),
// the program works on that bank, as it always has. Installed, its folder is read-only or holds no
// bank: it then works on a per-user copy of the shipped bank in the user's data directory, and never
// writes under its prefix.
class UserBank final {
public:
    static inline const QString kFileName = QStringLiteral("qvtb.mdb");
    // Beside a bank, its content version (written at build time, kept with each copy made from it).
    static inline const QString kVersionSuffix = QStringLiteral(".version");

    // The bank beside the program when `programDirectory` is writable and holds one; otherwise the
    // per-user copy in `userDirectory`.
    static QString choosePath(const QString& programDirectory, const QString& userDirectory);
    // QStandardPaths::AppDataLocation.
    static QString userDirectory();

    // Makes the per-user copy `userBank` of `shippedBank` when it is missing, and replaces it when the
    // shipped bank's content version differs from the one the copy was made from (an upgrade), unless
    // another process holds the copy's lock (then the copy stays until a later start). The copy is
    // written under a temporary name, synced and renamed, so a start killed halfway leaves no
    // half-written bank. Fails with the message for the candidate when there is no copy to work on.
    // The caller holds the program's single-instance claim on `userBank`.
    static common::Outcome<> prepare(const QString& shippedBank, const QString& userBank);
    // Sets the damaged copy `userBank` aside as `qvtb.mdb.damaged-N` and copies the shipped bank
    // again; the copy holds nothing that lasts (answers are cleared when windows close). Returns
    // where the damaged file now is, or the message for the candidate when no copy could be made.
    // The caller holds the program's single-instance claim on `userBank`.
    static common::Outcome<QString> restore(const QString& shippedBank, const QString& userBank);
};

} // namespace app
