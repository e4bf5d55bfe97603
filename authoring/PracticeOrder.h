#pragma once

#include "bank/QuestionType.h"

#include <QStringList>

#include <vector>

namespace authoring {

// The order in which a practice table lists its pool, as indices into `answers` (the standard answers
// in source order). Practice walks a table in ID order, so the order must not let the previous answers
// tell the next one: the first of a fixed series of seeded shuffles whose sequence figures all lie
// within a point and a half of their chance, or the closest of the series. Chapters are mixed, not kept
// together: a candidate practises a kind, not a chapter, and a chapter's run would put related
// questions side by side. Deterministic: the same answers always give the same order.
std::vector<int> practiceOrder(bank::QuestionType type, const QStringList& answers);

} // namespace authoring
