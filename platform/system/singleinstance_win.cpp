#include "platform/system/singleinstance.h"

#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <windows.h>

namespace platform {
namespace {

QString channelName(const QString &lockPath)
{
    return QFileInfo(lockPath).completeBaseName();
}

} // namespace

SingleInstance::~SingleInstance()
{
    if (m_lock != -1)
        CloseHandle(reinterpret_cast<HANDLE>(m_lock));
}

bool SingleInstance::tryAcquire()
{
    if (m_lock != -1)
        return true;
    // A named mutex in the session's namespace: the system removes it with its last holder.
    const QString name = QStringLiteral("Local\\") + channelName(lockFilePath(m_key));
    HANDLE mutex = CreateMutexW(nullptr, TRUE, reinterpret_cast<const wchar_t *>(name.utf16()));
    if (!mutex)
        return false;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return false;
    }
    m_lock = reinterpret_cast<qintptr>(mutex);
    return true;
}

void SingleInstance::listenForLaterStarts()
{
    if (m_lock == -1 || m_listener != -1)
        return;
    auto *server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = channelName(lockFilePath(m_key));
    QLocalServer::removeServer(name);
    if (!server->listen(name)) {
        delete server;
        return;
    }
    m_listener = 1;
    connect(server, &QLocalServer::newConnection, this, [this, server] {
        while (QLocalSocket *client = server->nextPendingConnection()) {
            // The later start writes its request and closes; one that stalls is given up.
            QTimer::singleShot(2000, client, &QLocalSocket::abort);
            connect(client, &QLocalSocket::disconnected, this, [this, client] {
                emit requested(client->readAll().left(maxRequestBytes));
                client->deleteLater();
            });
        }
    });
}

bool SingleInstance::askRunningCopy(const QByteArray &request) const
{
    QLocalSocket socket;
    socket.connectToServer(channelName(lockFilePath(m_key)));
    if (!socket.waitForConnected(500))
        return false;
    socket.write(request.left(maxRequestBytes));
    const bool sent = socket.waitForBytesWritten(500);
    socket.disconnectFromServer();
    return sent;
}

} // namespace platform
