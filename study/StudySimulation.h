#pragma once

// A simulated candidate studying the bank a fixed number of answers a day, the day's questions
// chosen one of several ways, and the mock-paper score to expect afterwards. The program's way is
// its own rule (DailyPlan, on MemoryModel's states) fed only with the candidate's answers; what the
// candidate remembers is CandidateMemory's.
#include "study/CandidateMemory.h"
#include "study/DailyPlan.h"

#include <QStringList>

#include <array>
#include <cstdint>

namespace study::sim {

// The bank as practice meets it: each kind's question hashes in its practice table's order.
using SimBank = BankHashes;

enum class Strategy {
    ProgramLoop, // the day's plan (DailyPlan), by the plan rule given
    InOrder,     // each kind's table from its first question, wrapping round
    RandomOrder, // each kind's table in a shuffled order of the candidate's own, wrapping round
    // The loop before the daily plan: today's review queue first, then unanswered questions, kind
    // by kind; and the same with the queue kept to a third of the day's answers.
    QueueFirst,
    ThirdForTheQueue,
};

struct StudyPlan {
    int practiceDays = 30; // days 1 to practiceDays
    int answersPerDay = 30;
    int firstTestDay = 31;
    int secondTestDay = 60;
};

struct CandidateResult {
    double firstScore = 0; // expected mock-paper score on the plan's first test day
    double secondScore = 0;
    int reviews = 0; // answers to questions the candidate had met before
};

// One candidate, seeded: a seed gives the same starting difficulties whatever the strategy, so the
// strategies can be compared candidate by candidate.
CandidateResult simulateCandidate(const SimBank& bank, Strategy strategy, std::uint32_t seed,
                                  const StudyPlan& plan = {}, const PlanRule& rule = {});

// Expected score out of 100 of a mock paper on `day`: each kind's points on a paper times the
// candidate's mean chance of a right answer over the kind's pool, as papers draw evenly from it.
double expectedPaperScore(const CandidateMemory& memory, const SimBank& bank, int day);

// How many of a day's answers go to each kind: in proportion to the kind's points on a paper.
std::array<int, 4> dailyQuota(int answersPerDay);

} // namespace study::sim
