#include "platform/codec.h"

#include <cerrno>
#include <iconv.h>

namespace platform {
namespace {

// glibc's "CP932" table is the Windows one; "SHIFT_JIS" is not.
std::optional<QByteArray> convert(const char *to, const char *from, const QByteArray &input)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;

    QByteArray output(input.size() * 4 + 16, Qt::Uninitialized);
    char *in = const_cast<char *>(input.constData());
    size_t inLeft = size_t(input.size());
    char *out = output.data();
    size_t outLeft = size_t(output.size());

    const size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
    const bool complete = result != size_t(-1) && inLeft == 0;
    iconv_close(cd);
    if (!complete)
        return std::nullopt;
    output.truncate(output.size() - qsizetype(outLeft));
    return output;
}

} // namespace

std::optional<QString> decodeCp932(const QByteArray &bytes)
{
    const auto utf16 = convert("UTF-16LE", "CP932", bytes);
    if (!utf16)
        return std::nullopt;
    return QString(reinterpret_cast<const QChar *>(utf16->constData()), utf16->size() / 2);
}

std::optional<QByteArray> encodeCp932(const QString &text)
{
    // Lone surrogates cannot be stored anywhere; iconv would reject them too, but say it here.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (ch.isSurrogate())
            return std::nullopt;
    }
    const QByteArray utf16(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    return convert("CP932", "UTF-16LE", utf16);
}

} // namespace platform
