#include "platform/system/codec.h"

#include <QFile>
#include <QStringList>
#include <QTest>

// Every sequence code page 932 defines, against the reference table.
class TestCodec : public QObject
{
    Q_OBJECT

    struct Row
    {
        QByteArray bytes;
        char32_t codePoint;
        bool encodesToThis;
    };
    QList<Row> m_rows;

    static QString text(char32_t codePoint) { return QString::fromUcs4(&codePoint, 1); }

private slots:
    void initTestCase()
    {
        QFile table(QStringLiteral(QUORVEL_TESTDATA "/cp932.tsv"));
        QVERIFY(table.open(QIODevice::ReadOnly));
        while (!table.atEnd()) {
            const QByteArray line = table.readLine().trimmed();
            if (line.isEmpty() || line.startsWith('#'))
                continue;
            const QList<QByteArray> fields = line.split('\t');
            QCOMPARE(fields.size(), 3);
            m_rows.append({QByteArray::fromHex(fields[0]), char32_t(fields[1].toUInt(nullptr, 16)),
                           fields[2] == "1"});
        }
        QVERIFY(m_rows.size() > 9000);
    }

    void decodesEverySequenceInTheTable()
    {
        QStringList wrong;
        for (const Row &row : m_rows) {
            const auto decoded = platform::decodeCp932(row.bytes);
            if (!decoded || *decoded != text(row.codePoint))
                wrong.append(QString::fromLatin1(row.bytes.toHex()));
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.mid(0, 20).join(u' ')));

        // All of them in one text, each followed by an ASCII letter: no trail byte in ASCII's
        // range is ever taken for a character of its own.
        QByteArray bytes;
        QString expected;
        for (const Row &row : m_rows) {
            bytes += row.bytes + 'a';
            expected += text(row.codePoint) + u'a';
        }
        QCOMPARE(platform::decodeCp932(bytes), expected);
    }

    void encodesEachCodePointToItsPreferredSequence()
    {
        QStringList wrong;
        for (const Row &row : m_rows) {
            const auto encoded = platform::encodeCp932(text(row.codePoint));
            // Duplicates (NEC and IBM extensions) all come back as the one preferred sequence.
            const bool ok = encoded && (row.encodesToThis ? *encoded == row.bytes
                                                          : *encoded != row.bytes &&
                                                                platform::decodeCp932(*encoded) ==
                                                                    text(row.codePoint));
            if (!ok)
                wrong.append(QString::number(row.codePoint, 16));
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.mid(0, 20).join(u' ')));
    }

    void rejectsWhatTheTableLacks_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("undefined single byte 0x80") << QByteArray("\x80", 1);
        QTest::newRow("undefined single byte 0xA0") << QByteArray("\xA0", 1);
        QTest::newRow("undefined single byte 0xFD") << QByteArray("\xFD", 1);
        QTest::newRow("lead byte at the end") << QByteArray("A\x82", 2);
        QTest::newRow("bad trail byte") << QByteArray("\x82\x20", 2);
    }

    void rejectsWhatTheTableLacks()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(!platform::decodeCp932(bytes));
    }

    void refusesCharactersItCannotEncode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("accented latin") << QStringLiteral("café");
        QTest::newRow("emoji") << QStringLiteral("😀");
        QTest::newRow("simplified chinese") << QStringLiteral("这");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800));
    }

    void refusesCharactersItCannotEncode()
    {
        QFETCH(QString, text);
        QVERIFY(!platform::encodeCp932(text));
    }

    void emptyTextIsEmptyBytes()
    {
        QCOMPARE(platform::encodeCp932(QString()), QByteArray());
        QCOMPARE(platform::decodeCp932(QByteArray()), QString());
    }
};

QTEST_GUILESS_MAIN(TestCodec)
#include "testcodec.moc"
