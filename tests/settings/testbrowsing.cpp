#include "dialogs/folderlist.h"
#include "dialogs/form2.h"
#include "settings/programfields.h"
#include "uicatalogue.h"

#include <QDir>
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
