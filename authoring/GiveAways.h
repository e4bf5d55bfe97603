#pragma once

#include "bank/QuestionRecord.h"
#include "bank/QuestionType.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace authoring {

// Pairs of questions of which one gives the other away: the same question asked as single and as
// multiple choice or with other amounts, a true/false statement that is another question's option or
// its negation, the same options asked as 属于 in one question and 不属于 in another. Found by the
// likeness of their texts, over every kind at once.

struct ComparedQuestion {
    bank::QuestionType type = bank::QuestionType::SingleChoice;
    bank::QuestionRecord record;
    QStringList related; // RE tags
    QString where;       // how a report names it, e.g. "danxuan.txt:12"
};

struct GiveAwayPair {
    int first = 0; // indices into the questions compared, first < second
    int second = 0;
    QString reason; // what makes them alike, with its measure
};

// Likeness is measured on character pairs of the texts with punctuation and blanks left out, every
// number masked and negations (不, 无需 …) folded away; pairs that more than one question in twenty
// holds are stock phrasing (下列, 企业, 属于 …) and do not count.
// - similar texts: Jaccard of the question texts with their keyed options at least 0.5;
// - a statement in another's option: at least 65 % of a true/false statement's pairs (six or more) lie
//   in a choice question's text with one of its options, keyed or not;
// - the same options: all four options alike (numbers alone do not count), or three alike and question
//   texts with a Jaccard of at least 0.3.
QList<GiveAwayPair> findGiveAways(const QList<ComparedQuestion>& questions);

// Whether two questions share an RE tag.
bool areRelated(const ComparedQuestion& a, const ComparedQuestion& b);

} // namespace authoring
