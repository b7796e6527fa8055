#include "platform/desktop/desktopentry.h"

#include "platform/system/files.h"

#include <QHash>

namespace platform {
namespace {

// Far more than any desktop entry; a larger file is not read.
constexpr qint64 maxEntryBytes = 256 * 1024;

// The general escapes of string values: \s, \n, \t, \r and \\.
QString unescapeValue(QStringView value)
{
    static const QHash<QChar, QChar> escapes = {
        {u's', u' '}, {u'n', u'\n'}, {u't', u'\t'}, {u'r', u'\r'}, {u'\\', u'\\'}};
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size() && escapes.contains(value[i + 1]))
            text += escapes.value(value[++i]);
        else
            text += value[i];
    }
    return text;
}

QString withoutFieldCodes(const QString &argument)
{
    QString text;
    for (qsizetype i = 0; i < argument.size(); ++i) {
        if (argument[i] != u'%' || i + 1 >= argument.size()) {
            text += argument[i];
        } else if (argument[++i] == u'%') {
            text += u'%';
        } // any other %x is a field code: the launcher passes no files or addresses
    }
    return text;
}

} // namespace

std::optional<QStringList> splitExec(const QString &exec)
{
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar ch = exec[i];
        if (quoted) {
            if (ch == u'"') {
                quoted = false;
            } else if (ch == u'\\' && i + 1 < exec.size()) {
                current += exec[++i];
            } else {
                current += ch;
            }
        } else if (ch == u' ' || ch == u'\t') {
            if (inArgument)
                arguments.append(std::exchange(current, {}));
            inArgument = false;
        } else {
            inArgument = true;
            if (ch == u'"')
                quoted = true;
            else
                current += ch;
        }
    }
    if (quoted)
        return std::nullopt;
    if (inArgument)
        arguments.append(current);

    QStringList kept;
    for (const QString &argument : arguments) {
        const QString text = withoutFieldCodes(argument);
        if (!text.isEmpty())
            kept.append(text);
    }
    if (kept.isEmpty())
        return std::nullopt;
    return kept;
}

std::optional<DesktopEntry> parseDesktopEntry(const QByteArray &text)
{
    QHash<QString, QString> values;
    bool inEntry = false;
    for (const QByteArray &rawLine : text.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inEntry || equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        if (!values.contains(key)) // the first of two equal keys holds
            values.insert(key, unescapeValue(QStringView(line).mid(equals + 1).trimmed()));
    }
    if (values.value(QStringLiteral("Hidden")) == QLatin1String("true"))
        return std::nullopt;
    const auto exec = splitExec(values.value(QStringLiteral("Exec")));
    if (!exec)
        return std::nullopt;

    DesktopEntry entry;
    for (const char *key : {"Name[ja_JP]", "Name[ja]", "Name"}) {
        entry.name = values.value(QLatin1String(key));
        if (!entry.name.isEmpty())
            break;
    }
    entry.exec = *exec;
    entry.path = values.value(QStringLiteral("Path"));
    entry.icon = values.value(QStringLiteral("Icon"));
    return entry;
}

std::optional<DesktopEntry> readDesktopEntry(const QString &path)
{
    const auto bytes = readRegularFile(path, maxEntryBytes);
    if (!bytes)
        return std::nullopt;
    return parseDesktopEntry(*bytes);
}

} // namespace platform
