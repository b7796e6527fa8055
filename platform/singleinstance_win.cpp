#include "platform/singleinstance.h"

#include <QFileInfo>
#include <windows.h>

namespace platform {

SingleInstance::~SingleInstance()
{
    if (m_handle != -1)
        CloseHandle(reinterpret_cast<HANDLE>(m_handle));
}

bool SingleInstance::tryAcquire()
{
    if (m_handle != -1)
        return true;
    // A named mutex in the session's namespace: the system removes it with its last holder.
    const QString name = QStringLiteral("Local\\") + QFileInfo(m_path).completeBaseName();
    HANDLE mutex = CreateMutexW(nullptr, TRUE, reinterpret_cast<const wchar_t *>(name.utf16()));
    if (!mutex)
        return false;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return false;
    }
    m_handle = reinterpret_cast<qintptr>(mutex);
    return true;
}

} // namespace platform
