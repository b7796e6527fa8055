#include "platform/desktop/applications.h"
#include "platform/desktop/installedapplications.h"
#include "platform/system/terminals.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#ifdef Q_OS_UNIX
#include "platform/system/processes.h"

#include <sys/stat.h>
#endif

#ifdef Q_OS_UNIX
// PATH holding these programs alone, for as long as it lives. The terminal acts as xterm does:
// one word after -e that is no program goes to a shell. The other programs make the file they
// are given.
class TerminalsOnPath
{
public:
    explicit TerminalsOnPath(const QStringList &programs) : m_path(qgetenv("PATH"))
    {
        for (const QString &name : programs) {
            QFile file(m_dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(
                name.contains("term") || name == "foot"
                    ? "#!/bin/sh\nshift\n[ $# = 1 ] && [ ! -x \"$1\" ] && exec /bin/sh -c \"$1\"\n"
                      "exec \"$@\"\n"
                    : "#!/bin/sh\n/usr/bin/touch \"$1\"\n");
            file.setPermissions(file.permissions() | QFile::ExeOwner);
        }
        qputenv("PATH", QFile::encodeName(m_dir.path()));
    }
    ~TerminalsOnPath() { qputenv("PATH", m_path); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QByteArray m_path;
};
#endif

// Reading an application's desktop entry: its name, its command and its working folder; and
// finding the installed applications a menu shows.
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
        QTest::newRow("not UTF-8") << QByteArray("[Desktop Entry]\nName=\x83\x81\nExec=x\n");
        QTest::newRow("a field code as the program")
            << QByteArray("[Desktop Entry]\nExec=%f --open\n");
    }

    void refusesWhatIsNoUsableEntry()
    {
        QFETCH(QByteArray, text);
        QVERIFY(!platform::parseDesktopEntry(text));
    }

    void commandLines()
    {
        platform::DesktopEntry entry;
        entry.exec = QStringList{"/opt/My App/run", "--new"};
        QCOMPARE(platform::commandLineOf(entry), QString("/opt/My App/run --new"));
        entry.terminal = true;
        QVERIFY(!platform::commandLineOf(entry)); // in a terminal, the program is an argument
        entry.exec = QStringList{"htop", "-d", "10"};
        QCOMPARE(platform::commandLineOf(entry),
                 (platform::terminalCommand() + entry.exec).join(u' '));
        entry.terminal = false;
        entry.exec = QStringList{"sh", "-c", "echo hi"};
        QVERIFY(!platform::commandLineOf(entry)); // a blank no command line can keep
    }

    void findsTheApplicationsAMenuShows()
    {
        QTemporaryDir home, system;
        const auto write = [](const QTemporaryDir &dir, const QString &name,
                              const QByteArray &body) {
            const QString path = dir.filePath("applications/" + name);
            QDir().mkpath(QFileInfo(path).path());
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[Desktop Entry]\nType=Application\n" + body);
        };
        write(home, "mine.desktop", "Name=Mine\nName[ja]=私の\nExec=mine\nKeywords[ja]=甲;乙;\n");
        write(home, "masked.desktop", "Name=Masked\nExec=true\nHidden=true\n");
        write(system, "masked.desktop", "Name=Shown Elsewhere\nExec=true\n");
        write(system, "mine.desktop", "Name=Not Mine\nExec=true\n");
        write(system, "vendor/tool.desktop", "Name=Tool\nExec=tool %U\nPath=/srv\nTerminal=true\n");
        write(system, "nodisplay.desktop", "Name=N\nExec=true\nNoDisplay=true\n");
        write(system, "onlykde.desktop", "Name=K\nExec=true\nOnlyShowIn=KDE;\n");
        write(system, "onlyxfce.desktop", "Name=X\nExec=true\nOnlyShowIn=XFCE;KDE;\n");
        write(system, "notxfce.desktop", "Name=NX\nExec=true\nNotShowIn=XFCE;\n");
        write(system, "tryexec.desktop", "Name=T\nExec=true\nTryExec=no-such-program-here\n");
        write(system, "blank.desktop", "Name=   \nExec=true\n");
        write(system, "link.desktop", "Name=L\nURL=https://example.org\n");
        write(system, "damaged.desktop", "Name=\xff\xfe\nExec=true\n");
        QVERIFY(QFile::link(system.filePath("applications"), system.filePath("applications/loop")));
#ifdef Q_OS_UNIX
        QCOMPARE(mkfifo(QFile::encodeName(system.filePath("applications/fifo.desktop")), 0600), 0);
#endif

        const auto found =
            platform::findApplications(
                {home.filePath("applications"), system.filePath("applications")}, {"XFCE"})
                .applications;
        QStringList ids;
        for (const platform::Application &application : found)
            ids << application.id;
        ids.sort();
        QCOMPARE(ids, QStringList({"mine.desktop", "onlyxfce.desktop", "vendor-tool.desktop"}));
        for (const platform::Application &application : found) {
            if (application.id == "mine.desktop") {
                QCOMPARE(application.entry.name, QString("私の"));
                QCOMPARE(application.entry.keywords, QStringList({"甲", "乙"}));
            } else if (application.id == "vendor-tool.desktop") {
                QCOMPARE(application.entry.exec, QStringList{"tool"});
                QCOMPARE(application.entry.path, QString("/srv"));
                QVERIFY(application.entry.terminal);
            }
        }
    }

    // The actions a browser or a mail program offers: only those Actions= names that have a
    // group with a name and a command the launcher can start, in Actions= order.
    void readsTheApplicationsOwnActions()
    {
        QTemporaryDir dir;
        QByteArray text = "[Desktop Entry]\nType=Application\nName=Browser\nExec=browser %u\n"
                          "Icon=browser\n"
                          "Actions=private;missing;noexec;window;open;private;fieldcode;many;\n"
                          "[Desktop Action window]\nName=New Window\nName[ja]=新しいウィンドウ\n"
                          "Exec=browser --new-window %u\nIcon=window\n"
                          "[Desktop Action private]\nName=Private\nName[ja_JP]=ﾌﾟﾗｲﾍﾞｰﾄ\n"
                          "Name[ja]=違う\nExec=\"/opt/My Browser/run\" --private\n"
                          "[Desktop Action noexec]\nName=Nothing\n"
                          "[Desktop Action open]\nName=Open\nExec=browser \"--open\n"
                          "[Desktop Action fieldcode]\nName=Code\nExec=%f --x\n"
                          "[Desktop Action unnamed]\nName=Unnamed\nExec=browser\n";
        for (int i = 0; i < 100; ++i) {
            text.replace("many;", QByteArray("many") + QByteArray::number(i) + ";many;");
            text += "[Desktop Action many" + QByteArray::number(i) + "]\nName=M\nExec=m\n";
        }
        QFile file(dir.filePath("browser.desktop"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        file.close();

        const auto entry = platform::readDesktopEntry(file.fileName());
        QVERIFY(entry);
        QCOMPARE(entry->exec, QStringList{"browser"});
        QCOMPARE(entry->actions.size(), platform::maxActionsPerEntry);
        const platform::DesktopAction &privateWindow = entry->actions.at(0);
        QCOMPARE(privateWindow.id, QString("private"));
        QCOMPARE(privateWindow.name, QString("ﾌﾟﾗｲﾍﾞｰﾄ"));
        QCOMPARE(privateWindow.exec, (QStringList{"/opt/My Browser/run", "--private"}));
        QCOMPARE(privateWindow.icon, QString("browser")); // the application's
        const platform::DesktopAction &window = entry->actions.at(1);
        QCOMPARE(window.name, QString("新しいウィンドウ"));
        QCOMPARE(window.exec, (QStringList{"browser", "--new-window"}));
        QCOMPARE(window.icon, QString("window"));
        QCOMPARE(entry->actions.at(2).id, QString("many0"));
        QCOMPARE(platform::commandLineOf(*entry, window), QString("browser --new-window"));
    }

    void aFloodedFolderHidesNoOther()
    {
        QTemporaryDir flooded, system;
        QVERIFY(QDir().mkpath(flooded.filePath("applications")));
        QVERIFY(QDir().mkpath(system.filePath("applications")));
        for (int i = 0; i <= platform::maxEntriesPerFolder; ++i) {
            QFile file(flooded.filePath(QString("applications/flood%1.desktop").arg(i)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[Desktop Entry]\nType=Application\nName=F\nExec=f\n");
        }
        QFile file(system.filePath("applications/tool.desktop"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Desktop Entry]\nType=Application\nName=Tool\nExec=tool\n");
        file.close();

        const auto found = platform::findApplications(
            {flooded.filePath("applications"), system.filePath("applications")}, {});
        QCOMPARE(found.applications.size(), platform::maxEntriesPerFolder + 1);
        QCOMPARE(found.applications.last().id, QString("tool.desktop"));
        QCOMPARE(found.overfull, QStringList{flooded.filePath("applications")});
    }

    // The terminal chosen: $TERMINAL only as a terminal known here, never as a line to split.
    void findsTheUserTerminal_data()
    {
        QTest::addColumn<QByteArray>("chosen");
        QTest::addColumn<QByteArray>("desktop");
        QTest::addColumn<QString>("terminal");
        QTest::addColumn<QStringList>("before");
        QTest::newRow("$TERMINAL")
            << QByteArray("foot") << QByteArray("XFCE") << "foot" << QStringList{"--"};
        QTest::newRow("$TERMINAL naming nothing") << QByteArray("no-such-terminal") << QByteArray()
                                                  << "xfce4-terminal" << QStringList{"-x"};
        QTest::newRow("$TERMINAL as a shell line")
            << QByteArray("foot -e sh -c 'touch x'") << QByteArray() << "xfce4-terminal"
            << QStringList{"-x"};
        QTest::newRow("$TERMINAL no terminal")
            << QByteArray("prog") << QByteArray() << "xfce4-terminal" << QStringList{"-x"};
        QTest::newRow("the desktop's own first")
            << QByteArray() << QByteArray("LXQt") << "qterminal" << QStringList{"-e"};
    }

    void findsTheUserTerminal()
    {
#ifndef Q_OS_UNIX
        QSKIP("Windows has no desktop entries");
#else
        QFETCH(QByteArray, chosen);
        QFETCH(QByteArray, desktop);
        QFETCH(QString, terminal);
        const TerminalsOnPath path({"foot", "xterm", "xfce4-terminal", "qterminal", "prog"});
        qputenv("TERMINAL", chosen);
        qputenv("XDG_CURRENT_DESKTOP", desktop);
        const auto found = platform::findTerminal();
        qunsetenv("TERMINAL");
        qunsetenv("XDG_CURRENT_DESKTOP");
        QVERIFY(found);
        QCOMPARE(found->program, path.filePath(terminal));
        QTEST(found->before, "before");
#endif
    }

    // A terminal would hand a word that names no program to a shell: it is never asked then.
    void theTerminalGetsTheProgramItself()
    {
#ifndef Q_OS_UNIX
        QSKIP("Windows has no desktop entries");
#else
        const TerminalsOnPath path({"xterm", "prog"});
        const QString xterm = path.filePath("xterm");
        QCOMPARE(platform::withProgramResolved(xterm, {"-e", "prog", "a;b"}),
                 QStringList({"-e", path.filePath("prog"), "a;b"}));
        QCOMPARE(platform::withProgramResolved(xterm, {"-e", "touch${IFS}FILE"}), std::nullopt);
        QCOMPARE(platform::withProgramResolved(xterm, {"-e", "no-such-program"}), std::nullopt);

        platform::SystemProcesses processes;
        const QString made = path.filePath("made");
        QVERIFY(!processes.startProgram(xterm + " -e touch${IFS}" + made));
        QVERIFY(processes.startProgram(xterm + " -e prog " + made));
        QTRY_VERIFY(QFileInfo::exists(made));

        platform::DesktopEntry entry;
        entry.terminal = true;
        entry.exec = QStringList{"prog", "-d", "10"};
        QCOMPARE(platform::commandLineOf(entry), xterm + " -e prog -d 10");
        qputenv("PATH", QByteArray());
        QCOMPARE(platform::commandLineOf(entry), std::nullopt); // no terminal at all
#endif
    }

    void anInstallationIsReadAgain()
    {
        QTemporaryDir data;
        QVERIFY(QDir().mkpath(data.filePath("applications")));
        platform::InstalledApplications applications({data.filePath("applications")}, {});
        applications.load();
        QTRY_VERIFY(applications.loaded());
        QVERIFY(applications.applications().isEmpty());
        QFile entry(data.filePath("applications/new.desktop"));
        QVERIFY(entry.open(QIODevice::WriteOnly));
        entry.write("[Desktop Entry]\nType=Application\nName=New\nExec=new\n");
        entry.close();
        QTRY_COMPARE(applications.applications().size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestDesktopEntry)
#include "testdesktopentry.moc"
