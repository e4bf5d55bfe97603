// The study record exported while the program works and imported on another home: merged with the
// record there or replacing it, each answer and exam once; a file that is no record, or one of a
// newer program, changes nothing. And an old record keeps what it held.

#include "study/StudyRecord.h"
#include "study/StudySchema.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace study;

using bank::QuestionType;

namespace {

const QDateTime kMonday(QDate(2026, 3, 2), QTime(9, 0));

PracticeAnswer answer(const QString& text, bool right, const QDateTime& at) {
    return {u"danxuan"_s, text, u"第一章"_s, QuestionType::SingleChoice, right, right ? 1 : 0, at};
}

// A handed-in paper of two questions, as the exam window gives it.
ExamAttempt attempt(const QDateTime& started, const QString& givenToFirst) {
    ExamAttempt a;
    a.paper = 4;
    a.started = started;
    a.ended = started.addSecs(30 * 60);
    a.usedSeconds = 30 * 60;
    const bool right = givenToFirst == u"B"_s;
    a.total = right ? 1 : 0;
    a.typeScores = {a.total, 0, 0, 0};
    bank::QuestionRecord first;
    first.id = 1;
    first.tm = u"考卷题一"_s;
    first.options = {u"甲"_s, u"乙"_s, u"丙"_s, u"丁"_s};
    first.da = u"B"_s;
    first.xxda = givenToFirst;
    first.fen = QString::number(a.total);
    first.jx = u"解析一"_s;
    bank::QuestionRecord second;
    second.id = 2;
    second.tm = u"考卷题二"_s;
    second.da = u"C"_s;
    second.fen = u"0"_s;
    a.questions = {{1, first.tm, right, a.total, QuestionType::SingleChoice, u"第二章"_s, true, first},
                   {2, second.tm, false, 0, QuestionType::SingleChoice, u"第二章"_s, false, second}};
    return a;
}

// What the study page and the status bar show of a record.
struct Figures {
    std::array<TypeFigures, 4> types;
    DailyProgress today;
    int chapters = 0;
    QList<int> examTotals;

    explicit Figures(StudyRecord& record)
        : types(record.typeFigures(kMonday.date())), today(record.dailyProgress(kMonday.date())),
          chapters(static_cast<int>(record.chapterFigures().size())) {
        for (const ExamHistoryEntry& entry : record.examHistory())
            examTotals.append(entry.total);
    }
    bool operator==(const Figures& other) const {
        for (std::size_t i = 0; i < types.size(); ++i)
            if (types[i].questionsAnswered != other.types[i].questionsAnswered ||
                types[i].rightLastTime != other.types[i].rightLastTime ||
                types[i].inWrongBook != other.types[i].inWrongBook)
                return false;
        return today.answeredToday == other.today.answeredToday && today.target == other.today.target &&
               chapters == other.chapters && examTotals == other.examTotals;
    }
};

int answerCount(const QString& path) {
    int count = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"count"_s);
        db.setDatabaseName(path);
        QSqlQuery query(db);
        if (db.open() && query.exec(u"SELECT COUNT(*) FROM answers"_s) && query.next())
            count = query.value(0).toInt();
    }
    QSqlDatabase::removeDatabase(u"count"_s);
    return count;
}

class StudyTransferTest : public ::testing::Test {
protected:
    QString file(const QString& name) const { return dir.filePath(name); }
    // A record of three answers, a daily target and one exam, on `path`.
    void fill(const QString& path, const QDateTime& from) {
        StudyRecord record(path);
        record.recordAnswer(answer(u"题一"_s, false, from));
        record.recordAnswer(answer(u"题二"_s, true, from.addSecs(60)));
        record.recordAnswer(answer(u"题三"_s, true, from.addSecs(120)));
        record.settleAttempt();
        ASSERT_TRUE(record.setDailyTarget(2).ok());
        record.recordExam(attempt(from.addSecs(600), u"A"_s));
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(StudyTransferTest, AnExportTakenWhileAnotherConnectionWritesImportsOnAFreshHomeWithTheSameFigures) {
    fill(file(u"here.sqlite"_s), kMonday);
    StudyRecord here(file(u"here.sqlite"_s));
    const Figures exported(here);
    {
        // The practice window's connection is in the middle of writing an answer.
        QSqlDatabase writer = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"writer"_s);
        writer.setDatabaseName(file(u"here.sqlite"_s));
        ASSERT_TRUE(writer.open());
        QSqlQuery query(writer);
        ASSERT_TRUE(query.exec(u"BEGIN IMMEDIATE"_s));
        ASSERT_TRUE(
            query.exec(u"INSERT INTO answers (tbl, qhash, qtype, chapter, correct, score, at, day, grade)"
                       " VALUES ('danxuan', 'x', 0, '', 1, 1, 1, '2026-03-02', 3)"_s));
        const common::Outcome<> taken = here.exportTo(file(u"backup.sqlite"_s));
        ASSERT_TRUE(taken.ok()) << taken.reason().toStdString();
        ASSERT_TRUE(query.exec(u"COMMIT"_s));
    }
    QSqlDatabase::removeDatabase(u"writer"_s);
    EXPECT_EQ(answerCount(file(u"backup.sqlite"_s)), 4)
        << "three answers and the exam's one, not the unfinished";

    StudyRecord fresh(file(u"fresh/study.sqlite"_s));
    const common::Outcome<> imported = fresh.importFrom(file(u"backup.sqlite"_s), ImportMode::Merge);
    ASSERT_TRUE(imported.ok()) << imported.reason().toStdString();
    EXPECT_TRUE(Figures(fresh) == exported);
    EXPECT_EQ(fresh.dailyProgress(kMonday.date()).target, 2);
    const QList<ExamHistoryEntry> history = fresh.examHistory();
    ASSERT_EQ(history.size(), 1);
    const common::Outcome<ExamReview> review = fresh.examReview(history[0].id);
    ASSERT_TRUE(review.ok()) << review.reason().toStdString();
    EXPECT_EQ(review->questions[0].xxda, u"A"_s);
    EXPECT_EQ(review->questions[0].jx, u"解析一"_s);
}

TEST_F(StudyTransferTest, MergingKeepsEachAnswerAndExamOnceAndReplacingTakesTheFile) {
    fill(file(u"there.sqlite"_s), kMonday);
    ASSERT_TRUE(StudyRecord(file(u"there.sqlite"_s)).setStarred(u"danxuan"_s, u"题二"_s, true).ok());
    ASSERT_TRUE(StudyRecord(file(u"there.sqlite"_s)).exportTo(file(u"backup.sqlite"_s)).ok());
    StudyRecord here(file(u"here.sqlite"_s));
    ASSERT_TRUE(here.setNote(u"danxuan"_s, u"题三"_s, u"看清题干"_s).ok());
    here.recordAnswer(answer(u"题一"_s, true, kMonday.addDays(1))); // the same question, later, right
    here.settleAttempt();
    here.recordExam(attempt(kMonday.addDays(1), u"B"_s));
    ASSERT_TRUE(here.setDailyTarget(40).ok());
    for (int twice = 0; twice < 2; ++twice)
        ASSERT_TRUE(here.importFrom(file(u"backup.sqlite"_s), ImportMode::Merge).ok()) << twice;
    EXPECT_EQ(answerCount(file(u"here.sqlite"_s)), 4 + 2);
    const QList<ExamHistoryEntry> merged = here.examHistory();
    ASSERT_EQ(merged.size(), 2);
    EXPECT_EQ(merged[0].started, kMonday.addSecs(600));
    EXPECT_EQ(here.examReview(merged[0].id)->questions[0].xxda, u"A"_s) << "its questions came with it";
    EXPECT_EQ(here.examReview(merged[1].id)->questions[0].xxda, u"B"_s);
    // 题一: wrong on Monday, right since: its memory is made from both.
    EXPECT_EQ(here.typeFigures(kMonday.date().addDays(1))[0].rightLastTime, 4);
    EXPECT_EQ(here.dailyProgress().target, 40) << "this record's settings kept";
    EXPECT_TRUE(here.questionMark(u"danxuan"_s, u"题二"_s).starred) << "the star came with the file";
    EXPECT_EQ(here.questionMark(u"danxuan"_s, u"题三"_s).note, u"看清题干"_s);

    ASSERT_TRUE(here.importFrom(file(u"backup.sqlite"_s), ImportMode::Replace).ok());
    StudyRecord there(file(u"there.sqlite"_s));
    EXPECT_TRUE(Figures(here) == Figures(there));
    EXPECT_EQ(here.dailyProgress().target, 2);
    EXPECT_TRUE(here.questionMark(u"danxuan"_s, u"题三"_s).note.isEmpty());
}

// Another window in the middle of a write holds the record longer than an import waits: the import
// is refused in words the candidate reads, and nothing changes.
TEST_F(StudyTransferTest, AnImportMeetingAWriteHeldElsewhereSaysSoInChineseAndChangesNothing) {
    fill(file(u"here.sqlite"_s), kMonday);
    ASSERT_TRUE(StudyRecord(file(u"there.sqlite"_s)).exportTo(file(u"backup.sqlite"_s)).ok());
    StudyRecord here(file(u"here.sqlite"_s));
    const Figures before(here);
    {
        QSqlDatabase writer = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"holder"_s);
        writer.setDatabaseName(file(u"here.sqlite"_s));
        ASSERT_TRUE(writer.open());
        QSqlQuery query(writer);
        ASSERT_TRUE(query.exec(u"BEGIN IMMEDIATE"_s));
        const common::Outcome<> imported = here.importFrom(file(u"backup.sqlite"_s), ImportMode::Replace);
        ASSERT_FALSE(imported.ok());
        EXPECT_TRUE(imported.reason().contains(u"另一个窗口使用"_s)) << imported.reason().toStdString();
        EXPECT_FALSE(imported.reason().contains(u"locked"_s)) << imported.reason().toStdString();
        ASSERT_TRUE(query.exec(u"ROLLBACK"_s));
    }
    QSqlDatabase::removeDatabase(u"holder"_s);
    EXPECT_TRUE(Figures(here) == before);
}

TEST_F(StudyTransferTest, AFileThatIsNoRecordOrOfANewerProgramIsRefusedAndChangesNothing) {
    fill(file(u"here.sqlite"_s), kMonday);
    {
        QFile damaged(file(u"damaged.sqlite"_s));
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write(QByteArray(8192, 'x'));
    }
    ASSERT_TRUE(StudyRecord(file(u"there.sqlite"_s)).exportTo(file(u"newer.sqlite"_s)).ok());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"mark"_s);
        for (const auto& [name, statement] :
             {std::pair{u"newer.sqlite"_s, u"PRAGMA user_version = %1"_s.arg(kSchemaVersion + 1)},
              {u"other.sqlite"_s, u"CREATE TABLE answers (x)"_s}}) {
            db.setDatabaseName(file(name));
            ASSERT_TRUE(db.open());
            ASSERT_TRUE(QSqlQuery(db).exec(statement));
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(u"mark"_s);
    StudyRecord here(file(u"here.sqlite"_s));
    const Figures before(here);
    for (const QString& name :
         {u"damaged.sqlite"_s, u"newer.sqlite"_s, u"other.sqlite"_s, u"missing.sqlite"_s})
        for (const ImportMode mode : {ImportMode::Merge, ImportMode::Replace}) {
            const common::Outcome<> imported = here.importFrom(file(name), mode);
            EXPECT_FALSE(imported.ok()) << name.toStdString();
            EXPECT_FALSE(imported.reason().isEmpty());
            EXPECT_TRUE(Figures(here) == before) << name.toStdString();
        }
    EXPECT_TRUE(here.importFrom(file(u"newer.sqlite"_s), ImportMode::Merge).reason().contains(u"较新版本"_s));
    EXPECT_EQ(QFile(file(u"damaged.sqlite"_s)).size(), 8192) << "the file itself is only read";
}

TEST_F(StudyTransferTest, ARecordOfTheVersionBeforeKeepsEverythingAndSaysItsExamsCannotBeReviewed) {
    fill(file(u"old.sqlite"_s), kMonday);
    const Figures was = [&] {
        StudyRecord record(file(u"old.sqlite"_s));
        return Figures(record);
    }();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"old"_s);
        db.setDatabaseName(file(u"old.sqlite"_s));
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(u"ALTER TABLE exam_questions DROP COLUMN shown"_s));
        ASSERT_TRUE(query.exec(u"DROP TABLE marks"_s));
        ASSERT_TRUE(query.exec(u"PRAGMA user_version = 3"_s));
        db.close();
    }
    QSqlDatabase::removeDatabase(u"old"_s);
    StudyRecord record(file(u"old.sqlite"_s));
    ASSERT_TRUE(record.isOpen());
    EXPECT_TRUE(Figures(record) == was);
    const common::Outcome<ExamReview> review = record.examReview(record.examHistory()[0].id);
    ASSERT_FALSE(review.ok());
    EXPECT_TRUE(review.reason().contains(u"没有保存"_s)) << review.reason().toStdString();
    record.recordExam(attempt(kMonday.addDays(2), u"B"_s));
    EXPECT_TRUE(record.examReview(record.examHistory()[1].id).ok());
}
