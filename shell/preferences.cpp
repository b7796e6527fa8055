#include "shell/preferences.h"

#include "platform/system/files.h"

#include <QDir>

namespace {
const QByteArray hotkeyField = QByteArrayLiteral("hotkey=");
const QKeySequence usualHotkey(Qt::CTRL | Qt::ALT | Qt::Key_Space);
} // namespace

Preferences::Preferences(const QString &folder)
    : m_path(QDir(folder).filePath(QStringLiteral("quorvel.conf")))
{
}

QKeySequence Preferences::hotkey() const
{
    const auto bytes = platform::readRegularFile(m_path, 4096);
    if (!bytes)
        return usualHotkey;
    for (const QByteArray &line : bytes->split('\n')) {
        if (!line.startsWith(hotkeyField))
            continue;
        const QString text = QString::fromUtf8(line.mid(hotkeyField.size()).trimmed());
        // An empty value switches the hotkey off; one that is not a key is passed over.
        const QKeySequence key = QKeySequence::fromString(text, QKeySequence::PortableText);
        if (text.isEmpty() || (!key.isEmpty() && key[0].key() != Qt::Key_unknown))
            return key;
    }
    return usualHotkey;
}

bool Preferences::setHotkey(const QKeySequence &key)
{
    const QByteArray text = key.isEmpty() ? QByteArray()
                                          : QKeySequence(key[0]).toString(QKeySequence::PortableText).toUtf8();
    platform::removeLeftoversOf(m_path);
    return platform::replaceFile(m_path, "# Quorvel\n" + hotkeyField + text + '\n');
}
