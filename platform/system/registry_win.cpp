#include "platform/system/registry.h"

#include <windows.h>

namespace platform {

std::optional<RegistryValue> SystemRegistry::queryValue(quint32 root, const QString &keyName,
                                                        const QString &valueName)
{
    const QByteArray key = keyName.toLocal8Bit();
    const QByteArray value = valueName.toLocal8Bit();
    // Predefined keys are sign-extended 32-bit values: HKEY_LOCAL_MACHINE is
    // (HKEY)(LONG)0x80000002.
    const auto rootKey = reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(root)));

    HKEY handle = nullptr;
    LONG status = RegOpenKeyExA(rootKey, key.constData(), 0, 0x2003F, &handle);
    // Without administrator rights the full mask is refused for HKEY_LOCAL_MACHINE; reading is
    // all that is needed.
    if (status == ERROR_ACCESS_DENIED)
        status = RegOpenKeyExA(rootKey, key.constData(), 0, KEY_READ, &handle);
    if (status != ERROR_SUCCESS)
        return std::nullopt;

    QByteArray buffer(1024, '\0');
    DWORD type = 0;
    DWORD size = DWORD(buffer.size());
    status = RegQueryValueExA(handle, value.constData(), nullptr, &type,
                              reinterpret_cast<BYTE *>(buffer.data()), &size);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS)
        return std::nullopt;
    buffer.truncate(size);
    return RegistryValue{type, buffer};
}

} // namespace platform
