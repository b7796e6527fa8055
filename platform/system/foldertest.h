#pragma once

#include <QString>

namespace platform {

// Looks the text up as a path, folders included: an existing file or folder passes, with or
// without a separator at the end, empty or not; a last component with wildcards (* or ?)
// passes when something matches. An empty text names nothing.
bool passesFolderTest(const QString &text);

} // namespace platform
