#include "platform/desktop/autostart.h"

#include <QDir>
#include <windows.h>

namespace platform {
namespace {

const wchar_t runKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

} // namespace

QString SystemAutostart::entry() const
{
    return m_program.name;
}

bool SystemAutostart::isEnabled() const
{
    return RegGetValueW(HKEY_CURRENT_USER, runKey, wide(entry()), RRF_RT_REG_SZ, nullptr, nullptr,
                        nullptr) == ERROR_SUCCESS;
}

bool SystemAutostart::setEnabled(bool enabled)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, runKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    LONG status;
    if (enabled) {
        const QString command = u'"' + QDir::toNativeSeparators(m_program.executable) + u'"';
        status = RegSetValueExW(key, wide(entry()), 0, REG_SZ,
                                reinterpret_cast<const BYTE *>(command.utf16()),
                                DWORD((command.size() + 1) * sizeof(wchar_t)));
    } else {
        status = RegDeleteValueW(key, wide(entry()));
        if (status == ERROR_FILE_NOT_FOUND)
            status = ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

} // namespace platform
