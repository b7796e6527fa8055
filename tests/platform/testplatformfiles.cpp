#include "platform/system/commandline.h"
#include "platform/system/drives.h"
#include "platform/system/foldertest.h"
#include "platform/system/processes.h"
#include "platform/system/registry.h"
#include "platform/system/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// What the launcher asks of the file system and of process start, on real files.
class TestPlatformFiles : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString script(const QString &relative)
    {
        const QString path = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        // Records where it ran and with which arguments.
        file.write("#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"[$a]\"; done; } > \"$0.out\"\n");
        file.close();
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return path;
    }

private slots:
    void initTestCase()
    {
        QDir root(m_dir.path());
        root.mkpath(QStringLiteral("empty"));
        root.mkpath(QStringLiteral("full/ﾌｫﾙﾀﾞ 集"));
        QFile(root.filePath(QStringLiteral("full/a.txt"))).open(QIODevice::WriteOnly);
        QFile(root.filePath(QStringLiteral("plain.txt"))).open(QIODevice::WriteOnly);
    }

    void folderTest_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("passes");
        QTest::newRow("existing folder") << "full" << true;
        QTest::newRow("existing file") << "plain.txt" << true;
        QTest::newRow("japanese folder with blank") << "full/ﾌｫﾙﾀﾞ 集" << true;
        QTest::newRow("separator, folder with entries") << "full/" << true;
        QTest::newRow("separator, empty folder") << "empty/" << true;
        QTest::newRow("wildcard matching") << "full/*.txt" << true;
        QTest::newRow("question mark matching") << "full/?.txt" << true;
        QTest::newRow("wildcard matching nothing") << "full/*.exe" << false;
        QTest::newRow("missing") << "nothing" << false;
        QTest::newRow("wildcard in the folder part") << "f*/a.txt" << false;
    }

    void folderTest()
    {
        QFETCH(QString, relative);
        QFETCH(bool, passes);
        QCOMPARE(platform::passesFolderTest(m_dir.filePath(relative)), passes);
    }

    void folderTestOfNothingAndOfTheRoot()
    {
        QVERIFY(!platform::passesFolderTest(QString()));
        QVERIFY(platform::passesFolderTest(QStringLiteral("/")));
    }

    void splitsLikeTheWindowsLoader()
    {
        const QString spaced = script(QStringLiteral("my tools/run me.sh"));
        const QString plain = script(QStringLiteral("bin/run"));
        QDir::setCurrent(m_dir.path());

        auto split = [](const QString &text) {
            return platform::splitCommandLine(text);
        };
        QCOMPARE(split(spaced)->program, spaced);
        QVERIFY(split(spaced)->arguments.isEmpty());
        QCOMPARE(split(plain + "  -a  b")->arguments, (QStringList{"-a", "b"}));
        QCOMPARE(split(spaced + " x")->program, spaced);
        QCOMPARE(split(QStringLiteral("bin/run x"))->program,
                 plain); // relative to the current folder
        QCOMPARE(split(QStringLiteral("sh -c true"))->program,
                 QStandardPaths::findExecutable("sh"));
        QVERIFY(!split(QString()));
        QVERIFY(!split(QStringLiteral("no-such-program-anywhere --x")));
        QVERIFY(!split(m_dir.filePath(QStringLiteral("plain.txt")))); // not executable
    }

    void startsDetachedInTheCurrentFolder()
    {
        const QString program = script(QStringLiteral("work place/tool.sh"));
        platform::SystemProcesses processes;
        QVERIFY(processes.setCurrentFolder(m_dir.filePath(QStringLiteral("full"))));
        QVERIFY(!processes.setCurrentFolder(m_dir.filePath(QStringLiteral("missing"))));
        QCOMPARE(QDir::currentPath(), m_dir.filePath(QStringLiteral("full")));
        QVERIFY(processes.startProgram(program + " one ﾆ"));
        auto output = [&program] {
            QFile out(program + ".out");
            return out.open(QIODevice::ReadOnly) ? QString::fromUtf8(out.readAll()) : QString();
        };
        QTRY_COMPARE(output(),
                     m_dir.filePath(QStringLiteral("full")) + QStringLiteral("\n[one]\n[ﾆ]\n"));
        QVERIFY(!processes.startProgram(QString()));
        QVERIFY(!processes.startProgram(m_dir.filePath(QStringLiteral("plain.txt"))));
    }

    void documentsFoldersAndAddressesOpenInTheDefaultApplication()
    {
        // The desktop's opener, a stand-in that records what it was given and where it ran.
        const QString opener = script(QStringLiteral("opener/xdg-open"));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(m_dir.filePath(QStringLiteral("opener"))) + ':' + path);
        platform::SystemProcesses processes;
        QVERIFY(processes.setCurrentFolder(m_dir.path()));
        auto opens = [&](const QString &text, const QString &target) {
            QFile::remove(opener + ".out");
            if (!processes.startProgram(text))
                return false;
            QFile out(opener + ".out");
            return QTest::qWaitFor([&] { return out.size() > 0; }) &&
                   out.open(QIODevice::ReadOnly) &&
                   QString::fromUtf8(out.readAll()).endsWith(u'[' + target + QStringLiteral("]\n"));
        };
        QVERIFY(opens(QStringLiteral("plain.txt"), m_dir.filePath(QStringLiteral("plain.txt"))));
        QVERIFY(
            opens(m_dir.filePath(QStringLiteral("full")), m_dir.filePath(QStringLiteral("full"))));
        QVERIFY(opens(QStringLiteral("https://example.org/a b"),
                      QStringLiteral("https://example.org/a b")));
        QVERIFY(!processes.startProgram(QStringLiteral("nothing named so")));
        qputenv("PATH", path);
    }

    void oneInstancePerExecutable()
    {
        const QString exe = m_dir.filePath(QStringLiteral("quorvel"));
        platform::SingleInstance first(exe);
        platform::SingleInstance second(exe);
        platform::SingleInstance other(m_dir.filePath(QStringLiteral("full/quorvel")));
        QVERIFY(first.tryAcquire());
        QVERIFY(!second.tryAcquire());
        QVERIFY(other.tryAcquire());
    }

    void registryStandInNamesAnInstalledSystemInformationTool()
    {
        platform::SystemRegistry registry;
        const QString key = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QByteArray());
        QVERIFY(!registry.queryValue(platform::HKEY_LOCAL_MACHINE_ROOT, key, "PATH"));

        const QString tool = script(QStringLiteral("tools/kinfocenter"));
        qputenv("PATH", QFile::encodeName(m_dir.filePath(QStringLiteral("tools"))));
        const auto value = registry.queryValue(platform::HKEY_LOCAL_MACHINE_ROOT, key, "PATH");
        qputenv("PATH", path);
        QVERIFY(value);
        QCOMPARE(value->type, platform::RegistryString);
        QCOMPARE(value->data, QFile::encodeName(tool));
        QVERIFY(!registry.queryValue(platform::HKEY_LOCAL_MACHINE_ROOT,
                                     QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                                     "MSINFO"));
    }

    void drivesListRealFileSystemsOnly()
    {
        const QStringList drives = platform::listDrives();
        QCOMPARE(drives.first(), QStringLiteral("/"));
        for (const char *pseudo : {"/proc", "/sys", "/dev", "/run"})
            QVERIFY(!drives.contains(QString::fromLatin1(pseudo)));
        QCOMPARE(platform::driveOf(m_dir.path(), drives).isEmpty(), false);
        QCOMPARE(platform::driveOf(QStringLiteral("/"), drives), QStringLiteral("/"));
    }
};

QTEST_GUILESS_MAIN(TestPlatformFiles)
#include "testplatformfiles.moc"
