#include "platform/desktop/desktopentry.h"

#include <QTest>

// Reading an application's desktop entry: its name, its command and its working folder.
class TestDesktopEntry : public QObject
{
    Q_OBJECT

private slots:
    void readsNameCommandAndFolder_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("exec");
        QTest::addColumn<QString>("path");
        const QByteArray head = "[Desktop Entry]\nType=Application\n";
        QTest::newRow("the Japanese name first")
            << head + "Name=Editor\nName[de]=Bearbeiter\nName[ja]=エディタ\nExec=edit\n"
            << "エディタ" << QStringList{"edit"} << "";
        QTest::newRow("ja_JP before ja") << head + "Name[ja]=甲\nName[ja_JP]=乙\nName=A\nExec=a\n"
                                         << "乙" << QStringList{"a"} << "";
        QTest::newRow("field codes go, %% stays")
            << head + "Name=T\nExec=tool --open %U --rate=50%% %i %f\nPath=/srv/work\n"
            << "T" << QStringList{"tool", "--open", "--rate=50%"} << "/srv/work";
        QTest::newRow("quoted arguments")
            << head + "Name=Q\nExec=\"/opt/My App/run\" \"say \\\"hi\\\"\" \\s%F\n"
            << "Q" << QStringList{"/opt/My App/run", "say \"hi\""} << "";
        QTest::newRow("other groups are not the entry")
            << "[Desktop Action new]\nExec=wrong\n" + head + "Name=R\nExec=right\n"
            << "R" << QStringList{"right"} << "";
    }

    void readsNameCommandAndFolder()
    {
        QFETCH(QByteArray, text);
        const auto entry = platform::parseDesktopEntry(text);
        QVERIFY(entry);
        QTEST(entry->name, "name");
        QTEST(entry->exec, "exec");
        QTEST(entry->path, "path");
    }

    void refusesWhatIsNoUsableEntry_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("quote left open") << QByteArray("[Desktop Entry]\nExec=\"/opt/x\n");
        QTest::newRow("field codes only") << QByteArray("[Desktop Entry]\nExec=%U\n");
        QTest::newRow("no Exec") << QByteArray("[Desktop Entry]\nName=N\n");
        QTest::newRow("hidden") << QByteArray("[Desktop Entry]\nExec=x\nHidden=true\n");
        QTest::newRow("no entry group") << QByteArray("Exec=x\n");
    }

    void refusesWhatIsNoUsableEntry()
    {
        QFETCH(QByteArray, text);
        QVERIFY(!platform::parseDesktopEntry(text));
    }
};

QTEST_GUILESS_MAIN(TestDesktopEntry)
#include "testdesktopentry.moc"
