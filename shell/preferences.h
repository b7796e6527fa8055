#pragma once

#include <QKeySequence>
#include <QString>

// The program's one setting of its own, kept in a small file beside the catalogue: the key
// that opens the search window. The file is written only when the user changes the key, and
// then only that line changes: lines and keys it does not know, a user's own included, stay. A
// missing or unreadable one means the usual key.
class Preferences
{
public:
    explicit Preferences(const QString &folder);

    // Ctrl+Alt+Space unless the user chose another, or none.
    QKeySequence hotkey() const;
    // False when the file could not be written, or is there but cannot be read whole (it is
    // then left as it is); the key still holds for this run.
    bool setHotkey(const QKeySequence &key);

private:
    QString m_path;
};
