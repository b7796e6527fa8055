#pragma once

#include <QKeySequence>
#include <QString>

// The program's one setting of its own, kept in a small file beside the catalogue: the key
// that opens the search window. The file is written only when the user changes the key; a
// missing or unreadable one means the usual key.
class Preferences
{
public:
    explicit Preferences(const QString &folder);

    // Ctrl+Alt+Space unless the user chose another, or none.
    QKeySequence hotkey() const;
    // False when the file could not be written; the key still holds for this run.
    bool setHotkey(const QKeySequence &key);

    QString path() const { return m_path; }

private:
    QString m_path;
};
