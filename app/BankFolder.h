#pragma once

#include "common/Outcome.h"

#include <QByteArray>
#include <QString>

namespace app {

// The folder that holds the candidate's bank, opened once; its files are made, replaced and set
// aside by name within it. No name is ever followed when it is a link: another user who can write
// to the folder could plant one to send our writes into a file elsewhere, so a link in the way is
// replaced or removed itself.
class BankFolder final {
public:
    static common::Outcome<BankFolder> open(const QString& directory);
    ~BankFolder();
    BankFolder(BankFolder&& other) noexcept;
    BankFolder& operator=(BankFolder&&) = delete;
    BankFolder(const BankFolder&) = delete;
    BankFolder& operator=(const BankFolder&) = delete;

    QString filePath(const QString& name) const;
    int fd() const { return m_fd; }

    // A new file `name` holding `bytes`, synced; whatever had that name before (a draft left by a
    // killed start, a link) goes first.
    common::Outcome<> writeNew(const QString& name, const QByteArray& bytes);
    // Moves `from` over `to` and syncs the folder, so the change survives a power cut.
    common::Outcome<> replace(const QString& from, const QString& to);
    // Moves `name` to the first free `<name>.damaged-N`; returns that name.
    common::Outcome<QString> setAside(const QString& name);
    // Removes `name` (not what it may point to); nothing there is fine.
    common::Outcome<> remove(const QString& name);

private:
    BankFolder(int fd, QString path) : m_fd(fd), m_path(std::move(path)) {}
    common::Failure failure(const QString& what, const QString& name) const;

    int m_fd;
    QString m_path;
};

} // namespace app
