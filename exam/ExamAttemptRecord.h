#pragma once

#include "exam/PaperStore.h"
#include "study/StudyRecord.h"

#include <QDateTime>

namespace exam {

// The handed-in paper as the study record keeps it: every question's score read from the store,
// right when it earned its kind's full points, with its kind, chapter and whether it was answered.
// Fails when the paper cannot be read.
common::Outcome<study::ExamAttempt> handedInAttempt(PaperStore& store, const QDateTime& started,
                                                    const QDateTime& ended, int usedSeconds);

} // namespace exam
