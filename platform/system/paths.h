#pragma once

#include <QChar>

namespace platform {

// The separators the platform's paths use: '/' here, '\' and '/' on Windows.
inline bool isPathSeparator(QChar ch)
{
#ifdef Q_OS_WIN
    return ch == u'\\' || ch == u'/';
#else
    return ch == u'/';
#endif
}

} // namespace platform
