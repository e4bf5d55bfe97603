#pragma once

#include "common/Outcome.h"

#include <QList>
#include <QString>

class QSqlDatabase;

namespace study {

// What the candidate put on a question: a star and a note; none of either until they do.
struct QuestionMark {
    bool starred = false;
    QString note;
    friend bool operator==(const QuestionMark&, const QuestionMark&) = default;
};

// A question the candidate starred or wrote a note on, as the study page lists it.
struct MarkedQuestion {
    QString table;
    QString questionText;
    QuestionMark mark;
};

QuestionMark questionMark(QSqlDatabase db, const QString& table, const QString& questionText);
common::Outcome<> setStarred(QSqlDatabase db, const QString& table, const QString& questionText,
                             bool starred);
common::Outcome<> setNote(QSqlDatabase db, const QString& table, const QString& questionText,
                          const QString& note);
// Every marked question, by table, most recently marked first within it.
QList<MarkedQuestion> markedQuestions(QSqlDatabase db);

} // namespace study
