#include "platform/system/memory.h"

#include <cstdlib> // says whether the C library is glibc
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace platform {

void shareOneHeap()
{
#ifdef __GLIBC__
    mallopt(M_ARENA_MAX, 1);
#endif
}

void returnFreedMemory()
{
#ifdef __GLIBC__
    // Every arena, the ended threads' too.
    malloc_trim(0);
#endif
}

} // namespace platform
