// Reading the installed applications of the applications folder given (300 desktop entries in
// the benchmark), as the reading thread does: the CPU time of the fastest of a few rounds, in ms,
// as JSON.
#include "platform/desktop/applications.h"
#include "threadtime.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: applications APPLICATIONS_FOLDER ROUNDS\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList folders{QString::fromLocal8Bit(argv[1])};
    const int rounds = std::atoi(argv[2]);
    double fastest = 1e9;
    qsizetype found = 0;
    for (int round = 0; round < rounds; ++round) {
        const double start = threadMilliseconds();
        found = platform::findApplications(folders, {QStringLiteral("XFCE")}).applications.size();
        fastest = std::min(fastest, threadMilliseconds() - start);
    }
    std::printf("{\"applications\": %lld, \"cpu\": %.3f}\n", static_cast<long long>(found),
                fastest);
    return 0;
}
