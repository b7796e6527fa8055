#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

class Catalogue;
struct Entry;

// How often and how lately each entry was launched, so that search can put the entries a
// user reaches for first. Kept in a small file of its own beside the catalogue, read on first
// need and written only after a launch. An entry is known by its name and program together: a
// renamed or deleted entry starts again from nothing, and its count is dropped at the next
// write. The file is a convenience: a missing, damaged or unwritable one is never an error.
class UseHistory
{
public:
    struct Use
    {
        int count = 0;
        qint64 lastUsed = 0; // seconds since the epoch
    };

    // Keeps its file in this folder, the catalogue's.
    explicit UseHistory(const QString &folder);

    Use use(const Entry &entry);
    // Counts a launch and writes the file, keeping only entries the catalogue still holds and
    // the others given (the installed applications, which are started from search too).
    void recordLaunch(const Entry &entry, const Catalogue &catalogue, qint64 now,
                      const QList<Entry> &others = {});

private:
    static QByteArray keyOf(const Entry &entry);
    void load();

    QString m_path;
    bool m_loaded = false;
    QHash<QByteArray, Use> m_uses;
};
