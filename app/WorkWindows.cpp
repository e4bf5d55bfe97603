#include "WorkWindows.h"

#include "ExamLauncher.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "PracticeWindow.h"

namespace app {

exam::ExamLauncher* connectWorkWindows(MainWindow& window, const QString& bankPath,
                                       const QString& bankProblem) {
    auto* exams = new exam::ExamLauncher(&window, exam::ExamLauncher::bankStores(bankPath));
    QObject::connect(&window, &MainWindow::practiceRequested, &window,
                     [&window, bankPath, bankProblem](QuestionType type) {
                         if (!bankProblem.isEmpty()) return ui::showMessage(&window, bankProblem);
                         practice::PracticeWindow::open(type, &window, bankPath);
                     });
    QObject::connect(&window, &MainWindow::examRequested, exams, [&window, exams, bankProblem](int paper) {
        if (!bankProblem.isEmpty()) return ui::showMessage(&window, bankProblem);
        exams->enterExam(paper);
    });
    return exams;
}

} // namespace app
