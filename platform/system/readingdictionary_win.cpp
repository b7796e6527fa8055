#include "platform/system/readingdictionary.h"

namespace platform {

// No MeCab is installed with the program on Windows: names are found by their letters only.
std::optional<QList<QStringList>> readJapanese(const QStringList &, const QString &)
{
    return std::nullopt;
}

} // namespace platform
