#pragma once

#include "common/Outcome.h"

#include <QString>

#include <functional>

class QWidget;

namespace exam {
class ExamLauncher;
class ExamWindow;
} // namespace exam

namespace app {

class MainWindow;

// The start-up check of the bank, asked for each time a window over the bank is wanted (it may
// still be running, and is waited for, or not yet begun, and is made). None: the bank is usable.
using BankCheck = std::function<common::Outcome<>()>;

// Opens the practice and exam windows that `window` asks for, over the bank at `bankPath`. When
// `bankCheck` failed (at start-up), every such request shows its reason instead and opens nothing.
// Returns the exam launcher, owned by `window`.
exam::ExamLauncher* connectWorkWindows(MainWindow& window, const QString& bankPath, BankCheck bankCheck = {});

// The review of the attempt `exam` kept in the study record at `studyPath`, over `mainWindow`; when
// the record cannot give it, the reason is told and nothing opens.
exam::ExamWindow* openPastReview(QWidget* mainWindow, const QString& studyPath, qint64 exam);

} // namespace app
