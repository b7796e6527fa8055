#include "catalogue/catalogue.h"

#include <QTest>

class TestCatalogue : public QObject
{
    Q_OBJECT

    static Entry named(const QString &name) { return {name, name + QStringLiteral(".sh"), {}}; }

    static QStringList names(const Catalogue &catalogue, int c)
    {
        QStringList result;
        for (int k = 1; k <= catalogue.EntryCount(c); ++k)
            result.append(catalogue.entry(c, k).EntryName);
        return result;
    }

  private slots:
    void newCatalogueIsEmpty()
    {
        const Catalogue catalogue;
        for (int c = 0; c < Catalogue::CategoryCount; ++c) {
            QCOMPARE(catalogue.EntryCount(c), 0);
            QVERIFY(catalogue.CategoryName(c).isEmpty());
        }
        QCOMPARE(catalogue.CurrentCategory, 0);
        QCOMPARE(Catalogue::defaultCategoryName(3), QStringLiteral("項目3"));
    }

    void appendStopsAtNinetyNine()
    {
        Catalogue catalogue;
        for (int k = 1; k <= 99; ++k)
            QVERIFY(catalogue.append(4, named(QString::number(k))));
        QVERIFY(catalogue.isFull(4));
        QVERIFY(!catalogue.append(4, named(QStringLiteral("100"))));
        QCOMPARE(catalogue.EntryCount(4), 99);
        QCOMPARE(catalogue.entry(4, 99).EntryName, QStringLiteral("99"));
    }

    void positionZeroAndOutsideReadEmpty()
    {
        Catalogue catalogue;
        catalogue.append(2, named(QStringLiteral("A")));
        QCOMPARE(catalogue.entry(2, 0), Entry());
        QCOMPARE(catalogue.entry(2, 2), Entry());
        QCOMPARE(catalogue.entry(8, 1), Entry());
        QCOMPARE(catalogue.entry(-1, 1), Entry());
        QCOMPARE(catalogue.EntryCount(8), 0);
    }

    void removeClosesTheGap()
    {
        Catalogue catalogue;
        for (const char *name : {"A", "B", "C"})
            catalogue.append(1, named(QString::fromLatin1(name)));
        QVERIFY(catalogue.remove(1, 1));
        QCOMPARE(names(catalogue, 1), (QStringList{"B", "C"}));
        QVERIFY(catalogue.remove(1, 2));
        QVERIFY(catalogue.remove(1, 1));
        QCOMPARE(catalogue.EntryCount(1), 0);
        QVERIFY(!catalogue.remove(1, 1));
    }

    void swapExchangesAllThreeFields()
    {
        Catalogue catalogue;
        catalogue.append(0, {"A", "a", "/a"});
        catalogue.append(0, {"B", "b", "/b"});
        QVERIFY(catalogue.swap(0, 1, 2));
        QCOMPARE(catalogue.entry(0, 1), (Entry{"B", "b", "/b"}));
        QCOMPARE(catalogue.entry(0, 2), (Entry{"A", "a", "/a"}));
        QVERIFY(!catalogue.swap(0, 2, 3));
    }

    void replaceKeepsOrder()
    {
        Catalogue catalogue;
        for (const char *name : {"A", "B", "C"})
            catalogue.append(5, named(QString::fromLatin1(name)));
        QVERIFY(catalogue.replace(5, 2, named(QStringLiteral("X"))));
        QCOMPARE(names(catalogue, 5), (QStringList{"A", "X", "C"}));
        QVERIFY(!catalogue.replace(5, 4, named(QStringLiteral("Y"))));
    }

    void categoryZeroKeepsNoName()
    {
        Catalogue catalogue;
        QVERIFY(!catalogue.rename(0, QStringLiteral("x")));
        QVERIFY(catalogue.CategoryName(0).isEmpty());
        QVERIFY(catalogue.rename(7, QString()));
        QVERIFY(catalogue.CategoryName(7).isEmpty());
    }

    void storableText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("storable");
        QTest::newRow("empty") << QString() << true;
        QTest::newRow("blank") << QStringLiteral(" ") << true;
        QTest::newRow("japanese and half-width kana") << QStringLiteral("ﾒﾓ帳 テスト") << true;
        QTest::newRow("comma") << QStringLiteral("a,b") << true;
        QTest::newRow("NEC extension") << QStringLiteral("①Ⅹ㈱ⅰ") << true;
        QTest::newRow("IBM extension") << QStringLiteral("纊褜") << true;
        QTest::newRow("user-defined") << QString(QChar(0xE000)) << true;
        QTest::newRow("double quote") << QStringLiteral("say \"hi\"") << false;
        QTest::newRow("line feed") << QStringLiteral("a\nb") << false;
        QTest::newRow("carriage return") << QStringLiteral("a\rb") << false;
        QTest::newRow("tab") << QStringLiteral("a\tb") << false;
        QTest::newRow("delete") << QStringLiteral("a\x7f") << false;
        QTest::newRow("accented") << QStringLiteral("é") << false;
        QTest::newRow("emoji") << QStringLiteral("😀") << false;
        QTest::newRow("simplified chinese") << QStringLiteral("这") << false;
    }

    void storableText()
    {
        QFETCH(QString, text);
        QFETCH(bool, storable);
        QCOMPARE(Catalogue::isStorableText(text), storable);
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "testcatalogue.moc"
