#pragma once

#include <QString>

namespace platform {

// Looks the text up as a path, folders included: an existing file or folder passes; a path
// ending in a separator passes when that folder holds at least one entry; a last component
// with wildcards (* or ?) passes when something matches. An empty text names nothing.
bool passesFolderTest(const QString &text);

} // namespace platform
