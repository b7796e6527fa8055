// The readings of the names of the catalogue in the folder given (792 entries in the benchmark):
// CPU time to read them with a cold cache (the dictionary opened, every name read) and with a
// warm one (the cache alone), as JSON, in ms; the dictionary is read in a child process, whose
// CPU time counts too.
#include "catalogue/catalogue.h"
#include "catalogue/cataloguefile.h"
#include "catalogue/namereadings.h"
#include "catalogue/search.h"
#include "threadtime.h"

#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace {
// This thread's CPU time and that of the children that have ended.
double cpuMilliseconds()
{
    rusage children;
    getrusage(RUSAGE_CHILDREN, &children);
    const auto ms = [](timeval t) {
        return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
    };
    return threadMilliseconds() + ms(children.ru_utime) + ms(children.ru_stime);
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: readings CATALOGUE_FOLDER ROUNDS\n");
        return 2;
    }
    CatalogueFile file(QString::fromLocal8Bit(argv[1]));
    Catalogue catalogue;
    if (file.LoadCatalogue(catalogue) != LoadResult::Read)
        return 1;
    QStringList names;
    for (int c = 0; c < Catalogue::CategoryCount; ++c) {
        for (int k = 1; k <= catalogue.EntryCount(c); ++k) {
            const QString shown = search::withoutAccessKey(catalogue.entry(c, k).EntryName);
            if (readings::needsReading(shown))
                names << shown;
        }
    }
    const int rounds = std::atoi(argv[2]);
    double cold = 1e9, warm = 1e9;
    qsizetype read = 0;
    for (int round = 0; round < rounds; ++round) {
        const QTemporaryDir cache;
        const QString path = QDir(cache.path()).filePath(QStringLiteral("readings"));
        double start = cpuMilliseconds();
        read = readings::readNames(names, path).size();
        cold = std::min(cold, cpuMilliseconds() - start);
        start = cpuMilliseconds();
        readings::readNames(names, path);
        warm = std::min(warm, cpuMilliseconds() - start);
    }
    std::printf("{\"names\": %lld, \"read\": %lld, \"cold\": %.3f, \"warm\": %.3f}\n",
                static_cast<long long>(names.size()), static_cast<long long>(read), cold, warm);
    return 0;
}
