#include "platform/system/backgroundreader.h"

#include <QTest>
#include <atomic>

using namespace std::chrono_literals;
using Reader = platform::BackgroundReader<int>;

class TestBackgroundReader : public QObject
{
    Q_OBJECT

private slots:
    // A read asked for during another runs once after it, on what is to be read by then; reads
    // asked for soon, in a row, are one.
    void readsAgainWhatChangedMeanwhileAndBatches()
    {
        int input = 1;
        std::atomic<bool> held{true};
        QList<int> taken;
        Reader reader(
            [&]() -> std::optional<Reader::Work> {
                return [&held, now = input](std::stop_token) {
                    while (held)
                        QThread::msleep(1);
                    return now;
                };
            },
            [&](int result) { taken.append(result); }, 10ms);
        reader.read();
        input = 2;
        reader.read();
        reader.read();
        held = false;
        QTRY_COMPARE(taken, (QList<int>{1, 2}));
        input = 3;
        reader.readSoon();
        reader.readSoon();
        reader.readSoon();
        QTRY_COMPARE(taken, (QList<int>{1, 2, 3}));
        QVERIFY(!reader.busy());
    }

    // Cancelled mid-read: the work sees the stop, what it found is dropped, nothing is read after.
    void aCancelStopsTheReadUnderWayAndAllAfter()
    {
        std::atomic<bool> started{false}, stopped{false};
        int prepared = 0;
        QList<int> taken;
        Reader reader(
            [&]() -> std::optional<Reader::Work> {
                ++prepared;
                return [&](std::stop_token stop) {
                    started = true;
                    while (!stop.stop_requested())
                        QThread::msleep(1);
                    stopped = true;
                    return 1;
                };
            },
            [&](int result) { taken.append(result); }, 10ms);
        reader.read();
        QTRY_VERIFY(started);
        reader.cancel();
        QVERIFY(stopped);
        QVERIFY(!reader.busy());
        reader.read();
        reader.readSoon();
        QVERIFY(!reader.busy());
        QCoreApplication::processEvents();
        QCOMPARE(prepared, 1);
        QVERIFY(taken.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestBackgroundReader)
#include "testbackgroundreader.moc"
