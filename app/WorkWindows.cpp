#include "app/WorkWindows.h"

#include "app/BookSchedule.h"
#include "app/MainWindow.h"
#include "app/SearchIndex.h"
#include "app/SearchWindow.h"
#include "app/TodayReview.h"
#include "exam/ExamLauncher.h"
#include "exam/ExamWindow.h"
#include "practice/PracticeWindow.h"
#include "ui/MessageBox.h"

using bank::QuestionType;

namespace app {
namespace {

// The search window over `window`; the question chosen there is practised alone.
void openSearch(MainWindow& window, const QString& bankPath, const QString& words) {
    auto* search = new SearchWindow(openSearchIndex(bankPath, defaultSearchIndexPath()), words, &window);
    search->setAttribute(Qt::WA_DeleteOnClose);
    search->setWindowModality(Qt::WindowModal);
    QObject::connect(
        search, &SearchWindow::questionChosen, &window, [&window, bankPath](QuestionType type, int id) {
            practice::PracticeWindow::openList(type, {id}, &window, bankPath, window.studyRecordPath());
        });
    search->show();
    search->activateWindow();
}

} // namespace

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

exam::ExamLauncher* connectWorkWindows(MainWindow& window, const QString& bankPath, BankCheck bankCheck) {
    // Every request over the bank first asks whether the bank is usable, and tells why not.
    auto refused = [&window, bankCheck = std::move(bankCheck)] {
        const common::Outcome<> usable = bankCheck ? bankCheck() : common::Outcome<>{};
        if (!usable) ui::showMessage(&window, usable.reason());
        return !usable;
    };
    auto* exams = new exam::ExamLauncher(&window, exam::ExamLauncher::bankStores(bankPath));
    QObject::connect(&window, &MainWindow::practiceRequested, &window,
                     [&window, bankPath, refused](QuestionType type, const practice::RoundChoice& choice) {
                         if (refused()) return;
                         practice::PracticeWindow::open(type, choice, &window, bankPath,
                                                        window.studyRecordPath());
                     });
    QObject::connect(&window, &MainWindow::wrongAnswersRequested, &window,
                     [&window, bankPath, refused](QuestionType type) {
                         if (refused()) return;
                         auto* practice = practice::PracticeWindow::openWrongAnswers(
                             type, &window, bankPath, window.studyRecordPath());
                         // The page shows the answers given there once the window is closed.
                         if (practice)
                             QObject::connect(practice, &QObject::destroyed, &window, [&window] {
                                 if (window.currentPage() == pages::StudyRecord)
                                     window.showPage(pages::StudyRecord);
                             });
                     });
    auto* review = new TodayReview(&window, bankPath);
    QObject::connect(&window, &MainWindow::todayReviewRequested, review, [&window, review, refused] {
        if (refused()) return;
        review->start(window.studyRecordPath());
    });
    QObject::connect(&window, &MainWindow::bookScheduleRequested, &window, [&window, bankPath, refused] {
        if (refused()) return;
        showBookSchedule(&window, bankPath, window.studyRecordPath());
    });
    QObject::connect(
        &window, &MainWindow::starredRequested, &window, [&window, bankPath, refused](QuestionType type) {
            if (refused()) return;
            practice::PracticeWindow::openStarred(type, &window, bankPath, window.studyRecordPath());
        });
    QObject::connect(&window, &MainWindow::searchRequested, &window,
                     [&window, bankPath, refused](const QString& words) {
                         if (refused()) return;
                         openSearch(window, bankPath, words);
                     });
    QObject::connect(&window, &MainWindow::examRequested, exams, [&window, exams, refused](int paper) {
        if (refused()) return;
        exams->enterExam(paper);
    });
    QObject::connect(
        &window, &MainWindow::examReviewRequested, &window,
        [&window](const QString& studyPath, qint64 exam) { openPastReview(&window, studyPath, exam); });
    return exams;
}

} // namespace app
