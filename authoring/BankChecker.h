#pragma once

#include "authoring/BankReview.h"
#include "bank/BankTables.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace authoring {

// Reads a bank file's tables back as records and checks them: all 24 tables present, each with its
// columns, and every table by the bank's rules.

struct ReadBank {
    QList<bank::BankTable> tables;
    QStringList problems; // tables or columns missing, chapter tags unknown, or the file unreadable
};

ReadBank readBankFile(const QString& path);

// Every broken rule of the file at `path`; empty when the bank is sound.
QStringList checkBankFile(const QString& path);

// Everything `qvtb check` looks at: the rules, the review of the tables and, when a source directory
// is given, the review against the sources the bank was built from.
BankReview checkBank(const QString& path, const QString& sourceDirectory = {});

} // namespace authoring
