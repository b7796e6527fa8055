#include "dialogs/frmabout.h"
#include "dialogs/sysinfo.h"
#include "uicatalogue.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QtEndian>

using Shown = FakeMessageBoxes::Shown;

namespace {
const QString toolKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH");
const QString locationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO");

platform::RegistryValue text(const QByteArray &bytes)
{
    return {platform::RegistryString, bytes + QByteArray(4, '\0') + "junk after the NUL"};
}
} // namespace

class TestVersionDialog : public QObject
{
    Q_OBJECT

private slots:
    void showsTitleVersionAndCredits()
    {
        Launcher launcher;
        QCOMPARE(launcher.start(), TrayApplication::StartResult::Running);
        launcher.popup().mnuVersion->trigger();
        frmAbout *about = launcher.app->versionDialog();
        QVERIFY(about);
        QCOMPARE(about->windowTitle(), QStringLiteral("Quorvelのﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(about->ui.lblTitle->text(), QStringLiteral("Quorvel"));
        QCOMPARE(about->ui.lblVersion->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 0.11.0"));
        const QStringList description = frmAbout::descriptionText().split(QStringLiteral("\r\n"));
        QCOMPARE(description.size(), 3);
        QVERIFY(description[0].contains(QStringLiteral("QSystemTrayIcon")));
        QVERIFY(description[0].contains(QStringLiteral("Qt6Widgets")));
        QVERIFY(description[1].isEmpty());
        QVERIFY(!description[2].isEmpty());
        QVERIFY(about->ui.cmdOK->isDefault());
        QCOMPARE(about->ui.picIcon->pixmap().size(), QSize(32, 32));
        QCOMPARE(about->ui.cmdSysInfo->text(), QStringLiteral("ｼｽﾃﾑ情報(&S)..."));
        QCOMPARE(about->size(), QSize(343, 188));
    }

    void bothMenusOpenTheOneDialog()
    {
        Launcher launcher;
        QCOMPARE(launcher.start(), TrayApplication::StartResult::Running);
        launcher.popup().mnuVersion->trigger();
        QPointer<frmAbout> first = launcher.app->versionDialog();
        first->ui.lblVersion->setText("kept");
        launcher.popup().mnuVersion->trigger();
        launcher.form().controls().mnuVer->trigger();
        QCOMPARE(launcher.app->versionDialog(), first.data());
        QCOMPARE(first->ui.lblVersion->text(), QStringLiteral("kept"));
        const QWidgetList windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(),
                               [](QWidget *w) { return qobject_cast<frmAbout *>(w) != nullptr; }),
                 1);
    }

    void okEscAndTheCloseBoxUnloadAndEnableTheSettingsWindow_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("OK") << 0;
        QTest::newRow("Esc") << 1;
        QTest::newRow("close box") << 2;
    }

    void okEscAndTheCloseBoxUnloadAndEnableTheSettingsWindow()
    {
        QFETCH(int, how);
        Launcher launcher;
        QCOMPARE(launcher.start(), TrayApplication::StartResult::Running);
        launcher.form().setEnabled(false);
        launcher.popup().mnuVersion->trigger();
        QPointer<frmAbout> about = launcher.app->versionDialog();
        if (how == 0)
            QTest::mouseClick(about->ui.cmdOK, Qt::LeftButton);
        else if (how == 1)
            QTest::keyClick(about, Qt::Key_Escape);
        else
            about->close();
        QTRY_VERIFY(about.isNull());
        QVERIFY(launcher.form().isEnabled());

        // The next command loads it afresh.
        launcher.form().controls().mnuVer->trigger();
        QVERIFY(launcher.app->versionDialog());
        QCOMPARE(launcher.app->versionDialog()->ui.lblVersion->text(),
                 QStringLiteral("ﾊﾞｰｼﾞｮﾝ 0.11.0"));
    }

    void systemInformationLookup_data()
    {
        QTest::addColumn<bool>("pathValue");
        QTest::addColumn<bool>("pathStarts");
        QTest::addColumn<bool>("folderValue");
        QTest::addColumn<bool>("toolInFolder");
        QTest::addColumn<bool>("started");
        QTest::addColumn<bool>("folderAsked");
        QTest::newRow("first value valid") << true << true << true << true << true << false;
        QTest::newRow("first value fails, second not tried")
            << true << false << true << true << false << false;
        QTest::newRow("folder value with the tool")
            << false << false << true << true << true << true;
        QTest::newRow("folder value without the tool")
            << false << false << true << false << false << true;
        QTest::newRow("neither") << false << false << false << false << false << true;
    }

    void systemInformationLookup()
    {
        QFETCH(bool, pathValue);
        QFETCH(bool, pathStarts);
        QFETCH(bool, folderValue);
        QFETCH(bool, toolInFolder);
        QFETCH(bool, started);
        QFETCH(bool, folderAsked);

        QTemporaryDir folder;
        if (toolInFolder)
            QFile(folder.filePath(QStringLiteral("MSINFO32.EXE"))).open(QIODevice::WriteOnly);
        FakePlatform fake;
        if (pathValue)
            fake.registry.values[toolKey] = text("/usr/bin/sysinfo --all");
        if (!pathStarts)
            fake.processes.failingPrograms = {"/usr/bin/sysinfo --all"};
        if (folderValue)
            fake.registry.values[locationKey] = text(folder.path().toLocal8Bit());

        StartSysInfo(fake.registry, fake.processes, fake.messages);

        QCOMPARE(fake.registry.queried.contains(locationKey), folderAsked);
        QCOMPARE(fake.processes.started.size(), started ? 1 : 0);
        if (started && !pathValue)
            QCOMPARE(fake.processes.started.first(),
                     folder.filePath(QStringLiteral("MSINFO32.EXE")));
        const QList<Shown> unavailable = {{"現時点ではｼｽﾃﾑ情報を使用できません", "Quorvel"}};
        QCOMPARE(fake.messages.shown, started ? QList<Shown>() : unavailable);
    }

    void keyValuesReadByType()
    {
        FakeRegistry registry;
        QByteArray number(4, '\0');
        qToLittleEndian<quint32>(1234567, number.data());
        registry.values["k|number"] = {platform::RegistryNumber, number};
        registry.values["k|text"] = text("C:\\ﾂｰﾙ");
        registry.values["k|binary"] = {3, "\x01\x02"};

        QString value = "before";
        QVERIFY(GetKeyValue(registry, platform::HKEY_LOCAL_MACHINE_ROOT, "k", "number", value));
        QCOMPARE(value, QStringLiteral("1234567"));
        QVERIFY(GetKeyValue(registry, platform::HKEY_LOCAL_MACHINE_ROOT, "k", "text", value));
        QCOMPARE(value, QString::fromLocal8Bit("C:\\ﾂｰﾙ"));
        QVERIFY(GetKeyValue(registry, platform::HKEY_LOCAL_MACHINE_ROOT, "k", "binary", value));
        QCOMPARE(value, QString::fromLocal8Bit("C:\\ﾂｰﾙ")); // other types leave it
        QVERIFY(!GetKeyValue(registry, platform::HKEY_LOCAL_MACHINE_ROOT, "k", "missing", value));
        QCOMPARE(value, QString());
    }
};

QTEST_MAIN(TestVersionDialog)
#include "testversiondialog.moc"
