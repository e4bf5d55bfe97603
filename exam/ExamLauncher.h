#pragma once

#include "bank/QuestionBank.h"
#include "exam/ExamNoticeWindow.h"
#include "exam/ExamWindow.h"
#include "exam/PaperStore.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

namespace exam {

// The way into a mock exam: remembers the chosen paper (currentExamSet), shows the candidate
// notice over the main window, and opens the exam window when the notice asks for it, unless a
// question of the paper cannot be read: then the paper is refused, with the reason, before its
// hour starts.
class ExamLauncher final : public QObject {
    Q_OBJECT
public:
    // Opens the table of a paper; by default in qvtb.mdb beside the program.
    using StoreFactory = std::function<std::unique_ptr<PaperStore>(int paper)>;
    static StoreFactory bankStores(const QString& bankPath = bank::QuestionBank::defaultPath());

    explicit ExamLauncher(QWidget* mainWindow, StoreFactory stores = bankStores());

    // Paper 1–20 chosen: it becomes currentExamSet and the notice opens. Other numbers are ignored.
    void enterExam(int paper);
    // An attempt that the session ending, a kill or a power loss interrupted is offered once: resumed
    // with the time it had left, or handed in as it stands. One whose time had run out is handed in.
    void offerInterruptedExam();
    // Where the exams are kept; the per-user study record unless a test gives its own.
    void setStudyRecordPath(const QString& path) { m_studyPath = path; }
    // "上次第 3 套试卷的模拟考试没有交卷就中断了，还剩 00:41:20。…"
    static QString interruptedQuestion(const study::ExamInProgress& exam);
    int currentExamSet() const { return m_currentExamSet; }
    ExamNoticeWindow* notice() const { return m_notice; }
    ExamWindow* examWindow() const { return m_exam; }

Q_SIGNALS:
    void noticeOpened(exam::ExamNoticeWindow* notice);
    void examOpened(exam::ExamWindow* window);

private:
    void openExam(int paper, const std::optional<study::ExamInProgress>& resumed = {});

    QWidget* m_mainWindow;
    StoreFactory m_stores;
    int m_currentExamSet = 0;
    QPointer<ExamNoticeWindow> m_notice;
    QPointer<ExamWindow> m_exam;
    QString m_studyPath = study::StudyRecord::defaultPath();
};

} // namespace exam
