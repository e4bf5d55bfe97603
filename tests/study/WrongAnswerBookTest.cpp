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
    QStringList book() { return m_record.wrongBook(u"danxuan"_s); }

    QTemporaryDir m_dir;
    StudyRecord m_record{path()};
};

TEST_F(WrongAnswerBookTest, AQuestionEntersWhenAnsweredWrong) {
    give(u"题一"_s, true, kDay1);
    EXPECT_TRUE(book().isEmpty());
    give(u"题一"_s, false, kDay1.addSecs(60));
    EXPECT_EQ(book(), QStringList{questionHash(u"题一"_s)});
    EXPECT_TRUE(m_record.wrongBook(u"duoxuan"_s).isEmpty());
}

TEST_F(WrongAnswerBookTest, ItLeavesAfterRightAnswersOnTwoDifferentDays) {
    give(u"题一"_s, false, kDay1);
    give(u"题一"_s, true, kDay1.addSecs(600));
    give(u"题一"_s, true, kDay1.addSecs(1200));
    EXPECT_EQ(book().size(), 1) << "two right answers on the same day";
    give(u"题一"_s, true, kDay1.addDays(3));
    EXPECT_TRUE(book().isEmpty());
}

TEST_F(WrongAnswerBookTest, AWrongAnswerInBetweenStartsTheCountAgain) {
    give(u"题一"_s, false, kDay1);
    give(u"题一"_s, true, kDay1.addSecs(60));
    give(u"题一"_s, false, kDay1.addDays(1));
    give(u"题一"_s, true, kDay1.addDays(2));
    EXPECT_EQ(book().size(), 1);
    give(u"题一"_s, true, kDay1.addDays(4));
    EXPECT_TRUE(book().isEmpty());
    EXPECT_EQ(m_record.typeFigures()[0].inWrongBook, 0);
}

TEST_F(WrongAnswerBookTest, QuestionsComeInTheOrderTheyWereLastGotWrong) {
    give(u"题一"_s, false, kDay1);
    give(u"题二"_s, false, kDay1.addSecs(60));
    give(u"题三"_s, false, kDay1.addSecs(120));
    give(u"题一"_s, false, kDay1.addSecs(180));
    EXPECT_EQ(book(),
              QStringList({questionHash(u"题二"_s), questionHash(u"题三"_s), questionHash(u"题一"_s)}));
    EXPECT_EQ(m_record.typeFigures()[0].inWrongBook, 3);
}

} // namespace

TEST(ChapterOrder, ChaptersFollowTheirNumbersAndUnfiledComesLast) {
    QStringList chapters = {u"未分类"_s, u"第十二章 附录"_s, u"第二章 会计要素"_s,
                            u"综合"_s,   u"第十章 报表"_s,   u"第一章 总论"_s};
    std::sort(chapters.begin(), chapters.end(), chapterBefore);
    EXPECT_EQ(chapters, QStringList({u"第一章 总论"_s, u"第二章 会计要素"_s, u"第十章 报表"_s,
                                     u"第十二章 附录"_s, u"综合"_s, u"未分类"_s}));
}
