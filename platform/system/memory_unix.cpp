#include "platform/system/memory.h"

#include <cstdlib> // says whether the C library is glibc
#ifdef __GLIBC__
#include <malloc.h>
#endif
#ifdef __linux__
#include <QByteArray>
#include <QFile>
#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>
#endif

namespace platform {

namespace {

#ifdef __linux__
// The main thread's stack mapping, found by its name and by holding the given address.
std::pair<std::uintptr_t, std::uintptr_t> mainStackHolding(std::uintptr_t address)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray &line : maps.readAll().split('\n')) {
        if (!line.endsWith("[stack]"))
            continue;
        const qsizetype dash = line.indexOf('-');
        const qsizetype space = line.indexOf(' ');
        bool startRead = false;
        bool endRead = false;
        const auto start = line.left(dash).toULongLong(&startRead, 16);
        const auto end = line.mid(dash + 1, space - dash - 1).toULongLong(&endRead, 16);
        if (startRead && endRead && start <= address && address < end)
            return {start, end};
    }
    return {};
}

// Calls made once, deep (the font configuration's first scan goes over 100 kB down), would
// otherwise leave the stack's pages below them dirty for as long as the program runs.
void returnUnusedStack()
{
    if (gettid() != getpid())
        return; // only the main thread's stack is the mapping named so
    const auto here = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    const auto [start, end] = mainStackHolding(here);
    // Room for what the event loop calls next, so that it does not fault pages straight back.
    constexpr std::uintptr_t kept = 16 * 1024;
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    if (end == 0 || here - start <= kept + page)
        return;
    const std::uintptr_t below = (here - kept) & ~(page - 1);
    madvise(reinterpret_cast<void *>(start), below - start, MADV_DONTNEED);
}
#endif

} // namespace

void shareOneHeap()
{
#ifdef __GLIBC__
    mallopt(M_ARENA_MAX, 1);
#endif
}

void returnFreedMemory()
{
#ifdef __linux__
    returnUnusedStack();
#endif
#ifdef __GLIBC__
    // Every arena, the ended threads' too.
    malloc_trim(0);
#endif
}

} // namespace platform
