#include "study/ReviewQueue.h"
#include "study/MemoryStates.h"
#include "study/QuestionKey.h"
#include "study/StudyRecord.h"

#include <QTemporaryDir>

#include <map>
#include <vector>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace study;

using memory::Grade;

namespace {

QStringList hashesOf(const QList<MemoryEntry>& queue) {
    QStringList hashes;
    for (const MemoryEntry& entry : queue)
        hashes.append(entry.questionHash);
    return hashes;
}

// The queue's rule reads no memory state but the due day and the last grade.
MemoryEntry entry(int type, const QString& hash, int dueDay, Grade lastGrade) {
    return {type, hash, dueDay, lastGrade, {}, 0};
}

TEST(ReviewQueue, OverdueQuestionsOfEveryKindComeBeforeNewerOnesAndMistakesAtOnce) {
    const int today = 100;
    const QList<MemoryEntry> entries = {
        entry(0, u"due today"_s, today, Grade::Good),
        entry(1, u"overdue long"_s, today - 9, Grade::Good),
        entry(0, u"not yet due"_s, today + 3, Grade::Good),
        entry(2, u"wrong yesterday"_s, today + 1, Grade::Again),
        entry(3, u"overdue"_s, today - 2, Grade::Hard),
    };
    EXPECT_EQ(hashesOf(reviewQueue(entries, today)),
              QStringList({u"overdue long"_s, u"overdue"_s, u"due today"_s, u"wrong yesterday"_s}));
}

// The pure rule must list what the record's wrong-answer book lists, from the same answers.
TEST(ReviewQueue, ListsWhatTheRecordsWrongAnswerBookLists) {
    QTemporaryDir dir;
    StudyRecord record(dir.filePath(u"study.sqlite"_s));
    const QDate first(2026, 3, 2);
    std::map<QString, std::vector<memory::GradedDay>> histories;
    const auto give = [&](const QString& text, bool right, int dayOffset) {
        const QDate day = first.addDays(dayOffset);
        StudyRecord(dir.filePath(u"study.sqlite"_s))
            .recordAnswer({u"danxuan"_s,
                           text,
                           {},
                           bank::QuestionType::SingleChoice,
                           right,
                           right ? 1 : 0,
                           QDateTime(day, QTime(9, 0))});
        histories[questionHash(text)].push_back({dayNumber(day), right ? Grade::Good : Grade::Again});
    };
    give(u"题一"_s, true, 0);
    give(u"题二"_s, false, 0);
    give(u"题三"_s, true, 1);
    give(u"题二"_s, true, 2);
    give(u"题四"_s, false, 3);
    give(u"题一"_s, true, 4);
    give(u"题五"_s, true, 3);
    for (int offset = 0; offset < 60; ++offset) {
        QList<MemoryEntry> entries;
        for (const auto& [hash, history] : histories)
            entries.append(entry(0, hash, memory::replay(history)->dueDay, history.back().grade));
        const QDate today = first.addDays(offset);
        EXPECT_EQ(hashesOf(reviewQueue(entries, dayNumber(today))), record.wrongBook(u"danxuan"_s, today))
            << "day " << offset;
    }
}

} // namespace
