#pragma once

#include <QDir>
#include <QWidget>

#include <functional>

namespace app {

// Pictures of the practice window on each of its five pages, with questions of the bank at
// `bankPath`, and of the four answer windows. `shoot` writes one picture and says whether it could.
// Every table the tour answers in is cleared again when its practice window closes.
bool tourPractice(QWidget* mainWindow, const QString& bankPath,
                  const std::function<bool(QWidget*, const QString&)>& shoot,
                  const std::function<void(int)>& settle);

} // namespace app
