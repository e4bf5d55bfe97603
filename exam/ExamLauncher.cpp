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
    connect(notice, &ExamNoticeWindow::examRequested, this, [this](int chosen) { openExam(chosen); });
    m_notice = notice;
    notice->showDeclared();
    Q_EMIT noticeOpened(notice);
}

QString ExamLauncher::interruptedQuestion(const study::ExamInProgress& exam) {
    return QStringLiteral("上次第 %1 套试卷的模拟考试没有交卷就中断了，还剩 %2。\n"
                          "是否接着作答？选“否”则按已作答的内容交卷。")
        .arg(exam.paper)
        .arg(Countdown::formatRemaining(exam.remainingMs));
}

void ExamLauncher::offerInterruptedExam() {
    study::StudyRecord record(m_studyPath);
    const std::optional<study::ExamInProgress> exam = record.examInProgress();
    if (exam && (exam->paper < 1 || exam->paper > paperCount)) record.forgetExamInProgress();
    record.close();
    if (!exam || exam->paper < 1 || exam->paper > paperCount) return;
    const bool goOn = exam->remainingMs > 0 && ui::askYesNo(m_mainWindow, interruptedQuestion(*exam));
    m_currentExamSet = exam->paper;
    openExam(exam->paper, exam);
    // With no time left the window hands the paper in at its first tick.
    if (!goOn && exam->remainingMs > 0 && m_exam) m_exam->handInAsItStands();
}

void ExamLauncher::openExam(int paper, const std::optional<study::ExamInProgress>& resumed) {
    std::unique_ptr<PaperStore> store = m_stores(paper);
    if (const common::Outcome<> readable = checkPaperReadable(*store); !readable) {
        ui::showMessage(m_mainWindow, readable.reason());
        return;
    }
    auto* window = new ExamWindow(std::move(store), Countdown::steadyClock(), m_mainWindow, resumed);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setStudyRecordPath(m_studyPath);
    m_exam = window;
    window->showDeclared();
    Q_EMIT examOpened(window);
}

} // namespace exam
