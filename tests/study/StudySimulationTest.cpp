#include "study/StudySimulation.h"
#include "authoring/BankCompiler.h"
#include "authoring/PracticeOrder.h"
#include "study/QuestionKey.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace study::sim;

using bank::QuestionType;

namespace {

// A small bank shaped like the real one: four kinds, the calculation pool much the smallest.
SimBank smallBank() {
    SimBank bank;
    const std::array<int, 4> sizes = {60, 60, 60, 9};
    for (std::size_t type = 0; type < bank.size(); ++type)
        for (int i = 0; i < sizes[type]; ++i)
            bank[type].append(
                study::questionHash(u"第%1类第%2题：下列各项中，属于负债的是（ ）。"_s.arg(type).arg(i)));
    return bank;
}

TEST(StudySimulation, ACandidateWhoNeverPractisesScoresTheGuessesAlone) {
    // 20 single of four options, 20 multiple worth 2 of eleven allowed sets, 20 true/false; no calculation.
    const double guesses = 20 * 0.25 + 40.0 / 11 + 20 * 0.5;
    const CandidateResult idle = simulateCandidate(smallBank(), Strategy::ProgramLoop, 1, {0, 30, 31, 60});
    EXPECT_NEAR(idle.firstScore, guesses, 1e-9);
    EXPECT_NEAR(idle.secondScore, guesses, 1e-9);
}

TEST(StudySimulation, AWrongAnswerFollowedByItsExplanationIsLearntAndThenFades) {
    std::mt19937 random(7);
    CandidateMemory memory({1, 1, 1, 1}, random);
    memory.answer(QuestionType::Calculation, 0, 10, random);
    const double nextDay = memory.chanceRight(QuestionType::Calculation, 0, 11);
    EXPECT_GT(nextDay, 0.5) << "a calculation is never guessed, so this is what was learnt";
    EXPECT_LT(memory.chanceRight(QuestionType::Calculation, 0, 40), nextDay);
    memory.answer(QuestionType::TrueFalse, 0, 10, random);
    EXPECT_NEAR(memory.chanceRight(QuestionType::TrueFalse, 0, 11), nextDay + (1 - nextDay) / 2, 1e-9)
        << "what is forgotten is guessed, one in two";
}

TEST(StudySimulation, TheSameSeedGivesTheSameFiguresAndEveryWayTeaches) {
    const SimBank bank = smallBank();
    const StudyPlan week{7, 30, 8, 37};
    const double idle = simulateCandidate(bank, Strategy::InOrder, 5, {0, 30, 8, 37}).firstScore;
    for (Strategy strategy : {Strategy::ProgramLoop, Strategy::InOrder, Strategy::RandomOrder}) {
        const CandidateResult once = simulateCandidate(bank, strategy, 5, week);
        const CandidateResult again = simulateCandidate(bank, strategy, 5, week);
        EXPECT_EQ(once.firstScore, again.firstScore);
        EXPECT_EQ(once.secondScore, again.secondScore);
        EXPECT_NE(once.firstScore, simulateCandidate(bank, strategy, 6, week).firstScore);
        EXPECT_GT(once.firstScore, idle + 10);
        EXPECT_GT(once.firstScore, once.secondScore) << "a month without practice forgets";
    }
}

TEST(StudySimulation, TheFormerLoopReviewsWhatWalkingABigTableNeverRepeats) {
    const SimBank bank = smallBank();
    const StudyPlan twoDays{2, 10, 3, 30}; // two calculations a day, fewer than the table holds
    EXPECT_EQ(simulateCandidate(bank, Strategy::InOrder, 3, twoDays).reviews, 0);
    const CandidateResult program = simulateCandidate(bank, Strategy::QueueFirst, 3, twoDays);
    EXPECT_GT(program.reviews, 10 / 3) << "day 1's mistakes, most of its answers, fill day 2's queue";
    EXPECT_EQ(simulateCandidate(bank, Strategy::ThirdForTheQueue, 3, twoDays).reviews, 10 / 3)
        << "the variant keeps the queue to a third of the day";
}

TEST(StudySimulation, TheDailyPlanTeachesMoreThanWalkingTheTablesInOrderOnTheRealBank) {
    const authoring::LoadedPools loaded = authoring::loadPools(QStringLiteral(BANK_SOURCES));
    ASSERT_TRUE(loaded.problems.isEmpty());
    SimBank bank;
    for (QuestionType type : bank::allQuestionTypes) {
        const QList<authoring::SourceQuestion>& pool = loaded.pools[bank::typeIndex(type)];
        for (int index : authoring::practiceOrder(type, authoring::poolAnswers(pool)))
            bank[bank::typeIndex(type)].append(study::questionHash(pool[index].record.tm));
    }
    for (std::uint32_t seed = 28; seed < 34; ++seed) {
        const CandidateResult program = simulateCandidate(bank, Strategy::ProgramLoop, seed);
        const CandidateResult inOrder = simulateCandidate(bank, Strategy::InOrder, seed);
        EXPECT_GT(program.firstScore, inOrder.firstScore + 2) << seed;
        EXPECT_GT(program.secondScore, inOrder.secondScore + 2) << seed;
    }
}

TEST(StudySimulation, ADaysAnswersAreSharedByPaperPointsAndAllGiven) {
    EXPECT_EQ(dailyQuota(30), (std::array<int, 4>{6, 12, 6, 6}));
    for (int answers : {1, 7, 31, 45}) {
        const std::array<int, 4> quota = dailyQuota(answers);
        EXPECT_EQ(quota[0] + quota[1] + quota[2] + quota[3], answers) << answers;
        EXPECT_GE(quota[1], quota[0]) << "multiple choice is worth twice as much";
    }
}

} // namespace
