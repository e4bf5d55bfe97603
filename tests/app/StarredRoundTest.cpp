// The 学习记录 page's 收藏与笔记: the starred questions and notes of each type, read from the study
// record, and 练习收藏题, a practice round of just the type's starred questions of the real bank.
#include "app/MainWindow.h"
#include "app/MarksWindow.h"
#include "app/StudyPage.h"
#include "app/WorkWindows.h"
#include "bank/QuestionBank.h"
#include "practice/PracticeWindow.h"
#include "study/StudyRecord.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using app::MainWindow;
using app::MarksWindow;
using app::StudyPage;

namespace {

class StarredRoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::copy(QStringLiteral(VELMORA_BUILT_BANK), bank()));
        QFile::setPermissions(bank(), QFile::ReadOwner | QFile::WriteOwner);
        m_window.setStudyRecordPath(studyPath());
        app::connectWorkWindows(m_window, bank(), {});
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }
    QString bank() const { return m_dir.filePath(u"qvtb.mdb"_s); }
    QString studyPath() const { return m_dir.filePath(u"study.sqlite"_s); }
    // The texts and numbers of the first `count` questions of `table`.
    QList<bank::QuestionRecord> firstQuestions(const QString& table, int count) {
        bank::QuestionBank questions;
        EXPECT_TRUE(questions.openBank(bank()).ok());
        EXPECT_TRUE(questions.selectTable(table).ok());
        QList<bank::QuestionRecord> rows;
        EXPECT_TRUE(questions
                        .forEachRow([&]() -> common::Outcome<> {
                            if (rows.size() < count) rows.append(*questions.currentRecord());
                            return {};
                        })
                        .ok());
        return rows;
    }
    MarksWindow* openMarks() {
        QTest::mouseClick(m_window.findChild<QWidget*>(u"学习记录"_s), Qt::LeftButton);
        QTest::mouseClick(m_window.findChild<QPushButton*>(StudyPage::kMarksButton), Qt::LeftButton);
        return qobject_cast<MarksWindow*>(QApplication::activeModalWidget());
    }

    QTemporaryDir m_dir;
    MainWindow m_window{m_dir.path()};
};

} // namespace

TEST_F(StarredRoundTest, TheStarredAndNotedAreListedByTypeAndTheStarredAlonePractised) {
    const QList<bank::QuestionRecord> rows = firstQuestions(u"danxuan"_s, 3);
    ASSERT_EQ(rows.size(), 3);
    {
        study::StudyRecord record(studyPath());
        ASSERT_TRUE(record.setStarred(u"danxuan"_s, rows[2].tm, true).ok());
        ASSERT_TRUE(record.setNote(u"danxuan"_s, rows[1].tm, u"只记了笔记"_s).ok());
    }
    MarksWindow* marks = openMarks();
    ASSERT_TRUE(marks);
    auto* single = marks->findChild<QTableWidget*>(u"单选题收藏与笔记"_s);
    ASSERT_TRUE(single);
    ASSERT_EQ(single->rowCount(), 2);
    QStringList listed = {single->item(0, 1)->text(), single->item(1, 1)->text()};
    EXPECT_TRUE(listed.contains(rows[2].tm) && listed.contains(rows[1].tm));
    EXPECT_FALSE(marks->findChild<QPushButton*>(MarksWindow::kPractiseStarred + u"多选题"_s)->isEnabled());

    QTest::mouseClick(marks->findChild<QPushButton*>(MarksWindow::kPractiseStarred + u"单选题"_s),
                      Qt::LeftButton);
    QPointer<practice::PracticeWindow> practice =
        qobject_cast<practice::PracticeWindow*>(QApplication::activeModalWidget());
    ASSERT_TRUE(practice);
    EXPECT_EQ(practice->question().id, rows[2].id) << "the starred question, not the one with a note only";
    practice->showNext();
    EXPECT_EQ(practice->question().id, rows[2].id) << "and no other";
    practice->close();
}
