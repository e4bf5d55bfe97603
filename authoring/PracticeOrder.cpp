#include "authoring/PracticeOrder.h"

#include "authoring/AnswerPatterns.h"
#include "authoring/SeededShuffle.h"

#include <algorithm>
#include <cmath>
#include <numeric>

using bank::QuestionType;

namespace authoring {

namespace {

constexpr double targetPoints = 1.5;
constexpr int seedsTried = 400;

// The largest distance, either way, of a sequence figure from its chance: a strategy far below chance
// has a counterpart far above it.
double worstDistance(QuestionType type, const QStringList& answers, const std::vector<int>& order) {
    QStringList ordered;
    for (int index : order)
        ordered.append(answers[index]);
    double worst = 0;
    for (const PatternFigure& figure : sequenceFigures(type, ordered))
        worst = std::max(worst, std::abs(figure.excessPoints()));
    return worst;
}

} // namespace

std::vector<int> practiceOrder(QuestionType type, const QStringList& answers) {
    std::vector<int> identity(static_cast<std::size_t>(answers.size()));
    std::iota(identity.begin(), identity.end(), 0);
    std::vector<int> best;
    double bestDistance = 0;
    for (int seed = 0; seed < seedsTried; ++seed) {
        std::mt19937 rng(static_cast<std::uint32_t>(seed));
        std::vector<int> order = identity;
        seededShuffle(order, rng);
        const double distance = worstDistance(type, answers, order);
        if (best.empty() || distance < bestDistance) {
            best = std::move(order);
            bestDistance = distance;
        }
        if (bestDistance <= targetPoints) break;
    }
    return best;
}

} // namespace authoring
