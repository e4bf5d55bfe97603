#pragma once

#include "bank/QuestionRecord.h"
#include "bank/QuestionType.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cmath>

namespace authoring {

// How well strategies that never read the question score on a practice table: strategies that follow
// the sequence of answers, constant answers, and cues in the wording. Each figure comes with the score
// the same strategy has by chance; a bank whose figure beats its chance by more than the figure's
// limit lets a candidate score without knowing the subject.

struct PatternFigure {
    QString name;
    double score = 0;  // share of the questions covered that the strategy answers right
    double chance = 0; // its score by chance (see patternFigures)
    double limit = 0;  // largest excess over chance allowed, in points; 0: reported only
    int covered = 0;   // questions the strategy answers
    // A cue that tells either way (restrictive words in a key or out of it) fails below chance too.
    bool twoSided = false;

    double excessPoints() const { return (score - chance) * 100; }
    bool fails() const { return limit > 0 && (twoSided ? std::abs(excessPoints()) : excessPoints()) > limit; }
};

// Limits, in percentage points over chance. Wording cues get more room: their figures come from the
// texts the writers chose, and a few statements more or less of one length move them by points.
inline constexpr double sequenceLimit = 5;
inline constexpr double constantLimit = 5;
inline constexpr double wordingLimit = 8;
// Where the key stands among numeric options is one cue a candidate learns fast; restrictive words in
// multiple-choice options are judged against the other options' key rate, not against a fixed chance.
inline constexpr double numericRankLimit = 5;
inline constexpr double restrictiveWordLimit = 10;

// The sequence figures of a table's standard answers in practice order. Chance is the strategy's
// expected score over every order of the same answers, so it measures the order alone.
QList<PatternFigure> sequenceFigures(bank::QuestionType type, const QStringList& answers);

// Every figure of a practice table whose rows are in practice (ID) order: the sequence figures, then
// constant answers (chance: a uniform guess over the kind's answers), then wording cues (chance: the
// cue's expected score when the standard answers are dealt to the questions at random), then for
// single choice with numeric options the key's rank among the sorted values (one of the two middle
// values, chance 50 %; the value nearest the options' mean, chance 25 %), for multiple choice the key
// rate of options with a restrictive word against the key rate of the other options, the key sizes
// and the share of options in the key, reported against a uniform choice among the eleven keys.
// Calculation questions have no figures.
QList<PatternFigure> patternFigures(bank::QuestionType type, const QList<bank::QuestionRecord>& rows);

// The absolute words a true/false statement is suspected of being false for.
const QStringList& absoluteWords();

// The restrictive words a multiple-choice option is suspected of being wrong for.
const QStringList& restrictiveWords();

// Whether `text` holds one of `words` as a word: 所有 in 所有者 or 所有权, 均 in 平均 and 仅 in 不仅
// restrict nothing and do not count.
bool holdsWord(const QString& text, const QStringList& words);

} // namespace authoring
