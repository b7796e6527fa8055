#pragma once

#include <QtGlobal>
#include <ctime>

// The CPU time of the calling thread: what a step costs, whatever else the machine is doing.
inline qint64 threadNanoseconds()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

inline double threadMilliseconds()
{
    return double(threadNanoseconds()) / 1e6;
}
