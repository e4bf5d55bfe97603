#include "WorkWindows.h"

#include "ExamLauncher.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "PracticeWindow.h"

using bank::QuestionType;

namespace app {

exam::ExamLauncher* connectWorkWindows(MainWindow& window, const QString& bankPath,
                                       const QString& bankProblem) {
    auto* exams = new exam::ExamLauncher(&window, exam::ExamLauncher::bankStores(bankPath));
    QObject::connect(&window, &MainWindow::practiceRequested, &window,
                     [&window, bankPath, bankProblem](QuestionType type) {
                         if (!bankProblem.isEmpty()) return ui::showMessage(&window, bankProblem);
                         practice::PracticeWindow::open(type, &window, bankPath);
                     });
    QObject::connect(&window, &MainWindow::wrongAnswersRequested, &window,
                     [&window, bankPath, bankProblem](QuestionType type) {
                         if (!bankProblem.isEmpty()) return ui::showMessage(&window, bankProblem);
                         auto* practice = practice::PracticeWindow::openWrongAnswers(type, &window, bankPath);
                         // The page shows the answers given there once the window is closed.
                         if (practice)
                             QObject::connect(practice, &QObject::destroyed, &window, [&window] {
                                 if (window.currentPage() == 5) window.showPage(5);
                             });
                     });
    QObject::connect(&window, &MainWindow::examRequested, exams, [&window, exams, bankProblem](int paper) {
        if (!bankProblem.isEmpty()) return ui::showMessage(&window, bankProblem);
        exams->enterExam(paper);
    });
    return exams;
}

} // namespace app
