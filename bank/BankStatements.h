#pragma once

#include "common/Outcome.h"

#include <QString>
#include <QStringList>

namespace bank {

// Every statement the bank sends, assembled from fixed pieces, a table name and a question text.
// The answer values and the scores are not formatted into a statement: each has its own fixed piece,
// so a value outside those sets has no statement at all: asking for one fails, saying which.

// A text to place between single quotes: every quote is doubled, so no text can end the literal early.
QString escapeQuotes(const QString& text);

QString selectStatement(const QString& table);    // select * from T
QString findCriterion(int id);                    // ID=n
QString sumScoresStatement(const QString& table); // select sum(fen) from T

// update T set XXDA='AB'where TM='…' — for the seventeen answer values and the empty answer.
common::Outcome<QString> answerStatement(const QString& table, const QString& questionText,
                                         const QString& value);
// update T set fen='10'where TM='…' — for the scores 0, 1, 2, 4, 6, 8, 10.
common::Outcome<QString> scoreStatement(const QString& table, const QString& questionText, int score);
// update T set fenxi3='…'where TM='…' — field 1 … 5, free answer text.
common::Outcome<QString> calcAnswerStatement(const QString& table, const QString& questionText, int field,
                                             const QString& answer);
// The statements that clear a table: fen, then XXDA (tables with choices), then fenxi1 … fenxi5
// (tables with calculation questions). Empty for a name that is not a bank table.
QStringList clearStatements(const QString& table);

} // namespace bank
