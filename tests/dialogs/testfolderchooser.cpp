#include "dialogs/folderlist.h"
#include "dialogs/form2.h"
#include "fakeplatform.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

// The working-folder chooser on its own: a stand-in settings window and its folder field.
class TestFolderChooser : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tree;
    QWidget m_settings;
    QLineEdit *m_workFolder = nullptr;
    FakeMessageBoxes m_messages;
    std::unique_ptr<Form2> m_chooser;

    QStringList rows() const
    {
        QStringList texts;
        for (int r = 0; r < m_chooser->ui.Dir1->count(); ++r)
            texts.append(m_chooser->ui.Dir1->item(r)->text().trimmed());
        return texts;
    }

    void open()
    {
        m_settings.setEnabled(false);
        m_chooser->showChooser();
    }

private slots:
    void initTestCase()
    {
        QDir root(m_tree.path());
        QVERIFY(root.mkpath(QStringLiteral("ﾌｫﾙﾀﾞ 1/奥")));
        QVERIFY(root.mkpath(QStringLiteral("b")));
        QFile(root.filePath(QStringLiteral("file.txt"))).open(QIODevice::WriteOnly);
        m_workFolder = new QLineEdit(&m_settings);
        m_workFolder->setText(QStringLiteral("unchanged"));
        QDir::setCurrent(m_tree.path());
        m_chooser = std::make_unique<Form2>(&m_settings, m_workFolder, m_messages);
    }

    void startsOnTheCurrentFolder()
    {
        open();
        QCOMPARE(m_chooser->windowTitle(), QStringLiteral("作業ﾌｫﾙﾀﾞの指定"));
        QCOMPARE(m_chooser->ui.Dir1->path(), m_tree.path());
        QCOMPARE(m_chooser->ui.Text1->text(), m_tree.path());
        QCOMPARE(m_chooser->ui.Drive1->itemText(0), QStringLiteral("/"));
        // Parents down to this folder, then its subfolders.
        QCOMPARE(rows().first(), QStringLiteral("/"));
        QCOMPARE(rows().mid(rows().size() - 3),
                 (QStringList{QDir(m_tree.path()).dirName(), "b", "ﾌｫﾙﾀﾞ 1"}));
    }

    void doubleClickOpensAFolderAndFillsTheField()
    {
        open();
        QListWidget *list = m_chooser->ui.Dir1;
        const auto found = list->findItems(QStringLiteral("ﾌｫﾙﾀﾞ 1"), Qt::MatchEndsWith);
        QCOMPARE(found.size(), 1);
        emit list->itemActivated(found.first());
        QTRY_COMPARE(m_chooser->ui.Text1->text(), m_tree.filePath(QStringLiteral("ﾌｫﾙﾀﾞ 1")));
        QCOMPARE(rows().last(), QStringLiteral("奥"));
    }

    void cancelKeepsTheFieldAndReopensWhereItWas()
    {
        open();
        m_chooser->ui.Dir1->setPath(m_tree.filePath(QStringLiteral("b")));
        m_chooser->Command2_Click();
        QCOMPARE(m_workFolder->text(), QStringLiteral("unchanged"));
        QVERIFY(m_settings.isEnabled());
        QVERIFY(!m_chooser->isVisible());

        open();
        QCOMPARE(m_chooser->ui.Text1->text(), m_tree.filePath(QStringLiteral("b")));
        m_chooser->close(); // the frame's close box is "ｷｬﾝｾﾙ"
        QVERIFY(m_settings.isEnabled());
        QCOMPARE(m_workFolder->text(), QStringLiteral("unchanged"));
    }

    void okChecksTheFolder()
    {
        open();
        const QString missing = m_tree.filePath(QStringLiteral("nothing here"));
        m_chooser->ui.Text1->setText(missing);
        m_chooser->Command1_Click();
        QCOMPARE(m_messages.shown, (QList<FakeMessageBoxes::Shown>{
                                       {missing + QStringLiteral("\r\nﾃﾞｨﾚｸﾄﾘが見つかりません。"),
                                        QStringLiteral("ﾌｧｲﾙｴﾗｰ")}}));
        QVERIFY(m_chooser->isVisible());
        QVERIFY(!m_settings.isEnabled());
        m_messages.shown.clear();

        const QString file = m_tree.filePath(QStringLiteral("file.txt"));
        m_chooser->ui.Text1->setText(file);
        m_chooser->Command1_Click();
        QCOMPARE(m_workFolder->text(), file);
        QVERIFY(m_settings.isEnabled());
        QVERIFY(!m_chooser->isVisible());
    }

    void pickingADriveShowsItsRoot()
    {
        open();
        m_chooser->ui.Drive1->setCurrentIndex(0);
        m_chooser->Drive1_Change();
        QCOMPARE(m_chooser->ui.Dir1->path(), QStringLiteral("/"));
        QCOMPARE(m_chooser->ui.Text1->text(), QStringLiteral("/"));
        m_chooser->Command2_Click();
    }

    void unreadableFolderShowsNoSubfolders()
    {
        open();
        m_chooser->ui.Dir1->setPath(QStringLiteral("/no/such/place"));
        QCOMPARE(rows().last(), QStringLiteral("place"));
        m_chooser->Command2_Click();
    }
};

QTEST_MAIN(TestFolderChooser)
#include "testfolderchooser.moc"
