// The study record at the scale of a long preparation: 50,000 graded answers over 300 days on every
// question of the bank. Prints, with min, median and max: remembering an old record at its first
// opening (every question's memory state from its answers), one graded answer recorded and
// scheduled, today's review queue of every kind, today's plan (the memory states read and the daily
// target planned, as 今日复习 does), the per-kind figures of the study page, and the record exported
// and that copy merged into a fresh record.

#include "bank/QuestionType.h"
#include "study/DailyPlan.h"
#include "study/MemoryStates.h"
#include "study/QuestionKey.h"
#include "study/StudyRecord.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int kAnswers = 50000;
constexpr int kDays = 300;
constexpr std::array<int, 4> kQuestionsPerType = {500, 500, 500, 72};

// Answers written straight into the file, as years of sittings would have left them.
void fillRecord(const QString& path) {
    { study::StudyRecord created(path); }
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"fill"_s);
    db.setDatabaseName(path);
    db.open();
    QSqlQuery query(db);
    query.exec(u"BEGIN"_s);
    query.prepare(u"INSERT INTO answers (tbl, qhash, qtype, chapter, correct, score, at, day, grade)"
                  " VALUES (?, ?, ?, '', ?, ?, ?, ?, ?)"_s);
    QRandomGenerator random(28);
    const QDate first = QDate::currentDate().addDays(-kDays);
    for (int i = 0; i < kAnswers; ++i) {
        const int type = i % 4;
        const QDate day = first.addDays(i * kDays / kAnswers);
        const bool right = random.bounded(1.0) < 0.7;
        query.addBindValue(bank::practiceTable(bank::allQuestionTypes[type]));
        query.addBindValue(study::questionHash(u"q%1"_s.arg(random.bounded(kQuestionsPerType[type]))));
        query.addBindValue(type);
        query.addBindValue(right ? 1 : 0);
        query.addBindValue(right ? 1 : 0);
        query.addBindValue(QDateTime(day, QTime(20, 0)).toMSecsSinceEpoch() + i);
        query.addBindValue(day.toString(Qt::ISODate));
        query.addBindValue(right ? 3 : 1);
        query.exec();
    }
    query.exec(u"COMMIT"_s);
}

// The bank's hashes as fillRecord names its questions.
study::BankHashes bankHashes() {
    study::BankHashes bank;
    for (std::size_t type = 0; type < bank.size(); ++type)
        for (int i = 0; i < kQuestionsPerType[type]; ++i)
            bank[type].append(study::questionHash(u"q%1"_s.arg(i)));
    return bank;
}

void report(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s n=%-5zu min %7.3f ms  median %7.3f ms  max %7.3f ms\n", what, ms.size(), ms.front(),
                ms[ms.size() / 2], ms.back());
}

std::vector<double> timed(int runs, const std::function<void(int)>& run) {
    std::vector<double> ms;
    QElapsedTimer clock;
    for (int i = 0; i < runs; ++i) {
        clock.start();
        run(i);
        ms.push_back(clock.nsecsElapsed() / 1e6);
    }
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"study.sqlite"_s);
    fillRecord(path);
    {
        QSqlDatabase db = QSqlDatabase::database(u"fill"_s);
        // As the record's migration does it: in its one transaction.
        report("remember every question of the record", timed(1, [&](int) {
                   QSqlQuery(u"BEGIN"_s, db);
                   (void)study::rebuildMemory(db);
                   QSqlQuery(u"COMMIT"_s, db);
               }));
        db.close();
    }
    QSqlDatabase::removeDatabase(u"fill"_s);

    study::StudyRecord record(path);
    const QDateTime now = QDateTime::currentDateTime();
    report("one graded answer recorded and scheduled", timed(1000, [&](int i) {
               // Each a question of the bank with its history, once in the sitting.
               const auto type =
                   i < 500 ? bank::QuestionType::SingleChoice : bank::QuestionType::MultipleChoice;
               const bool right = i % 3 != 0;
               record.recordAnswer({bank::practiceTable(type),
                                    u"q%1"_s.arg(i % 500),
                                    {},
                                    type,
                                    right,
                                    right ? 1 : 0,
                                    now.addSecs(i)});
               record.settleAttempt();
           }));
    if (record.pendingWrites() != 0) std::printf("%d answers not written\n", record.pendingWrites());
    report("today's review queue of every kind", timed(51, [&](int) {
               for (bank::QuestionType type : bank::allQuestionTypes)
                   (void)record.wrongBook(bank::practiceTable(type));
           }));
    const study::BankHashes bank = bankHashes();
    const int today = study::dayNumber(QDate::currentDate());
    report("today's plan (states read, 30 planned)",
           timed(51, [&](int) { (void)study::dailyPlan(record.memoryEntries(), bank, today, 30); }));
    report("today's answers against the daily target", timed(51, [&](int) { (void)record.dailyProgress(); }));
    report("the study page's figures per kind", timed(51, [&](int) { (void)record.typeFigures(); }));
    const QString backup = dir.filePath(u"backup.sqlite"_s);
    report("the record exported (VACUUM INTO)", timed(11, [&](int) {
               if (const common::Outcome<> exported = record.exportTo(backup); !exported)
                   std::printf("export failed: %s\n", qPrintable(exported.reason()));
           }));
    report("the export merged into a fresh record", timed(3, [&](int i) {
               study::StudyRecord fresh(dir.filePath(u"fresh-%1.sqlite"_s.arg(i)));
               if (const common::Outcome<> imported = fresh.importFrom(backup, study::ImportMode::Merge);
                   !imported)
                   std::printf("import failed: %s\n", qPrintable(imported.reason()));
           }));
    std::printf("%d answers over %d days\n", kAnswers, kDays);
    return 0;
}
