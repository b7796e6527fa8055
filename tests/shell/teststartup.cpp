#include "application.h"
#include "catalogue/namereadings.h"
#include "shell/cataloguelocation.h"
#include "shell/commandline.h"
#include "uicatalogue.h"
#ifdef Q_OS_UNIX
#include "support/unprivileged.h"
#endif

#include <QDir>
#include <QTest>

// What is decided before the launcher runs: where its catalogue lives, and what the command
// line asks for.
class TestStartup : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &relative) const { return m_dir.filePath(relative); }
    void touch(const QString &relative)
    {
        QDir().mkpath(QFileInfo(path(relative)).path());
        QFile(path(relative)).open(QIODevice::WriteOnly);
    }

private slots:
    void init()
    {
        m_dir.~QTemporaryDir();
        new (&m_dir) QTemporaryDir();
        QFile::setPermissions(m_dir.path(), QFileDevice::Permissions(0x7755));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(path("config")));
    }

    void aCopyOfItsOwnKeepsTheCatalogueBesideItself()
    {
        QDir().mkpath(path("portable"));
        QCOMPARE(catalogueFolder(path("portable/quorvel")), path("portable"));
        touch("withfile/LAUNCH.CFG");
        QCOMPARE(catalogueFolder(path("withfile/quorvel")), path("withfile"));
    }

    void anInstalledProgramKeepsEachUsersCatalogueInTheirConfiguration()
    {
        touch(QStringLiteral("usr/share/applications/%1.desktop")
                  .arg(QLatin1String(quorvel::ApplicationId)));
        touch("usr/bin/launch.cfg"); // never used, nor written
        QCOMPARE(catalogueFolder(path("usr/bin/quorvel")), path("config/quorvel"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(path("other user")));
        QCOMPARE(catalogueFolder(path("usr/bin/quorvel")), path("other user/quorvel"));
    }

    // Two lists, two caches: reading one list's names leaves the other's cache, and a save of
    // it under way, alone.
    void aPortableCopyAndAnInstalledOneKeepTheirOwnReadings()
    {
        qputenv("XDG_CACHE_HOME", QFile::encodeName(path("cache")));
        const QString installed = readingsCacheFile(path("config/quorvel/launch.cfg"));
        const QString portable = readingsCacheFile(path("portable/launch.cfg"));
        QVERIFY(installed.startsWith(path("cache/quorvel/")) && portable != installed);
        touch("cache/quorvel/" + QFileInfo(installed).fileName() + ".saving-Ab12Cd");
        QFile kept(installed);
        QVERIFY(kept.open(QIODevice::WriteOnly) && kept.write("theirs") == 6);
        kept.close();

        readings::readNames({QStringLiteral("電卓")}, portable);
        QVERIFY(QFileInfo(portable).size() > 0);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("theirs"));
        QVERIFY(QFile::exists(installed + ".saving-Ab12Cd"));
    }

    void anUnwritableFolderUsesTheConfigurationUnlessAFileIsThere()
    {
#ifndef Q_OS_UNIX
        QSKIP("runs a child process as another user: POSIX only");
#else
        touch("readonly/launch.cfg");
        QDir().mkpath(path("empty readonly"));
        for (const char *folder : {"readonly", "empty readonly"})
            QFile::setPermissions(path(folder), QFileDevice::Permissions(0x5555));
        const QString config = path("config/quorvel");
        const auto answers = [this, config] {
            return catalogueFolder(path("readonly/quorvel")) == path("readonly") &&
                   catalogueFolder(path("empty readonly/quorvel")) == config;
        };
        QCOMPARE(testsupport::runInChild(answers, true), testsupport::ChildEnd::Succeeded);
#endif
    }

    void aConfigurationFolderThatCannotBeCreatedFailsToOpen()
    {
        touch(QStringLiteral("usr/share/applications/%1.desktop")
                  .arg(QLatin1String(quorvel::ApplicationId)));
        touch("config"); // a file where the folder should be
        FakePlatform fake;
        TrayApplication launcher(path("usr/bin/quorvel"), fake.platform);
        QCOMPARE(launcher.Form_Load(), TrayApplication::StartResult::Failed);
        QCOMPARE(fake.messages.shown.size(), 1);
        QCOMPARE(fake.messages.shown.first().title, QStringLiteral("ﾌｧｲﾙｵｰﾌﾟﾝｴﾗｰ"));
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");   // -1: the launcher starts
        QTest::addColumn<QString>("output"); // when it starts: the request's number
        QTest::newRow("nothing") << QStringList{} << -1 << "0";
        QTest::newRow("Qt's own options")
            << QStringList{"-platform", "xcb", "-session", "s1"} << -1 << "0";
        QTest::newRow("search") << QStringList{"--search"} << -1 << "1";
        QTest::newRow("popup") << QStringList{"--popup"} << -1 << "2";
        QTest::newRow("both") << QStringList{"--search", "--popup"} << 2 << "同時に使えません";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "Quorvel 0.11.0\n";
        QTest::newRow("help") << QStringList{"-h"} << 0 << "使い方: quorvel";
        QTest::newRow("unknown option")
            << QStringList{"--tray"} << 2 << "不明なオプションです: --tray";
        QTest::newRow("argument") << QStringList{"launch.cfg"} << 2
                                  << "引数は取りません: launch.cfg";
        QTest::newRow("after --") << QStringList{"--", "--version"} << 2 << "引数は取りません";
    }

    void aLaterStartsRequestTravelsWithItsTokenAndNothingElse()
    {
        const auto sent = decodeStartRequest(encodeStartRequest(StartRequest::Search, "t-1_2"));
        QCOMPARE(int(sent.first), int(StartRequest::Search));
        QCOMPARE(sent.second, QByteArray("t-1_2"));
        // Whatever else reaches the channel is a plain start; a token with spaces, controls or
        // bytes beyond ASCII is none.
        QCOMPARE(int(decodeStartRequest("rm -rf\nx").first), int(StartRequest::Plain));
        QCOMPARE(decodeStartRequest("popup\nbad token\x01").second, QByteArray());
        QCOMPARE(decodeStartRequest(QByteArray("search\n\xff\xfe")).second, QByteArray());
        QCOMPARE(int(decodeStartRequest({}).first), int(StartRequest::Plain));
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        const auto read = readCommandLine(QStringList{"quorvel"} + arguments);
        const auto *verdict = std::get_if<CommandLineVerdict>(&read);
        QCOMPARE(verdict ? verdict->exitCode : -1, exitCode);
        if (verdict)
            QVERIFY2(verdict->text.contains(output), qPrintable(verdict->text));
        else
            QCOMPARE(int(std::get<StartRequest>(read)), output.toInt());
    }
};

QTEST_MAIN(TestStartup)
#include "teststartup.moc"
