#include "exam/ExamLauncher.h"

#include "bank/QuestionBank.h"
#include "bank/QuestionType.h"
#include "exam/BankPaperStore.h"
#include "exam/ExamNoticeWindow.h"
#include "exam/ExamWindow.h"
#include "exam/PaperCheck.h"
#include "ui/MessageBox.h"

using bank::paperCount;

namespace exam {

ExamLauncher::StoreFactory ExamLauncher::bankStores(const QString& bankPath) {
    return [bankPath](int paper) { return bankPaperStore(bankPath, paper); };
}

ExamLauncher::ExamLauncher(QWidget* mainWindow, StoreFactory stores)
    : QObject(mainWindow), m_mainWindow(mainWindow), m_stores(std::move(stores)) {}

void ExamLauncher::enterExam(int paper) {
    if (paper < 1 || paper > paperCount) return;
    m_currentExamSet = paper;
    auto* notice = new ExamNoticeWindow(paper, m_mainWindow);
    notice->setAttribute(Qt::WA_DeleteOnClose);
    connect(notice, &ExamNoticeWindow::examRequested, this, &ExamLauncher::openExam);
    m_notice = notice;
    notice->showDeclared();
    Q_EMIT noticeOpened(notice);
}

void ExamLauncher::openExam(int paper) {
    std::unique_ptr<PaperStore> store = m_stores(paper);
    if (const common::Outcome<> readable = checkPaperReadable(*store); !readable) {
        ui::showMessage(m_mainWindow, readable.reason());
        return;
    }
    auto* window = new ExamWindow(std::move(store), Countdown::steadyClock(), m_mainWindow);
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_exam = window;
    window->showDeclared();
    Q_EMIT examOpened(window);
}

} // namespace exam
