#pragma once

#include <QString>
#include <QWidget>

#include <functional>

namespace app {

// Pictures of the candidate notice, the exam window on each kind of question, its answer card with
// answered and flagged questions, the result and a review window, on paper 3 of the bank at
// `bankPath`. `shoot` writes one picture and says whether it could. The paper is cleared again when
// the exam window closes.
bool tourExam(QWidget* mainWindow, const QString& bankPath,
              const std::function<bool(QWidget*, const QString&)>& shoot,
              const std::function<void(int)>& settle);

} // namespace app
