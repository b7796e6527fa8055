#include "dialogs/searchfield.h"
#include "settings/applicationpicker.h"
#include "uicatalogue.h"

#include <QApplication>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

// Filling the list from the installed applications, by keys in the real dialog.
class TestApplicationPicker : public QObject
{
    Q_OBJECT

    // Opens the dialog from the settings window's menu and hands it to drive while it is shown.
    // A dialog that never shows, another one in its place or a failed check inside fails the
    // test; whatever is modal is closed, so nothing waits.
    static void withPicker(Launcher &launcher,
                           const std::function<void(ApplicationPicker &)> &drive)
    {
        bool driven = false;
        QTimer timer; // gone with this call, so it never fires into a finished test
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            const auto closing = qScopeGuard([modal] {
                if (modal && modal->isVisible())
                    modal->close();
            });
            auto *picker = qobject_cast<ApplicationPicker *>(modal);
            QVERIFY(picker);
            QTRY_VERIFY(launcher.app->applications().loaded());
            drive(*picker);
            driven = true;
        });
        timer.start(0);
        launcher.ui().mnuApplications->trigger();
        QVERIFY2(driven, "the picker did not show, or a check inside failed");
    }

private slots:
    void checkedApplicationsAreAddedAsOneUndoableChange()
    {
        Launcher launcher(catalogueFile({{2, "Mail", "/bin/mail"}}));
        launcher.install("alpha.desktop", "Name=Alpha Pad\nExec=alpha %F\nPath=/srv\n");
        launcher.install("beta.desktop", "Name=Beta Pad\nComment=Notes\nExec=beta\n");
        launcher.install("gamma.desktop", "Name=Gamma Pad\nExec=sh -c \"a b\"\n");
        launcher.install("mail.desktop", "Name=Mail\nExec=/bin/mail\n");
        QCOMPARE(launcher.start(), TrayApplication::StartResult::Running);
        launcher.popup().mnuConfig->trigger();
        launcher.chooseCategory(2);

        withPicker(launcher, [&](ApplicationPicker &picker) {
            QCOMPARE(picker.windowTitle(), QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの追加"));
            QCOMPARE(picker.categoryBox()->currentIndex(), 2); // the window's category
            QCOMPARE(picker.list()->count(), 4);
            QVERIFY(picker.list()->item(3)->text().contains(QStringLiteral("登録済み")));
            QTest::keyClicks(picker.field(), QStringLiteral("pad"));
            QVERIFY(picker.list()->isRowHidden(3));
            QTest::keyClick(picker.field(), Qt::Key_Down);
            QTest::keyClick(picker.list(), Qt::Key_Space);
            QTest::keyClick(picker.list(), Qt::Key_Down);
            QTest::keyClick(picker.list(), Qt::Key_Space);
            QTest::keyClick(picker.list(), Qt::Key_Down);
            QTest::keyClick(picker.list(), Qt::Key_Space); // Gamma: no command line to store
            QTest::keyClick(picker.list(), Qt::Key_Return);
            QVERIFY(!picker.isVisible());
        });
        QCOMPARE(launcher.catalogue().EntryCount(2), qint16(3));
        QCOMPARE(
            launcher.catalogue().entry(2, 2),
            (Entry{QStringLiteral("Alpha Pad"), QStringLiteral("alpha"), QStringLiteral("/srv")}));
        QCOMPARE(launcher.catalogue().entry(2, 3).ProgramPath, QStringLiteral("beta"));
        QVERIFY(launcher.fileBytes().contains("\"Beta Pad\",\"beta\""));
        QCOMPARE(launcher.fake.messages.shown.size(), 1);
        QVERIFY(launcher.fake.messages.shown.first().prompt.endsWith(
            QStringLiteral("Gamma Pad … 1行のｺﾏﾝﾄﾞﾗｲﾝで起動できません。")));
        QVERIFY(mirrorMismatch(launcher).isEmpty());

        launcher.form().mnuUndo_Click();
        QCOMPARE(launcher.catalogue().EntryCount(2), qint16(1));
        QVERIFY(!launcher.fileBytes().contains("Pad"));
        launcher.form().mnuRedo_Click();
        QCOMPARE(launcher.catalogue().EntryCount(2), qint16(3));
    }

    void anActionIsListedUnderItsApplicationAndAddedAsAnEntry()
    {
        Launcher launcher;
        launcher.install("browser.desktop",
                         "Name=Browser\nExec=browser %u\nPath=/srv\nActions=window;\n"
                         "[Desktop Action window]\nName=新しいウィンドウ\n"
                         "Exec=browser --new-window\n");
        launcher.install("zeta.desktop", "Name=Zeta\nExec=zeta\n");
        QCOMPARE(launcher.start(), TrayApplication::StartResult::Running);
        launcher.popup().mnuConfig->trigger();
        withPicker(launcher, [](ApplicationPicker &picker) {
            QCOMPARE(picker.list()->count(), 3);
            QCOMPARE(picker.list()->item(1)->text(), QStringLiteral("　　新しいウィンドウ"));
            picker.field()->setText(QStringLiteral("ｳｨﾝﾄﾞｳ"));
            QCOMPARE(picker.list()->currentRow(), 1);
            QVERIFY(picker.list()->isRowHidden(0) && picker.list()->isRowHidden(2));
            QTest::keyClick(picker.field(), Qt::Key_Down);
            QTest::keyClick(picker.list(), Qt::Key_Space);
            QTest::keyClick(picker.list(), Qt::Key_Return);
        });
        QCOMPARE(launcher.catalogue().EntryCount(0), qint16(1));
        QCOMPARE(launcher.catalogue().entry(0, 1),
                 (Entry{QStringLiteral("Browser - 新しいウィンドウ"),
                        QStringLiteral("browser --new-window"), QStringLiteral("/srv")}));
        // Listed now, and said so.
        withPicker(launcher, [](ApplicationPicker &picker) {
            QVERIFY(picker.list()->item(1)->text().endsWith(QStringLiteral("（登録済み）")));
        });
    }

    void anApplicationInKanjiIsFoundByItsReadingOnceItArrives()
    {
        Launcher launcher;
        launcher.install("calc.desktop", "Name=Calculator\nName[ja]=電卓\nExec=calc\n");
        QCOMPARE(launcher.start(), TrayApplication::StartResult::Running);
        launcher.popup().mnuConfig->trigger();
        withPicker(launcher, [](ApplicationPicker &picker) {
            QTest::keyClicks(picker.field(), QStringLiteral("dentaku"));
            QTRY_VERIFY(!picker.list()->isRowHidden(0));
        });
    }

    void aFullCategoryTakesWhatFitsAndNamesTheRest()
    {
        QList<Line> lines;
        for (int k = 1; k < Catalogue::MaxEntries; ++k)
            lines.append({0, QString::number(k)});
        Launcher launcher(catalogueFile(lines));
        launcher.install("a.desktop", "Name=A\nExec=a\n");
        launcher.install("b.desktop", "Name=B\nExec=b\n");
        QCOMPARE(launcher.start(), TrayApplication::StartResult::Running);
        launcher.popup().mnuConfig->trigger();
        withPicker(launcher, [](ApplicationPicker &picker) {
            for (int row = 0; row < picker.list()->count(); ++row)
                picker.list()->item(row)->setCheckState(Qt::Checked);
            picker.accept();
        });
        QCOMPARE(launcher.catalogue().EntryCount(0), qint16(Catalogue::MaxEntries));
        QCOMPARE(launcher.catalogue().entry(0, Catalogue::MaxEntries).EntryName,
                 QStringLiteral("A"));
        QCOMPARE(launcher.fake.messages.shown.size(), 1);
        QVERIFY(launcher.fake.messages.shown.first().prompt.endsWith(
            QStringLiteral("\r\nB … これ以上の登録はできません。")));
    }
};

QTEST_MAIN(TestApplicationPicker)
#include "testapplicationpicker.moc"
