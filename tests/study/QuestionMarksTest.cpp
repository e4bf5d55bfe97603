#include "study/StudyRecord.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace study;

namespace {

class QuestionMarksTest : public ::testing::Test {
protected:
    QString path() const { return m_dir.filePath(u"study.sqlite"_s); }
    // Runs `statements` on the record's file through a connection of the test's own.
    void runDirectly(const QStringList& statements) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"direct"_s);
            db.setDatabaseName(path());
            ASSERT_TRUE(db.open());
            QSqlQuery query(db);
            for (const QString& statement : statements)
                ASSERT_TRUE(query.exec(statement)) << statement.toStdString();
        }
        QSqlDatabase::removeDatabase(u"direct"_s);
    }
    QTemporaryDir m_dir;
};

const QString kQuestion = u"企业发现原材料盘亏，应由过失人赔偿的部分记入（）。"_s;

} // namespace

TEST_F(QuestionMarksTest, AStarAndANoteOutliveTheRecordAndGoOnlyWhenBothAreTakenOff) {
    {
        StudyRecord record(path());
        ASSERT_TRUE(record.setStarred(u"danxuan"_s, kQuestion, true).ok());
        ASSERT_TRUE(record.setNote(u"danxuan"_s, kQuestion, u"  记入其他应收款，不是管理费用。\n"_s).ok());
    }
    StudyRecord reopened(path());
    EXPECT_EQ(reopened.questionMark(u"danxuan"_s, kQuestion),
              (QuestionMark{true, u"记入其他应收款，不是管理费用。"_s}));
    EXPECT_EQ(reopened.questionMark(u"duoxuan"_s, kQuestion), QuestionMark{})
        << "the same text in another table";

    ASSERT_TRUE(reopened.setStarred(u"danxuan"_s, kQuestion, false).ok());
    ASSERT_EQ(reopened.markedQuestions().size(), 1) << "the note keeps the question listed";
    EXPECT_FALSE(reopened.markedQuestions()[0].mark.starred);
    ASSERT_TRUE(reopened.setNote(u"danxuan"_s, kQuestion, u" "_s).ok());
    EXPECT_TRUE(reopened.markedQuestions().isEmpty());
}

TEST_F(QuestionMarksTest, ARecordOfTheThirdVersionKeepsItsAnswersAndSettingsAndTakesMarks) {
    { StudyRecord made(path()); }
    // The record as an earlier program left it: version 3, without marks or the papers as shown.
    runDirectly({u"DROP TABLE marks"_s, u"ALTER TABLE exam_questions DROP COLUMN shown"_s,
                 u"INSERT INTO answers (tbl, qhash, qtype, chapter, correct, score, at, day, grade)"
                 " VALUES ('danxuan', 'h', 0, '', 0, 0, 0, '2026-03-02', 1)"_s,
                 u"INSERT INTO memory VALUES ('danxuan', 'h', 0, 1.0, 5.0, 20514, 20515, 1)"_s,
                 u"INSERT INTO settings VALUES ('daily_target', '45')"_s, u"PRAGMA user_version = 3"_s});
    StudyRecord record(path());
    ASSERT_TRUE(record.isOpen()) << record.takeNotice().toStdString();
    EXPECT_EQ(record.typeFigures()[0].questionsAnswered, 1);
    EXPECT_EQ(record.wrongBook(u"danxuan"_s, QDate(2026, 3, 10)), QStringList{u"h"_s});
    EXPECT_EQ(record.dailyProgress().target, 45);
    ASSERT_TRUE(record.setStarred(u"danxuan"_s, kQuestion, true).ok());
    EXPECT_TRUE(record.questionMark(u"danxuan"_s, kQuestion).starred);
}
