#pragma once

// The parts of the screenshot tour (velmora-tour) beyond the main window.

#include <QString>
#include <QWidget>

#include <functional>

namespace app {

// Writes one picture of a window under a name and says whether it could.
using Shoot = std::function<bool(QWidget*, const QString&)>;
// Lets the windows paint for a number of milliseconds.
using Settle = std::function<void(int)>;

// Pictures of the practice window on each of its five pages, with questions of the bank at
// `bankPath`, and of the four answer windows. Every table the tour answers in is cleared again when
// its practice window closes.
bool tourPractice(QWidget* mainWindow, const QString& bankPath, const Shoot& shoot, const Settle& settle);

// Pictures of the candidate notice, the exam window on each kind of question, its answer card with
// answered and flagged questions, the result and a review window, on paper 3 of the bank at
// `bankPath`. The paper is cleared again when the exam window closes.
bool tourExam(QWidget* mainWindow, const QString& bankPath, const Shoot& shoot, const Settle& settle);

// Pictures of the search window with results, the practice window with a question starred and its
// note window, and the keys list; over a scratch search index and study record.
bool tourSearchAndMarks(QWidget* mainWindow, const QString& bankPath, const Shoot& shoot,
                        const Settle& settle);
class StudyPage;

// Pictures of a past attempt's review, opened from the study record the tour handed its exam in
// to, all questions and only the wrong ones, and of the question 导入学习记录 asks.
bool tourStudyRecord(QWidget* mainWindow, StudyPage* page, const Shoot& shoot, const Settle& settle);

} // namespace app
