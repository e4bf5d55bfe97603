#include "jet/file/CreateFileWriter.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace jet {

namespace {

Status systemError(const std::string& what, const std::string& path) {
    return Status::io(what + " " + path + ": " + std::strerror(errno));
}

// Closes the descriptor and removes the temporary file unless the write was committed.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : m_path(std::move(path)) {}
    ~TemporaryFile() {
        if (m_fd >= 0) ::close(m_fd);
        if (!m_committed) ::unlink(m_path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    Status open() {
        // A file of this name can only be left over from a crashed run of a process with our id.
        ::unlink(m_path.c_str());
        m_fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        return m_fd < 0 ? systemError("cannot create", m_path) : Status::okStatus();
    }
    Status writeAll(const std::uint8_t* data, std::size_t length) {
        while (length > 0) {
            const ssize_t n = ::write(m_fd, data, length);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return systemError("cannot write", m_path);
            data += n;
            length -= static_cast<std::size_t>(n);
        }
        return Status::okStatus();
    }
    Status syncAndClose() {
        if (::fsync(m_fd) != 0) return systemError("cannot flush", m_path);
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) != 0 ? systemError("cannot close", m_path) : Status::okStatus();
    }
    Status renameTo(const std::string& target) {
        if (::rename(m_path.c_str(), target.c_str()) != 0)
            return systemError("cannot rename to " + target + ":", m_path);
        m_committed = true;
        return Status::okStatus();
    }

private:
    std::string m_path;
    int m_fd = -1;
    bool m_committed = false;
};

// The rename is durable only once the directory entry itself reaches the disk.
Status syncDirectory(const std::filesystem::path& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return systemError("cannot open directory", directory.string());
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced ? Status::okStatus() : systemError("cannot flush directory", directory.string());
}

} // namespace

Status CreateFileWriter::write(const std::string& path, const CreateImage& image) {
    const std::filesystem::path target(path);
    std::filesystem::path directory = target.parent_path();
    if (directory.empty()) directory = ".";
    TemporaryFile temporary(path + ".creating-" + std::to_string(::getpid()));
    JET_TRY(temporary.open());
    for (std::uint32_t n = 0; n < image.pageCount(); ++n) {
        const ConstPageSpan page = image.page(n);
        JET_TRY(temporary.writeAll(page.data(), page.size()));
    }
    JET_TRY(temporary.syncAndClose());
    JET_TRY(temporary.renameTo(path));
    return syncDirectory(directory);
}

} // namespace jet
