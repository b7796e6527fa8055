#include "dialogs/frmabout.h"
#include "uicatalogue.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>
#ifdef Q_OS_UNIX
#include <sys/wait.h>
#include <unistd.h>
#endif

using StartResult = TrayApplication::StartResult;

class TestTrayApplication : public QObject
{
    Q_OBJECT

private slots:
    void startsOnAnEmptyFolderWithTheDefaultCatalogue()
    {
        Launcher launcher;
        QCOMPARE(launcher.start(), StartResult::Running);
        QCOMPARE(launcher.fileBytes(), catalogueFile({}));
        QCOMPARE(mirrorMismatch(launcher), QString());
        QCOMPARE(visibleItems(launcher.popup().mnuPoP()),
                 (QStringList{"-", "設定", "ﾊﾞｰｼﾞｮﾝ情報", "-", "終了"}));
        // As drawn: the separator stands first, above "設定".
        QMenu *menu = launcher.popup().mnuPoP();
        menu->popup({0, 0});
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        const QRect separator = menu->actionGeometry(launcher.popup().mnuLine);
        QVERIFY(separator.height() > 0);
        QVERIFY(separator.bottom() <= menu->actionGeometry(launcher.popup().mnuConfig).top());
        menu->hide();
        QCOMPARE(launcher.ui().Combo1->currentIndex(), 0);
        QCOMPARE(launcher.ui().Text3->text(), QStringLiteral("ｶﾃｺﾞﾘ外ﾒﾆｭｰ"));
        QCOMPARE(launcher.app->trayIcon().toolTip(), QStringLiteral("Quorvel"));
        // At each size a tray asks for, the picture drawn for it, not one scaled.
        for (const int size : {16, 22, 24, 32, 48, 64}) {
            const QImage drawn(
                QStringLiteral(QUORVEL_TESTDATA "/../../resources/icons/hicolor/%1x%1/apps/"
                               "org.quorvel.Quorvel.png")
                    .arg(size));
            QCOMPARE(launcher.app->trayIcon().icon().pixmap(size).toImage().convertToFormat(
                         QImage::Format_ARGB32_Premultiplied),
                     drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        }
        QCOMPARE(launcher.form().windowIcon().pixmap(32).toImage(),
                 launcher.app->trayIcon().icon().pixmap(32).toImage());
        QVERIFY(launcher.app->trayIcon().isVisible());
        QVERIFY(!launcher.form().isVisible());
        QVERIFY(launcher.fake.messages.shown.isEmpty());
    }

    void theSettingsWindowIsBuiltWhenFirstOpened()
    {
        Launcher launcher(catalogueFile({{3, "c"}}, {"ﾂｰﾙ"}));
        QCOMPARE(launcher.start(), StartResult::Running);
        launcher.popup().mnuVersion->trigger();
        launcher.app->versionDialog()->cmdOK_Click();
        QVERIFY(!launcher.app->settingsWindowBuilt());

        launcher.popup().mnuConfig->trigger();
        QVERIFY(launcher.form().isVisible());
        QCOMPARE(launcher.ui().Combo1->itemText(1), QStringLiteral("ﾂｰﾙ"));
        QCOMPARE(mirrorMismatch(launcher), QString());
    }

    void startupMirrorsAReadCatalogue()
    {
        Launcher launcher(catalogueFile({{3, "c1"}, {0, "z1"}, {0, "A&B"}, {3, "c2"}, {0, "z3"}},
                                        {"ﾂｰﾙ", "", "ｴﾃﾞｨﾀ&&"}));
        QCOMPARE(launcher.start(), StartResult::Running);
        QCOMPARE(mirrorMismatch(launcher), QString());
        QCOMPARE(
            visibleItems(launcher.popup().mnuPoP()),
            (QStringList{"ｴﾃﾞｨﾀ&&", "z1", "A&B", "z3", "-", "設定", "ﾊﾞｰｼﾞｮﾝ情報", "-", "終了"}));
        QCOMPARE(visibleItems(launcher.popup().header(3)->menu()), (QStringList{"c1", "c2"}));
        QCOMPARE(launcher.listRows(), (QStringList{"z1", "A&B", "z3"}));
        QCOMPARE(launcher.ui().Combo1->itemText(1), QStringLiteral("ﾂｰﾙ"));
    }

    void startsWithNinetyNineEntriesInEveryCategory()
    {
        QList<Line> lines;
        for (int c = 0; c < 8; ++c)
            for (int k = 1; k <= 99; ++k)
                lines.append({c, QStringLiteral("%1-%2").arg(c).arg(k)});
        Launcher launcher(catalogueFile(lines));
        QCOMPARE(launcher.start(), StartResult::Running);
        QCOMPARE(mirrorMismatch(launcher), QString());
        QCOMPARE(visibleItems(launcher.popup().header(7)->menu()).size(), 99);
    }

    void wrongVersionShowsItsMessageAndLeavesTheFile()
    {
        const QByteArray damaged =
            QByteArray(catalogueFile({{1, "a"}})).replace("Ver.1.0", "Ver.2.0");
        Launcher launcher(damaged);
        QCOMPARE(launcher.start(), StartResult::Failed);
        QCOMPARE(launcher.fake.messages.shown,
                 (QList<FakeMessageBoxes::Shown>{
                     {QStringLiteral(
                          "launch.cfg\r\nﾃﾞｰﾀﾌｧｲﾙのﾊﾞｰｼﾞｮﾝが違うか、ﾃﾞｰﾀﾌｧｲﾙが壊れています。"),
                      QStringLiteral("ﾊﾞｰｼﾞｮﾝｴﾗｰ")}}));
        QCOMPARE(launcher.fileBytes(), damaged);
        QVERIFY(!launcher.app->trayIcon().isVisible());
    }

    void unopenableFileShowsTheOpenError()
    {
        Launcher launcher;
        QVERIFY(QDir(launcher.dir.path()).mkdir(QStringLiteral("launch.cfg")));
        QCOMPARE(launcher.start(), StartResult::Failed);
        QCOMPARE(launcher.fake.messages.shown,
                 (QList<FakeMessageBoxes::Shown>{{QStringLiteral("launch.cfg\r\n変更できません。"),
                                                  QStringLiteral("ﾌｧｲﾙｵｰﾌﾟﾝｴﾗｰ")}}));
        QVERIFY(!launcher.app->trayIcon().isVisible());
    }

    void secondInstanceEndsWithoutTouchingTheFile()
    {
        Launcher first(catalogueFile({{0, "a"}}));
        QCOMPARE(first.start(), StartResult::Running);

        // Ends at once, even on a file it would reject.
        QFile::remove(first.cfgPath());
        QFile cfg(first.cfgPath());
        QVERIFY(cfg.open(QIODevice::WriteOnly));
        cfg.write("damaged");
        cfg.close();
        // A second executable beside it manages the same file: it ends too.
        FakePlatform fake;
        TrayApplication second(first.dir.filePath(QStringLiteral("quorvel2")), fake.platform);
        QCOMPARE(second.Form_Load(), StartResult::AlreadyRunning);
        QVERIFY(fake.messages.shown.isEmpty());
        QCOMPARE(first.fileBytes(), QByteArray("damaged"));

        // Another folder, another catalogue: runs beside it.
        Launcher elsewhere;
        QCOMPARE(elsewhere.start(), StartResult::Running);
    }

    void neitherACrashedCopyNorAForeignLockBlocksAStart()
    {
        Launcher launcher;
        const QString key = CatalogueFile(launcher.dir.path()).path();
        // A lock file written under another machine name (a container, a shared home).
        QFile stale(platform::SingleInstance::lockFilePath(key));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("4242\nquorvel\nanother-host\n");
        stale.close();
#ifdef Q_OS_UNIX
        const pid_t child = fork();
        if (child == 0) {
            platform::SingleInstance lock(key);
            _exit(lock.tryAcquire() ? 0 : 1); // ends holding the lock, as a crash would
        }
        int status = 0;
        waitpid(child, &status, 0);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
#endif
        QCOMPARE(launcher.start(), StartResult::Running);
    }

    void aSecondStartOpensTheSettingsWindowOfTheFirst()
    {
        Launcher first(catalogueFile({{0, "a"}}));
        QCOMPARE(first.start(), StartResult::Running);
        QVERIFY(!first.app->settingsWindowBuilt());
        FakePlatform fake;
        TrayApplication second(first.dir.filePath(QStringLiteral("quorvel")), fake.platform);
        QCOMPARE(second.Form_Load(), StartResult::AlreadyRunning);
        QTRY_VERIFY(first.app->settingsWindowBuilt() && first.form().isVisible());
        QCOMPARE(first.ui().Combo1->currentIndex(), 0);
    }

    void theLoginItemWritesAndRemovesTheAutostartEntry()
    {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        Launcher launcher;
        QCOMPARE(launcher.start(), StartResult::Running);
        QAction *login = launcher.form().controls().mnuAutostart;
        const QString entry =
            config.filePath(QStringLiteral("autostart/org.quorvel.Quorvel.desktop"));
        QVERIFY(!login->isChecked());

        login->trigger();
        QVERIFY(login->isChecked());
        QFile file(entry);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("\nExec=\"/opt/quorvel tools/quorvel\"\n"));
        login->trigger();
        QVERIFY(!login->isChecked());
        QVERIFY(!QFile::exists(entry));

        // An autostart folder that cannot be made: refused, said, and left unchecked.
        QVERIFY(QDir(config.filePath(QStringLiteral("autostart"))).removeRecursively());
        QFile blocker(config.filePath(QStringLiteral("autostart")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        login->trigger();
        QVERIFY(!login->isChecked());
        QCOMPARE(launcher.fake.messages.shown,
                 (QList<FakeMessageBoxes::Shown>{{QStringLiteral("ﾛｸﾞｵﾝ時の起動を設定できません。"),
                                                  QStringLiteral("ﾛｸﾞｵﾝ時に起動")}}));
        qunsetenv("XDG_CONFIG_HOME");
    }

    void startRemovesWhatAKilledSaveLeftAndNothingElse()
    {
        Launcher launcher(catalogueFile({{0, "a"}}));
        const QStringList kept = {"launch.cfg", "launch.cfg.backup", "launch.cfg.saving-abc",
                                  "other.cfg.saving-Ab12Cd"};
        for (const QString &name : kept + QStringList{"launch.cfg.saving-Ab12Cd"}) {
            QFile file(launcher.dir.filePath(name));
            QVERIFY(file.open(QIODevice::Append));
        }
        QCOMPARE(launcher.start(), StartResult::Running);
        QStringList left = QDir(launcher.dir.path()).entryList(QDir::Files);
        left.sort();
        QCOMPARE(left, kept);
    }

    void launchesTheChosenEntryInItsFolder()
    {
        Launcher launcher(catalogueFile({{3, "a", "/bin/a"},
                                         {3, "b", "/bin/b --x", "/srv"},
                                         {0, "c", "/bin/c"},
                                         {7, "d", "/bin/d", "/tmp"}}));
        QCOMPARE(launcher.start(), StartResult::Running);
        opened(launcher.popup()).item(3, 2)->trigger();
        launcher.popup().item(0, 1)->trigger();
        launcher.popup().item(7, 1)->trigger();
        launcher.popup().item(7, 1)->trigger();
        QCOMPARE(launcher.fake.processes.started,
                 (QStringList{"/bin/b --x", "/bin/c", "/bin/d", "/bin/d"}));
        QCOMPARE(launcher.fake.processes.folders, (QStringList{"/srv", "/tmp", "/tmp"}));
        QVERIFY(launcher.fake.messages.shown.isEmpty());
    }

    void failedLaunchesNameTheProgram_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("folder");
        QTest::newRow("program fails") << "/missing/program"
                                       << "";
        QTest::newRow("folder missing") << "/bin/true"
                                        << "/no/such/folder";
        QTest::newRow("empty program") << ""
                                       << "";
    }

    void failedLaunchesNameTheProgram()
    {
        QFETCH(QString, program);
        QFETCH(QString, folder);
        Launcher launcher(catalogueFile({{2, "x", program, folder}}));
        launcher.fake.processes.failingPrograms = {"/missing/program"};
        launcher.fake.processes.missingFolders = {"/no/such/folder"};
        QCOMPARE(launcher.start(), StartResult::Running);
        const QByteArray before = launcher.fileBytes();
        launcher.app->mnuMenu_Click(2, 1);
        QCOMPARE(launcher.fake.processes.started, QStringList());
        QCOMPARE(
            launcher.fake.messages.shown,
            (QList<FakeMessageBoxes::Shown>{
                {u'[' + program + QStringLiteral("] - ﾌﾟﾛｸﾞﾗﾑが見つからないか、起動できません"),
                 QStringLiteral("ﾌﾟﾛｸﾞﾗﾑ開始ｴﾗｰ")}}));
        QCOMPARE(launcher.fileBytes(), before);
        QCOMPARE(mirrorMismatch(launcher), QString());
    }

    void settingsWindowAlwaysOpensOnCategoryZero()
    {
        Launcher launcher(catalogueFile({{0, "z"}, {3, "c"}}));
        QCOMPARE(launcher.start(), StartResult::Running);
        launcher.popup().mnuConfig->trigger();
        launcher.chooseCategory(3);
        launcher.selectRow(0);
        QCOMPARE(launcher.ui().Text1->text(), QStringLiteral("c"));
        launcher.form().controls().mnuCloseWindow->trigger();
        QVERIFY(!launcher.form().isVisible());

        launcher.popup().mnuConfig->trigger();
        launcher.popup().mnuConfig->trigger(); // twice does no harm
        QVERIFY(launcher.form().isVisible());
        QCOMPARE(launcher.form().CurrentCategory(), 0);
        QCOMPARE(launcher.ui().Combo1->currentIndex(), 0);
        QCOMPARE(launcher.ui().Text3->text(), QStringLiteral("ｶﾃｺﾞﾘ外ﾒﾆｭｰ"));
        QCOMPARE(launcher.listRows(), QStringList{"z"});
        QCOMPARE(launcher.form().selectedRow(), -1);
        for (QLineEdit *field : {launcher.ui().Text1, launcher.ui().Text2, launcher.ui().Text4})
            QVERIFY(field->text().isEmpty());
        QVERIFY(!launcher.popup().mnuPoP()->menuAction()->isVisible());
        // The popup itself still shows its children.
        QCOMPARE(visibleItems(launcher.popup().mnuPoP()).first(), QStringLiteral("項目3"));
    }

    void hidingSavesNothingClosingSaves()
    {
        Launcher launcher(catalogueFile({{0, "z"}}));
        QCOMPARE(launcher.start(), StartResult::Running);
        launcher.popup().mnuConfig->trigger();
        QFile::remove(launcher.cfgPath());
        QApplication::setActiveWindow(&launcher.form());
        QVERIFY(QTest::qWaitForWindowActive(&launcher.form()));
        QTest::keyClick(&launcher.form(), Qt::Key_W, Qt::ControlModifier);
        QVERIFY(!launcher.form().isVisible());
        QVERIFY(!QFile::exists(launcher.cfgPath()));

        launcher.popup().mnuConfig->trigger();
        QVERIFY(!launcher.form().close()); // refused: the window only hides
        QVERIFY(!launcher.form().isVisible());
        QVERIFY(fileMatchesMemory(launcher));
    }

    void exitSavesOnceClosesDialogsAndRemovesTheIcon()
    {
        Launcher launcher(catalogueFile({{0, "z"}}));
        QCOMPARE(launcher.start(), StartResult::Running);
        launcher.popup().mnuVersion->trigger();
        QPointer<frmAbout> about = launcher.app->versionDialog();
        QVERIFY(about && about->isVisible());
        QFile::remove(launcher.cfgPath());

        QSignalSpy ended(launcher.app.get(), &TrayApplication::ended);
        launcher.popup().mnuPop_End->trigger();
        QCOMPARE(ended.size(), 1);
        QVERIFY(fileMatchesMemory(launcher));
        QVERIFY(about.isNull());
        QVERIFY(!launcher.app->trayIcon().isVisible());
    }

    void quitFromTheMenuBarEndsLikeThePopup()
    {
        Launcher launcher;
        QCOMPARE(launcher.start(), StartResult::Running);
        launcher.popup().mnuConfig->trigger();
        QSignalSpy ended(launcher.app.get(), &TrayApplication::ended);
        QApplication::setActiveWindow(&launcher.form());
        QVERIFY(QTest::qWaitForWindowActive(&launcher.form()));
        QTest::keyClick(&launcher.form(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(ended.size(), 1);
        QVERIFY(!launcher.form().isVisible());
    }

    void failingSaveAtExitIsReportedAndTheEndGoesOn()
    {
        Launcher launcher;
        QCOMPARE(launcher.start(), StartResult::Running);
        QVERIFY(launcher.dir.remove()); // the folder went away: the file cannot be written
        QSignalSpy ended(launcher.app.get(), &TrayApplication::ended);
        launcher.app->mnuPop_End_Click();
        QCOMPARE(launcher.fake.messages.shown.size(), 1);
        QCOMPARE(launcher.fake.messages.shown.first().title, QStringLiteral("ﾌｧｲﾙｵｰﾌﾟﾝｴﾗｰ"));
        QCOMPARE(ended.size(), 1);
    }
};

QTEST_MAIN(TestTrayApplication)
#include "testtrayapplication.moc"
