// Keystroke to updated list in the search window, with the catalogue of the folder given
// (792 entries in the benchmark, with the readings of their kanji) and the installed applications
// of the applications folders given (300 in the benchmark, with three actions each): the CPU time
// of each keystroke of a few typical queries, filtering, the list's reset and its repaint included.
// Prints the median and the slowest, in ms, as JSON.
#include "catalogue/catalogue.h"
#include "catalogue/cataloguefile.h"
#include "catalogue/usehistory.h"
#include "platform/desktop/installedapplications.h"
#include "platform/desktop/programicons.h"
#include "shell/namereader.h"
#include "shell/searchwindow.h"
#include "threadtime.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: searchkeys CATALOGUE_FOLDER ROUNDS APPLICATIONS_FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int rounds = std::atoi(argv[2]);
    CatalogueFile file(folder);
    Catalogue catalogue;
    if (file.LoadCatalogue(catalogue) != LoadResult::Read)
        return 1;
    platform::ProgramIcons icons;
    UseHistory uses(folder + QStringLiteral("/no-such-folder"));
    NameReader readings(catalogue, folder + QStringLiteral("/readings"));
    platform::InstalledApplications applications({QString::fromLocal8Bit(argv[3])}, {});
    SearchWindow window(catalogue, readings, applications, icons, uses, QIcon());
    // Timed with the applications read and the names' readings in place, as after the first
    // seconds of a run.
    applications.load();
    while (!applications.loaded())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QStringList names;
    long long actions = 0;
    for (const platform::Application &application : applications.applications()) {
        names << application.entry.name << application.entry.genericName;
        for (const platform::DesktopAction &action : application.entry.actions)
            names << action.name;
        actions += application.entry.actions.size();
    }
    readings.setOtherNames(names);
    // The benchmark's names hold kanji: their readings always arrive.
    QEventLoop readingsArrived;
    QObject::connect(&readings, &NameReader::readingsChanged, &readingsArrived, &QEventLoop::quit);
    readings.start();
    readingsArrived.exec();
    QApplication::processEvents();
    window.open();
    auto *field = window.findChild<QLineEdit *>();

    // Letters that narrow, a romaji reading that matches no name's letters, kana, readings of
    // kanji, the readings of the actions' names, backspaces that widen again.
    const QStringList queries{QStringLiteral("tekisuto"),  QStringLiteral("てきすと"),
                              QStringLiteral("ﾃｷｽﾄ 3-4"),  QStringLiteral("gedit"),
                              QStringLiteral("dentaku"),   QStringLiteral("がぞう"),
                              QStringLiteral("atarashii"), QStringLiteral("zzzz")};
    std::vector<qint64> times, filtering;
    const auto keystroke = [&](int key, const QString &text) {
        const qint64 start = threadNanoseconds();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(field, &press);
        filtering.push_back(threadNanoseconds() - start);
        QApplication::processEvents();
        times.push_back(threadNanoseconds() - start);
    };
    for (int round = 0; round < rounds; ++round) {
        for (const QString &query : queries) {
            for (const QChar c : query)
                keystroke(0, c);
            for (qsizetype i = 0; i < query.size(); ++i)
                keystroke(Qt::Key_Backspace, QString());
        }
    }
    std::sort(times.begin(), times.end());
    std::sort(filtering.begin(), filtering.end());
    std::printf("{\"median\": %.4f, \"slowest\": %.4f, \"filtering\": %.4f, "
                "\"keystrokes\": %zu, \"applications\": %lld, \"actions\": %lld}\n",
                double(times[times.size() / 2]) / 1e6, double(times.back()) / 1e6,
                double(filtering[filtering.size() / 2]) / 1e6, times.size(),
                static_cast<long long>(applications.applications().size()), actions);
    return 0;
}
