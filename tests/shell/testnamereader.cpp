#include "catalogue/catalogue.h"
#include "shell/namereader.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestNameReader : public QObject
{
    Q_OBJECT

private slots:
    // Kept in a form of their own: each name gets back every reading, in order, and nothing
    // for a name it does not have.
    void aNameGetsBackEachOfItsReadings()
    {
        const QTemporaryDir folder;
        const QString cache = folder.filePath(QStringLiteral("readings"));
        const QString lines = QStringLiteral("Quorvel readings 2\n東京\tトウキョウ\tトーキョー\n"
                                             "電卓\tデンタク\n");
        QFile file(cache);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char *>(lines.utf16()), lines.size() * 2);
        file.close();
        Catalogue catalogue;
        CatalogueContents contents = Catalogue::defaultContents();
        for (const char *name : {"東京", "電卓"})
            contents.lines.append({0, {QString::fromUtf8(name), QStringLiteral("x"), {}}});
        QVERIFY(catalogue.replaceAll(contents));

        NameReader reader(catalogue, cache);
        QSignalSpy arrived(&reader, &NameReader::readingsChanged);
        reader.start();
        QVERIFY(arrived.wait(10000));
        QCOMPARE(reader.readingsOf(QStringLiteral("東京")),
                 (QStringList{QStringLiteral("トウキョウ"), QStringLiteral("トーキョー")}));
        QCOMPARE(reader.readingsOf(QStringLiteral("電卓")),
                 QStringList{QStringLiteral("デンタク")});
        QCOMPARE(reader.readingsOf(QStringLiteral("端末")), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestNameReader)
#include "testnamereader.moc"
