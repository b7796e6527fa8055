#include "uicatalogue.h"
#ifdef Q_OS_UNIX
#include "support/unprivileged.h"
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <QTest>

using Shown = FakeMessageBoxes::Shown;

// Adding, changing, deleting, moving entries and renaming categories: after each operation the
// list, the combo box, the popup menu and the file mirror memory; a refusal changes nothing.
class TestEditing : public QObject
{
    Q_OBJECT

    std::unique_ptr<Launcher> m_launcher;
    Launcher &l() { return *m_launcher; }

    void startWith(const QList<Line> &lines)
    {
        m_launcher = std::make_unique<Launcher>(catalogueFile(lines));
        QCOMPARE(l().start(), TrayApplication::StartResult::Running);
        l().popup().mnuConfig->trigger();
    }

    QStringList names(int c)
    {
        QStringList result;
        for (int k = 1; k <= l().catalogue().EntryCount(c); ++k)
            result.append(l().catalogue().entry(c, k).EntryName);
        return result;
    }

    // The operation is refused with exactly this message and leaves everything as it was.
    void expectRefusal(void (Form1::*handler)(), const Shown &message)
    {
        expectUnchangedAfter(handler, {message});
    }

    void expectSilentRefusal(void (Form1::*handler)()) { expectUnchangedAfter(handler, {}); }

    void expectUnchangedAfter(void (Form1::*handler)(), const QList<Shown> &messages)
    {
        const auto before = serializeCatalogue(l().catalogue());
        const QStringList rows = l().listRows();
        QFile::remove(l().cfgPath());
        (l().form().*handler)();
        QCOMPARE(l().fake.messages.shown, messages);
        QVERIFY2(!QFile::exists(l().cfgPath()), "a refusal saved");
        QCOMPARE(l().listRows(), rows);
        QCOMPARE(mirrorMismatch(l()), QString());
        QCOMPARE(serializeCatalogue(l().catalogue()), before);
        l().fake.messages.shown.clear();
    }

    void expectInStep()
    {
        QCOMPARE(mirrorMismatch(l()), QString());
        QVERIFY(fileMatchesMemory(l()));
        QVERIFY(l().fake.messages.shown.isEmpty());
    }

private slots:
    // The other checks open every menu first; here no menu is opened before the edits, so the
    // submenus are made from a list that changed before they existed.
    void menusFirstOpenedAfterTheEditsShowThem()
    {
        startWith({{3, "a", "/a"}, {3, "b", "/b"}, {5, "c", "/c"}});
        l().chooseCategory(3);
        l().selectRow(0);
        l().form().Command4_Click();
        l().setFields(QStringLiteral("d"), QStringLiteral("/d"));
        l().form().Command7_Click();
        l().chooseCategory(5);
        l().selectRow(0);
        l().form().Command4_Click();
        QCOMPARE(mirrorMismatch(l()), QString());
        QCOMPARE(visibleItems(l().popup().header(3)->menu()), (QStringList{"b", "d"}));
    }

    void addingTheFirstEntryShowsTheSubmenu()
    {
        startWith({});
        l().chooseCategory(1);
        l().setFields(QStringLiteral(" "), QStringLiteral("/bin/a"));
        QTest::mouseClick(l().ui().Command7, Qt::LeftButton);
        expectInStep();
        QCOMPARE(visibleItems(l().popup().header(1)->menu()), QStringList{" "});
        QCOMPARE(l().fileBytes(), catalogueFile({{1, " ", "/bin/a", ""}}));
        QCOMPARE(l().ui().Text1->text(), QStringLiteral(" ")); // fields are not cleared
        QCOMPARE(l().form().selectedRow(), -1);

        l().chooseCategory(0);
        l().form().Command7_Click();
        expectInStep();
        QCOMPARE(visibleItems(l().popup().mnuPoP()).mid(0, 3), (QStringList{"項目1", " ", "-"}));
    }

    void addRefusesAHundredthEntryBeforeLookingAtTheFields()
    {
        QList<Line> lines;
        for (int k = 1; k <= 99; ++k)
            lines.append({4, QString::number(k)});
        startWith(lines);
        l().chooseCategory(4);
        expectRefusal(&Form1::Command7_Click, {"これ以上の登録はできません。", "登録"});
        l().chooseCategory(5);
        expectRefusal(&Form1::Command7_Click, {"内容が記入されていません。", "登録"});
        l().setFields("name", "");
        expectRefusal(&Form1::Command7_Click, {"内容が記入されていません。", "登録"});
    }

    void changingRewritesTheEntryInPlace()
    {
        startWith({{2, "A"}, {2, "B"}, {2, "C"}});
        l().chooseCategory(2);
        expectRefusal(&Form1::Command6_Click, {"項目が選択されていません。", "変更"});
        l().selectRow(1);
        l().ui().Text1->clear();
        expectRefusal(&Form1::Command6_Click, {"内容が記入されていません。", "登録"});

        l().setFields("X", "/bin/x", "/x");
        QTest::mouseClick(l().ui().Command6, Qt::LeftButton);
        expectInStep();
        QCOMPARE(l().listRows(), (QStringList{"A", "X", "C"}));
        QCOMPARE(l().catalogue().entry(2, 2), (Entry{"X", "/bin/x", "/x"}));
        QCOMPARE(opened(l().popup()).item(2, 2)->text(), QStringLiteral("X"));
        QCOMPARE(l().form().selectedRow(), -1);
        QCOMPARE(l().ui().Text1->text(), QStringLiteral("X"));
        expectRefusal(&Form1::Command6_Click, {"項目が選択されていません。", "変更"});
    }

    void deletingClosesTheGapEverywhere()
    {
        startWith({{5, "A", "/a"}, {5, "B", "/b"}, {5, "C", "/c"}});
        l().chooseCategory(5);
        expectRefusal(&Form1::Command4_Click, {"項目が選択されていません。", "削除"});
        l().selectRow(0);
        QTest::mouseClick(l().ui().Command4, Qt::LeftButton);
        expectInStep();
        QCOMPARE(l().listRows(), (QStringList{"B", "C"}));
        QCOMPARE(l().popup().elementCount(5), 3);
        QCOMPARE(l().form().selectedRow(), -1);
        QCOMPARE(l().ui().Text1->text(),
                 QStringLiteral("A")); // the deleted entry stays in the fields
        expectRefusal(&Form1::Command4_Click, {"項目が選択されていません。", "削除"});

        // Adding at once puts it back as the last entry.
        l().form().Command7_Click();
        expectInStep();
        QCOMPARE(names(5), (QStringList{"B", "C", "A"}));
    }

    void deletingTheOnlyEntryHidesTheCategory_data()
    {
        QTest::addColumn<int>("category");
        QTest::newRow("category 3") << 3;
        QTest::newRow("category 0") << 0;
    }

    void deletingTheOnlyEntryHidesTheCategory()
    {
        QFETCH(int, category);
        startWith({{category, "only"}, {6, "other"}});
        l().chooseCategory(category);
        l().selectRow(0);
        l().form().Command4_Click();
        expectInStep();
        QCOMPARE(l().popup().elementCount(category), 1);
        QCOMPARE(visibleItems(l().popup().mnuPoP()),
                 (QStringList{"項目6", "-", "設定", "ﾊﾞｰｼﾞｮﾝ情報", "-", "終了"}));
        QCOMPARE(l().fileBytes(), catalogueFile({{6, "other"}}));
    }

    void movingSwapsNeighboursAndFollowsTheSelection()
    {
        startWith({{0, "z"}, {3, "A", "/a"}, {3, "B", "/b", "/fb"}, {3, "C", "/c"}});
        const QByteArray original = l().fileBytes();
        l().chooseCategory(3);
        l().selectRow(1);
        l().ui().Text1->setText("typed");
        QTest::mouseClick(l().ui().Command1, Qt::LeftButton);
        expectInStep();
        QCOMPARE(l().listRows(), (QStringList{"B", "A", "C"}));
        QCOMPARE(l().form().selectedRow(), 0);
        QCOMPARE(l().ui().Text1->text(), QStringLiteral("B"));
        QCOMPARE(l().ui().Text4->text(), QStringLiteral("/fb"));
        QCOMPARE(l().catalogue().entry(3, 1), (Entry{"B", "/b", "/fb"}));
        QCOMPARE(visibleItems(l().popup().header(3)->menu()), (QStringList{"B", "A", "C"}));
        QCOMPARE(opened(l().popup()).item(0, 1)->text(), QStringLiteral("z"));

        expectSilentRefusal(&Form1::Command1_Click);
        QTest::mouseClick(l().ui().Command8, Qt::LeftButton);
        expectInStep();
        QCOMPARE(l().fileBytes(), original);

        // The chosen menu position starts what the list now shows there.
        l().form().Command8_Click();
        opened(l().popup()).item(3, 3)->trigger();
        QCOMPARE(l().fake.processes.started, QStringList{"/b"});
    }

    // Edits made through the real window, one after another: after each, the popup menu, the
    // list, the combo box and the file show what the model holds.
    void viewsFollowASequenceOfEdits()
    {
        startWith({{2, "A"}, {0, "z"}});
        auto *ui = &l().ui();
        const auto click = [](QPushButton *button) {
            QTest::mouseClick(button, Qt::LeftButton);
        };
        const auto add = [&](int c, const QString &name) {
            l().chooseCategory(c);
            l().setFields(name, QStringLiteral("/bin/") + name);
            click(ui->Command7);
        };
        const std::pair<const char *, std::function<void()>> steps[] = {
            {"add to an empty category",
             [&] {
                 add(4, "C");
             }},
            {"add to a category",
             [&] {
                 add(2, "B");
             }},
            {"move up",
             [&] {
                 l().selectRow(1), click(ui->Command1);
             }},
            {"move down without a neighbour",
             [&] {
                 l().selectRow(1), click(ui->Command8);
             }},
            {"change",
             [&] {
                 l().selectRow(0), ui->Text1->setText("B2"), click(ui->Command6);
             }},
            {"rename",
             [&] {
                 ui->Text3->setText(QStringLiteral("ﾂｰﾙ")), click(ui->Command2);
             }},
            {"delete the first",
             [&] {
                 l().selectRow(0), click(ui->Command4);
             }},
            {"delete the only one",
             [&] {
                 l().selectRow(0), click(ui->Command4);
             }},
            {"add uncategorised",
             [&] {
                 add(0, "y");
             }},
            {"delete the last one of four",
             [&] {
                 l().chooseCategory(4);
                 l().selectRow(0);
                 click(ui->Command4);
             }},
        };
        for (const auto &[what, step] : steps) {
            step();
            QVERIFY2(mirrorMismatch(l()).isEmpty(), what);
            QVERIFY2(fileMatchesMemory(l()), what);
            QVERIFY2(l().fake.messages.shown.isEmpty(), what);
        }
        QCOMPARE(visibleItems(l().popup().mnuPoP()),
                 (QStringList{"z", "y", "-", "設定", "ﾊﾞｰｼﾞｮﾝ情報", "-", "終了"}));
        QCOMPARE(l().popup().header(2)->text(), QStringLiteral("ﾂｰﾙ"));
    }

    // Undo walks back through every change, redo forward again; each step is one change of
    // the model that every view and the file follow. A field's own typing is undone first.
    void undoAndRedoWalkThroughEveryChange()
    {
        startWith({{1, "A"}});
        const auto &ui = l().ui();
        QList<QByteArray> files{l().fileBytes()};
        const auto made = [&] {
            QVERIFY(fileMatchesMemory(l()));
            files.append(l().fileBytes());
        };
        QVERIFY(!ui.mnuUndo->isEnabled() && !ui.mnuRedo->isEnabled());
        l().chooseCategory(1);
        l().setFields("B", "/bin/b");
        l().form().Command7_Click();
        made();
        l().selectRow(1);
        l().form().Command1_Click();
        made();
        ui.Text3->setText(QStringLiteral("ﾂｰﾙ"));
        l().form().Command2_Click();
        made();
        l().selectRow(0);
        l().form().Command4_Click();
        made();

        // Typing in a field is undone by Ctrl+Z before any change of the list.
        l().form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&l().form()));
        ui.Text1->setFocus();
        QTest::keyClicks(ui.Text1, "xy");
        QTest::keySequence(ui.Text1, QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(ui.Text1->text(), QStringLiteral("B"));
        QCOMPARE(l().fileBytes(), files.last());

        for (int step = files.size() - 2; step >= 0; --step) {
            QTest::keySequence(ui.Text1, QKeySequence(Qt::CTRL | Qt::Key_Z));
            QCOMPARE(l().fileBytes(), files[step]);
            QCOMPARE(mirrorMismatch(l()), QString());
        }
        QVERIFY(!ui.mnuUndo->isEnabled() && ui.mnuRedo->isEnabled());
        QCOMPARE(ui.Text3->text(), QStringLiteral("項目1"));
        ui.mnuRedo->trigger();
        ui.mnuRedo->trigger();
        QCOMPARE(l().fileBytes(), files[2]);
        QCOMPARE(l().listRows(), (QStringList{"B", "A"}));

        // A new change forgets what was undone.
        l().selectRow(0);
        l().form().Command4_Click();
        QVERIFY(!ui.mnuRedo->isEnabled());
        ui.mnuUndo->trigger();
        QCOMPARE(l().fileBytes(), files[2]);
        QCOMPARE(mirrorMismatch(l()), QString());
        QVERIFY(l().fake.messages.shown.isEmpty());
    }

    void renamingUpdatesComboMenuAndFile()
    {
        startWith({});
        expectRefusal(&Form1::Command2_Click, {"変更できません。", "ｶﾃｺﾞﾘ名変更"});
        l().chooseCategory(5);
        l().ui().Text3->setText(QStringLiteral("ｹﾞｰﾑ"));
        QTest::mouseClick(l().ui().Command2, Qt::LeftButton);
        expectInStep();
        QCOMPARE(l().ui().Combo1->itemText(5), QStringLiteral("ｹﾞｰﾑ"));
        QCOMPARE(l().ui().Combo1->currentIndex(), 5);
        QVERIFY(!l().popup().header(5)->isVisible());

        l().setFields("g", "/bin/g");
        l().form().Command7_Click();
        expectInStep();
        QCOMPARE(visibleItems(l().popup().mnuPoP()).first(), QStringLiteral("ｹﾞｰﾑ"));

        l().ui().Text3->clear();
        l().form().Command2_Click();
        expectInStep();
        QCOMPARE(l().ui().Combo1->itemText(5), QString());
    }

    void refusesTextsTheFileCannotHold_data()
    {
        QTest::addColumn<QString>("bad");
        QTest::newRow("pasted line break") << QStringLiteral("line1\nline2");
        QTest::newRow("accented") << QStringLiteral("café");
    }

    void refusesTextsTheFileCannotHold()
    {
        QFETCH(QString, bad);
        startWith({{1, "A"}});
        l().chooseCategory(1);
        const Shown unusable{"使用できない文字が含まれています。", "登録"};
        for (QLineEdit *field : {l().ui().Text1, l().ui().Text2, l().ui().Text4}) {
            l().selectRow(0); // fills the fields from the entry, so set them afterwards
            l().setFields("n", "/bin/p", "/f");
            field->setText(bad);
            expectRefusal(&Form1::Command7_Click, unusable);
            expectRefusal(&Form1::Command6_Click, {unusable.prompt, "変更"});
        }
        l().ui().Text3->setText(bad);
        expectRefusal(&Form1::Command2_Click, {unusable.prompt, "ｶﾃｺﾞﾘ名変更"});
    }

    // An edit made on disk while the program runs is taken in, one step to undo, also when an
    // editor writes a new file and renames it over; a damaged one is kept beside it before the next
    // save.
    void outsideEditsAreTakenInOrKept()
    {
        startWith({{1, "A"}});
        l().chooseCategory(1);
        const auto write = [](const QString &path, const QByteArray &bytes) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QCOMPARE(file.write(bytes), bytes.size());
        };
        write(l().cfgPath(), catalogueFile({{1, "A"}, {1, "B"}}));
        QTRY_COMPARE(l().listRows(), (QStringList{"A", "B"}));
        // Undone like any edit made here, and the file follows; redone, it is back.
        QVERIFY(l().app->editor().undo());
        QCOMPARE(l().listRows(), QStringList{"A"});
        QCOMPARE(l().fileBytes(), catalogueFile({{1, "A"}}));
        QVERIFY(l().app->editor().redo());
        QCOMPARE(l().listRows(), (QStringList{"A", "B"}));
        const QString fresh = l().cfgPath() + QStringLiteral(".new");
        write(fresh, catalogueFile({{1, "A"}, {1, "B"}, {0, "C"}}));
        QCOMPARE(std::rename(qPrintable(fresh), qPrintable(l().cfgPath())), 0);
        QTRY_COMPARE(opened(l().popup()).item(0, 1) ? l().popup().item(0, 1)->text() : QString(),
                     "C");
        QCOMPARE(mirrorMismatch(l()), QString());

        l().setFields("D", "/bin/d");
        l().form().Command7_Click();
        QCOMPARE(l().fileBytes(),
                 catalogueFile({{0, "C"}, {1, "A"}, {1, "B"}, {1, "D", "/bin/d"}}));

        write(l().cfgPath(), "not a catalogue");
        QTest::qWait(600); // longer than the watcher waits for a change to settle
        QCOMPARE(l().listRows(), (QStringList{"A", "B", "D"}));
        QVERIFY(l().fake.messages.shown.isEmpty());
        l().selectRow(2);
        l().form().Command4_Click();
        QVERIFY(fileMatchesMemory(l()));
        const QStringList kept =
            QDir(l().dir.path()).entryList({QStringLiteral("launch.cfg.damaged-*")});
        QCOMPARE(kept.size(), 1);
        QFile copy(l().dir.filePath(kept.first()));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), QByteArray("not a catalogue"));
        QCOMPARE(l().fake.messages.shown,
                 (QList<Shown>{{"launch.cfg\r\n他のﾌﾟﾛｸﾞﾗﾑで変更された内容を " + kept.first() +
                                    " として保存しました。",
                                "ﾌｧｲﾙｴﾗｰ"}}));
    }

    // Whatever takes the file's place is never waited on, read past a catalogue's size, or
    // overwritten: the list stays, and the next save moves it aside first.
    void whateverReplacesTheFileIsKeptAside_data()
    {
        QTest::addColumn<QString>("what");
        for (const char *what : {"fifo", "folder", "link to /dev/zero", "64 MiB file"})
            QTest::newRow(what) << QString::fromLatin1(what);
    }

    void whateverReplacesTheFileIsKeptAside()
    {
#ifndef Q_OS_UNIX
        QSKIP("FIFOs and links to devices: POSIX only");
#else
        QFETCH(QString, what);
        startWith({{0, "A"}});
        const QByteArray path = QFile::encodeName(l().cfgPath());
        QVERIFY(QFile::remove(l().cfgPath()));
        if (what == "fifo")
            QCOMPARE(::mkfifo(path.constData(), 0644), 0);
        else if (what == "folder")
            QVERIFY(QDir().mkdir(l().cfgPath()));
        else if (what == "link to /dev/zero")
            QCOMPARE(::symlink("/dev/zero", path.constData()), 0);
        else {
            QFile big(l().cfgPath()); // sparse: the size is what counts
            QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64(64) << 20));
        }
        QTest::qWait(400);
        QCOMPARE(l().listRows(), QStringList{"A"});

        l().setFields("B", "/bin/b");
        l().form().Command7_Click();
        QVERIFY(fileMatchesMemory(l()));
        QCOMPARE(QDir(l().dir.path())
                     .entryList({"launch.cfg.damaged-*"}, QDir::AllEntries | QDir::System)
                     .size(),
                 1);
        QCOMPARE(l().fake.messages.shown.size(), 1);
#endif
    }

    // A disk that fills up during a save: the message, the old file whole, no temporary, the
    // change kept; the next save that fits writes everything.
    void fullDiskKeepsTheOldFileAndTheChange()
    {
#ifndef Q_OS_UNIX
        QSKIP("mounts a small file system: Linux only");
#else
        if (::geteuid() != 0)
            QSKIP("mounting a small file system needs root");
        QTemporaryDir disk;
        if (::mount("tmpfs", qPrintable(disk.path()), "tmpfs", 0, "size=16k") != 0)
            QSKIP("this system allows no tmpfs mount");
        const auto unmount = qScopeGuard([&disk] { ::umount(qPrintable(disk.path())); });
        const QString cfg = disk.filePath(QStringLiteral("launch.cfg"));
        const QByteArray before = catalogueFile({{0, "A"}});
        {
            QFile file(cfg);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(before);
            QFile filler(disk.filePath(QStringLiteral("filler")));
            QVERIFY(filler.open(QIODevice::WriteOnly));
            filler.write(QByteArray(8 * 1024, 'x'));
        }
        FakePlatform fake;
        TrayApplication app(disk.filePath(QStringLiteral("quorvel")), fake.platform);
        QCOMPARE(app.Form_Load(), TrayApplication::StartResult::Running);
        app.mnuConfig_Click();
        const Form1Controls &ui = app.form1().controls();
        ui.Text1->setText(QString(6000, u'B'));
        ui.Text2->setText(QStringLiteral("/bin/b"));
        app.form1().Command7_Click();

        QCOMPARE(fake.messages.shown,
                 (QList<Shown>{{"launch.cfg\r\n変更できません。", "ﾌｧｲﾙｵｰﾌﾟﾝｴﾗｰ"}}));
        QFile file(cfg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files), (QStringList{"filler", "launch.cfg"}));
        QCOMPARE(opened(app.popup()).elementCount(0), 3);

        QVERIFY(QFile::remove(disk.filePath(QStringLiteral("filler"))));
        ui.Text1->setText(QStringLiteral("C"));
        app.form1().Command7_Click();
        QCOMPARE(fake.messages.shown.size(), 1);
        file.close();
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), *serializeCatalogue(app.catalogue()));
        QCOMPARE(app.catalogue().EntryCount(0), 3);
#endif
    }

    void failingSaveKeepsTheChangeAndTheOldFile()
    {
#ifndef Q_OS_UNIX
        QSKIP("runs a child process as another user: POSIX only");
#else
        startWith({{0, "A"}});
        const QByteArray before = l().fileBytes();
        // The folder stays readable but not writable, for the unprivileged user a root test
        // runs the child as and for an ordinary user running the tests alike.
        const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                              QFileDevice::ReadOther | QFileDevice::ExeOther;
        QFile::setPermissions(l().dir.path(), readOnly);
        const auto writable = qScopeGuard([this, readOnly] {
            QFile::setPermissions(l().dir.path(), readOnly | QFileDevice::WriteOwner);
        });
        const auto end = testsupport::runInChild(
            [this] {
                l().setFields("B", "/bin/b");
                l().form().Command7_Click();
                return l().fake.messages.shown ==
                           QList<Shown>{{"launch.cfg\r\n変更できません。", "ﾌｧｲﾙｵｰﾌﾟﾝｴﾗｰ"}} &&
                       mirrorMismatch(l()).isEmpty() && l().listRows() == QStringList{"A", "B"};
            },
            true);
        QCOMPARE(end, testsupport::ChildEnd::Succeeded);
        QCOMPARE(l().fileBytes(), before);
#endif
    }
};

QTEST_MAIN(TestEditing)
#include "testediting.moc"
