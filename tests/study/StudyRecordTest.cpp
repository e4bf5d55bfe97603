#include "study/StudyRecord.h"
#include "study/QuestionKey.h"
#include "study/StudySchema.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace Qt::StringLiterals;
using namespace study;

using bank::QuestionType;

namespace {

const QDateTime kMonday(QDate(2026, 3, 2), QTime(9, 0));

PracticeAnswer answer(const QString& text, bool right, const QDateTime& at,
                      const QString& table = u"danxuan"_s) {
    return {table, text, {}, QuestionType::SingleChoice, right, right ? 1 : 0, at};
}

ExamAttempt attempt(int paper, int total) {
    ExamAttempt a;
    a.paper = paper;
    a.started = kMonday;
    a.ended = kMonday.addSecs(41 * 60);
    a.usedSeconds = 41 * 60;
    a.total = total;
    a.typeScores = {total, 0, 0, 0};
    a.questions = {{1, u"题一"_s, true, 1, QuestionType::SingleChoice, {}, false},
                   {2, u"题二"_s, false, 0, QuestionType::SingleChoice, {}, false}};
    return a;
}

// Another process that holds the record's write lock until told to let go.
class LockHolder {
public:
    explicit LockHolder(const QString& path) {
        m_process.start(u"python3"_s, {u"-c"_s,
                                       u"import sqlite3, sys\n"
                                       "c = sqlite3.connect(sys.argv[1], isolation_level=None)\n"
                                       "c.execute('BEGIN IMMEDIATE')\n"
                                       "print('locked', flush=True)\n"
                                       "sys.stdin.readline()\n"
                                       "c.execute('COMMIT')\n"_s,
                                       path});
    }
    bool locked() { return m_process.waitForReadyRead(10000) && m_process.readAll().startsWith("locked"); }
    void release() {
        m_process.write("\n");
        m_process.closeWriteChannel();
        m_process.waitForFinished(10000);
    }
    ~LockHolder() {
        if (m_process.state() != QProcess::NotRunning) release();
    }

private:
    QProcess m_process;
};

// A connection of the test's own to the record's file, removed with this object.
class DirectConnection {
public:
    DirectConnection(const QString& path, const QString& name) : m_name(name) {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(path);
        m_open = db.open();
    }
    ~DirectConnection() {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    DirectConnection(const DirectConnection&) = delete;
    DirectConnection& operator=(const DirectConnection&) = delete;

    bool isOpen() const { return m_open; }
    QSqlDatabase database() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
    bool m_open = false;
};

class StudyRecordTest : public ::testing::Test {
protected:
    QString path() const { return m_dir.filePath(u"study.sqlite"_s); }
    // Makes the record's file, opens m_record on it, and has another process lock it (m_holder).
    bool openThenLock() {
        { StudyRecord created(path()); }
        m_record.emplace(path());
        m_holder.emplace(path());
        return m_holder->locked();
    }

    QTemporaryDir m_dir;
    std::optional<StudyRecord> m_record;
    std::optional<LockHolder> m_holder; // let go before the record closes
};

TEST_F(StudyRecordTest, AnswersAndExamsOutliveTheRecordBeingClosed) {
    {
        StudyRecord record(path());
        ASSERT_TRUE(record.isOpen());
        record.recordAnswer(answer(u"题一"_s, false, kMonday));
        record.recordAnswer(answer(u"题二"_s, true, kMonday.addSecs(60)));
        record.recordExam(attempt(3, 72));
    }
    StudyRecord reopened(path());
    const std::array<TypeFigures, 4> figures = reopened.typeFigures(kMonday.date());
    EXPECT_EQ(figures[0].questionsAnswered, 2);
    EXPECT_EQ(figures[0].rightLastTime, 1);
    EXPECT_EQ(figures[0].inWrongBook, 1);
    const QList<ExamHistoryEntry> history = reopened.examHistory();
    ASSERT_EQ(history.size(), 1);
    EXPECT_EQ(history[0].paper, 3);
    EXPECT_EQ(history[0].total, 72);
    EXPECT_EQ(history[0].usedSeconds, 41 * 60);
    EXPECT_EQ(history[0].started, kMonday);
}

TEST_F(StudyRecordTest, OneAttemptPerQuestionAndSittingAndARightAnswerAfterTheExplanationIsHalfKnown) {
    {
        StudyRecord record(path());
        record.recordAnswer(answer(u"题一"_s, false, kMonday));           // first box ticked
        record.recordAnswer(answer(u"题一"_s, true, kMonday.addSecs(5))); // second box: right
        record.recordAnswer(answer(u"题二"_s, false, kMonday.addSecs(10)));
        record.closeQuestion(u"danxuan"_s, u"题二"_s);                      // the explanation seen
        record.recordAnswer(answer(u"题二"_s, true, kMonday.addSecs(15)));  // mended: practice only
        record.recordAnswer(answer(u"题一"_s, false, kMonday.addSecs(20))); // came back: settled
        record.closeQuestion(u"danxuan"_s, u"题三"_s);                      // peeked, then answered
        record.recordAnswer(answer(u"题三"_s, true, kMonday.addSecs(25)));
        const TypeFigures figures = record.typeFigures(kMonday.date())[0];
        EXPECT_EQ(figures.questionsAnswered, 3);
        EXPECT_EQ(figures.rightLastTime, 2);
        EXPECT_EQ(record.wrongBook(u"danxuan"_s, kMonday.date()), QStringList{questionHash(u"题二"_s)});
        // Right after the explanation comes back sooner than right unaided, later than wrong.
        EXPECT_EQ(record.wrongBook(u"danxuan"_s, kMonday.date().addDays(2)),
                  QStringList({questionHash(u"题二"_s), questionHash(u"题三"_s)}));
        EXPECT_EQ(record.wrongBook(u"danxuan"_s, kMonday.date().addDays(3)).size(), 3);
    }
    // The next sitting is a new attempt.
    StudyRecord next(path());
    next.recordAnswer(answer(u"题二"_s, true, kMonday.addDays(1)));
    EXPECT_EQ(next.typeFigures(kMonday.date())[0].rightLastTime, 3);
}

TEST_F(StudyRecordTest, AnswersWaitingForALockAreWrittenOnceEachWhateverTheOrderOfFailures) {
    { StudyRecord created(path()); }
    StudyRecord record(path());
    record.recordAnswer(answer(u"题一"_s, false, kMonday)); // written
    LockHolder holder(path());
    ASSERT_TRUE(holder.locked());
    record.recordAnswer(answer(u"题一"_s, true, kMonday.addSecs(5))); // replaces, waits
    record.recordAnswer(answer(u"题一"_s, true, kMonday.addSecs(6))); // replaces the waiting one
    record.recordAnswer(answer(u"题二"_s, true, kMonday.addSecs(7)));
    EXPECT_EQ(record.pendingWrites(), 2);
    holder.release();
    record.close();
    DirectConnection direct(path(), u"count"_s);
    ASSERT_TRUE(direct.isOpen());
    QSqlQuery query(direct.database());
    ASSERT_TRUE(query.exec(u"SELECT COUNT(*), SUM(correct) FROM answers"_s) && query.next());
    EXPECT_EQ(query.value(0).toInt(), 2);
    EXPECT_EQ(query.value(1).toInt(), 2);
}

TEST_F(StudyRecordTest, AHandedInExamFeedsTheBookAndFiguresAndEndsTheExamInProgress) {
    StudyRecord record(path());
    record.keepExamInProgress({3, kMonday, 1'200'000});
    ASSERT_EQ(record.examInProgress(), (ExamInProgress{3, kMonday, 1'200'000}));
    ExamAttempt a = attempt(3, 1);
    a.questions = {{1, u"题一"_s, true, 1, QuestionType::SingleChoice, u"会计凭证"_s, true},
                   {21, u"多选一"_s, false, 0, QuestionType::MultipleChoice, u"会计账簿"_s, true},
                   {22, u"多选二"_s, false, 0, QuestionType::MultipleChoice, u"会计账簿"_s, false}};
    record.recordExam(a);
    EXPECT_FALSE(record.examInProgress());
    const std::array<TypeFigures, 4> figures = record.typeFigures();
    EXPECT_EQ(figures[0].questionsAnswered, 1);
    EXPECT_EQ(figures[1].questionsAnswered, 1); // the unanswered one is no mistake
    EXPECT_EQ(figures[1].inWrongBook, 1);
    EXPECT_EQ(record.wrongBook(u"duoxuan"_s).size(), 1);
    EXPECT_EQ(record.chapterFigures().size(), 2);
}

TEST_F(StudyRecordTest, TheSchemaIsCreatedAndVersioned) {
    { StudyRecord record(path()); }
    {
        DirectConnection direct(path(), u"look"_s);
        ASSERT_TRUE(direct.isOpen());
        QSqlQuery query(direct.database());
        ASSERT_TRUE(query.exec(u"PRAGMA user_version"_s) && query.next());
        EXPECT_EQ(query.value(0).toInt(), kSchemaVersion);
        ASSERT_TRUE(query.exec(u"PRAGMA journal_mode"_s) && query.next());
        EXPECT_EQ(query.value(0).toString(), u"wal"_s);
        // A record from a newer program is left alone.
        ASSERT_TRUE(query.exec(u"PRAGMA user_version = 7"_s));
    }
    StudyRecord newer(path());
    EXPECT_FALSE(newer.isOpen());
    EXPECT_FALSE(newer.takeNotice().isEmpty());
    newer.recordAnswer(answer(u"题一"_s, false, kMonday));
    EXPECT_EQ(newer.pendingWrites(), 0);
    EXPECT_TRUE(QFile::exists(path()));
}

TEST_F(StudyRecordTest, ARecordOfTheFirstVersionKeepsItsAnswersRemembersThemAndLearnsTheExamInProgress) {
    {
        DirectConnection direct(path(), u"old"_s);
        ASSERT_TRUE(direct.isOpen());
        QSqlQuery query(direct.database());
        for (const QString& statement :
             {u"CREATE TABLE answers (id INTEGER PRIMARY KEY, tbl TEXT NOT NULL, qhash TEXT NOT NULL,"
              " qtype INTEGER NOT NULL, chapter TEXT NOT NULL, correct INTEGER NOT NULL,"
              " score INTEGER NOT NULL, at INTEGER NOT NULL, day TEXT NOT NULL)"_s,
              u"CREATE TABLE exams (id INTEGER PRIMARY KEY, paper INTEGER NOT NULL, started INTEGER NOT NULL,"
              " ended INTEGER NOT NULL, used_seconds INTEGER NOT NULL, total INTEGER NOT NULL,"
              " single_score INTEGER NOT NULL, multiple_score INTEGER NOT NULL,"
              " truefalse_score INTEGER NOT NULL, calc_score INTEGER NOT NULL)"_s,
              u"CREATE TABLE exam_questions (exam INTEGER NOT NULL, number INTEGER NOT NULL,"
              " qhash TEXT NOT NULL, correct INTEGER NOT NULL, score INTEGER NOT NULL)"_s,
              u"INSERT INTO answers VALUES (1, 'danxuan', 'h', 0, '', 0, 0, 0, '2026-03-02')"_s,
              u"PRAGMA user_version = 1"_s})
            ASSERT_TRUE(query.exec(statement)) << statement.toStdString();
    }
    StudyRecord record(path());
    ASSERT_TRUE(record.isOpen());
    EXPECT_EQ(record.typeFigures()[0].questionsAnswered, 1);
    EXPECT_EQ(record.wrongBook(u"danxuan"_s, kMonday.date()), QStringList{u"h"_s})
        << "its memory made from it";
    record.keepExamInProgress({5, kMonday, 61'000});
    EXPECT_EQ(StudyRecord(path()).examInProgress(), (ExamInProgress{5, kMonday, 61'000}));
}

TEST_F(StudyRecordTest, AnAnswerGivenWhileAnotherProcessHoldsTheLockIsWrittenOnceItIsGone) {
    ASSERT_TRUE(openThenLock());
    StudyRecord& record = *m_record;
    LockHolder& holder = *m_holder;
    record.recordAnswer(answer(u"题一"_s, false, kMonday));
    EXPECT_EQ(record.pendingWrites(), 1);
    // A lock is waited out, not told: the candidate hears of it only if answers are lost.
    record.recordAnswer(answer(u"题三"_s, false, kMonday.addSecs(30)));
    EXPECT_TRUE(record.takeNotice().isEmpty());
    holder.release();
    record.recordAnswer(answer(u"题二"_s, true, kMonday.addSecs(60)));
    EXPECT_EQ(record.pendingWrites(), 0);
    EXPECT_TRUE(record.takeNotice().isEmpty());
    EXPECT_EQ(StudyRecord(path()).typeFigures()[0].questionsAnswered, 3);
}

TEST_F(StudyRecordTest, AWriteThatFailsIsToldAtOnceAndOnce) {
    {
        StudyRecord created(path());
        DirectConnection direct(path(), u"fail"_s);
        ASSERT_TRUE(direct.isOpen());
        QSqlQuery query(direct.database());
        ASSERT_TRUE(query.exec(u"CREATE TRIGGER full BEFORE INSERT ON answers"
                               " BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END"_s));
    }
    StudyRecord record(path());
    record.recordAnswer(answer(u"题一"_s, false, kMonday));
    const QString notice = record.takeNotice();
    EXPECT_TRUE(notice.startsWith(u"学习记录暂时无法写入"_s)) << notice.toStdString();
    EXPECT_TRUE(notice.contains(u"disk is full"_s)) << notice.toStdString();
    record.recordAnswer(answer(u"题二"_s, false, kMonday.addSecs(30)));
    EXPECT_TRUE(record.takeNotice().isEmpty());
}

TEST_F(StudyRecordTest, AnswersStillLockedOutAtClosingAreToldOnce) {
    ASSERT_TRUE(openThenLock());
    StudyRecord& record = *m_record;
    record.recordAnswer(answer(u"题一"_s, false, kMonday));
    record.close();
    const QString notice = record.takeNotice();
    EXPECT_TRUE(notice.contains(u"1 条"_s)) << notice.toStdString();
    EXPECT_TRUE(record.takeNotice().isEmpty());
}

TEST_F(StudyRecordTest, ADamagedFileIsSetAsideAndANewRecordStarted) {
    for (int n = 1; n <= 2; ++n) {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(8192, 'x'));
        file.close();
        StudyRecord record(path());
        EXPECT_TRUE(record.isOpen());
        const QString aside = path() + u".damaged-%1"_s.arg(n);
        EXPECT_TRUE(QFile::exists(aside)) << n;
        const QString notice = record.takeNotice();
        EXPECT_TRUE(notice.contains(u"study.sqlite.damaged-%1"_s.arg(n))) << notice.toStdString();
        EXPECT_TRUE(record.takeNotice().isEmpty());
        record.recordAnswer(answer(u"题一"_s, false, kMonday));
        EXPECT_EQ(record.pendingWrites(), 0);
        EXPECT_EQ(record.typeFigures()[0].questionsAnswered, 1);
    }
    QFile aside(path() + u".damaged-1"_s);
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), QByteArray(8192, 'x'));
}

TEST_F(StudyRecordTest, AFileDamagedInsideItsPagesIsSetAsideToo) {
    {
        StudyRecord record(path());
        for (int i = 0; i < 400; ++i)
            record.recordAnswer(answer(u"题%1"_s.arg(i), i % 2 == 0, kMonday.addSecs(i)));
    }
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_GT(file.size(), 4 * 4096);
    file.seek(2 * 4096);
    file.write(QByteArray(4096, '\xff'));
    file.close();
    StudyRecord record(path());
    EXPECT_TRUE(record.isOpen());
    EXPECT_TRUE(QFile::exists(path() + u".damaged-1"_s));
    EXPECT_EQ(record.typeFigures()[0].questionsAnswered, 0);
}

TEST_F(StudyRecordTest, ClearingEmptiesAnswersAndExams) {
    StudyRecord record(path());
    record.recordAnswer(answer(u"题一"_s, false, kMonday));
    record.recordExam(attempt(1, 50));
    ASSERT_TRUE(record.clear().ok());
    EXPECT_EQ(record.typeFigures()[0].questionsAnswered, 0);
    EXPECT_TRUE(record.examHistory().isEmpty());
    EXPECT_TRUE(record.wrongBook(u"danxuan"_s).isEmpty());
}

} // namespace
