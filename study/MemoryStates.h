#pragma once

// Each answered question's memory state, kept in the record's `memory` table and made again from
// the question's graded attempts whenever one is written, so that an attempt replaced within its
// sitting, an exam's answers and an old record all give the state their history gives.
#include "common/Outcome.h"

#include <QDate>

class QSqlDatabase;
class QString;

namespace study {

// The number of a calendar day, the unit the memory model counts in.
inline int dayNumber(const QDate& date) {
    return static_cast<int>(date.toJulianDay());
}
inline QDate dateOfDay(int day) {
    return QDate::fromJulianDay(day);
}

// The state of one question from its answers; removed when it has none.
common::Outcome<> refreshMemory(QSqlDatabase& db, const QString& table, const QString& questionHash);
// Every question's state from all answers, for a record that had none.
common::Outcome<> rebuildMemory(QSqlDatabase& db);

} // namespace study
