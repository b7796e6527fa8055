#include "platform/system/codec.h"

#include <windows.h>

namespace platform {

std::optional<QString> decodeCp932(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QString();
    const int length = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.constData(),
                                           int(bytes.size()), nullptr, 0);
    if (length == 0)
        return std::nullopt;
    QString text(length, Qt::Uninitialized);
    MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.constData(), int(bytes.size()),
                        reinterpret_cast<wchar_t *>(text.data()), length);
    return text;
}

std::optional<QByteArray> encodeCp932(const QString &text)
{
    if (text.isEmpty())
        return QByteArray();
    const auto *wide = reinterpret_cast<const wchar_t *>(text.utf16());
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide, int(text.size()),
                                           nullptr, 0, nullptr, &usedDefault);
    if (length == 0 || usedDefault)
        return std::nullopt;
    QByteArray bytes(length, Qt::Uninitialized);
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide, int(text.size()), bytes.data(), length,
                        nullptr, &usedDefault);
    return bytes;
}

} // namespace platform
