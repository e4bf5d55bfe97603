#include "study/QuestionKey.h"
#include "study/StudyRecord.h"

#include <QTemporaryDir>

#include <algorithm>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace study;

using bank::QuestionType;

namespace {

const QDateTime kDay1(QDate(2026, 3, 2), QTime(9, 0));

class WrongAnswerBookTest : public ::testing::Test {
protected:
    // Each answer in a sitting of its own: a sitting counts one attempt per question.
    void give(const QString& text, bool right, const QDateTime& at, const QString& table = u"danxuan"_s) {
        StudyRecord(path()).recordAnswer(
            {table, text, {}, QuestionType::SingleChoice, right, right ? 1 : 0, at});
    }
    QString path() const { return m_dir.filePath(u"study.sqlite"_s); }
    QStringList book(const QDateTime& on) { return m_record.wrongBook(u"danxuan"_s, on.date()); }

    QTemporaryDir m_dir;
    StudyRecord m_record{path()};
};

TEST_F(WrongAnswerBookTest, AMistakeEntersAtOnceAndOnlyItsOwnKind) {
    give(u"题一"_s, true, kDay1);
    EXPECT_TRUE(book(kDay1).isEmpty());
    give(u"题一"_s, false, kDay1.addSecs(60));
    EXPECT_EQ(book(kDay1), QStringList{questionHash(u"题一"_s)});
    EXPECT_TRUE(m_record.wrongBook(u"duoxuan"_s, kDay1.date()).isEmpty());
}

TEST_F(WrongAnswerBookTest, ARightAnswerTakesItOutUntilItIsDueAndAMistakeBringsItBack) {
    give(u"题一"_s, false, kDay1);
    give(u"题一"_s, true, kDay1.addDays(1));
    EXPECT_TRUE(book(kDay1.addDays(1)).isEmpty());
    EXPECT_EQ(book(kDay1.addDays(30)).size(), 1) << "due for review again within the month";
    give(u"题一"_s, true, kDay1.addDays(30));
    EXPECT_TRUE(book(kDay1.addDays(31)).isEmpty());
    give(u"题一"_s, false, kDay1.addDays(32));
    EXPECT_EQ(book(kDay1.addDays(32)).size(), 1);
    EXPECT_EQ(m_record.typeFigures(kDay1.addDays(32).date())[0].inWrongBook, 1);
}

TEST_F(WrongAnswerBookTest, EachRightAnswerWaitsLongerBeforeItIsDueAgain) {
    QDateTime day = kDay1;
    int lastWait = 0;
    for (int review = 0; review < 4; ++review) {
        give(u"题一"_s, true, day);
        int wait = 1;
        while (book(day.addDays(wait)).isEmpty())
            ++wait;
        EXPECT_GT(wait, lastWait) << "review " << review;
        lastWait = wait;
        day = day.addDays(wait);
    }
}

TEST_F(WrongAnswerBookTest, QuestionsComeLongestDueFirstAndTheWeekAheadIsCounted) {
    give(u"题一"_s, true, kDay1);
    give(u"题二"_s, true, kDay1.addDays(1));
    give(u"题三"_s, false, kDay1.addDays(5));
    const TypeFigures early = m_record.typeFigures(kDay1.addDays(1).date())[0];
    EXPECT_EQ(early.inWrongBook, 1) << "the mistake";
    EXPECT_EQ(early.dueThisWeek, 3) << "the mistake and the two right answers falling due within the week";
    EXPECT_EQ(book(kDay1.addDays(20)),
              QStringList({questionHash(u"题一"_s), questionHash(u"题二"_s), questionHash(u"题三"_s)}));
    EXPECT_EQ(m_record.typeFigures(kDay1.addDays(20).date())[0].inWrongBook, 3);
}

} // namespace

TEST(ChapterOrder, ChaptersFollowTheirNumbersAndUnfiledComesLast) {
    QStringList chapters = {u"未分类"_s, u"第十二章 附录"_s, u"第二章 会计要素"_s,
                            u"综合"_s,   u"第十章 报表"_s,   u"第一章 总论"_s};
    std::sort(chapters.begin(), chapters.end(), chapterBefore);
    EXPECT_EQ(chapters, QStringList({u"第一章 总论"_s, u"第二章 会计要素"_s, u"第十章 报表"_s,
                                     u"第十二章 附录"_s, u"综合"_s, u"未分类"_s}));
}
