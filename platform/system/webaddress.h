#pragma once

#include <QString>

namespace platform {

// A text that names a web address or a mail address rather than a file: it is opened in the
// user's default application.
inline bool isWebAddress(const QString &text)
{
    for (const char *scheme : {"http:", "https:", "file:", "mailto:"}) {
        if (text.startsWith(QLatin1String(scheme), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace platform
