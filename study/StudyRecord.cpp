#include "study/StudyRecord.h"

#include <QLoggingCategory>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace study {
namespace {

Q_LOGGING_CATEGORY(lcStudy, "velmora.study", QtWarningMsg)

const QString kAnswerWindowPlace = u"answer_window_place"_s;

} // namespace

QString StudyRecord::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u'/' + kFileName;
}

StudyRecord::StudyRecord(const QString& path) : m_file(path, m_notice), m_writes(m_file, m_notice) {
    static_cast<void>(m_file.ensureOpen()); // a file that cannot be opened now is tried again by the next use
}

StudyRecord::~StudyRecord() {
    close();
}

void StudyRecord::close() {
    if (const common::Outcome<> written = m_writes.flush(kCloseWaitMs); !written) {
        const int lost = m_writes.dropPending();
        qCWarning(lcStudy).noquote() << lost << "study records lost:" << path();
        m_notice = u"学习记录无法写入（%1），本次有 %2 条记录未能保存。"_s.arg(written.reason()).arg(lost);
    }
    m_file.close();
}

void StudyRecord::recordAnswer(const PracticeAnswer& answer) {
    m_writes.recordAnswer(answer);
}

void StudyRecord::settleAttempt() {
    m_writes.settleAttempt();
}

void StudyRecord::closeQuestion(const QString& table, const QString& questionText) {
    m_writes.closeQuestion(table, questionText);
}

void StudyRecord::recordExam(const ExamAttempt& attempt) {
    m_writes.recordExam(attempt);
}

void StudyRecord::keepExamInProgress(const ExamInProgress& exam) {
    m_writes.keepExamInProgress(exam);
}

void StudyRecord::forgetExamInProgress() {
    m_writes.keepExamInProgress(std::nullopt);
}

std::optional<ExamInProgress> StudyRecord::examInProgress() {
    if (!m_writes.flush(kAnswerWaitMs) || !m_file.ensureOpen()) return std::nullopt;
    QSqlQuery query(m_file.database());
    query.setForwardOnly(true);
    query.exec(u"SELECT paper, started, remaining_ms FROM exam_in_progress"_s);
    if (!query.next()) return std::nullopt;
    return ExamInProgress{query.value(0).toInt(), QDateTime::fromMSecsSinceEpoch(query.value(1).toLongLong()),
                          query.value(2).toLongLong()};
}

QString StudyRecord::takeNotice() {
    return std::exchange(m_notice, QString());
}

std::array<TypeFigures, 4> StudyRecord::typeFigures(const QDate& today) {
    if (!m_file.ensureOpen()) return {};
    return study::typeFigures(m_file.database(), today);
}

DailyProgress StudyRecord::dailyProgress(const QDate& today) {
    if (!m_file.ensureOpen()) return {};
    return study::dailyProgress(m_file.database(), today);
}

common::Outcome<> StudyRecord::setDailyTarget(int questions) {
    return keepSetting(u"daily_target"_s, QString::number(std::max(1, questions)));
}

common::Outcome<> StudyRecord::keepSetting(const QString& key, const QString& value) {
    OUTCOME_TRY(m_file.ensureOpen());
    QSqlQuery query(m_file.database());
    query.prepare(u"INSERT OR REPLACE INTO settings (key, value) VALUES (?, ?)"_s);
    query.addBindValue(key);
    query.addBindValue(value);
    if (!query.exec()) return common::Failure{query.lastError().text()};
    return {};
}

QList<BookEntry> StudyRecord::wrongBookEntries(const QDate& today) {
    if (!m_file.ensureOpen()) return {};
    return study::wrongBookEntries(m_file.database(), today);
}

QList<MemoryEntry> StudyRecord::memoryEntries() {
    if (!m_file.ensureOpen()) return {};
    return study::memoryEntries(m_file.database());
}

std::optional<int> StudyRecord::weakestTypeIn(const QString& chapter) {
    if (!m_file.ensureOpen()) return std::nullopt;
    return study::weakestTypeIn(m_file.database(), chapter);
}

QSet<QString> StudyRecord::answeredQuestions(const QString& table) {
    if (!m_file.ensureOpen()) return {};
    return study::answeredQuestions(m_file.database(), table);
}

QString StudyRecord::resumePoint(const QString& round) {
    if (!m_file.ensureOpen()) return {};
    return setting(m_file.database(), u"resume:"_s + round);
}

common::Outcome<> StudyRecord::keepResumePoint(const QString& round, const QString& questionHash) {
    return keepSetting(u"resume:"_s + round, questionHash);
}

std::optional<QPoint> StudyRecord::answerWindowPlace() {
    if (!m_file.ensureOpen()) return std::nullopt;
    const QStringList xy = setting(m_file.database(), kAnswerWindowPlace).split(u',');
    bool xRead = false;
    bool yRead = false;
    const QPoint place(xy.value(0).toInt(&xRead), xy.value(1).toInt(&yRead));
    if (xy.size() != 2 || !xRead || !yRead) return std::nullopt;
    return place;
}

common::Outcome<> StudyRecord::keepAnswerWindowPlace(QPoint place) {
    return keepSetting(kAnswerWindowPlace, u"%1,%2"_s.arg(place.x()).arg(place.y()));
}

QList<ChapterFigures> StudyRecord::chapterFigures() {
    if (!m_file.ensureOpen()) return {};
    return study::chapterFigures(m_file.database());
}

QList<ExamHistoryEntry> StudyRecord::examHistory() {
    if (!m_file.ensureOpen()) return {};
    return study::examHistory(m_file.database());
}

QStringList StudyRecord::wrongBook(const QString& table, const QDate& today) {
    if (!m_file.ensureOpen()) return {};
    return study::wrongBook(m_file.database(), table, today);
}

QuestionMark StudyRecord::questionMark(const QString& table, const QString& questionText) {
    if (!m_file.ensureOpen()) return {};
    return study::questionMark(m_file.database(), table, questionText);
}

common::Outcome<> StudyRecord::setStarred(const QString& table, const QString& questionText, bool starred) {
    OUTCOME_TRY(m_file.ensureOpen());
    return study::setStarred(m_file.database(), table, questionText, starred);
}

common::Outcome<> StudyRecord::setNote(const QString& table, const QString& questionText,
                                       const QString& note) {
    OUTCOME_TRY(m_file.ensureOpen());
    return study::setNote(m_file.database(), table, questionText, note);
}

QList<MarkedQuestion> StudyRecord::markedQuestions() {
    if (!m_file.ensureOpen()) return {};
    return study::markedQuestions(m_file.database());
}

common::Outcome<ExamReview> StudyRecord::examReview(qint64 exam) {
    if (!m_file.ensureOpen()) return common::Failure{u"学习记录打不开，无法回顾这次考试。请稍后再试。"_s};
    return study::examReview(m_file.database(), exam);
}

common::Outcome<> StudyRecord::exportTo(const QString& target) {
    OUTCOME_TRY(m_writes.flush(kCloseWaitMs));
    OUTCOME_TRY(m_file.ensureOpen());
    return exportRecord(m_file.database(), target);
}

common::Outcome<> StudyRecord::importFrom(const QString& source, ImportMode mode) {
    OUTCOME_TRY(m_writes.flush(kCloseWaitMs));
    OUTCOME_TRY(m_file.ensureOpen());
    return importRecord(m_file.database(), source, mode);
}

common::Outcome<> StudyRecord::clear() {
    return m_writes.clear();
}

} // namespace study
