#include "platform/system/singleinstance.h"

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {
namespace {

std::optional<sockaddr_un> socketAddress(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    if (size_t(name.size()) >= sizeof address.sun_path)
        return std::nullopt;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    return address;
}

} // namespace

SingleInstance::~SingleInstance()
{
    if (m_listener >= 0) {
        ::close(int(m_listener));
        QFile::remove(runtimePath(m_key, QStringLiteral("socket")));
    }
    if (m_lock >= 0)
        ::close(int(m_lock)); // releases the lock
}

bool SingleInstance::tryAcquire()
{
    if (m_lock >= 0)
        return true;
    const int fd = ::open(QFile::encodeName(lockFilePath(m_key)).constData(),
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
    m_lock = fd;
    return true;
}

void SingleInstance::listenForLaterStarts()
{
    const QString path = runtimePath(m_key, QStringLiteral("socket"));
    const auto address = socketAddress(path);
    if (m_lock < 0 || m_listener >= 0 || !address)
        return;
    // Only the lock's holder gets here: a socket already there is a crashed copy's.
    ::unlink(address->sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return;
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&*address), sizeof *address) != 0 ||
        ::listen(fd, 8) != 0) {
        ::close(fd);
        return;
    }
    m_listener = fd;
    auto *notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        for (int client; (client = ::accept4(int(m_listener), nullptr, nullptr,
                                             SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0;)
            readRequest(client);
    });
}

void SingleInstance::readRequest(qintptr client)
{
    // Each connection is one later start: it writes its request and closes. One that stalls
    // is given up after a moment with what it sent.
    auto *notifier = new QSocketNotifier(client, QSocketNotifier::Read, this);
    auto *timeout = new QTimer(notifier);
    auto request = std::make_shared<QByteArray>();
    const auto finish = [this, notifier, client, request] {
        if (!notifier->isEnabled())
            return; // already finished, the notifier not yet deleted
        notifier->setEnabled(false);
        ::close(int(client));
        notifier->deleteLater();
        emit requested(*request);
    };
    connect(timeout, &QTimer::timeout, this, finish);
    connect(notifier, &QSocketNotifier::activated, this, [client, request, finish] {
        char buffer[256];
        ssize_t got;
        while ((got = ::recv(int(client), buffer, sizeof buffer, 0)) > 0) {
            request->append(buffer, qsizetype(got));
            if (request->size() >= maxRequestBytes)
                return finish();
        }
        if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
            finish();
    });
    timeout->setSingleShot(true);
    timeout->start(2000);
}

bool SingleInstance::askRunningCopy(const QByteArray &request) const
{
    const auto address = socketAddress(runtimePath(m_key, QStringLiteral("socket")));
    if (!address)
        return false;
    // Non-blocking: a copy that hangs must not hang this start.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool reached =
        ::connect(fd, reinterpret_cast<const sockaddr *>(&*address), sizeof *address) == 0 &&
        ::send(fd, request.constData(), size_t(std::min(request.size(), maxRequestBytes)),
               MSG_NOSIGNAL) >= 0;
    ::close(fd);
    return reached;
}

} // namespace platform
