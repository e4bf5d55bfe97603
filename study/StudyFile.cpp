#include "study/StudyFile.h"

#include "study/StudySchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace study {
namespace {

Q_LOGGING_CATEGORY(lcStudyFile, "velmora.study", QtWarningMsg)

// SQLite's primary result codes that mean the file is not a sound database.
bool meansDamage(const QSqlError& error) {
    const int code = error.nativeErrorCode().toInt() & 0xff;
    return code == 11 /* SQLITE_CORRUPT */ || code == 26 /* SQLITE_NOTADB */;
}

QString nextConnectionName() {
    static int count = 0;
    return u"study-%1"_s.arg(++count);
}

} // namespace

StudyFile::StudyFile(const QString& path, QString& notice)
    : m_path(path), m_connection(nextConnectionName()), m_notice(notice) {}

StudyFile::~StudyFile() {
    close();
}

common::Outcome<> StudyFile::ensureOpen() {
    const common::Failure unopened{u"文件打不开"_s};
    if (m_state != State::Closed) {
        if (m_state == State::Open) return {};
        return unopened;
    }
    bool damaged = false;
    if (openFile(&damaged)) return {};
    if (!damaged) return unopened;
    setAside();
    damaged = false;
    if (openFile(&damaged)) return {};
    return unopened;
}

QSqlDatabase StudyFile::database() const {
    return QSqlDatabase::database(m_connection, false);
}

// Opens and checks the file, bringing its tables up to date.
bool StudyFile::openFile(bool* damaged) {
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_connection);
        db.setDatabaseName(m_path);
        db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=%1"_s.arg(kWaitMs));
        QString error;
        QSqlQuery query(db);
        bool ok = db.open() && query.exec(u"PRAGMA journal_mode = WAL"_s);
        if (ok && query.exec(u"PRAGMA quick_check"_s) && query.next() &&
            query.value(0).toString() != u"ok"_s) {
            *damaged = true;
            error = query.value(0).toString();
        }
        if (!ok) {
            *damaged = meansDamage(query.lastError()) || meansDamage(db.lastError());
            error = query.lastError().isValid() ? query.lastError().text() : db.lastError().text();
        }
        query.finish();
        if (ok && !*damaged) {
            query.exec(u"PRAGMA synchronous = NORMAL"_s);
            query.exec(u"PRAGMA foreign_keys = ON"_s);
            const common::Outcome<Migration> migration = migrate(db);
            if (migration && *migration == Migration::Current) {
                m_state = State::Open;
                return true;
            }
            if (migration) {
                m_state = State::Unusable;
                m_notice = u"学习记录由较新版本的程序写成，本程序不改动它，也不再记录。"_s;
                return false;
            }
            error = migration.reason();
        }
        if (!*damaged && meansDamage(db.lastError())) *damaged = true;
        qCWarning(lcStudyFile).noquote() << "cannot open" << m_path << ":" << error;
    }
    close();
    return false;
}

// The damaged file and its WAL files move aside under the first free `<name>.damaged-N`.
void StudyFile::setAside() {
    int n = 1;
    while (QFile::exists(u"%1.damaged-%2"_s.arg(m_path).arg(n)))
        ++n;
    const QString aside = u"%1.damaged-%2"_s.arg(m_path).arg(n);
    QFile::rename(m_path, aside);
    for (const QString& suffix : {u"-wal"_s, u"-shm"_s})
        if (QFile::exists(m_path + suffix)) QFile::rename(m_path + suffix, aside + suffix);
    qCWarning(lcStudyFile).noquote() << "damaged study record set aside as" << aside;
    m_notice = u"学习记录文件已损坏，已另存为“%1”，并新建了一份学习记录。"_s.arg(QFileInfo(aside).fileName());
}

void StudyFile::close() {
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
    if (m_state == State::Open) m_state = State::Closed;
}

} // namespace study
