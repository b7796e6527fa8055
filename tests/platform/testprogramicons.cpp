#include "platform/desktop/programicons.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// Which icon an entry gets, in a theme and application folders of the test's own.
class TestProgramIcons : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &relative) const { return m_dir.filePath(relative); }
    void write(const QString &relative, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path(relative)).path());
        QFile file(path(relative));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void program(const QString &relative)
    {
        write(relative, "#!/bin/sh\n");
        QFile::setPermissions(path(relative), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    void themeIcon(const QString &name, QColor colour)
    {
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(colour);
        QDir().mkpath(path("system/icons/test/16x16/apps"));
        QVERIFY(image.save(path("system/icons/test/16x16/apps/" + name + ".png")));
    }
    void desktopEntry(const QString &folder, const QString &exec, const QString &icon)
    {
        write(folder + "/applications/" + icon + ".desktop",
              "[Desktop Entry]\nType=Application\nName=x\nExec=" + exec.toUtf8() +
                  " %U\nIcon=" + icon.toUtf8() + "\n");
    }
    static QColor colourOf(const QIcon &icon) { return icon.pixmap(16).toImage().pixelColor(8, 8); }

private slots:
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(path("home")));
        // The system's own folder stays, for the types of files it describes.
        qputenv("XDG_DATA_DIRS", QFile::encodeName(path("system") + ":/usr/share"));
        write("system/icons/test/index.theme", "[Icon Theme]\nName=test\nDirectories=16x16/apps\n\n"
                                               "[16x16/apps]\nSize=16\nType=Fixed\n");
        QIcon::setThemeSearchPaths({path("system/icons")});
        QIcon::setThemeName(QStringLiteral("test"));
        themeIcon("system-entry", Qt::red);
        themeIcon("user-entry", Qt::magenta);
        themeIcon("named", Qt::green);
        themeIcon("application-x-executable", Qt::blue);
        themeIcon("text-plain", Qt::yellow);
        themeIcon("folder", Qt::cyan);
        for (const char *name : {"bin/tool", "bin/named", "bin/other", "bin/broken"})
            program(QString::fromLatin1(name));
        desktopEntry("system", path("bin/tool"), "system-entry");
        desktopEntry("home", path("bin/tool"), "user-entry"); // the user's own wins
        desktopEntry("system", path("bin/named"), "absent");
        write("system/icons/test/16x16/apps/broken-picture.png", "not a picture");
        desktopEntry("system", path("bin/broken"), "broken-picture");
        write("notes.txt", "text");
    }

    void looksUpInOrder_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("the user's desktop entry before the system's")
            << path("bin/tool") + " --flag" << QColor(Qt::magenta);
        QTest::newRow("an entry's icon missing: the theme's icon of that name")
            << path("bin/named") << QColor(Qt::green);
        QTest::newRow("no entry, no icon of that name: generic")
            << path("bin/other") << QColor(Qt::blue);
        QTest::newRow("a malformed picture: generic") << path("bin/broken") << QColor(Qt::blue);
        QTest::newRow("a document: its type's icon") << "notes.txt" << QColor(Qt::yellow);
        QTest::newRow("a folder") << path("bin") << QColor(Qt::cyan);
        QTest::newRow("nothing there: generic") << "no such program" << QColor(Qt::blue);
    }

    void looksUpInOrder()
    {
        QFETCH(QString, program);
        QFETCH(QColor, colour);
        platform::ProgramIcons icons;
        QSignalSpy changed(&icons, &platform::ProgramIcons::iconsChanged);
        QVERIFY(icons.icon(program, m_dir.path()).isNull()); // not before it is looked up
        icons.start();
        QTRY_VERIFY(!icons.icon(program, m_dir.path()).isNull());
        QVERIFY(!changed.isEmpty());
        QCOMPARE(colourOf(icons.icon(program, m_dir.path())), colour);
    }
};

QTEST_MAIN(TestProgramIcons)
#include "testprogramicons.moc"
