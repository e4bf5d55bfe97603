#pragma once

#include "authoring/PaperDraw.h"
#include "bank/BankTables.h"

#include <QList>
#include <QStringList>

namespace authoring {

// What `qvtb check` looks at beyond the rules of each table: the answer-pattern figures of the practice
// tables, questions that give each other away, and, given the sources, how the papers were drawn.

struct BankReview {
    QStringList report;   // figures and findings, one line each, to read
    QStringList problems; // what fails the bank
};

// The pattern figures of each practice table (any over its limit fails the bank), and no paper holding
// two questions that give each other away (found among the practice tables' questions, tags or not).
BankReview reviewTables(const QList<bank::BankTable>& tables);

// Against the sources the bank was built from: the practice tables hold exactly the sources'
// questions; every give-away pair across the four pools is declared by a shared RE tag; no paper holds
// two questions that share a tag; every paper holds every chapter the pools have; each pool is used
// evenly (its questions' numbers of papers differ by one at most).
BankReview reviewAgainstSources(const QList<bank::BankTable>& tables, const QuestionPools& pools);

} // namespace authoring
