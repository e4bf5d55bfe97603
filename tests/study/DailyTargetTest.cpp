#include "study/StudyRecord.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace study;

namespace {

const QDate kToday(2026, 3, 10);

class DailyTargetTest : public ::testing::Test {
protected:
    // `count` different questions answered on `day`, in a sitting of their own.
    void answer(const QDate& day, int count) {
        StudyRecord sitting(m_dir.filePath(u"study.sqlite"_s));
        for (int i = 0; i < count; ++i)
            sitting.recordAnswer({u"danxuan"_s,
                                  u"%1 题%2"_s.arg(day.toString(Qt::ISODate)).arg(i),
                                  {},
                                  bank::QuestionType::SingleChoice,
                                  true,
                                  1,
                                  QDateTime(day, QTime(20, i))});
    }
    QTemporaryDir m_dir;
    StudyRecord m_record{m_dir.filePath(u"study.sqlite"_s)};
};

} // namespace

TEST_F(DailyTargetTest, TheRunOfDaysMetEndsTodayOrYesterdayAndAMissedDayBreaksIt) {
    EXPECT_EQ(m_record.dailyProgress(kToday).target, DailyProgress::kDefaultTarget);
    ASSERT_TRUE(m_record.setDailyTarget(3).ok());
    answer(kToday.addDays(-5), 3); // met, but before a missed day
    answer(kToday.addDays(-4), 2); // missed
    answer(kToday.addDays(-3), 4);
    answer(kToday.addDays(-2), 3);
    answer(kToday.addDays(-1), 3);
    answer(kToday, 1);
    DailyProgress progress = m_record.dailyProgress(kToday);
    EXPECT_EQ(progress.answeredToday, 1);
    EXPECT_EQ(progress.daysMetInARow, 3) << "today not met yet: the run ends yesterday";
    answer(kToday, 2);
    progress = m_record.dailyProgress(kToday);
    EXPECT_EQ(progress.answeredToday, 3);
    EXPECT_EQ(progress.daysMetInARow, 4);
    EXPECT_EQ(m_record.dailyProgress(kToday.addDays(2)).daysMetInARow, 0) << "yesterday missed";
}

TEST_F(DailyTargetTest, ATargetIsAtLeastOneQuestionAndOutlivesTheRecordBeingClosed) {
    ASSERT_TRUE(m_record.setDailyTarget(0).ok());
    EXPECT_EQ(StudyRecord(m_dir.filePath(u"study.sqlite"_s)).dailyProgress(kToday).target, 1);
    ASSERT_TRUE(m_record.setDailyTarget(45).ok());
    EXPECT_EQ(StudyRecord(m_dir.filePath(u"study.sqlite"_s)).dailyProgress(kToday).target, 45);
}
