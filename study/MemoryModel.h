#pragma once

// How well a question is remembered and when to see it again: the FSRS-6 memory model with its
// published default parameters, on whole days. Pure functions; the study record keeps the states.
#include <optional>
#include <span>

namespace study::memory {

// How a graded attempt went: wrong is Again, right is Good, right after the explanation was
// already shown is Hard. Easy is part of the model but no attempt is graded so.
enum class Grade { Again = 1, Hard = 2, Good = 3, Easy = 4 };

struct State {
    double stability = 0;  // days until recall falls to 90 %
    double difficulty = 0; // 1 (easy) to 10 (hard)
};

struct Scheduled {
    State state;
    int intervalDays = 0; // when to see the question again, counted from the review's day
};

// The state after a review `elapsedDays` (≥ 0) after the previous one, or the first review when
// there is no state yet.
Scheduled review(const std::optional<State>& before, int elapsedDays, Grade grade);

// Probability of recall `elapsedDays` after a review that left `stability`.
double recall(double stability, int elapsedDays);

struct GradedDay {
    int day = 0; // a calendar day's number; days only ever grow along a history
    Grade grade = Grade::Good;
};

struct Card {
    State state;
    int lastDay = 0;
    int dueDay = 0;
};

// The card a question's whole history of graded attempts leaves; none for an empty history.
std::optional<Card> replay(std::span<const GradedDay> history);

} // namespace study::memory
