#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

class Catalogue;
struct Entry;

// How often and how lately each entry was launched, so that search can put the entries a
// user reaches for first: each use counts half as much for every half-life since it was made
// (search::useHalfLife), so a sum and the time of the last use are all an entry needs. Kept in a
// small file of its own beside the catalogue, read on first need and written only after a
// launch. An entry is known by its name and program together: a renamed or deleted entry starts
// again from nothing, and its uses are dropped at the next write. The file is a convenience: a
// missing, damaged or unwritable one is never an error.
class UseHistory
{
public:
    struct Use
    {
        double uses = 0;     // as they counted at the last use
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
    void readLine(const QByteArray &line, bool counts);
    QByteArray written(const QSet<QByteArray> &held, const QByteArray &launched, qint64 now);

    QString m_path;
    bool m_loaded = false;
    QHash<QByteArray, Use> m_uses;
};
