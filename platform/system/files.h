#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

// Reading and replacing a small file that a user cares about.
namespace platform {

// The whole file, or nothing when it cannot be opened, is not a regular file (a FIFO or a
// device is never waited on or read) or holds more than maxBytes.
std::optional<QByteArray> readRegularFile(const QString &path, qint64 maxBytes);

// Replaces the file in one step: the bytes are written beside it under a temporary name,
// synced, renamed over it, and the folder is synced so that the rename survives a power cut.
// Keeps the former file's permissions. On failure the former file stays whole and the
// temporary is gone.
bool replaceFile(const QString &path, const QByteArray &bytes);

// Removes what saves of this file that were killed left behind, and only that: files whose
// names follow replaceFile's temporary pattern for this very name.
void removeLeftoversOf(const QString &path);

namespace detail {
// The temporary name replaceFile writes to first.
QString temporaryNameFor(const QString &path);

// For the systems' own halves: reads all that `read` gives (bytes read, 0 at the end, -1 on a
// failure) into a buffer of the expected size, taking up to maxBytes if the file grew.
std::optional<QByteArray> readAllWithin(qint64 expectedSize, qint64 maxBytes,
                                        const std::function<qint64(char *, qint64)> &read);
} // namespace detail

} // namespace platform
