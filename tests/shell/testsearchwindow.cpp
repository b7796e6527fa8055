#include "shell/searchwindow.h"
#include "uicatalogue.h"

#include "dialogs/hotkeydialog.h"
#include "settings/applicationpicker.h"
#include "settings/form1controls.h"
#include "shell/searchresults.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using Found = SearchRowId;
using StartResult = TrayApplication::StartResult;

class TestSearchWindow : public QObject
{
    Q_OBJECT

    static QLineEdit *field(SearchWindow &window) { return window.findChild<QLineEdit *>(); }
    static void press(SearchWindow &window, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(field(window), key, modifiers);
    }

private slots:
    void typingFindsAndKeysLaunch()
    {
        Launcher launcher(catalogueFile({{1, "ﾀｰﾐﾅﾙ", "/bin/term"},
                                         {1, "ﾒﾓﾘ診断", "/bin/memtest"},
                                         {0, "ﾒﾓ帳", "/bin/memo", "/srv"},
                                         {0, "&Editor", "/usr/bin/gedit"}},
                                        {"ﾂｰﾙ"}));
        QCOMPARE(launcher.start(), StartResult::Running);
        QVERIFY(!launcher.app->searchWindowBuilt());
        launcher.app->openSearch();
        SearchWindow &window = launcher.app->searchWindow();
        QVERIFY(window.isVisible());
        // Nothing typed, nothing used yet: menu order, the first row selected.
        QCOMPARE(window.results(), (QList<Found>{{1, 1}, {1, 2}, {0, 1}, {0, 2}}));
        QCOMPARE(window.selectedRow(), 0);

        QTest::keyClicks(field(window), QStringLiteral("memo"));
        QCOMPARE(window.results(), (QList<Found>{{1, 2}, {0, 1}}));
        press(window, Qt::Key_Down);
        press(window, Qt::Key_Return);
        QCOMPARE(launcher.fake.processes.started, QStringList{"/bin/memo"});
        QCOMPARE(launcher.fake.processes.folders, QStringList{"/srv"});
        QVERIFY(!window.isVisible());

        // Opened again: an empty field, the entry just used first.
        launcher.app->openSearch();
        QCOMPARE(field(window)->text(), QString());
        QCOMPARE(window.results(), (QList<Found>{{0, 1}, {1, 1}, {1, 2}, {0, 2}}));
        press(window, Qt::Key_2, Qt::AltModifier);
        QCOMPARE(launcher.fake.processes.started.last(), QStringLiteral("/bin/term"));

        launcher.app->openSearch();
        QTest::keyClicks(field(window), QStringLiteral("gedit"));
        QCOMPARE(window.results(), (QList<Found>{{0, 2}}));
        press(window, Qt::Key_9, Qt::AltModifier); // no ninth row
        press(window, Qt::Key_Up);                 // stays on the only row
        QCOMPARE(window.selectedRow(), 0);
        QVERIFY(window.isVisible());
        press(window, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
        QCOMPARE(launcher.fake.processes.started.size(), 2);
        QVERIFY(launcher.fake.messages.shown.isEmpty());
    }

    // The list follows the input method's composition; Return and Esc while composing are the
    // input method's, Return after the commit launches.
    void theCompositionIsSearchedFor()
    {
        Launcher launcher(catalogueFile({{0, "ﾀｰﾐﾅﾙ", "/bin/term"}, {1, "ﾒﾓ帳", "/bin/memo"}}));
        QCOMPARE(launcher.start(), StartResult::Running);
        launcher.app->openSearch();
        SearchWindow &window = launcher.app->searchWindow();
        const auto compose = [&](const QString &preedit, const QString &commit = {}) {
            QInputMethodEvent event(preedit, {});
            event.setCommitString(commit);
            QApplication::sendEvent(field(window), &event);
        };
        const QList<Found> everything{{1, 1}, {0, 1}}, memo{{1, 1}};

        compose(QStringLiteral("め"));
        compose(QStringLiteral("めも"));
        QCOMPARE(field(window)->text(), QString());
        QCOMPARE(window.results(), memo);
        press(window, Qt::Key_Return);
        press(window, Qt::Key_Escape);
        QVERIFY(window.isVisible());
        QVERIFY(launcher.fake.processes.started.isEmpty());
        compose(QStringLiteral("メモ")); // converted
        QCOMPARE(window.results(), memo);
        compose(QString()); // cancelled
        QCOMPARE(window.results(), everything);

        // Committed after a half-committed word: the composition stands at the cursor.
        field(window)->setText(QStringLiteral("ﾂｰﾙ"));
        field(window)->setCursorPosition(0);
        compose(QStringLiteral("たーみ"));
        QCOMPARE(window.results(), QList<Found>());
        compose(QString(), QStringLiteral("たーみ "));
        QCOMPARE(field(window)->text(), QStringLiteral("たーみ ﾂｰﾙ"));
        QCOMPARE(window.results(), QList<Found>());
        field(window)->setText(QStringLiteral("memo"));
        QCOMPARE(window.results(), memo);
        press(window, Qt::Key_Return);
        QCOMPARE(launcher.fake.processes.started, QStringList{"/bin/memo"});
    }

    // 電卓 found by its reading, once the readings have been read off the UI thread.
    void kanjiAreFoundByTheirReading()
    {
        Launcher launcher(catalogueFile({{0, "電卓", "/bin/calc"}, {0, "端末", "/bin/term"}}));
        QCOMPARE(launcher.start(), StartResult::Running);
        launcher.app->openSearch();
        SearchWindow &window = launcher.app->searchWindow();
        field(window)->setText(QStringLiteral("でんたく"));
        QTRY_COMPARE(window.results(), (QList<Found>{{0, 1}}));
        field(window)->setText(QStringLiteral("tanmatsu"));
        QCOMPARE(window.results(), (QList<Found>{{0, 2}}));
        // A renamed entry is read anew.
        QVERIFY(launcher.editor()
                    .changeEntry(0, 1, {QStringLiteral("時計"), QStringLiteral("/bin/clock"), {}})
                    .wasMade());
        field(window)->setText(QStringLiteral("tokei"));
        QTRY_COMPARE(window.results(), (QList<Found>{{0, 2}}));
        QCOMPARE(QDir(launcher.dir.filePath(QStringLiteral("cache/quorvel")))
                     .entryList({QStringLiteral("readings-*")}, QDir::Files)
                     .size(),
                 1);
        QVERIFY(QDir(launcher.dir.path()).entryList({QStringLiteral("readings*")}).isEmpty());
    }

    // What a screen reader says: the fields by their captions, the list by its name.
    void fieldsAreNamedForScreenReaders()
    {
        Launcher launcher;
        QCOMPARE(launcher.start(), StartResult::Running);
        const auto name = [](QObject *object) {
            return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
        };
        const Form1Controls &ui = launcher.ui();
        QCOMPARE(name(ui.Text1), QStringLiteral("登録名"));
        QCOMPARE(name(ui.Text2), QStringLiteral("起動プログラム"));
        QCOMPARE(name(ui.Text3), QStringLiteral("ｶﾃｺﾞﾘ名"));
        QCOMPARE(name(ui.Text4), QStringLiteral("作業ﾌｫﾙﾀﾞ"));
        launcher.app->openSearch();
        SearchWindow &window = launcher.app->searchWindow();
        QCOMPARE(name(field(window)), QStringLiteral("検索する名前"));
        QCOMPARE(name(&window), QStringLiteral("ﾌﾟﾛｸﾞﾗﾑ検索"));
        QCOMPARE(QAccessible::queryAccessibleInterface(&window)->role(), QAccessible::Dialog);
    }

    void followsTheCatalogueAndSaysWhatIsMissing()
    {
        Launcher launcher;
        QCOMPARE(launcher.start(), StartResult::Running);
        launcher.app->openSearch();
        SearchWindow &window = launcher.app->searchWindow();
        const auto *nothing = window.findChild<QLabel *>();
        QVERIFY(nothing->isVisible());
        QCOMPARE(nothing->text(), QStringLiteral("ﾌﾟﾛｸﾞﾗﾑが登録されていません。"));

        QVERIFY(launcher.editor()
                    .addEntry(0, {QStringLiteral("ﾒﾓ帳"), QStringLiteral("/bin/memo"), {}})
                    .wasMade());
        QCOMPARE(window.results(), (QList<Found>{{0, 1}}));
        QVERIFY(!nothing->isVisible());
        // Read out as name, category and count while the focus stays in the field.
        QCOMPARE(field(window)->accessibleDescription(),
                 QStringLiteral("ﾒﾓ帳、ｶﾃｺﾞﾘ外ﾒﾆｭｰ。1件中1件目"));

        QTest::keyClicks(field(window), QStringLiteral("zzz"));
        QCOMPARE(nothing->text(), QStringLiteral("一致するﾌﾟﾛｸﾞﾗﾑはありません。"));
        QCOMPARE(field(window)->accessibleDescription(), nothing->text()); // not the last row's
        QVERIFY(launcher.editor()
                    .changeEntry(0, 0, {QStringLiteral("zzzﾂｰﾙ"), QStringLiteral("/bin/z"), {}})
                    .wasMade());
        QCOMPARE(window.results(), (QList<Found>{{0, 1}}));
    }

    void installedApplicationsAreOfferedStartedAndAdded()
    {
        Launcher launcher(catalogueFile({{0, "Mail", "/bin/mail"}}));
        launcher.install("pad.desktop", "Name=Mousepad\nExec=mousepad %U\nPath=/srv\n");
        launcher.install("mail.desktop", "Name=Mail Client\nExec=/bin/mail\n"); // listed already
        launcher.install("shell.desktop", "Name=Mash\nExec=sh -c \"a b\"\n");   // no command line
        QCOMPARE(launcher.start(), StartResult::Running);
        launcher.app->openSearch();
        SearchWindow &window = launcher.app->searchWindow();
        QTRY_VERIFY(launcher.app->applications().loaded());
        // Nothing typed: the list's own entries only.
        QCOMPARE(window.results(), (QList<Found>{{0, 1}}));
        QTest::keyClicks(field(window), QStringLiteral("m"));
        QCOMPARE(window.results(), (QList<Found>{{0, 1}, Found(QStringLiteral("pad.desktop"))}));
        press(window, Qt::Key_Down);
        QCOMPARE(field(window)->accessibleDescription(),
                 QStringLiteral("Mousepad、未登録。2件中2件目"));
        press(window, Qt::Key_Return);
        QCOMPARE(launcher.fake.processes.started, QStringList{"mousepad"});
        QCOMPARE(launcher.fake.processes.folders, QStringList{"/srv"});
        // Counted like an entry, and kept when an entry is launched after it.
        launcher.app->openSearch();
        press(window, Qt::Key_Return);
        QCOMPARE(launcher.fake.processes.started.last(), QStringLiteral("/bin/mail"));
        QFile uses(launcher.dir.filePath(QStringLiteral("quorvel-uses.txt")));
        QVERIFY(uses.open(QIODevice::ReadOnly));
        QCOMPARE(uses.readAll().count('\n'), 3); // the header and two launched

        // Added from here, undone in the settings window: one change each, each saved.
        launcher.app->openSearch();
        QTest::keyClicks(field(window), QStringLiteral("mouse"));
        press(window, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(launcher.catalogue().entry(0, 2),
                 (Entry{QStringLiteral("Mousepad"), QStringLiteral("mousepad"),
                        QStringLiteral("/srv")}));
        QCOMPARE(window.results(), (QList<Found>{{0, 2}}));
        QVERIFY(launcher.fileBytes().contains("\"Mousepad\",\"mousepad\",\"/srv\""));
        launcher.form().mnuUndo_Click();
        QCOMPARE(launcher.catalogue().EntryCount(0), qint16(1));
        QVERIFY(!launcher.fileBytes().contains("Mousepad"));
    }

    // Found by their own names and by their application's, each below its application; those of
    // an application already listed are offered too.
    void anApplicationsActionsAreOfferedAndStarted()
    {
        Launcher launcher(catalogueFile({{0, "Mail", "/bin/mail"}}));
        launcher.install("browser.desktop",
                         "Name=ウェブブラウザ\nExec=browser %u\nPath=/srv\nKeywords=new;\n"
                         "Actions=private;window;\n"
                         "[Desktop Action private]\nName=新しいプライベートウィンドウ\n"
                         "Exec=browser --private-window\n"
                         "[Desktop Action window]\nName=New Window\nExec=browser --new-window\n");
        launcher.install("mail.desktop", "Name=Mail\nExec=/bin/mail\nActions=compose;\n"
                                         "[Desktop Action compose]\nName=Compose\n"
                                         "Exec=/bin/mail --compose\n");
        QCOMPARE(launcher.start(), StartResult::Running);
        launcher.app->openSearch();
        SearchWindow &window = launcher.app->searchWindow();
        QTRY_VERIFY(launcher.app->applications().loaded());
        const Found browser(QStringLiteral("browser.desktop")),
            compose(QStringLiteral("mail.desktop#compose")),
            privateWindow(QStringLiteral("browser.desktop#private")),
            newWindow(QStringLiteral("browser.desktop#window"));

        field(window)->setText(QStringLiteral("ﾌﾞﾗｳｻﾞ　ﾌﾟﾗｲﾍﾞｰﾄ"));
        QCOMPARE(window.results(), QList<Found>{privateWindow});
        // One action's name begins with "new", the application only has it as a keyword.
        field(window)->setText(QStringLiteral("new"));
        QCOMPARE(window.results(), (QList<Found>{browser, newWindow, privateWindow}));
        field(window)->setText(QStringLiteral("comp"));
        QCOMPARE(window.results(), QList<Found>{compose});

        field(window)->setText(QStringLiteral("new"));
        press(window, Qt::Key_Down);
        QCOMPARE(field(window)->accessibleDescription(),
                 QStringLiteral("New Window、ウェブブラウザ、未登録。3件中2件目"));
        press(window, Qt::Key_Return);
        QCOMPARE(launcher.fake.processes.started, QStringList{"browser --new-window"});
        QCOMPARE(launcher.fake.processes.folders, QStringList{"/srv"});
        // Used, it still follows its application.
        launcher.app->openSearch();
        field(window)->setText(QStringLiteral("new"));
        QCOMPARE(window.results(), (QList<Found>{browser, newWindow, privateWindow}));
    }

    void aFirstStartOffersTheInstalledApplicationsAtOnce()
    {
        Launcher launcher;
        launcher.install("pad.desktop", "Name=Mousepad\nExec=mousepad\n");
        QCOMPARE(launcher.start(), StartResult::Running);
        launcher.app->openSearch();
        QTRY_COMPARE(launcher.app->searchWindow().results(),
                     QList<Found>{Found(QStringLiteral("pad.desktop"))});
    }

    void aBadUseFileIsNoError()
    {
        Launcher launcher(catalogueFile({{0, "a", "/bin/a"}, {0, "b", "/bin/b"}}));
        const QString uses = launcher.dir.filePath(QStringLiteral("quorvel-uses.txt"));
        QFile damaged(uses);
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(QByteArray("quorvel uses 1\nnot a line\n") + QByteArray(100'000, 'x'));
        damaged.close();
        QCOMPARE(launcher.start(), StartResult::Running);
        launcher.app->mnuMenu_Click(0, 2);
        // Rewritten with what it can hold.
        damaged.open(QIODevice::ReadOnly);
        const QList<QByteArray> lines = damaged.readAll().trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines.at(1).contains("\t1\t"));
        damaged.close();
        launcher.app->openSearch();
        QCOMPARE(launcher.app->searchWindow().results(), (QList<Found>{{0, 2}, {0, 1}}));

        // A folder where the file should be: launches go on, nothing is said.
        QVERIFY(QFile::remove(uses) && QDir().mkdir(uses));
        launcher.app->mnuMenu_Click(0, 1);
        QCOMPARE(launcher.fake.processes.started, (QStringList{"/bin/b", "/bin/a"}));
        QVERIFY(launcher.fake.messages.shown.isEmpty());
    }

    void theHotkeyChoiceIsKeptBesideTheCatalogue()
    {
        Launcher launcher;
        QCOMPARE(launcher.start(), StartResult::Running);
        const QString settings = launcher.dir.filePath(QStringLiteral("quorvel.conf"));
        QTRY_COMPARE(launcher.app->hotkey().key(), QKeySequence(QStringLiteral("Ctrl+Alt+Space")));
        QVERIFY(!QFile::exists(settings)); // nothing written until the user chooses
        // This desktop (offscreen) has no way to have one, and the dialog says so.
        const auto answer = [](bool use, bool ok, QString *said) {
            QTimer::singleShot(0, [=] {
                auto *dialog = qobject_cast<HotkeyDialog *>(QApplication::activeModalWidget());
                const auto labels = dialog->findChildren<QLabel *>();
                *said = labels.last()->text();
                dialog->findChild<QCheckBox *>()->setChecked(use);
                ok ? dialog->accept() : dialog->reject();
            });
        };
        QString said;
        answer(false, false, &said);
        launcher.app->mnuHotkey_Click();
        QVERIFY2(said.contains(QStringLiteral("quorvel --search")), qPrintable(said));
        QCOMPARE(launcher.app->hotkey().key(), QKeySequence(QStringLiteral("Ctrl+Alt+Space")));
        QVERIFY(!QFile::exists(settings));

        answer(false, true, &said);
        launcher.app->mnuHotkey_Click();
        QCOMPARE(launcher.app->hotkey().state(), platform::GlobalHotkey::State::Off);
        QCOMPARE(Preferences(launcher.dir.path()).hotkey(), QKeySequence());
    }

    // Started as 起動プログラム would start it, from the home folder, counted as nothing's use.
    void shiftEnterStartsWhatIsTyped()
    {
        Launcher launcher(catalogueFile({{0, "Mail", "/bin/mail"}}));
        QCOMPARE(launcher.start(), StartResult::Running);
        launcher.app->openSearch();
        SearchWindow &window = launcher.app->searchWindow();
        QVERIFY(window.findChildren<QLabel *>().last()->text().contains(u"Shift+Enter"));
        field(window)->setText(QStringLiteral("  "));
        press(window, Qt::Key_Return, Qt::ShiftModifier);
        QVERIFY(window.isVisible());

        const QString typed = QStringLiteral("mail --to \"a b\" | sh");
        field(window)->setText(typed);
        press(window, Qt::Key_Return, Qt::ShiftModifier);
        QVERIFY(!window.isVisible());
        QCOMPARE(launcher.fake.processes.started, QStringList{typed});
        QCOMPARE(launcher.fake.processes.folders, QStringList{QDir::homePath()});
        QVERIFY(!QFile::exists(launcher.dir.filePath(QStringLiteral("quorvel-uses.txt"))));
        QCOMPARE(launcher.catalogue().EntryCount(0), qint16(1));

        launcher.fake.processes.failingPrograms << QStringLiteral("nosuch");
        launcher.app->openSearch();
        field(window)->setText(QStringLiteral("nosuch"));
        press(window, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(launcher.fake.messages.shown,
                 (QList<FakeMessageBoxes::Shown>{
                     {QStringLiteral("[nosuch] - ﾌﾟﾛｸﾞﾗﾑが見つからないか、起動できません"),
                      QStringLiteral("ﾌﾟﾛｸﾞﾗﾑ開始ｴﾗｰ")}}));
    }

    // The settings window at the entry's category with the entry in the fields, the entry as
    // the list holds it now; an installed application ticked in the picker.
    void ctrlEOpensTheChosenRowForEditing()
    {
        Launcher launcher(catalogueFile(
            {{1, "ﾀｰﾐﾅﾙ", "/bin/term"}, {1, "ﾒﾓ帳", "/bin/memo", "/srv"}, {0, "Mail", "/bin/mail"}},
            {"ﾂｰﾙ"}));
        launcher.install("pad.desktop", "Name=Mousepad\nExec=mousepad\n");
        QCOMPARE(launcher.start(), StartResult::Running);
        launcher.app->openSearch();
        SearchWindow &window = launcher.app->searchWindow();
        field(window)->setText(QStringLiteral("memo"));
        // Deleted meanwhile: the row chosen is the entry where it is now.
        QVERIFY(launcher.editor().deleteEntry(1, 0).wasMade());
        press(window, Qt::Key_E, Qt::ControlModifier);
        QVERIFY(!window.isVisible());
        QVERIFY(launcher.form().isVisible());
        QCOMPARE(launcher.form().CurrentCategory(), 1);
        QCOMPARE(launcher.form().selectedRow(), 0);
        QCOMPARE(launcher.ui().Text1->text(), QStringLiteral("ﾒﾓ帳"));
        QCOMPARE(launcher.ui().Text2->text(), QStringLiteral("/bin/memo"));
        QCOMPARE(launcher.ui().Text4->text(), QStringLiteral("/srv"));

        // A row gone before its request arrives shows nothing.
        launcher.form().hide();
        emit window.entryEditRequested(1, 2);
        QVERIFY(!launcher.form().isVisible());

        launcher.app->openSearch();
        QTRY_VERIFY(launcher.app->applications().loaded());
        field(window)->setText(QStringLiteral("mouse"));
        QStringList ticked;
        QTimer::singleShot(0, [&ticked] {
            auto *picker = qobject_cast<ApplicationPicker *>(QApplication::activeModalWidget());
            if (!picker)
                return;
            for (int row = 0; row < picker->list()->count(); ++row) {
                if (picker->list()->item(row)->checkState() == Qt::Checked)
                    ticked << picker->list()->item(row)->text();
            }
            picker->reject();
        });
        press(window, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(ticked, QStringList{"Mousepad"});
    }

    void aSecondStartWithSearchOpensTheRunningCopysWindow()
    {
        Launcher first(catalogueFile({{0, "a"}}));
        QCOMPARE(first.start(), StartResult::Running);
        FakePlatform fake;
        TrayApplication second(first.dir.filePath(QStringLiteral("quorvel")), fake.platform);
        QCOMPARE(second.Form_Load(StartRequest::Search), StartResult::AlreadyRunning);
        QTRY_VERIFY(first.app->searchWindowBuilt() && first.app->searchWindow().isVisible());
        QVERIFY(!first.app->settingsWindowBuilt());
    }
};

QTEST_MAIN(TestSearchWindow)
#include "testsearchwindow.moc"
