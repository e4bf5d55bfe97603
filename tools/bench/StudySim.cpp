// Whether the study loop teaches: simulated candidates answer 30 questions a day for 30 days over
// the real bank, the day's questions chosen by the program's loop (today's review queue, then
// unanswered questions), by walking the tables in order, or in a random order. Prints, for each
// way, the expected mock-paper score on day 31 and on day 60 (after 30 days without practice) over
// the candidates, and the program's loop against walking in order, candidate by candidate.

#include "authoring/BankCompiler.h"
#include "authoring/PracticeOrder.h"
#include "study/QuestionKey.h"
#include "study/StudySimulation.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace study::sim;

namespace {

constexpr int kCandidates = 200;
constexpr std::uint32_t kFirstSeed = 28;

struct Strategies {
    Strategy strategy;
    const char* name;
};
constexpr Strategies kStrategies[] = {{Strategy::ProgramLoop, "program loop (queue, then unanswered)"},
                                      {Strategy::InOrder, "tables in order"},
                                      {Strategy::RandomOrder, "random order"}};

// Each kind's question hashes as its practice table numbers them.
SimBank simBank(const authoring::QuestionPools& pools) {
    SimBank bank;
    for (bank::QuestionType type : bank::allQuestionTypes) {
        const QList<authoring::SourceQuestion>& pool = pools[bank::typeIndex(type)];
        for (int index : authoring::practiceOrder(type, authoring::poolAnswers(pool)))
            bank[bank::typeIndex(type)].append(study::questionHash(pool[index].record.tm));
    }
    return bank;
}

void printSpread(const char* what, std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const auto at = [&](double share) {
        return values[static_cast<std::size_t>(share * (values.size() - 1) + 0.5)];
    };
    std::printf("  %-22s median %6.2f   min %6.2f  p10 %6.2f  p90 %6.2f  max %6.2f\n", what, at(0.5),
                values.front(), at(0.1), at(0.9), values.back());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const authoring::LoadedPools loaded = authoring::loadPools(QStringLiteral(VELMORA_BANK_SOURCES));
    for (const QString& problem : loaded.problems)
        std::fprintf(stderr, "%s\n", qPrintable(problem));
    if (!loaded.problems.isEmpty()) return 1;
    const SimBank bank = simBank(loaded.pools);

    QElapsedTimer clock;
    clock.start();
    const StudyPlan plan;
    std::vector<std::vector<CandidateResult>> results;
    for (const Strategies& way : kStrategies) {
        results.emplace_back();
        for (int c = 0; c < kCandidates; ++c)
            results.back().push_back(simulateCandidate(bank, way.strategy, kFirstSeed + c, plan));
    }
    const std::array<int, 4> quota = dailyQuota(plan.answersPerDay);
    std::printf(
        "%d candidates (seeds %u-%u), %d days of %d answers (a day: %d single, %d multiple, %d true/false,"
        " %d calculation), bank %lld/%lld/%lld/%lld questions\n",
        kCandidates, kFirstSeed, kFirstSeed + kCandidates - 1, plan.practiceDays, plan.answersPerDay,
        quota[0], quota[1], quota[2], quota[3], static_cast<long long>(bank[0].size()),
        static_cast<long long>(bank[1].size()), static_cast<long long>(bank[2].size()),
        static_cast<long long>(bank[3].size()));
    for (std::size_t s = 0; s < results.size(); ++s) {
        std::vector<double> first, second, reviews;
        for (const CandidateResult& r : results[s]) {
            first.push_back(r.firstScore);
            second.push_back(r.secondScore);
            reviews.push_back(r.reviews);
        }
        std::printf("%s\n", kStrategies[s].name);
        printSpread("day 31 score", first);
        printSpread("day 60 score", second);
        printSpread("answers to met ones", reviews);
    }
    std::vector<double> firstGain, secondGain;
    for (int c = 0; c < kCandidates; ++c) {
        firstGain.push_back(results[0][c].firstScore - results[1][c].firstScore);
        secondGain.push_back(results[0][c].secondScore - results[1][c].secondScore);
    }
    std::printf("program loop - tables in order, candidate by candidate (target: >= 10 on day 31, >= 15 on "
                "day 60)\n");
    printSpread("day 31", firstGain);
    printSpread("day 60", secondGain);
    std::printf("never practising: %.2f on day 31\n",
                simulateCandidate(bank, Strategy::InOrder, kFirstSeed, {0, 0, 31, 60}).firstScore);
    std::printf("time %.2f s\n", clock.nsecsElapsed() / 1e9);
    return 0;
}
