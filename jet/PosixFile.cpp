#include "jet/File.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jet {

Result<std::unique_ptr<File>> PosixFile::open(const std::string& path, bool create) {
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0644);
    bool writable = true;
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM) && !create) {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        writable = false;
    }
    if (fd < 0 && errno == ENOENT)
        return Status::notFound("cannot open " + path + ": " + std::strerror(errno));
    if (fd < 0) return Status::io("cannot open " + path + ": " + std::strerror(errno));
    return std::unique_ptr<File>(new PosixFile(fd, path, writable));
}

Result<std::string> PosixFile::keep(const std::string& stem, ByteView bytes) {
    constexpr int kNames = 100;
    for (int n = 1; n <= kNames; ++n) {
        const std::string name = n == 1 ? stem : stem + "-" + std::to_string(n);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return Status::io("cannot create " + name + ": " + std::strerror(errno));
        PosixFile file(fd, name, true);
        JET_TRY(file.writeAt(0, bytes));
        JET_TRY(file.sync());
        return name;
    }
    return Status::io("cannot create " + stem + ": " + std::to_string(kNames) + " such files exist already");
}

PosixFile::~PosixFile() {
    ::close(m_fd);
}

Status PosixFile::error(const std::string& what) const {
    return Status::io(what + " " + m_path + ": " + std::strerror(errno));
}

Status PosixFile::readAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n =
            ::pread(m_fd, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return error("cannot read");
        if (n == 0) return Status::corrupt("unexpected end of " + m_path);
        done += static_cast<std::size_t>(n);
    }
    return {};
}

Status PosixFile::writeAt(std::uint64_t offset, ByteView bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(m_fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return error("cannot write");
        done += static_cast<std::size_t>(n);
    }
    return {};
}

Result<std::uint64_t> PosixFile::size() {
    struct stat st {};
    if (::fstat(m_fd, &st) != 0) return error("cannot stat");
    return static_cast<std::uint64_t>(st.st_size);
}

Status PosixFile::truncate(std::uint64_t size) {
    if (::ftruncate(m_fd, static_cast<off_t>(size)) != 0) return error("cannot truncate");
    return {};
}

Status PosixFile::sync() {
    if (::fdatasync(m_fd) != 0) return error("cannot sync");
    return {};
}

Status PosixFile::lock(LockMode mode) {
    const int op = mode == LockMode::Exclusive ? LOCK_EX : mode == LockMode::Shared ? LOCK_SH : LOCK_UN;
    while (::flock(m_fd, op) != 0) {
        if (errno != EINTR) return error("cannot lock");
    }
    return {};
}

} // namespace jet
