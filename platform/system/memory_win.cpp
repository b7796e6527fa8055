#include "platform/system/memory.h"

#include <malloc.h>

namespace platform {

void shareOneHeap()
{
    // Windows' process heap is one already.
}

void returnFreedMemory()
{
    _heapmin();
}

} // namespace platform
