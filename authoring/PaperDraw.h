#pragma once

#include "authoring/BankSource.h"
#include "bank/QuestionType.h"
#include "common/Outcome.h"

#include <QList>
#include <QString>

#include <array>

namespace authoring {

// The question pools of the four kinds, as read from their source files.
using QuestionPools = std::array<QList<SourceQuestion>, 4>; // indexed by QuestionType

// One question of a paper: its kind and its place in that kind's pool. A paper lists its 62 questions
// in ID order: 20 single choice, 20 multiple choice, 20 true/false, an amounts and a journal-entry
// calculation question.
struct PaperQuestion {
    bank::QuestionType type = bank::QuestionType::SingleChoice;
    int poolIndex = 0;
    friend bool operator==(const PaperQuestion&, const PaperQuestion&) = default;
};
using Paper = QList<PaperQuestion>;

using Papers = std::array<Paper, bank::paperCount>;

// Draws the twenty papers. Deterministic: the same pools always give the same papers. Each kind's pool
// is dealt out round after round, every round a fresh shuffle in which each chapter's questions are
// spread evenly, so each paper mixes the chapters in proportion to the pool and the pool is used
// evenly across papers. A question whose text or RE tag the paper already holds (of any kind) waits for
// the next paper, so related questions never meet in one paper. Fails when the pools cannot fill them.
common::Outcome<Papers> drawPapers(const QuestionPools& pools);

} // namespace authoring
