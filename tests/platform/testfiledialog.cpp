#include "platform/desktop/filedialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>

// The program browser's filters, as a user sees them in the dialog's file list.
class TestFileDialog : public QObject
{
    Q_OBJECT

    const QString filter =
        QStringLiteral("ﾌﾟﾛｸﾞﾗﾑ(*.exe;*.com;*.bat)|*.exe;*.com;*.bat|全てのﾌｧｲﾙ(*.*)|*.*");

    static QStringList shownFiles(QFileDialog &dialog)
    {
        const auto *view = dialog.findChild<QAbstractItemView *>(QStringLiteral("listView"));
        QStringList names;
        for (int r = 0; r < view->model()->rowCount(view->rootIndex()); ++r)
            names.append(view->model()->index(r, 0, view->rootIndex()).data().toString());
        names.sort();
        return names;
    }

private slots:
    void showsProgramsThenEveryFile()
    {
        QTemporaryDir dir;
        for (const char *name : {"tool", "notes", "SETUP.EXE", "run.bat", "readme.txt"})
            QFile(dir.filePath(QString::fromLatin1(name))).open(QIODevice::WriteOnly);
        QFile::setPermissions(dir.filePath("tool"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QDir(dir.path()).mkdir(QStringLiteral("sub"));

        const auto dialog = platform::QtFileDialog::create(nullptr, filter);
        auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        QCOMPARE(types->count(), 2);
        QCOMPARE(types->itemText(0), QStringLiteral("ﾌﾟﾛｸﾞﾗﾑ(*.exe;*.com;*.bat)"));
        QCOMPARE(types->itemText(1), QStringLiteral("全てのﾌｧｲﾙ(*.*)"));
        QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);

        dialog->setDirectory(dir.path());
        dialog->show();
        QTRY_COMPARE(shownFiles(*dialog), (QStringList{"SETUP.EXE", "run.bat", "sub", "tool"}));

        types->setFocus();
        QTest::keyClick(types, Qt::Key_Down); // the user picks "全てのﾌｧｲﾙ(*.*)"
        QTRY_COMPARE(shownFiles(*dialog),
                     (QStringList{"SETUP.EXE", "notes", "readme.txt", "run.bat", "sub", "tool"}));
    }
};

QTEST_MAIN(TestFileDialog)
#include "testfiledialog.moc"
