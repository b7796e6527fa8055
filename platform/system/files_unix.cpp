#include "platform/system/files.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    bool close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false; // a full disk shows here, not as a short file taken for success
        done += written;
    }
    return true;
}

bool syncFolderOf(const QString &path)
{
    const Descriptor folder(::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                                   O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return folder.get() >= 0 && ::fsync(folder.get()) == 0;
}

} // namespace

std::optional<QByteArray> readRegularFile(const QString &path, qint64 maxBytes)
{
    // Non-blocking: opening a FIFO for reading would otherwise wait for a writer forever.
    const Descriptor fd(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat status;
    if (fd.get() < 0 || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_size > maxBytes)
        return std::nullopt;

    return detail::readAllWithin(status.st_size, maxBytes, [&fd](char *buffer, qint64 room) {
        ssize_t got;
        do
            got = ::read(fd.get(), buffer, size_t(room));
        while (got < 0 && errno == EINTR);
        return qint64(got);
    });
}

bool replaceFile(const QString &path, const QByteArray &bytes)
{
    const QByteArray target = QFile::encodeName(path);
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 16; ++attempt) {
        temporary = QFile::encodeName(detail::temporaryNameFor(path));
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    Descriptor file(fd);
    if (file.get() < 0)
        return false;

    struct stat former;
    const bool kept = ::stat(target.constData(), &former) != 0 ||
                      ::fchmod(file.get(), former.st_mode & 07777) == 0;
    const bool written = kept && writeAll(file.get(), bytes) && ::fdatasync(file.get()) == 0;
    if (!file.close() || !written || ::rename(temporary.constData(), target.constData()) != 0) {
        ::unlink(temporary.constData());
        return false;
    }
    // The new content is in place; a folder that cannot be synced does not undo that.
    syncFolderOf(path);
    return true;
}

} // namespace platform
