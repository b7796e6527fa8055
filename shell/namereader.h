#pragma once

#include "catalogue/namereadings.h"
#include "platform/system/backgroundreader.h"

#include <QObject>

class Catalogue;

// The readings of the catalogue's names written in kanji, kept up to date: read when the
// catalogue is loaded or changed, on a thread of their own, from the cache or the dictionary.
// Until they arrive names are found by their letters only.
class NameReader : public QObject
{
    Q_OBJECT

public:
    NameReader(const Catalogue &catalogue, QString cacheFile);

    // Reads now and after every change from here on.
    void start();
    // Stops a reading under way and reads no more: the program is ending.
    void cancel() { m_reader.cancel(); }
    // Names to read besides the catalogue's: the installed applications'.
    void setOtherNames(QStringList names);
    // name: as the menu shows it, without its access key.
    QStringList readingsOf(const QString &name) const;

signals:
    void readingsChanged();

private:
    QStringList namesToRead() const;
    void readSoon();
    void take(readings::NameReadings arrived);

    const Catalogue &m_catalogue;
    const QString m_cacheFile;
    QStringList m_otherNames;
    // Each name's readings in one string, a line each: a list for every name would cost more
    // than the readings themselves, and they are kept all day.
    QHash<QString, QString> m_readings;
    bool m_started = false;
    // Last: a reading under way ends before what it hands its result to.
    platform::BackgroundReader<readings::NameReadings> m_reader;
};
