#include "platform/system/readingdictionary.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
};

QTEST_GUILESS_MAIN(TestReadingDictionary)
#include "testreadingdictionary_unix.moc"
