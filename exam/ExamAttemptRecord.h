#pragma once

#include "exam/PaperStore.h"
#include "study/StudyRecord.h"

#include <QDateTime>

#include <optional>

namespace exam {

// The handed-in paper as the study record keeps it: every question's score read from the store,
// right when it earned its kind's full points. nullopt when the paper cannot be read.
std::optional<study::ExamAttempt> handedInAttempt(PaperStore& store, const QDateTime& started,
                                                  const QDateTime& ended);

} // namespace exam
