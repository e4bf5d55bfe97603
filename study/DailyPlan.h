#pragma once

// The day's questions: which reviews from the wrong-answer book and which questions not yet met,
// as many as the daily target, chosen by what each answer is expected to add to a mock paper a
// month from today. Pure, on memory states already read, so that the simulated candidates of
// study_sim follow the very rule 今日复习 walks.
#include "study/ReviewQueue.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace study {

// Each kind's question hashes in its practice table's order (index: allQuestionTypes).
using BankHashes = std::array<QStringList, 4>;

struct PlannedQuestion {
    int type = 0;
    QString questionHash;
    bool review = false; // met before, in the wrong-answer book; otherwise not yet answered
};

// Ways of choosing to weigh in the simulation; the program plans with the defaults.
struct PlanRule {
    int horizonDays = 30;   // the paper the gain is counted on lies this far ahead
    int reviewsPerDay = -1; // at most this many reviews a day; -1: as many as they are worth
    // A question in the book this many days past its due day comes first, longest due first, in
    // this share of the day (at least one a day; none with a share of 0).
    int overdueDays = 7;
    double overdueShare = 1.0 / 6;
};

// What an answer today is expected to add to a question's recall `horizonDays` from now, by the
// memory model: a question in the book is recalled (Good) with its estimated retrievability, else
// forgotten (Again); a question never met counts as forgotten and then learnt from its explanation.
double expectedRecallGain(const MemoryEntry* entry, int today, int horizonDays);

// Paper points per question in the pool: what one question of the kind is worth on a paper, on
// average, when papers draw evenly from the pool.
std::array<double, 4> paperWeights(const BankHashes& bank);

// The `target` questions of `today`, most worth answering first: reviews from the book
// (inReviewQueue) and unanswered questions in table order, weighed against each other by their
// expected gain on a paper (paper weight times expectedRecallGain); a question long overdue comes
// in its turn whatever its worth. Fewer when the bank and the book run out.
QList<PlannedQuestion> dailyPlan(const QList<MemoryEntry>& entries, const BankHashes& bank, int today,
                                 int target, const PlanRule& rule = {});

} // namespace study
