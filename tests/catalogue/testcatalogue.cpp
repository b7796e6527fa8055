#include "catalogue/catalogue.h"

#include <QTest>

class TestCatalogue : public QObject
{
    Q_OBJECT

    static Entry named(const QString &name) { return {name, name + QStringLiteral(".sh"), {}}; }

private slots:

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
        QVERIFY(catalogue.append(2, named(QStringLiteral("A"))));
        QCOMPARE(catalogue.entry(2, 0), Entry());
        QCOMPARE(catalogue.entry(2, 2), Entry());
        QCOMPARE(catalogue.entry(8, 1), Entry());
        QCOMPARE(catalogue.entry(-1, 1), Entry());
        QCOMPARE(catalogue.EntryCount(8), 0);
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
