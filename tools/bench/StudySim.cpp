// Whether the study loop teaches: simulated candidates answer 30 questions a day for 30 days over
// the real bank, the day's questions chosen by the program's loop (the daily plan 今日复习 walks),
// by walking the tables in order, or in a random order. Prints, for each way, the expected
// mock-paper score on day 31 and on day 60 (after 30 days without practice) over the candidates,
// and the program's loop against walking in order, candidate by candidate; then the same for the
// other plans weighed: the former loop (the whole queue first, or a third of the day) and the daily
// plan's rule with other settings.

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

// Each candidate through `strategy`, the same seeds for every strategy.
std::vector<CandidateResult> run(const SimBank& bank, Strategy strategy, const StudyPlan& plan,
                                 const study::PlanRule& rule = {}) {
    std::vector<CandidateResult> results;
    for (int c = 0; c < kCandidates; ++c)
        results.push_back(simulateCandidate(bank, strategy, kFirstSeed + c, plan, rule));
    return results;
}

void printStrategy(const char* name, const std::vector<CandidateResult>& results) {
    std::vector<double> first, second, reviews;
    for (const CandidateResult& r : results) {
        first.push_back(r.firstScore);
        second.push_back(r.secondScore);
        reviews.push_back(r.reviews);
    }
    std::printf("%s\n", name);
    printSpread("day 31 score", first);
    printSpread("day 60 score", second);
    printSpread("answers to met ones", reviews);
}

void printGain(const char* name, const std::vector<CandidateResult>& results,
               const std::vector<CandidateResult>& inOrder) {
    std::vector<double> first, second;
    for (std::size_t c = 0; c < results.size(); ++c) {
        first.push_back(results[c].firstScore - inOrder[c].firstScore);
        second.push_back(results[c].secondScore - inOrder[c].secondScore);
    }
    std::printf("%s - tables in order, candidate by candidate (target: >= 10 on day 31, >= 15 on day 60)\n",
                name);
    printSpread("day 31", first);
    printSpread("day 60", second);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QElapsedTimer clock;
    clock.start();
    const authoring::LoadedPools loaded = authoring::loadPools(QStringLiteral(VELMORA_BANK_SOURCES));
    for (const QString& problem : loaded.problems)
        std::fprintf(stderr, "%s\n", qPrintable(problem));
    if (!loaded.problems.isEmpty()) return 1;
    const SimBank bank = simBank(loaded.pools);
    const StudyPlan plan;
    const std::array<int, 4> quota = dailyQuota(plan.answersPerDay);
    std::printf(
        "%d candidates (seeds %u-%u), %d days of %d answers (a day: %d single, %d multiple, %d true/false,"
        " %d calculation), bank %lld/%lld/%lld/%lld questions\n",
        kCandidates, kFirstSeed, kFirstSeed + kCandidates - 1, plan.practiceDays, plan.answersPerDay,
        quota[0], quota[1], quota[2], quota[3], static_cast<long long>(bank[0].size()),
        static_cast<long long>(bank[1].size()), static_cast<long long>(bank[2].size()),
        static_cast<long long>(bank[3].size()));

    const std::vector<CandidateResult> program = run(bank, Strategy::ProgramLoop, plan);
    const std::vector<CandidateResult> inOrder = run(bank, Strategy::InOrder, plan);
    printStrategy("program loop (the daily plan: reviews and new questions by expected gain on a paper)",
                  program);
    printStrategy("tables in order", inOrder);
    printStrategy("random order", run(bank, Strategy::RandomOrder, plan));
    printGain("program loop", program, inOrder);
    std::printf("never practising: %.2f on day 31\n",
                simulateCandidate(bank, Strategy::InOrder, kFirstSeed, {0, 0, 31, 60}).firstScore);

    std::printf("\nother plans weighed, not the program's rule\n");
    const auto weigh = [&](const char* name, Strategy strategy, const study::PlanRule& rule) {
        const std::vector<CandidateResult> results = run(bank, strategy, plan, rule);
        printStrategy(name, results);
        printGain(name, results, inOrder);
    };
    weigh("the former loop: today's whole queue, then unanswered", Strategy::QueueFirst, {});
    weigh("the former loop, the queue at most a third of the day", Strategy::ThirdForTheQueue, {});
    weigh("plan, gain counted 60 days ahead", Strategy::ProgramLoop, {.horizonDays = 60});
    weigh("plan, gain counted 7 days ahead", Strategy::ProgramLoop, {.horizonDays = 7});
    weigh("plan, at most 10 reviews a day", Strategy::ProgramLoop, {.reviewsPerDay = 10});
    weigh("plan, reviews by worth alone (none waits for its turn)", Strategy::ProgramLoop,
          {.overdueShare = 0});
    weigh("plan, a question 3 days overdue comes first, in a third of the day", Strategy::ProgramLoop,
          {.overdueDays = 3, .overdueShare = 1.0 / 3});
    weigh("plan without reviews: new questions only, by their worth on a paper", Strategy::ProgramLoop,
          {.reviewsPerDay = 0});
    std::printf("time %.2f s\n", clock.nsecsElapsed() / 1e9);
    return 0;
}
