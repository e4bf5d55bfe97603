#pragma once

// The few operating-system file operations the pager needs, behind an interface so that tests
// can substitute a file that fails on demand.
#include "jet/Bytes.h"
#include "jet/Status.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace jet {

enum class LockMode { Unlocked, Shared, Exclusive };

// How long a lock held by another process is waited for before the engine gives up with Busy: a
// statement must not freeze a click, while a start may wait for a statement of another process to end.
inline constexpr std::chrono::milliseconds kStatementLockWait{400};
inline constexpr std::chrono::milliseconds kStartLockWait{3000};

// The folder that holds a database, opened once: its file, journal and kept journals are reached
// through it by name, so they stay beside the very database that was opened. No name in it is
// followed when it is a link: in a folder others can write to, a planted link would send the
// engine's writes into a file elsewhere.
class Folder final {
public:
    // The folder of `path`, and the file's name within it.
    static Result<std::shared_ptr<Folder>> of(const std::string& path, std::string& name);
    ~Folder();
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    int fd() const { return m_fd; }
    const std::string& path() const { return m_path; }

private:
    Folder(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}
    int m_fd;
    std::string m_path;
};

class File {
public:
    virtual ~File() = default;

    // Reads exactly `out.size()` bytes; a short read is an error.
    virtual Status readAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
    virtual Status writeAt(std::uint64_t offset, ByteView bytes) = 0;
    virtual Result<std::uint64_t> size() = 0;
    virtual Status truncate(std::uint64_t size) = 0;
    virtual Status sync() = 0;
    // Advisory lock shared by all processes; waits a bounded time for another process to release
    // it, then fails with Busy.
    virtual Status lock(LockMode mode) = 0;
    virtual bool writable() const = 0;
};

class PosixFile final : public File {
public:
    // Opens read-write (creating the file when `create`), or read-only when writing is refused. A
    // link in the file's place is refused, never followed; a new file is made only where none is.
    static Result<std::unique_ptr<File>> open(const std::string& path, bool create,
                                              std::chrono::milliseconds lockWait = kStatementLockWait);
    static Result<std::unique_ptr<File>> open(std::shared_ptr<Folder> folder, const std::string& name,
                                              bool create,
                                              std::chrono::milliseconds lockWait = kStatementLockWait);
    // Writes `bytes` durably to a new file named `stem` (or stem-2, stem-3, ... when taken) in `folder`.
    static Result<std::string> keep(std::shared_ptr<Folder> folder, const std::string& stem, ByteView bytes);
    ~PosixFile() override;
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    Status readAt(std::uint64_t offset, std::span<std::uint8_t> out) override;
    Status writeAt(std::uint64_t offset, ByteView bytes) override;
    Result<std::uint64_t> size() override;
    Status truncate(std::uint64_t size) override;
    Status sync() override;
    Status lock(LockMode mode) override;
    bool writable() const override { return m_writable; }

private:
    PosixFile(int fd, std::string path, bool writable, std::chrono::milliseconds lockWait)
        : m_fd(fd), m_path(std::move(path)), m_writable(writable), m_lockWait(lockWait) {}
    Status error(const std::string& what) const;

    int m_fd;
    std::string m_path;
    bool m_writable;
    std::chrono::milliseconds m_lockWait;
};

} // namespace jet
