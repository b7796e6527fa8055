#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Code page 932 (Shift-JIS as Windows writes it), the catalogue file's encoding.
namespace platform {

// Empty when the bytes hold a sequence that code page 932 does not define.
std::optional<QString> decodeCp932(const QByteArray &bytes);

// Empty when the text holds a character that code page 932 cannot represent.
std::optional<QByteArray> encodeCp932(const QString &text);

} // namespace platform
