#include "study/StudySimulation.h"

#include "study/DailyPlan.h"
#include "study/MemoryModel.h"

#include <QHash>

#include <cmath>
#include <functional>
#include <memory>
#include <numeric>
#include <optional>
#include <vector>

namespace study::sim {
namespace {

using bank::QuestionType;

struct Pick {
    QuestionType type;
    int index = 0;
};

int paperPoints(QuestionType type) {
    return bank::factsOf(type).points * bank::factsOf(type).paperSectionSize;
}

// The kind furthest below its share of the day among those still `open`; none when none is.
std::optional<QuestionType> neediestType(const std::array<int, 4>& quota, const std::array<int, 4>& taken,
                                         const std::function<bool(QuestionType)>& open) {
    std::optional<QuestionType> neediest;
    int largestGap = 0;
    for (QuestionType type : bank::allQuestionTypes) {
        const int gap = quota[bank::typeIndex(type)] - taken[bank::typeIndex(type)];
        if (open(type) && (!neediest || gap > largestGap)) {
            neediest = type;
            largestGap = gap;
        }
    }
    return neediest;
}

// How the day's questions are chosen; told every answer, as the program is.
class Planner {
public:
    virtual ~Planner() = default;
    virtual QList<Pick> day(int today, int answers) = 0;
    virtual void record(Pick, int /*day*/, bool /*right*/) {}
};

// A candidate going through each kind's table from its start, or in a shuffled order, and round again.
class TableWalk : public Planner {
public:
    TableWalk(const SimBank& bank, bool shuffled, std::mt19937& random) {
        for (std::size_t type = 0; type < bank.size(); ++type) {
            std::vector<int>& order = m_orders[type];
            order.resize(static_cast<std::size_t>(bank[type].size()));
            std::iota(order.begin(), order.end(), 0);
            if (shuffled)
                for (std::size_t i = order.size(); i > 1; --i)
                    std::swap(order[i - 1], order[random() % i]);
        }
    }

    QList<Pick> day(int, int answers) override {
        const std::array<int, 4> quota = dailyQuota(answers);
        std::array<int, 4> taken{};
        QList<Pick> picks;
        const auto hasQuestions = [this](QuestionType type) {
            return !m_orders[bank::typeIndex(type)].empty();
        };
        while (picks.size() < answers) {
            const std::optional<QuestionType> type = neediestType(quota, taken, hasQuestions);
            if (!type) break;
            const std::size_t t = bank::typeIndex(*type);
            picks.append({*type, m_orders[t][m_next[t]++ % m_orders[t].size()]});
            ++taken[t];
        }
        return picks;
    }

private:
    std::array<std::vector<int>, 4> m_orders;
    std::array<std::size_t, 4> m_next{};
};

// What the program knows of the candidate: the graded answers, made into memory states as the
// record makes them.
class GradedAnswers {
public:
    explicit GradedAnswers(const SimBank& bank) : m_bank(bank) {
        for (std::size_t type = 0; type < bank.size(); ++type) {
            m_histories[type].resize(static_cast<std::size_t>(bank[type].size()));
            for (int i = 0; i < bank[type].size(); ++i)
                m_indexOfHash[type].insert(bank[type][i], i);
        }
    }

    void record(Pick pick, int day, bool right) {
        m_histories[bank::typeIndex(pick.type)][static_cast<std::size_t>(pick.index)].push_back(
            {day, right ? memory::Grade::Good : memory::Grade::Again});
    }

    QList<MemoryEntry> memoryEntries() const {
        QList<MemoryEntry> entries;
        for (std::size_t type = 0; type < m_histories.size(); ++type)
            for (std::size_t i = 0; i < m_histories[type].size(); ++i) {
                const std::vector<memory::GradedDay>& history = m_histories[type][i];
                if (const std::optional<memory::Card> card = memory::replay(history))
                    entries.append({static_cast<int>(type), m_bank[type][static_cast<qsizetype>(i)],
                                    card->dueDay, history.back().grade, card->state, card->lastDay});
            }
        return entries;
    }

    Pick pickOf(int type, const QString& hash) const {
        const std::size_t t = static_cast<std::size_t>(type);
        return {bank::allQuestionTypes[t], m_indexOfHash[t].value(hash)};
    }

private:
    const SimBank& m_bank;
    std::array<std::vector<std::vector<memory::GradedDay>>, 4> m_histories;
    std::array<QHash<QString, int>, 4> m_indexOfHash;
};

// The program's loop: the day's plan (DailyPlan) made from the graded answers alone.
class ProgramLoop : public Planner {
public:
    ProgramLoop(const SimBank& bank, const PlanRule& rule) : m_answers(bank), m_bank(bank), m_rule(rule) {}

    QList<Pick> day(int today, int answers) override {
        QList<Pick> picks;
        for (const PlannedQuestion& planned :
             dailyPlan(m_answers.memoryEntries(), m_bank, today, answers, m_rule))
            picks.append(m_answers.pickOf(planned.type, planned.questionHash));
        return picks;
    }

    void record(Pick pick, int day, bool right) override { m_answers.record(pick, day, right); }

private:
    GradedAnswers m_answers;
    const SimBank& m_bank;
    PlanRule m_rule;
};

// The loop before the daily plan: today's review queue first (at most a share of the day), then
// questions not yet answered (只做未答) in table order, kind by kind in the day's proportions.
class QueueFirst : public Planner {
public:
    QueueFirst(const SimBank& bank, bool queueKeepsToAThird)
        : m_answers(bank), m_bank(bank), m_queueKeepsToAThird(queueKeepsToAThird) {}

    QList<Pick> day(int today, int answers) override {
        QList<Pick> picks;
        std::array<int, 4> taken{};
        const int forTheQueue = m_queueKeepsToAThird ? answers / 3 : answers;
        for (const MemoryEntry& due : reviewQueue(m_answers.memoryEntries(), today)) {
            if (picks.size() == forTheQueue) break;
            picks.append(m_answers.pickOf(due.type, due.questionHash));
            ++taken[static_cast<std::size_t>(due.type)];
        }
        fillWithUnanswered(picks, taken, answers);
        return picks;
    }

    void record(Pick pick, int day, bool right) override { m_answers.record(pick, day, right); }

private:
    void fillWithUnanswered(QList<Pick>& picks, std::array<int, 4>& taken, int answers) {
        const std::array<int, 4> quota = dailyQuota(answers);
        const auto unansweredLeft = [this](QuestionType type) {
            const std::size_t t = bank::typeIndex(type);
            return m_nextUnanswered[t] < m_bank[t].size();
        };
        while (picks.size() < answers) {
            const std::optional<QuestionType> type = neediestType(quota, taken, unansweredLeft);
            if (!type) return;
            const std::size_t t = bank::typeIndex(*type);
            picks.append({*type, static_cast<int>(m_nextUnanswered[t]++)});
            ++taken[t];
        }
    }

    GradedAnswers m_answers;
    const SimBank& m_bank;
    bool m_queueKeepsToAThird = false;
    std::array<qsizetype, 4> m_nextUnanswered{};
};

std::unique_ptr<Planner> plannerFor(Strategy strategy, const SimBank& bank, const PlanRule& rule,
                                    std::mt19937& random) {
    switch (strategy) {
    case Strategy::ProgramLoop:
        return std::make_unique<ProgramLoop>(bank, rule);
    case Strategy::QueueFirst:
        return std::make_unique<QueueFirst>(bank, false);
    case Strategy::ThirdForTheQueue:
        return std::make_unique<QueueFirst>(bank, true);
    case Strategy::InOrder:
    case Strategy::RandomOrder:
        break;
    }
    return std::make_unique<TableWalk>(bank, strategy == Strategy::RandomOrder, random);
}

} // namespace

std::array<int, 4> dailyQuota(int answersPerDay) {
    std::array<double, 4> exact{};
    std::array<int, 4> quota{};
    for (QuestionType type : bank::allQuestionTypes) {
        const std::size_t t = bank::typeIndex(type);
        exact[t] = answersPerDay * paperPoints(type) / 100.0;
        quota[t] = static_cast<int>(std::floor(exact[t]));
    }
    // What rounding down leaves goes to the kinds it shortened most.
    while (std::accumulate(quota.begin(), quota.end(), 0) < answersPerDay) {
        std::size_t shortest = 0;
        for (std::size_t t = 1; t < quota.size(); ++t)
            if (exact[t] - quota[t] > exact[shortest] - quota[shortest]) shortest = t;
        ++quota[shortest];
    }
    return quota;
}

double expectedPaperScore(const CandidateMemory& memory, const SimBank& bank, int day) {
    double score = 0;
    for (QuestionType type : bank::allQuestionTypes) {
        const QStringList& pool = bank[bank::typeIndex(type)];
        if (pool.isEmpty()) continue;
        double chances = 0;
        for (int i = 0; i < pool.size(); ++i)
            chances += memory.chanceRight(type, i, day);
        score += paperPoints(type) * chances / pool.size();
    }
    return score;
}

CandidateResult simulateCandidate(const SimBank& bank, Strategy strategy, std::uint32_t seed,
                                  const StudyPlan& plan, const PlanRule& rule) {
    std::mt19937 random(seed);
    std::array<int, 4> sizes{};
    for (std::size_t t = 0; t < bank.size(); ++t)
        sizes[t] = static_cast<int>(bank[t].size());
    CandidateMemory memory(sizes, random);
    const std::unique_ptr<Planner> planner = plannerFor(strategy, bank, rule, random);
    CandidateResult result;
    for (int day = 1; day <= plan.practiceDays; ++day)
        for (const Pick& pick : planner->day(day, plan.answersPerDay)) {
            if (memory.met(pick.type, pick.index)) ++result.reviews;
            planner->record(pick, day, memory.answer(pick.type, pick.index, day, random));
        }
    result.firstScore = expectedPaperScore(memory, bank, plan.firstTestDay);
    result.secondScore = expectedPaperScore(memory, bank, plan.secondTestDay);
    return result;
}

} // namespace study::sim
