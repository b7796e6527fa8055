// Load and save of a catalogue file in-process, against the physical floor: reading the file
// and one conversion of it; one conversion and writing the file. Prints medians of the CPU time
// each takes, in ms, as JSON.
#include "catalogue/cataloguefile.h"
#include "platform/system/codec.h"
#include "threadtime.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double medianMs(int rounds, const std::function<void()> &work)
{
    std::vector<qint64> times;
    for (int i = 0; i < rounds; ++i) {
        const qint64 start = threadNanoseconds();
        work();
        times.push_back(threadNanoseconds() - start);
    }
    std::sort(times.begin(), times.end());
    return double(times[times.size() / 2]) / 1e6;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: catalogueio CATALOGUE_FOLDER ROUNDS\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int rounds = std::atoi(argv[2]);
    CatalogueFile file(folder);
    // In memory where the system has such a folder: the floor is the conversion and the copy
    // into the page cache, not the disk's moods.
    const QString scratch =
        (QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : folder) +
        QStringLiteral("/quorvel-bench-scratch.cfg");
    Catalogue loaded;
    if (file.LoadCatalogue(loaded) != LoadResult::Read)
        return 1;
    const QString text = *platform::decodeCp932(readAll(file.path()));

    const double floorLoad = medianMs(rounds, [&] { platform::decodeCp932(readAll(file.path())); });
    const double load = medianMs(rounds, [&] {
        Catalogue catalogue;
        file.LoadCatalogue(catalogue);
    });
    const double floorSave =
        medianMs(rounds, [&] { writeAll(scratch, *platform::encodeCp932(text)); });
    const double save = medianMs(rounds, [&] { writeAll(scratch, *serializeCatalogue(loaded)); });
    QFile::remove(scratch);
    std::printf("{\"floor_load\": %.4f, \"load\": %.4f, \"floor_save\": %.4f, \"save\": %.4f, "
                "\"bytes\": %lld}\n",
                floorLoad, load, floorSave, save, QFileInfo(file.path()).size());
    return 0;
}
