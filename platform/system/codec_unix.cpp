#include "platform/system/codec.h"

#include <cerrno>
#include <iconv.h>

namespace platform {
namespace {

// glibc's "CP932" table is the Windows one; "SHIFT_JIS" is not.
constexpr char cp932[] = "CP932";
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr char utf16[] = "UTF-16LE";
#else
constexpr char utf16[] = "UTF-16BE";
#endif

// One converter for the whole text. Fails on any sequence the target cannot hold, and when
// the output would not fit the room the caller knows is enough.
bool convert(const char *to, const char *from, const char *input, size_t inputBytes, char *output,
             size_t &outputBytes)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    char *in = const_cast<char *>(input);
    size_t inLeft = inputBytes;
    char *out = output;
    size_t outLeft = outputBytes;
    const size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
    iconv_close(cd);
    outputBytes -= outLeft;
    return result != size_t(-1) && inLeft == 0;
}

} // namespace

std::optional<QString> decodeCp932(const QByteArray &bytes)
{
    // Every sequence, one byte or two, is one UTF-16 unit: the text never outgrows the bytes.
    QString text(bytes.size(), Qt::Uninitialized);
    size_t produced = size_t(text.size()) * 2;
    if (!convert(utf16, cp932, bytes.constData(), size_t(bytes.size()),
                 reinterpret_cast<char *>(text.data()), produced))
        return std::nullopt;
    text.truncate(qsizetype(produced / 2));
    return text;
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
    // At most two bytes for each UTF-16 unit.
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    size_t produced = size_t(bytes.size());
    if (!convert(cp932, utf16, reinterpret_cast<const char *>(text.utf16()),
                 size_t(text.size()) * 2, bytes.data(), produced))
        return std::nullopt;
    bytes.truncate(qsizetype(produced));
    return bytes;
}

} // namespace platform
