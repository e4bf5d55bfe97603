#include "study/DailyPlan.h"

#include "bank/QuestionType.h"

#include <QSet>

#include <algorithm>
#include <optional>

namespace study {
namespace {

struct Candidate {
    double worth = 0;
    int dueDay = 0;
    PlannedQuestion question;
};

// The book's reviews of questions the bank still holds, longest due first.
QList<Candidate> bookReviews(const QList<MemoryEntry>& entries, const BankHashes& bank,
                             const std::array<double, 4>& weights, int today, int horizonDays) {
    std::array<QSet<QString>, 4> held;
    for (std::size_t t = 0; t < bank.size(); ++t)
        held[t] = QSet<QString>(bank[t].begin(), bank[t].end());
    QList<Candidate> reviews;
    for (const MemoryEntry& entry : reviewQueue(entries, today)) {
        const std::size_t t = static_cast<std::size_t>(entry.type);
        if (entry.type >= 0 && entry.type < 4 && held[t].contains(entry.questionHash))
            reviews.append({weights[t] * expectedRecallGain(&entry, today, horizonDays),
                            entry.dueDay,
                            {entry.type, entry.questionHash, true}});
    }
    return reviews;
}

// The day's reviews in the order they are offered: first those long overdue, longest due first, up
// to the day's share for them, so that no question in the book waits for ever behind worthier
// ones; then the rest most worth first (equal worth: longest due first).
struct ReviewsInTurn {
    QList<Candidate> reviews;
    qsizetype dueFirst = 0; // how many of them come before any comparison of worth
};

ReviewsInTurn reviewsInTurn(QList<Candidate> reviews, int today, int target, const PlanRule& rule) {
    const qsizetype overdueSlots =
        rule.overdueShare > 0 ? std::max<qsizetype>(1, qRound(target * rule.overdueShare)) : 0;
    // Longest due first, so the long overdue lead.
    const qsizetype longOverdue = std::count_if(reviews.begin(), reviews.end(), [&](const Candidate& c) {
        return c.dueDay <= today - rule.overdueDays;
    });
    const qsizetype dueFirst = std::min(overdueSlots, longOverdue);
    std::stable_sort(reviews.begin() + dueFirst, reviews.end(),
                     [](const Candidate& a, const Candidate& b) { return a.worth > b.worth; });
    return {reviews, dueFirst};
}

// Each kind's questions not yet answered, in table order.
class Unanswered {
public:
    Unanswered(const QList<MemoryEntry>& entries, const BankHashes& bank) : m_bank(bank) {
        for (const MemoryEntry& entry : entries)
            if (entry.type >= 0 && entry.type < 4)
                m_answered[static_cast<std::size_t>(entry.type)].insert(entry.questionHash);
    }

    // The kind of highest weight with a question left; none when every kind is met.
    std::optional<std::size_t> best(const std::array<double, 4>& weights) {
        std::optional<std::size_t> best;
        for (std::size_t t = 0; t < m_bank.size(); ++t) {
            while (m_next[t] < m_bank[t].size() && m_answered[t].contains(m_bank[t][m_next[t]]))
                ++m_next[t];
            if (m_next[t] < m_bank[t].size() && (!best || weights[t] > weights[*best])) best = t;
        }
        return best;
    }

    PlannedQuestion take(std::size_t type) {
        return {static_cast<int>(type), m_bank[type][m_next[type]++], false};
    }

private:
    const BankHashes& m_bank;
    std::array<QSet<QString>, 4> m_answered;
    std::array<qsizetype, 4> m_next{};
};

} // namespace

double expectedRecallGain(const MemoryEntry* entry, int today, int horizonDays) {
    using memory::Grade;
    if (!entry)
        return memory::recall(memory::review(std::nullopt, 0, Grade::Again).state.stability, horizonDays);
    const int elapsed = std::max(0, today - entry->lastDay);
    const double now = memory::recall(entry->state.stability, elapsed);
    const auto after = [&](Grade grade) {
        return memory::recall(memory::review(entry->state, elapsed, grade).state.stability, horizonDays);
    };
    return now * after(Grade::Good) + (1 - now) * after(Grade::Again) -
           memory::recall(entry->state.stability, elapsed + horizonDays);
}

std::array<double, 4> paperWeights(const BankHashes& bank) {
    std::array<double, 4> weights{};
    for (bank::QuestionType type : bank::allQuestionTypes) {
        const std::size_t t = bank::typeIndex(type);
        if (!bank[t].isEmpty())
            weights[t] = double(bank::typePoints(type) * bank::paperSectionSize(type)) / bank[t].size();
    }
    return weights;
}

QList<PlannedQuestion> dailyPlan(const QList<MemoryEntry>& entries, const BankHashes& bank, int today,
                                 int target, const PlanRule& rule) {
    const std::array<double, 4> weights = paperWeights(bank);
    const auto [reviews, dueFirst] =
        reviewsInTurn(bookReviews(entries, bank, weights, today, rule.horizonDays), today, target, rule);
    const double newGain = expectedRecallGain(nullptr, today, rule.horizonDays);
    Unanswered unanswered(entries, bank);
    QList<PlannedQuestion> plan;
    qsizetype nextReview = 0;
    while (plan.size() < target) {
        const bool reviewOpen =
            nextReview < reviews.size() && (rule.reviewsPerDay < 0 || nextReview < rule.reviewsPerDay);
        const std::optional<std::size_t> newType = unanswered.best(weights);
        if (reviewOpen &&
            (nextReview < dueFirst || !newType || reviews[nextReview].worth >= weights[*newType] * newGain))
            plan.append(reviews[nextReview++].question);
        else if (newType)
            plan.append(unanswered.take(*newType));
        else
            break;
    }
    return plan;
}

} // namespace study
