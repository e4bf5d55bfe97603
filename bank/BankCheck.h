#pragma once

#include "common/Outcome.h"

#include <QString>

namespace bank {

// What the quick look at the bank found.
enum class BankProblem {
    None,
    Missing,
    Unopenable, // no bank file can be opened there (not a file, unreadable, its header unreadable)
    Damaged,    // its header, catalog or question tables contradict the format
    InUse,      // another process keeps its lock
    Link        // a link to a place the user would not expect
};

struct BankInspection {
    BankProblem problem = BankProblem::None;
    common::Outcome<> usable; // fails with the message for the candidate, with the path
    QString notice;           // what the engine did unasked on opening (a journal set aside), to tell once
};

// The quick look at the bank taken at start-up: the file's header, its catalog and the pages of
// the 24 question tables that the windows read, after making sure the bank is not a link someone
// else planted.
BankInspection inspectBank(const QString& bankPath);
// Only whether the bank is usable.
common::Outcome<> checkBank(const QString& bankPath);

// Told once when a journal beside the bank did not belong to it and was kept as `keptAs`.
QString journalSetAsideNotice(const QString& bankPath, const QString& keptAs);

// The message for the candidate when the bank cannot be used: `what` happened, at `bankPath`,
// and, when given, what to do about it.
QString bankUnusable(const QString& what, const QString& bankPath, const QString& remedy = {});

} // namespace bank
