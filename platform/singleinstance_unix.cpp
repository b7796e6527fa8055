#include "platform/singleinstance.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

SingleInstance::~SingleInstance()
{
    if (m_handle >= 0)
        ::close(int(m_handle)); // releases the lock
}

bool SingleInstance::tryAcquire()
{
    if (m_handle >= 0)
        return true;
    const int fd = ::open(QFile::encodeName(m_path).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    // The kernel drops the lock when the holder ends, however it ends.
    int locked;
    do
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        ::close(fd);
        return false;
    }
    m_handle = fd;
    return true;
}

} // namespace platform
