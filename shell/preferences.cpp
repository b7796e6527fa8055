#include "shell/preferences.h"

#include "dialogs/hotkeydialog.h"
#include "platform/system/files.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

namespace {
const QByteArray hotkeyField = QByteArrayLiteral("hotkey=");
// A settings file is a few lines; a larger one is not rewritten.
constexpr qint64 maxBytes = 64 * 1024;
} // namespace

Preferences::Preferences(const QString &folder)
    : m_path(QDir(folder).filePath(QStringLiteral("quorvel.conf")))
{
}

QKeySequence Preferences::hotkey() const
{
    const auto bytes = platform::readRegularFile(m_path, maxBytes);
    if (!bytes)
        return HotkeyDialog::usualKey();
    for (const QByteArray &line : bytes->split('\n')) {
        if (!line.startsWith(hotkeyField))
            continue;
        const QString text = QString::fromUtf8(line.mid(hotkeyField.size()).trimmed());
        // An empty value switches the hotkey off; one that is not a key is passed over.
        const QKeySequence key = QKeySequence::fromString(text, QKeySequence::PortableText);
        if (text.isEmpty() || (!key.isEmpty() && key[0].key() != Qt::Key_unknown))
            return key;
    }
    return HotkeyDialog::usualKey();
}

bool Preferences::setHotkey(const QKeySequence &key)
{
    const QByteArray line =
        hotkeyField + (key.isEmpty()
                           ? QByteArray()
                           : QKeySequence(key[0]).toString(QKeySequence::PortableText).toUtf8());
    platform::removeLeftoversOf(m_path);
    QByteArray text = QByteArrayLiteral("# Quorvel\n") + line + '\n';
    if (QFileInfo::exists(m_path)) {
        const auto bytes = platform::readRegularFile(m_path, maxBytes);
        if (!bytes)
            return false; // rewriting it would lose what it holds
        // Our line where it stood, once; every other line as it was.
        QList<QByteArray> lines = bytes->split('\n');
        if (lines.last().isEmpty())
            lines.removeLast();
        bool placed = false;
        for (auto at = lines.begin(); at != lines.end();) {
            if (!at->startsWith(hotkeyField)) {
                ++at;
            } else if (!std::exchange(placed, true)) {
                *at++ = line;
            } else {
                at = lines.erase(at);
            }
        }
        if (!placed)
            lines.append(line);
        text = lines.join('\n') + '\n';
    }
    return platform::replaceFile(m_path, text);
}
