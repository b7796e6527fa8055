// A long run in one process, as a launcher that stays up all day goes through it: popups of the
// menu, edits with their saves, outside edits of launch.cfg taken in, openings of the search
// window. Prints RSS, open file descriptors and idle wake-ups (timers left running) before and
// after, as JSON.
// Usage: longrun FOLDER [POPUPS EDITS OUTSIDE_EDITS SEARCHES]
#include "platform/platform.h"
#include "platform/system/codec.h"
#include "platform/system/files.h"
#include "platform/system/memory.h"
#include "shell/searchwindow.h"
#include "shell/trayapplication.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <cstdio>

namespace {

struct CountedMessages : platform::MessageBoxes
{
    int shown = 0;
    void show(const QString &, const QString &) override { ++shown; }
};

struct NoProcesses : platform::Processes
{
    bool setCurrentFolder(const QString &) override { return true; }
    bool startProgram(const QString &) override { return true; }
};

void settle(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

double rssMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

qsizetype openDescriptors()
{
    return QDir(QStringLiteral("/proc/self/fd"))
        .entryList(QDir::NoDotAndDotDot | QDir::System)
        .size();
}

// Context switches of all the process's threads: a timer left running wakes it up.
qint64 contextSwitches()
{
    qint64 total = 0;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile status(tasks.filePath(task + QStringLiteral("/status")));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("voluntary_ctxt_switches") ||
                line.startsWith("nonvoluntary_ctxt_switches"))
                total += line.split(':').last().trimmed().toLongLong();
        }
    }
    return total;
}

// Wake-ups while the program idles for two seconds, as between a user's uses of it.
qint64 idleWakeups()
{
    const qint64 before = contextSwitches();
    settle(2000);
    return contextSwitches() - before;
}

QByteArray outsideEdit(int n)
{
    QString text = QStringLiteral("\"Format Ver.1.0\"\r\n");
    for (int c = 1; c <= 7; ++c)
        text += QStringLiteral("\"項目%1\"\r\n").arg(c);
    text += QStringLiteral("0,\"外から %1\",\"/bin/true\",\"\"\r\n").arg(n);
    return *platform::encodeCp932(text);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::shareOneHeap();
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: longrun FOLDER [POPUPS EDITS OUTSIDE_EDITS SEARCHES]\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const auto count = [&](int i, int otherwise) {
        return argc > i ? std::atoi(argv[i]) : otherwise;
    };
    const int popups = count(2, 10000), edits = count(3, 1000), outside = count(4, 1000),
              searches = count(5, 1000);

    CountedMessages messages;
    NoProcesses processes;
    platform::QtFileDialog fileDialog;
    platform::SystemRegistry registry;
    platform::SystemAutostart autostart({folder.filePath(QStringLiteral("quorvel")),
                                         QStringLiteral("org.quorvel.LongRun"),
                                         QStringLiteral("Quorvel")});
    platform::Platform platform{messages, processes, fileDialog, registry, autostart};
    TrayApplication launcher(folder.filePath(QStringLiteral("quorvel")), platform);
    if (launcher.Form_Load() != TrayApplication::StartResult::Running)
        return 1;
    // Once a first popup, a first search and the first outside edit have made what is made once.
    settle(1500);
    launcher.popup().mnuPoP()->popup({100, 100});
    settle(50);
    launcher.popup().mnuPoP()->hide();
    launcher.openSearch();
    settle(300);
    launcher.searchWindow().hide();
    settle(500);
    platform::returnFreedMemory();
    const double rssBefore = rssMegabytes();
    const qsizetype fdsBefore = openDescriptors();
    const qint64 wakeupsBefore = idleWakeups();

    QElapsedTimer clock;
    clock.start();
    QMenu *menu = launcher.popup().mnuPoP();
    for (int i = 0; i < popups; ++i) {
        menu->popup({100 + i % 50, 100});
        QApplication::processEvents();
        menu->hide();
        QApplication::processEvents();
    }
    for (int i = 0; i < edits; ++i) {
        if (i % 2 == 0)
            launcher.editor().addEntry(
                0, {QStringLiteral("編集 %1").arg(i), QStringLiteral("/bin/true"), {}});
        else
            launcher.editor().deleteEntry(0, launcher.catalogue().EntryCount(0) - 1);
        QApplication::processEvents();
    }
    const QString file = folder.filePath(QStringLiteral("launch.cfg"));
    for (int i = 0; i < outside; ++i) {
        bool takenIn = false;
        const QMetaObject::Connection taken = QObject::connect(
            &launcher.catalogue(), &Catalogue::replaced, [&takenIn] { takenIn = true; });
        if (!platform::replaceFile(file, outsideEdit(i)))
            return 1;
        QElapsedTimer wait;
        wait.start();
        while (!takenIn && wait.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        QObject::disconnect(taken);
        if (!takenIn)
            return 1;
    }
    for (int i = 0; i < searches; ++i) {
        launcher.openSearch();
        QApplication::processEvents();
        launcher.searchWindow().hide();
        QApplication::processEvents();
    }
    const double seconds = double(clock.elapsed()) / 1000;
    settle(1500);
    platform::returnFreedMemory();
    const qint64 wakeupsAfter = idleWakeups();
    std::printf("{\"popups\": %d, \"edits\": %d, \"outside\": %d, \"searches\": %d, "
                "\"seconds\": %.1f, \"rss_before\": %.2f, \"rss_after\": %.2f, "
                "\"fds_before\": %lld, \"fds_after\": %lld, \"wakeups_before\": %lld, "
                "\"wakeups_after\": %lld, \"messages\": %d}\n",
                popups, edits, outside, searches, seconds, rssBefore, rssMegabytes(),
                static_cast<long long>(fdsBefore), static_cast<long long>(openDescriptors()),
                static_cast<long long>(wakeupsBefore), static_cast<long long>(wakeupsAfter),
                messages.shown);
    return 0;
}
