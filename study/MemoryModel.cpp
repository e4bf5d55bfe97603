#include "study/MemoryModel.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace study::memory {
namespace {

// FSRS-6's published defaults.
constexpr std::array<double, 21> w = {0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194,
                                      0.001,  1.8722, 0.1666, 0.796,  1.4835, 0.0614, 0.2629,
                                      1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};
constexpr double kDesiredRetention = 0.9;
constexpr double kMinStability = 0.001;
constexpr double kMaxDays = 36500;

// The model is defined on values rounded to eight decimals, halves rounded up; without the same
// rounding an interval near a half day could fall the other way.
double rounded(double value) {
    return std::floor(value * 1e8 + 0.5) / 1e8;
}

double decay() {
    return -w[20];
}
double factor() {
    return rounded(std::exp(std::log(0.9) / decay()) - 1);
}
double intervalModifier() {
    return rounded((std::pow(kDesiredRetention, 1 / decay()) - 1) / factor());
}

double initialDifficulty(Grade g) {
    return rounded(w[4] - std::exp((static_cast<int>(g) - 1) * w[5]) + 1);
}
double initialStability(Grade g) {
    return std::max(w[static_cast<int>(g) - 1], 0.1);
}

double nextDifficulty(double d, Grade g) {
    const double delta = -w[6] * (static_cast<int>(g) - 3);
    const double damped = d + rounded(delta * (10 - d) / 9);
    const double reverted = rounded(w[7] * initialDifficulty(Grade::Easy) + (1 - w[7]) * damped);
    return std::clamp(reverted, 1.0, 10.0);
}

double stabilityAfterRecall(const State& s, double r, Grade g) {
    const double hardPenalty = g == Grade::Hard ? w[15] : 1;
    const double easyBonus = g == Grade::Easy ? w[16] : 1;
    const double grown =
        s.stability * (1 + std::exp(w[8]) * (11 - s.difficulty) * std::pow(s.stability, -w[9]) *
                               (std::exp((1 - r) * w[10]) - 1) * hardPenalty * easyBonus);
    return rounded(std::clamp(grown, kMinStability, kMaxDays));
}

double stabilityAfterLapse(const State& s, double r) {
    const double fallen = w[11] * std::pow(s.difficulty, -w[12]) * (std::pow(s.stability + 1, w[13]) - 1) *
                          std::exp((1 - r) * w[14]);
    // Forgetting never leaves a question more stable than it was.
    return std::min(std::max(rounded(s.stability), kMinStability),
                    rounded(std::clamp(fallen, kMinStability, kMaxDays)));
}

State nextState(const std::optional<State>& before, int elapsedDays, Grade g) {
    if (!before) return {initialStability(g), std::clamp(initialDifficulty(g), 1.0, 10.0)};
    const double r = recall(before->stability, elapsedDays);
    const double stability =
        g == Grade::Again ? stabilityAfterLapse(*before, r) : stabilityAfterRecall(*before, r, g);
    return {stability, nextDifficulty(before->difficulty, g)};
}

int daysFor(double stability) {
    return static_cast<int>(
        std::min(std::max(1.0, std::floor(stability * intervalModifier() + 0.5)), kMaxDays));
}

// Each grade's interval, kept in order: a better grade never waits less than a worse one.
std::array<int, 4> orderedIntervals(const std::optional<State>& before, int elapsedDays) {
    std::array<int, 4> days{};
    for (int g = 1; g <= 4; ++g)
        days[g - 1] = daysFor(nextState(before, elapsedDays, Grade(g)).stability);
    days[0] = std::min(days[0], days[1]);
    for (int g = 1; g < 4; ++g)
        days[g] = std::max(days[g], days[g - 1] + 1);
    return days;
}

} // namespace

double recall(double stability, int elapsedDays) {
    return rounded(std::pow(1 + factor() * elapsedDays / stability, decay()));
}

Scheduled review(const std::optional<State>& before, int elapsedDays, Grade grade) {
    const int days = orderedIntervals(before, elapsedDays)[static_cast<int>(grade) - 1];
    return {nextState(before, elapsedDays, grade), days};
}

std::optional<Card> replay(std::span<const GradedDay> history) {
    std::optional<Card> card;
    for (const GradedDay& attempt : history) {
        const std::optional<State> before = card ? std::optional(card->state) : std::nullopt;
        const int elapsed = card ? std::max(0, attempt.day - card->lastDay) : 0;
        const Scheduled next = review(before, elapsed, attempt.grade);
        card = Card{next.state, attempt.day, attempt.day + next.intervalDays};
    }
    return card;
}

} // namespace study::memory
