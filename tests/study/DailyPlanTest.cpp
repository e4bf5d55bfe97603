#include "study/DailyPlan.h"
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

constexpr int kSingle = 0, kMultiple = 1, kTrueFalse = 2, kCalculation = 3;

QString text(int type, int i) {
    return u"第%1类第%2题：下列各项中，属于企业负债要素的是（ ）。"_s.arg(type).arg(i);
}

// A bank shaped like the real one, the calculation pool much the smallest.
BankHashes bankOf(const std::array<int, 4>& sizes) {
    BankHashes bank;
    for (std::size_t type = 0; type < bank.size(); ++type)
        for (int i = 0; i < sizes[type]; ++i)
            bank[type].append(questionHash(text(static_cast<int>(type), i)));
    return bank;
}

// The graded answers the program has seen, made into memory entries as the record makes them.
class Answers {
public:
    void give(int type, const QString& hash, int day, bool right) {
        m_histories[{type, hash}].push_back({day, right ? Grade::Good : Grade::Again});
    }
    QList<MemoryEntry> entries() const {
        QList<MemoryEntry> entries;
        for (const auto& [key, history] : m_histories) {
            const memory::Card card = *memory::replay(history);
            entries.append(
                {key.first, key.second, card.dueDay, history.back().grade, card.state, card.lastDay});
        }
        return entries;
    }

private:
    std::map<std::pair<int, QString>, std::vector<memory::GradedDay>> m_histories;
};

QStringList hashesOf(const QList<PlannedQuestion>& plan) {
    QStringList hashes;
    for (const PlannedQuestion& planned : plan)
        hashes.append(planned.questionHash);
    return hashes;
}

TEST(DailyPlan, NewQuestionsComeByTheirWorthOnAPaperInTableOrderPassingThoseAnswered) {
    // Per question in the pool: a calculation 20/4, a multiple choice 40/40, a single 20/40.
    const BankHashes bank = bankOf({40, 40, 40, 4});
    Answers answers;
    answers.give(kCalculation, bank[kCalculation][1], 100, true);
    answers.give(kMultiple, bank[kMultiple][0], 100, true);
    const QList<PlannedQuestion> plan = dailyPlan(answers.entries(), bank, 101, 6);
    EXPECT_EQ(hashesOf(plan),
              QStringList({bank[kCalculation][0], bank[kCalculation][2], bank[kCalculation][3],
                           bank[kMultiple][1], bank[kMultiple][2], bank[kMultiple][3]}));
    for (const PlannedQuestion& planned : plan)
        EXPECT_FALSE(planned.review);
    // Once the worthier kinds are met, the singles come, from the first.
    const QList<PlannedQuestion> more = dailyPlan(answers.entries(), bank, 101, 43);
    ASSERT_EQ(more.size(), 43);
    EXPECT_EQ(more.back().type, kSingle);
    EXPECT_EQ(more.back().questionHash, bank[kSingle][0]);
}

TEST(DailyPlan, HoldsTheTargetNoQuestionTwiceAndReviewsWithinTheirCap) {
    const BankHashes bank = bankOf({60, 60, 60, 9});
    Answers answers;
    for (int i = 0; i < 9; ++i)
        answers.give(kCalculation, bank[kCalculation][i], 40, false); // long due, the worthiest reviews
    for (int i = 0; i < 20; ++i)
        answers.give(kMultiple, bank[kMultiple][i], 40 + i % 5, i % 2 == 0);
    for (int cap : {-1, 0, 3}) {
        const QList<PlannedQuestion> plan =
            dailyPlan(answers.entries(), bank, 51, 30, {.reviewsPerDay = cap});
        ASSERT_EQ(plan.size(), 30) << cap;
        const QStringList hashes = hashesOf(plan);
        EXPECT_EQ(QSet<QString>(hashes.begin(), hashes.end()).size(), 30) << cap;
        const auto reviews = std::count_if(plan.begin(), plan.end(), [](const auto& p) { return p.review; });
        if (cap >= 0)
            EXPECT_EQ(reviews, cap);
        else
            EXPECT_GE(reviews, 9) << "yesterday's calculation mistakes are worth more than new questions";
    }
    // A small bank runs out: every question once, no more.
    const BankHashes tiny = bankOf({2, 1, 0, 1});
    EXPECT_EQ(dailyPlan({}, tiny, 51, 30).size(), 4);
}

TEST(DailyPlan, AQuestionLongOverdueIsNotForgottenBehindWorthierOnes) {
    // One true/false mistake, and multiple-choice questions enough for months of new ones, each
    // worth twice as much on a paper: by worth alone the mistake would wait until they are all met.
    const BankHashes bank = bankOf({0, 400, 400, 0});
    for (bool turns : {true, false}) {
        Answers answers;
        answers.give(kTrueFalse, bank[kTrueFalse][0], 1, false);
        const PlanRule rule{.overdueShare = turns ? 1.0 / 6 : 0};
        int cameBack = 0;
        for (int day = 2; day <= 14 && cameBack == 0; ++day)
            for (const PlannedQuestion& planned : dailyPlan(answers.entries(), bank, day, 10, rule)) {
                if (planned.questionHash == bank[kTrueFalse][0]) cameBack = day;
                answers.give(planned.type, planned.questionHash, day, true);
            }
        // Due on day 2; long overdue (seven days past) on day 9.
        if (turns)
            EXPECT_EQ(cameBack, 9);
        else
            EXPECT_EQ(cameBack, 0) << "the rule without turns is what the turns are for";
    }
}

// The plan from the record's memory states is the plan from the answers themselves, and its
// reviews are questions of the record's wrong-answer book.
TEST(DailyPlan, FromTheRecordIsThePlanFromItsAnswersAndReviewsOnlyTheBook) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"study.sqlite"_s);
    const BankHashes bank = bankOf({6, 6, 6, 3});
    const QDate first(2026, 3, 2);
    Answers answers;
    const auto give = [&](int type, int i, bool right, int dayOffset) {
        const QDate day = first.addDays(dayOffset);
        const bank::QuestionType kind = bank::allQuestionTypes[static_cast<std::size_t>(type)];
        StudyRecord(path).recordAnswer({bank::practiceTable(kind),
                                        text(type, i),
                                        {},
                                        kind,
                                        right,
                                        right ? 1 : 0,
                                        QDateTime(day, QTime(9, 0))});
        answers.give(type, bank[static_cast<std::size_t>(type)][i], dayNumber(day), right);
    };
    give(kSingle, 0, true, 0);
    give(kCalculation, 1, false, 0);
    give(kMultiple, 2, true, 1);
    give(kCalculation, 1, true, 2);
    give(kTrueFalse, 4, false, 3);
    give(kSingle, 0, true, 4);
    give(kMultiple, 5, false, 3);
    StudyRecord record(path);
    for (int offset = 0; offset < 40; offset += 3) {
        const QDate today = first.addDays(offset);
        const QList<PlannedQuestion> plan = dailyPlan(answers.entries(), bank, dayNumber(today), 12);
        EXPECT_EQ(hashesOf(dailyPlan(record.memoryEntries(), bank, dayNumber(today), 12)), hashesOf(plan))
            << "day " << offset;
        for (const PlannedQuestion& planned : plan) {
            const bank::QuestionType kind = bank::allQuestionTypes[static_cast<std::size_t>(planned.type)];
            EXPECT_EQ(record.wrongBook(bank::practiceTable(kind), today).contains(planned.questionHash),
                      planned.review)
                << "day " << offset;
        }
    }
}

} // namespace
