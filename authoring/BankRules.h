#pragma once

#include "bank/QuestionRecord.h"
#include "bank/QuestionType.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace authoring {

// The content rules every question of a bank obeys; `qvtb check` and `qvtb build` apply them.
// Each function returns the broken rules as readable sentences; an empty list means all hold.

// One question of a kind: its text, options, standard answer and explanation present; the standard
// answer in its closed set (multiple choice in letter order); a calculation question's TX naming its
// form and all five standard answers in that form (plain amounts, or balanced journal entries over
// accounts of the chart); a recorded answer and score, if any, within their closed sets.
QStringList questionProblems(bank::QuestionType type, const bank::QuestionRecord& record);

// Problems of one journal-entry standard answer ("借 ACCOUNT AMOUNT" lines, debits first, balanced).
QStringList journalStandardProblems(const QString& entry);

// A whole table's rows: each question by the rules above (the kind of a paper row from its ID),
// no question text twice, every ID once; a paper has exactly the IDs 1–62 and one amounts and one
// journal calculation question.
QStringList tableProblems(const QString& table, const QList<bank::QuestionRecord>& rows);

} // namespace authoring
