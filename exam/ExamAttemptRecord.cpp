#include "exam/ExamAttemptRecord.h"

#include "bank/QuestionType.h"
#include "exam/ExamLog.h"
#include "exam/PaperRecording.h"
#include "ui/MessageBox.h"

using namespace Qt::StringLiterals;

using bank::paperOfTable;
using bank::paperQuestionType;
using bank::QuestionRecord;
using bank::QuestionType;
using bank::typePoints;

namespace exam {

common::Outcome<study::ExamAttempt> handedInAttempt(PaperStore& store, const QDateTime& started,
                                                    const QDateTime& ended, int usedSeconds) {
    const std::optional<int> paper = paperOfTable(store.table());
    if (!paper) return common::Failure{u"%1 is not a paper"_s.arg(store.table())};
    const common::Outcome<QList<QuestionRecord>> questions = store.readAll();
    if (!questions) return common::Failure{questions.reason()};
    study::ExamAttempt attempt;
    attempt.paper = *paper;
    attempt.started = started;
    attempt.ended = ended;
    attempt.usedSeconds = usedSeconds;
    for (const QuestionRecord& question : *questions) {
        const std::optional<QuestionType> type = paperQuestionType(question.id);
        if (!type) continue;
        const int score = question.fen.toInt();
        attempt.total += score;
        attempt.typeScores[static_cast<std::size_t>(*type)] += score;
        attempt.questions.append({question.id, question.tm, score == typePoints(*type), score, *type,
                                  question.ch, hasAnswer(question), question});
    }
    return attempt;
}

AttemptRecord::AttemptRecord(QWidget* window, PaperStore& store) : m_window(window), m_store(store) {}

AttemptRecord::~AttemptRecord() = default;

void AttemptRecord::resume(const QDateTime& started) {
    m_started = started;
    m_keepsProgress = true;
}

void AttemptRecord::keepProgress(std::int64_t remainingMs) {
    const std::optional<int> paper = paperOfTable(m_store.table());
    if (!paper) return;
    record().keepExamInProgress({*paper, m_started, remainingMs});
    m_keepsProgress = true;
    tellNotice();
}

void AttemptRecord::forgetProgress() {
    if (!m_keepsProgress) return;
    record().forgetExamInProgress();
    record().close();
    m_keepsProgress = false;
}

// A record that cannot take the attempt is told once, by the record.
void AttemptRecord::keepHandedIn(int usedSeconds) {
    const common::Outcome<study::ExamAttempt> attempt =
        handedInAttempt(m_store, m_started, QDateTime::currentDateTime(), usedSeconds);
    if (!attempt) {
        qCWarning(lcExam).noquote() << "cannot read" << m_store.table()
                                    << "for the study record:" << attempt.reason();
        return;
    }
    record().recordExam(*attempt);
    record().close();
    tellNotice();
}

void AttemptRecord::close() {
    record().close();
}

study::StudyRecord& AttemptRecord::record() {
    if (!m_record) m_record = std::make_unique<study::StudyRecord>(m_path);
    return *m_record;
}

void AttemptRecord::tellNotice() {
    const QString notice = record().takeNotice();
    if (!notice.isEmpty()) ui::showMessage(m_window, notice);
}

} // namespace exam
