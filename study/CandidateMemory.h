#pragma once

// What a simulated candidate truly remembers of each question of the bank, kept apart from the
// program's scheduling state: the program only ever sees the candidate's answers. Its chance of a
// right answer follows the forgetting curve of the memory model; how a question is learnt is the
// candidate's own rule (see CandidateMemory.cpp).
#include "bank/QuestionType.h"

#include <array>
#include <random>
#include <vector>

namespace study::sim {

// Chance of a right answer by a blind guess: one of four options, one of the eleven allowed sets
// of two to four options, one of two; a calculation is not guessed.
double guessChance(bank::QuestionType type);

// A number in [0, 1) from the generator, the same on every standard library.
double uniform(std::mt19937& random);

class CandidateMemory {
public:
    // Every question unseen, each with its own starting difficulty drawn from `random`.
    CandidateMemory(const std::array<int, 4>& questionsPerType, std::mt19937& random);

    // Chance that question `index` of kind `type` is answered right on `day`: what is recalled,
    // and a guess at what is not.
    double chanceRight(bank::QuestionType type, int index, int day) const;

    // Whether the candidate has answered the question before.
    bool met(bank::QuestionType type, int index) const;

    // The candidate answers the question on `day` and learns from it: from the feedback when it
    // is right, from the explanation when it is wrong. Whether the answer was right.
    bool answer(bank::QuestionType type, int index, int day, std::mt19937& random);

private:
    struct Trace {
        bool seen = false;
        double stability = 0;
        double difficulty = 0;
        int lastDay = 0;
    };
    static double recallOn(const Trace& trace, int day);
    static void learn(Trace& trace, int day, double recall, bool recalled);

    std::array<std::vector<Trace>, 4> m_traces;
};

} // namespace study::sim
