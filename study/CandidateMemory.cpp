#include "study/CandidateMemory.h"

#include "study/MemoryModel.h"

#include <algorithm>
#include <cmath>

namespace study::sim {
namespace {

// The candidate learns as FSRS-6 says a memory grows, with its published default weights, on the
// candidate's own stability and difficulty: a question first met is learnt from its answer or
// explanation as a forgotten one is (w0); recalled again it grows (w8–w10), forgotten it falls
// back (w11–w14) and becomes harder (w6). The small pull of difficulty back to its start (w7)
// is left out.
constexpr double kFirstStability = 0.212;
constexpr double kGrowth = 1.8722;
constexpr double kGrowthSaturation = 0.1666;
constexpr double kGrowthFromForgetting = 0.796;
constexpr double kLapseScale = 1.4835;
constexpr double kLapseDifficulty = 0.0614;
constexpr double kLapseStability = 0.2629;
constexpr double kLapseFromForgetting = 1.6483;
constexpr double kDifficultyStep = 3.0194;

double grownStability(double stability, double difficulty, double recall) {
    return stability * (1 + std::exp(kGrowth) * (11 - difficulty) * std::pow(stability, -kGrowthSaturation) *
                                (std::exp((1 - recall) * kGrowthFromForgetting) - 1));
}

double lapsedStability(double stability, double difficulty, double recall) {
    const double fallen = kLapseScale * std::pow(difficulty, -kLapseDifficulty) *
                          (std::pow(stability + 1, kLapseStability) - 1) *
                          std::exp((1 - recall) * kLapseFromForgetting);
    return std::min(stability, fallen);
}

} // namespace

double guessChance(bank::QuestionType type) {
    switch (type) {
    case bank::QuestionType::SingleChoice:
        return 1.0 / 4;
    case bank::QuestionType::MultipleChoice:
        return 1.0 / 11;
    case bank::QuestionType::TrueFalse:
        return 1.0 / 2;
    case bank::QuestionType::Calculation:
        return 0;
    }
    return 0;
}

double uniform(std::mt19937& random) {
    return random() / 4294967296.0;
}

CandidateMemory::CandidateMemory(const std::array<int, 4>& questionsPerType, std::mt19937& random) {
    for (std::size_t type = 0; type < m_traces.size(); ++type) {
        m_traces[type].resize(static_cast<std::size_t>(questionsPerType[type]));
        for (Trace& trace : m_traces[type])
            trace.difficulty = 1 + 9 * uniform(random);
    }
}

double CandidateMemory::recallOn(const Trace& trace, int day) {
    return trace.seen ? memory::recall(trace.stability, day - trace.lastDay) : 0;
}

double CandidateMemory::chanceRight(bank::QuestionType type, int index, int day) const {
    const double recall = recallOn(m_traces[bank::typeIndex(type)][static_cast<std::size_t>(index)], day);
    return recall + (1 - recall) * guessChance(type);
}

bool CandidateMemory::met(bank::QuestionType type, int index) const {
    return m_traces[bank::typeIndex(type)][static_cast<std::size_t>(index)].seen;
}

bool CandidateMemory::answer(bank::QuestionType type, int index, int day, std::mt19937& random) {
    Trace& trace = m_traces[bank::typeIndex(type)][static_cast<std::size_t>(index)];
    const double recall = recallOn(trace, day);
    const bool recalled = uniform(random) < recall;
    const bool right = recalled || uniform(random) < guessChance(type);
    learn(trace, day, recall, recalled);
    return right;
}

void CandidateMemory::learn(Trace& trace, int day, double recall, bool recalled) {
    if (!trace.seen) {
        trace.stability = kFirstStability;
    } else if (recalled) {
        trace.stability = grownStability(trace.stability, trace.difficulty, recall);
    } else {
        trace.stability = lapsedStability(trace.stability, trace.difficulty, recall);
        trace.difficulty =
            std::min(10.0, trace.difficulty + 2 * kDifficultyStep * (10 - trace.difficulty) / 9);
    }
    trace.seen = true;
    trace.lastDay = day;
}

} // namespace study::sim
