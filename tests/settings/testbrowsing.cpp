#include "dialogs/folderlist.h"
#include "dialogs/form2.h"
#include "settings/programfields.h"
#include "uicatalogue.h"

#include <QDir>
#include <QMimeData>
#include <QTest>
#include <QWindow>

// The two "参照" buttons: the program file fills the fields, the folder chooser is opened on
// the working folder already entered.
class TestBrowsing : public QObject
{
    Q_OBJECT

    std::unique_ptr<Launcher> m_launcher;
    Launcher &l() { return *m_launcher; }

private slots:
    void init()
    {
        m_launcher = std::make_unique<Launcher>();
        QCOMPARE(l().start(), TrayApplication::StartResult::Running);
        l().popup().mnuConfig->trigger();
    }

    void fillRules_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expectedName");
        QTest::addColumn<QString>("expectedFolder");
        QTest::newRow("both empty") << "/opt/tools/edit"
                                    << ""
                                    << ""
                                    << "edit"
                                    << "/opt/tools";
        QTest::newRow("name filled") << "/opt/tools/edit"
                                     << "mine"
                                     << ""
                                     << "mine"
                                     << "/opt/tools";
        QTest::newRow("folder filled") << "/opt/tools/edit"
                                       << ""
                                       << "/w"
                                       << "edit"
                                       << "/w";
        QTest::newRow("both filled") << "/opt/tools/edit"
                                     << "mine"
                                     << "/w"
                                     << "mine"
                                     << "/w";
        QTest::newRow("root folder") << "/edit"
                                     << ""
                                     << ""
                                     << "edit"
                                     << "/";
        QTest::newRow("no separator") << "edit"
                                      << ""
                                      << ""
                                      << ""
                                      << "";
        QTest::newRow("blanks and japanese") << "/home/u/ﾂｰﾙ 集/起動.sh"
                                             << ""
                                             << ""
                                             << "起動.sh"
                                             << "/home/u/ﾂｰﾙ 集";
    }

    void fillRules()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QFETCH(QString, folder);
        QFETCH(QString, expectedName);
        QFETCH(QString, expectedFolder);
        l().setFields(name, "old", folder);
        l().fake.fileDialog.answer = path;
        QTest::mouseClick(l().ui().Command5, Qt::LeftButton);
        QCOMPARE(l().ui().Text2->text(), path);
        QCOMPARE(l().ui().Text1->text(), expectedName);
        QCOMPARE(l().ui().Text4->text(), expectedFolder);
        QCOMPARE(
            l().fake.fileDialog.filter,
            QStringLiteral("ﾌﾟﾛｸﾞﾗﾑ(*.exe;*.com;*.bat)|*.exe;*.com;*.bat|全てのﾌｧｲﾙ(*.*)|*.*"));
        QCOMPARE(l().fake.fileDialog.flags, 0x201804u);
    }

    void cancelledDialogChangesNothing()
    {
        l().setFields("n", "p", "");
        l().fake.fileDialog.answer.reset();
        l().form().Command5_Click();
        QCOMPARE(l().fake.fileDialog.shownCount, 1);
        QCOMPARE(l().ui().Text2->text(), QStringLiteral("p"));
        QCOMPARE(l().ui().Text4->text(), QString());
    }

    void droppedFilesAndAddressesFillTheFields_data()
    {
        QTest::addColumn<QString>("dropped"); // a file name in the test's folder, or an address
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("a program, as 参照 takes it") << "tool.sh" << QStringList{"", "old", ""}
                                                     << QStringList{"tool.sh", "%1/tool.sh", "%1"};
        QTest::newRow("a desktop entry: all three fields")
            << "editor.desktop" << QStringList{"mine", "old", "/w"}
            << QStringList{"エディタ", "/opt/My Editor/edit --new", "/srv/docs"};
        QTest::newRow("a web address, named by its host")
            << "https://example.org/wiki?x=1" << QStringList{"", "old", "/w"}
            << QStringList{"example.org", "https://example.org/wiki?x=1", "/w"};
        QTest::newRow("a web address keeps a name typed")
            << "https://example.org/" << QStringList{"mine", "", ""}
            << QStringList{"mine", "https://example.org/", ""};
        QTest::newRow("a broken desktop entry changes nothing")
            << "broken.desktop" << QStringList{"a", "b", "c"} << QStringList{"a", "b", "c"};
    }

    void droppedFilesAndAddressesFillTheFields()
    {
        QFETCH(QString, dropped);
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        QTemporaryDir work;
        auto write = [&work](const char *name, const QByteArray &text) {
            QFile file(work.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text);
        };
        write("tool.sh", "#!/bin/sh\n");
        write("editor.desktop", "[Desktop Entry]\nName=Editor\nName[ja]=エディタ\n"
                                "Exec=\"/opt/My Editor/edit\" --new %F\nPath=/srv/docs\n");
        write("broken.desktop", "[Desktop Entry]\nExec=\"/opt/unclosed\n");
        const QUrl url =
            dropped.contains(u':') ? QUrl(dropped) : QUrl::fromLocalFile(work.filePath(dropped));
        l().setFields(before[0], before[1], before[2]);

        // Dropped on the program field, whose own drop would paste the address as text.
        QMimeData data;
        data.setUrls({url});
        QLineEdit *target = l().ui().Text2;
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &drop);

        auto fields = [this] {
            return QStringList{l().ui().Text1->text(), l().ui().Text2->text(),
                               l().ui().Text4->text()};
        };
        after.replaceInStrings(QStringLiteral("%1"), work.path());
        QCOMPARE(fields(), after);
        QCOMPARE(l().fake.messages.shown.isEmpty(), dropped != QLatin1String("broken.desktop"));
        QCOMPARE(l().catalogue().EntryCount(0), 0); // nothing is added by a drop

        if (url.isLocalFile()) { // "参照" takes the same file the same way
            l().setFields(before[0], before[1], before[2]);
            l().fake.fileDialog.answer = url.toLocalFile();
            l().form().Command5_Click();
            QCOMPARE(fields(), after);
        }
    }

    void chooserStartsOnTheEnteredFolderAndDisablesTheWindow()
    {
        QTemporaryDir work;
        l().ui().Text4->setText(work.path());
        QTest::mouseClick(l().ui().Command9, Qt::LeftButton);
        Form2 *chooser = l().form().folderChooser();
        QVERIFY(chooser && chooser->isVisible());
        QCOMPARE(chooser->ui.Text1->text(), work.path());
        QVERIFY(!l().form().isEnabled());
        // Stacked above the settings window, so a click on that never hides it.
        QCOMPARE(chooser->windowHandle()->transientParent(), l().form().windowHandle());
        QVERIFY(chooser->isEnabled());

        // The settings window takes no input meanwhile.
        l().ui().Text1->setText("before");
        QTest::mouseClick(l().ui().Command3, Qt::LeftButton);
        QCOMPARE(l().ui().Text1->text(), QStringLiteral("before"));

        chooser->Command2_Click();
        QVERIFY(l().form().isEnabled());
        QVERIFY(!chooser->isVisible());
    }

    void chooserIgnoresAFolderThatDoesNotExist()
    {
        l().ui().Text4->setText("/no/such/folder");
        l().form().Command9_Click();
        Form2 *chooser = l().form().folderChooser();
        QCOMPARE(chooser->ui.Text1->text(), chooser->ui.Dir1->path());
        QCOMPARE(QDir(chooser->ui.Dir1->path()), QDir::current());
        chooser->ui.Text1->setText(QDir::rootPath());
        chooser->Command1_Click();
        QCOMPARE(l().ui().Text4->text(), QDir::rootPath());
        QVERIFY(l().form().isEnabled());
    }
};

QTEST_MAIN(TestBrowsing)
#include "testbrowsing.moc"
