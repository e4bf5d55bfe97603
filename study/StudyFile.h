#pragma once

#include "common/Outcome.h"

#include <QSqlDatabase>
#include <QString>

namespace study {

// The life of the record's file: opened in WAL mode and checked, its tables brought up to date; a
// file that is not a sound database is set aside as `<name>.damaged-N` and a new one started. A lock
// held elsewhere leaves it closed, to be opened again by the next use. What the candidate must hear
// of (a file set aside, a file of a newer program) goes into `notice`.
class StudyFile final {
public:
    // How long a statement waits for a lock held elsewhere, unless told otherwise.
    static constexpr int kWaitMs = 20;

    StudyFile(const QString& path, QString& notice);
    ~StudyFile();
    StudyFile(const StudyFile&) = delete;
    StudyFile& operator=(const StudyFile&) = delete;

    const QString& path() const { return m_path; }
    bool isOpen() const { return m_state == State::Open; }
    // A file of a newer program: never written.
    bool isUnusable() const { return m_state == State::Unusable; }
    // Opens the file unless it is open; fails when it cannot be opened now.
    common::Outcome<> ensureOpen();
    // The open file's connection.
    QSqlDatabase database() const;
    void close();

private:
    enum class State { Closed, Open, Unusable };

    bool openFile(bool* damaged);
    void setAside();

    QString m_path;
    QString m_connection;
    QString& m_notice;
    State m_state = State::Closed;
};

} // namespace study
