#pragma once

#include "exam/PaperStore.h"
#include "study/StudyRecord.h"

#include <QDateTime>

#include <cstdint>
#include <memory>

class QWidget;

namespace exam {

// The handed-in paper as the study record keeps it: every question's score read from the store,
// right when it earned its kind's full points, with its kind, chapter and whether it was answered.
// Fails when the paper cannot be read.
common::Outcome<study::ExamAttempt> handedInAttempt(PaperStore& store, const QDateTime& started,
                                                    const QDateTime& ended, int usedSeconds);

// The attempt of one exam window in the study record: kept as the exam in progress while it is
// worked, so an interrupted attempt can be resumed; forgotten when it is given up; kept for good
// once handed in. The record opens at the first write, so tests may give their path after
// construction. What the record has to tell is shown over `window`, at once.
class AttemptRecord {
public:
    AttemptRecord(QWidget* window, PaperStore& store);
    ~AttemptRecord();

    void setPath(const QString& path) { m_path = path; }
    const QString& path() const { return m_path; }
    // An attempt resumed after an interruption: started then, and already kept in progress.
    void resume(const QDateTime& started);
    // Which paper, when it started and how much time is left: with the answers already in the
    // bank, all an interrupted attempt needs to be resumed.
    void keepProgress(std::int64_t remainingMs);
    // Nothing is left to resume of an attempt given up.
    void forgetProgress();
    // The handed-in paper outlives the window; the record also forgets the exam in progress.
    void keepHandedIn(int usedSeconds);
    void close();
    // The record itself, opened at the first use; 收藏 and 笔记 of the review are kept there too.
    study::StudyRecord& record();

private:
    void tellNotice();

    QWidget* m_window;
    PaperStore& m_store;
    QString m_path = study::StudyRecord::defaultPath();
    std::unique_ptr<study::StudyRecord> m_record;
    QDateTime m_started = QDateTime::currentDateTime();
    bool m_keepsProgress = false; // the record holds this attempt as the exam in progress
};

} // namespace exam
