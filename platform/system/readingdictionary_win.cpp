#include "platform/system/readingdictionary.h"

namespace platform {

// No MeCab is installed with the program on Windows: names are found by their letters only.
struct ReadingDictionary::MeCab
{
};

ReadingDictionary::ReadingDictionary(const QString &) {}

ReadingDictionary::~ReadingDictionary() = default;

bool ReadingDictionary::isOpen() const
{
    return false;
}

QStringList ReadingDictionary::readingsOf(const QString &)
{
    return {};
}

} // namespace platform
