#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace platform {

inline constexpr quint32 HKEY_LOCAL_MACHINE_ROOT = 0x80000002;
inline constexpr quint32 RegistryString = 1; // REG_SZ
inline constexpr quint32 RegistryNumber = 4; // REG_DWORD

struct RegistryValue
{
    quint32 type = 0;
    QByteArray data; // as the query returned it, at most 1024 bytes
};

// Read-only access to the system registry, or to what stands in for it.
class Registry
{
public:
    virtual ~Registry() = default;
    // Empty when the key cannot be opened or the value cannot be read.
    virtual std::optional<RegistryValue> queryValue(quint32 root, const QString &keyName,
                                                    const QString &valueName) = 0;
};

class SystemRegistry : public Registry
{
public:
    std::optional<RegistryValue> queryValue(quint32 root, const QString &keyName,
                                            const QString &valueName) override;
};

} // namespace platform
