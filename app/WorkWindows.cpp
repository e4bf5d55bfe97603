#include "app/WorkWindows.h"

#include "app/MainWindow.h"
#include "exam/ExamLauncher.h"
#include "exam/ExamWindow.h"
#include "practice/PracticeWindow.h"
#include "ui/MessageBox.h"

using bank::QuestionType;

namespace app {

exam::ExamWindow* openPastReview(QWidget* mainWindow, const QString& studyPath, qint64 exam) {
    const common::Outcome<study::ExamReview> review = study::StudyRecord(studyPath).examReview(exam);
    if (!review) {
        ui::showMessage(mainWindow, review.reason());
        return nullptr;
    }
    auto* window = new exam::ExamWindow(*review, mainWindow);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showDeclared();
    return window;
}

exam::ExamLauncher* connectWorkWindows(MainWindow& window, const QString& bankPath,
                                       const common::Outcome<>& bankCheck) {
    auto* exams = new exam::ExamLauncher(&window, exam::ExamLauncher::bankStores(bankPath));
    QObject::connect(&window, &MainWindow::practiceRequested, &window,
                     [&window, bankPath, bankCheck](QuestionType type) {
                         if (!bankCheck) return ui::showMessage(&window, bankCheck.reason());
                         practice::PracticeWindow::open(type, &window, bankPath);
                     });
    QObject::connect(&window, &MainWindow::wrongAnswersRequested, &window,
                     [&window, bankPath, bankCheck](QuestionType type) {
                         if (!bankCheck) return ui::showMessage(&window, bankCheck.reason());
                         auto* practice = practice::PracticeWindow::openWrongAnswers(type, &window, bankPath);
                         // The page shows the answers given there once the window is closed.
                         if (practice)
                             QObject::connect(practice, &QObject::destroyed, &window, [&window] {
                                 if (window.currentPage() == pages::StudyRecord)
                                     window.showPage(pages::StudyRecord);
                             });
                     });
    QObject::connect(&window, &MainWindow::examRequested, exams, [&window, exams, bankCheck](int paper) {
        if (!bankCheck) return ui::showMessage(&window, bankCheck.reason());
        exams->enterExam(paper);
    });
    QObject::connect(
        &window, &MainWindow::examReviewRequested, &window,
        [&window](const QString& studyPath, qint64 exam) { openPastReview(&window, studyPath, exam); });
    return exams;
}

} // namespace app
