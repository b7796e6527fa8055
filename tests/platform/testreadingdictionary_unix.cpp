#include "platform/system/readingdictionary.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <sys/wait.h>

// Readings come from MeCab without this process ever holding MeCab or its dictionary.
class TestReadingDictionary : public QObject
{
    Q_OBJECT

    static QByteArray mapped()
    {
        QFile maps(QStringLiteral("/proc/self/maps"));
        return maps.open(QIODevice::ReadOnly) ? maps.readAll() : QByteArray();
    }

private slots:
    void readsAndLetsTheDictionaryGo()
    {
        const auto read = platform::readJapanese({QStringLiteral("電卓"), QStringLiteral("abc"),
                                                  QStringLiteral("東京\nﾀﾜｰ"), QString()});
        QVERIFY(read);
        QCOMPARE(*read, (QList<QStringList>{{QStringLiteral("デンタク")},
                                            {},
                                            {QStringLiteral("トウキョウタワー"),
                                             QStringLiteral("トーキョータワー")},
                                            {}}));
        const QByteArray maps = mapped();
        QVERIFY(!maps.isEmpty());
        QVERIFY2(!maps.contains("libmecab") && !maps.contains("/mecab/dic/"), maps.constData());
    }

    void noDictionaryNoReadings()
    {
        const QTemporaryDir empty;
        QCOMPARE(platform::readJapanese({QStringLiteral("電卓")}, empty.path()), std::nullopt);
    }

    // A stop (the program ending) gives nothing at once, and the child is gone, not left reading.
    void aStopKillsTheChild()
    {
        std::stop_source quit;
        quit.request_stop();
        QCOMPARE(platform::readJapanese({QStringLiteral("電卓")}, {}, quit.get_token()),
                 std::nullopt);
        QCOMPARE(::waitpid(-1, nullptr, WNOHANG), -1);
        QCOMPARE(errno, ECHILD);
    }
};

QTEST_GUILESS_MAIN(TestReadingDictionary)
#include "testreadingdictionary_unix.moc"
