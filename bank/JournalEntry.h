#pragma once

#include <QList>
#include <QString>

namespace bank {

// The one text form of a journal entry, shared by the journal grid (which writes a candidate's entry),
// the standard answers of the bank (DAfenxi1 … DAfenxi5) and the answer windows (which show it line by line):
//
//     借 银行存款 200000
//     贷 实收资本（或股本） 200000
//
// - One line per journal line, in the grid's line order; lines are joined with "\n" (no final "\n").
// - A line is the mark ("借" or "贷", or empty when none is chosen), one blank, the account, one blank,
//   the amount. The account and the amount are trimmed; blanks inside the amount are dropped, so the
//   first blank of a line ends the mark and the last blank begins the amount.
// - A line whose mark, account and amount are all empty is left out; an entry without lines is "".
// Parsing is the exact way back: parseJournalEntry(formatJournalEntry(lines)) gives the lines again
// (without the empty ones). Any other text still parses, line by line, so a recorded answer always shows.

inline constexpr int journalLinesPerEntry = 3;

struct JournalLine {
    QString mark;
    QString account;
    QString amount;

    bool isEmpty() const { return mark.isEmpty() && account.isEmpty() && amount.isEmpty(); }
    friend bool operator==(const JournalLine&, const JournalLine&) = default;
};

QString debitMark();  // 借
QString creditMark(); // 贷

QString formatJournalLine(const JournalLine& line);
QString formatJournalEntry(const QList<JournalLine>& lines);
JournalLine parseJournalLine(const QString& text);
QList<JournalLine> parseJournalEntry(const QString& text);

} // namespace bank
