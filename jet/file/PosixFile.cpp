#include "jet/file/File.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace jet {

namespace {

Status openError(const std::string& path) {
    if (errno == ENOENT) return Status::notFound("cannot open " + path + ": " + std::strerror(errno));
    if (errno == ELOOP) return Status::io("cannot open " + path + ": it is a link, which is not followed");
    return Status::io("cannot open " + path + ": " + std::strerror(errno));
}

// An existing file opened read-write, or a new one made where none is (never through a link);
// -1 with errno set otherwise.
int openReadWrite(int folder, const char* name, bool create) {
    constexpr int kFlags = O_RDWR | O_CLOEXEC | O_NOFOLLOW;
    for (;;) {
        const int fd = ::openat(folder, name, kFlags);
        if (fd >= 0 || errno != ENOENT || !create) return fd;
        const int made = ::openat(folder, name, kFlags | O_CREAT | O_EXCL, 0644);
        if (made >= 0 || errno != EEXIST) return made;
    }
}

} // namespace

Result<std::shared_ptr<Folder>> Folder::of(const std::string& path, std::string& name) {
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    name = slash == std::string::npos ? path : path.substr(slash + 1);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return openError(folder);
    return std::shared_ptr<Folder>(new Folder(fd, folder));
}

Folder::~Folder() {
    ::close(m_fd);
}

Result<std::unique_ptr<File>> PosixFile::open(const std::string& path, bool create,
                                              std::chrono::milliseconds lockWait) {
    std::string name;
    JET_ASSIGN_OR_RETURN(auto folder, Folder::of(path, name));
    return open(std::move(folder), name, create, lockWait);
}

Result<std::unique_ptr<File>> PosixFile::open(std::shared_ptr<Folder> folder, const std::string& name,
                                              bool create, std::chrono::milliseconds lockWait) {
    const std::string path = folder->path() + "/" + name;
    int fd = openReadWrite(folder->fd(), name.c_str(), create);
    bool writable = true;
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM) && !create) {
        fd = ::openat(folder->fd(), name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        writable = false;
    }
    if (fd < 0) return openError(path);
    auto file = std::unique_ptr<File>(new PosixFile(fd, path, writable, lockWait));
    struct stat st {};
    if (::fstat(fd, &st) != 0) return Status::io("cannot stat " + path + ": " + std::strerror(errno));
    if (!S_ISREG(st.st_mode)) return Status::io("cannot open " + path + ": not a regular file");
    return file;
}

Result<std::string> PosixFile::keep(std::shared_ptr<Folder> folder, const std::string& stem, ByteView bytes) {
    constexpr int kNames = 100;
    for (int n = 1; n <= kNames; ++n) {
        const std::string name = n == 1 ? stem : stem + "-" + std::to_string(n);
        const std::string path = folder->path() + "/" + name;
        const int fd =
            ::openat(folder->fd(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return Status::io("cannot create " + path + ": " + std::strerror(errno));
        PosixFile file(fd, path, true, kStatementLockWait);
        JET_TRY(file.writeAt(0, bytes));
        JET_TRY(file.sync());
        return path;
    }
    return Status::io("cannot create " + folder->path() + "/" + stem + ": " + std::to_string(kNames) +
                      " such files exist already");
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
    if (mode == LockMode::Unlocked) {
        while (::flock(m_fd, LOCK_UN) != 0)
            if (errno != EINTR) return error("cannot unlock");
        return {};
    }
    // Polled rather than blocking, so that a process holding the lock for good costs a bounded wait.
    constexpr auto kPoll = std::chrono::milliseconds(5);
    const auto deadline = std::chrono::steady_clock::now() + m_lockWait;
    const int op = (mode == LockMode::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    while (::flock(m_fd, op) != 0) {
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) return error("cannot lock");
        if (std::chrono::steady_clock::now() >= deadline)
            return Status::busy(m_path + " is in use by another process: its lock was not free within " +
                                std::to_string(m_lockWait.count()) + " ms");
        std::this_thread::sleep_for(kPoll);
    }
    return {};
}

} // namespace jet
