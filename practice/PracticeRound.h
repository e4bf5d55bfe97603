#pragma once

#include <QList>
#include <QSet>
#include <QString>

#include <optional>

namespace practice {

// What the candidate chose beside the type on the practice page.
struct RoundChoice {
    QString chapter; // empty: every chapter (全部章节)
    bool onlyUnanswered = false;
    bool shuffled = false;

    bool walksWholeTable() const { return chapter.isEmpty() && !onlyUnanswered && !shuffled; }
};

// A practice round: the candidate's choice, or a given list of questions (the wrong-answer book,
// a redo of a round's wrong answers) walked in the list's order.
struct RoundPlan {
    RoundChoice choice;
    std::optional<QList<int>> onlyQuestions;

    // Whether the round starts again where the candidate left it: a shuffled order or a given list
    // is new each time, so it starts at its first question.
    bool resumes() const { return !onlyQuestions && !choice.shuffled; }
};

// A row of the type's table as a round orders it.
struct TableRow {
    int id = 0;
    QString chapter;
    QString hash; // study::questionHash of its text
};

// The IDs of `rows` a round walks, in the order it walks them: those of the chosen chapter, less
// the `answered` ones when only unanswered questions are asked for, in the table's order or
// shuffled by `seed` (one seed a round, so 上一题 retraces the same order).
QList<int> roundOrder(const QList<TableRow>& rows, const RoundChoice& choice, const QSet<QString>& answered,
                      quint32 seed);

// The name a round's resume point is kept under: its table and chapter.
QString resumeKey(const QString& table, const RoundChoice& choice);

// A resume point as kept: the question's number and its hash, so that a rebuilt bank whose
// numbers moved does not resume at another question.
struct ResumePoint {
    int id = 0;
    QString hash;

    QString toText() const;
    static std::optional<ResumePoint> fromText(const QString& text);
};

} // namespace practice
