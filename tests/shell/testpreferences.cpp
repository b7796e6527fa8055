#include "shell/preferences.h"

#include <QFile>
#include <QKeySequence>
#include <QTemporaryDir>
#include <QTest>

class TestPreferences : public QObject
{
    Q_OBJECT

private slots:
    // The settings file keeps every line it does not own; one it cannot read whole is left as
    // it is, and the choice is reported as not kept.
    void theSettingsFileKeepsWhatItDoesNotKnow()
    {
        const QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("quorvel.conf"));
        const auto write = [&](const QByteArray &bytes) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        };
        const auto read = [&] {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        Preferences preferences(folder.path());
        write("# mine\ntheme=dark\nhotkey=Ctrl+Alt+K\n\nhotkey=Meta+Q\nlast");
        QVERIFY(preferences.setHotkey(QKeySequence(QStringLiteral("Ctrl+Alt+J"))));
        QCOMPARE(read(), QByteArray("# mine\ntheme=dark\nhotkey=Ctrl+Alt+J\n\nlast\n"));
        write("theme=dark\n");
        QVERIFY(preferences.setHotkey(QKeySequence()));
        QCOMPARE(read(), QByteArray("theme=dark\nhotkey=\n"));
        QCOMPARE(preferences.hotkey(), QKeySequence());

        const QByteArray huge = "theme=dark\n" + QByteArray(100'000, 'x');
        write(huge);
        QVERIFY(!preferences.setHotkey(QKeySequence(QStringLiteral("Ctrl+Alt+J"))));
        QCOMPARE(read(), huge);
    }
};

QTEST_MAIN(TestPreferences)
#include "testpreferences.moc"
