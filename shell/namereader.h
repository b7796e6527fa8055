#pragma once

#include "catalogue/namereadings.h"

#include <QObject>
#include <QTimer>
#include <memory>

class Catalogue;
class QThread;

// The readings of the catalogue's names written in kanji, kept up to date: read when the
// catalogue is loaded or changed, on a thread of their own, from the cache or the dictionary.
// Until they arrive names are found by their letters only.
class NameReader : public QObject
{
    Q_OBJECT

public:
    NameReader(const Catalogue &catalogue, QString cacheFile);
    // Waits for a reading under way: it only ever takes a moment.
    ~NameReader() override;

    // Reads now and after every change from here on.
    void start();
    // Names to read besides the catalogue's: the installed applications'.
    void setOtherNames(QStringList names);
    // name: as the menu shows it, without its access key.
    QStringList readingsOf(const QString &name) const { return m_readings.value(name); }
    bool reading() const { return m_thread != nullptr; }

signals:
    void readingsChanged();

private:
    QStringList namesToRead() const;
    void read();
    void take();

    const Catalogue &m_catalogue;
    const QString m_cacheFile;
    QStringList m_otherNames;
    readings::NameReadings m_readings;
    readings::NameReadings m_arrived; // written by the thread, taken once it has ended
    std::unique_ptr<QThread> m_thread;
    QTimer m_batch; // edits in a row are read once
    bool m_started = false;
    bool m_changedMeanwhile = false;
};
