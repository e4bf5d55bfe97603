#pragma once

// The few operating-system file operations the pager needs, behind an interface so that tests
// can substitute a file that fails on demand.
#include "jet/Bytes.h"
#include "jet/Status.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace jet {

enum class LockMode { Unlocked, Shared, Exclusive };

class File {
public:
    virtual ~File() = default;

    // Reads exactly `out.size()` bytes; a short read is an error.
    virtual Status readAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
    virtual Status writeAt(std::uint64_t offset, ByteView bytes) = 0;
    virtual Result<std::uint64_t> size() = 0;
    virtual Status truncate(std::uint64_t size) = 0;
    virtual Status sync() = 0;
    // Advisory lock shared by all processes; blocks until granted.
    virtual Status lock(LockMode mode) = 0;
    virtual bool writable() const = 0;
};

class PosixFile final : public File {
public:
    // Opens read-write (creating the file when `create`), or read-only when writing is refused.
    static Result<std::unique_ptr<File>> open(const std::string& path, bool create);
    // Writes `bytes` durably to a new file named `stem` (or stem-2, stem-3, ... when taken).
    static Result<std::string> keep(const std::string& stem, ByteView bytes);
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
    PosixFile(int fd, std::string path, bool writable)
        : m_fd(fd), m_path(std::move(path)), m_writable(writable) {}
    Status error(const std::string& what) const;

    int m_fd;
    std::string m_path;
    bool m_writable;
};

} // namespace jet
