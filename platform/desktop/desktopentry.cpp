#include "platform/desktop/desktopentry.h"

#include "platform/system/files.h"
#include "platform/system/terminals.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringTokenizer>

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

bool holdsFieldCode(const QString &argument)
{
    for (qsizetype i = 0; i + 1 < argument.size(); ++i) {
        if (argument[i] == u'%' && argument[++i] != u'%')
            return true;
    }
    return false;
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

using Group = QHash<QString, QString>;

// Key[ja_JP], then Key[ja], then Key.
QString localised(const Group &values, const QString &key)
{
    for (const QString &suffix : {QStringLiteral("[ja_JP]"), QStringLiteral("[ja]"), QString()}) {
        const QString value = values.value(key + suffix);
        if (!value.isEmpty())
            return value;
    }
    return QString();
}

QStringList listOf(const QString &value)
{
    QStringList items;
    for (const QString &item : value.split(u';', Qt::SkipEmptyParts)) {
        if (!item.trimmed().isEmpty())
            items.append(item.trimmed());
    }
    return items;
}

// The actions Actions= names, each once, that have a group of their own with a name and an Exec
// the launcher can start; the others are left out as a menu leaves them out.
QList<DesktopAction> actionsOf(const Group &values, const QHash<QString, Group> &groups,
                               const QString &applicationIcon)
{
    QList<DesktopAction> actions;
    QStringList named = listOf(values.value(QStringLiteral("Actions")));
    named.removeDuplicates();
    for (const QString &id : std::as_const(named)) {
        const auto group = groups.constFind(id);
        if (group == groups.cend())
            continue;
        const QString name = localised(*group, QStringLiteral("Name"));
        const auto exec = splitExec(group->value(QStringLiteral("Exec")));
        if (name.trimmed().isEmpty() || !exec)
            continue;
        const QString icon = group->value(QStringLiteral("Icon"));
        actions.append({id, name, *exec, icon.isEmpty() ? applicationIcon : icon});
        if (actions.size() == maxActionsPerEntry)
            break;
    }
    return actions;
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
            } else if (ch == u'\\' && i + 1 < exec.size() &&
                       QStringView(u"\"`$\\").contains(exec[i + 1])) {
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
    // The program cannot be a file or an address handed in.
    if (arguments.isEmpty() || holdsFieldCode(arguments.first()))
        return std::nullopt;

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
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8(text);
    if (utf8.hasError())
        return std::nullopt;
    const QLatin1String actionPrefix("[Desktop Action ");
    Group values;
    QHash<QString, Group> actionGroups;
    Group *group = nullptr; // none in a group the launcher does not read
    for (const QStringView rawLine : QStringTokenizer(decoded, u'\n')) {
        const QString line = rawLine.trimmed().toString();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            if (line == QLatin1String("[Desktop Entry]"))
                group = &values;
            else if (line.startsWith(actionPrefix) && line.endsWith(u']'))
                group = &actionGroups[line.sliced(actionPrefix.size()).chopped(1)];
            else
                group = nullptr;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!group || equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        if (!group->contains(key)) // the first of two equal keys holds
            group->insert(key, unescapeValue(QStringView(line).mid(equals + 1).trimmed()));
    }
    if (values.value(QStringLiteral("Hidden")) == QLatin1String("true"))
        return std::nullopt;
    const auto exec = splitExec(values.value(QStringLiteral("Exec")));
    if (!exec)
        return std::nullopt;

    const auto isTrue = [&values](const char *key) {
        return values.value(QLatin1String(key)) == QLatin1String("true");
    };

    DesktopEntry entry;
    entry.name = localised(values, QStringLiteral("Name"));
    entry.genericName = localised(values, QStringLiteral("GenericName"));
    entry.comment = localised(values, QStringLiteral("Comment"));
    entry.keywords = listOf(localised(values, QStringLiteral("Keywords")));
    entry.exec = *exec;
    entry.path = values.value(QStringLiteral("Path"));
    entry.icon = values.value(QStringLiteral("Icon"));
    entry.terminal = isTrue("Terminal");
    entry.application = values.value(QStringLiteral("Type")) == QLatin1String("Application");
    entry.noDisplay = isTrue("NoDisplay");
    entry.onlyShowIn = listOf(values.value(QStringLiteral("OnlyShowIn")));
    entry.notShowIn = listOf(values.value(QStringLiteral("NotShowIn")));
    entry.tryExec = values.value(QStringLiteral("TryExec"));
    entry.actions = actionsOf(values, actionGroups, entry.icon);
    return entry;
}

namespace {

std::optional<QString> joinedCommandLine(const DesktopEntry &entry, const QStringList &exec)
{
    const QStringList terminal = entry.terminal ? terminalCommand() : QStringList();
    if (entry.terminal && terminal.isEmpty())
        return std::nullopt;
    const QStringList words = terminal + exec;
    // The program itself may have blanks: the command line finds it as its longest prefix.
    for (qsizetype i = 1; i < words.size(); ++i) {
        if (words[i].contains(u' '))
            return std::nullopt;
    }
    return words.join(u' ');
}

} // namespace

std::optional<QString> commandLineOf(const DesktopEntry &entry)
{
    return joinedCommandLine(entry, entry.exec);
}

std::optional<QString> commandLineOf(const DesktopEntry &entry, const DesktopAction &action)
{
    return joinedCommandLine(entry, action.exec);
}

std::optional<DesktopEntry> readDesktopEntry(const QString &path)
{
    const auto bytes = readRegularFile(path, maxEntryBytes);
    if (!bytes)
        return std::nullopt;
    return parseDesktopEntry(*bytes);
}

} // namespace platform
