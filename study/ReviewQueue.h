#pragma once

// Which answered questions come up for review on a day: the rule of the wrong-answer book, from
// which the daily plan (DailyPlan.h) takes its reviews, on memory states already read, so that it
// can be used without a record (and tried on simulated candidates).
#include "study/MemoryModel.h"

#include <QList>
#include <QString>

namespace study {

// What the record keeps of one answered question for the queue.
struct MemoryEntry {
    int type = 0; // the question's kind, as in the record's qtype
    QString questionHash;
    int dueDay = 0;
    memory::Grade lastGrade = memory::Grade::Good;
    memory::State state;
    int lastDay = 0; // the day of the last graded attempt
};

// In the queue on `today`: due by then, or got wrong the last time (a mistake is reviewed at once,
// not only when its interval is up).
bool inReviewQueue(const MemoryEntry& entry, int today);

// Today's queue over every kind: the entries in the queue, longest due first; on the same due day
// by kind, then by hash, as the record lists a kind's book.
QList<MemoryEntry> reviewQueue(const QList<MemoryEntry>& entries, int today);

} // namespace study
