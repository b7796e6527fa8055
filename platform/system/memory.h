#pragma once

namespace platform {

// Threads allocate from the main thread's heap rather than one of their own: a thread that ran
// once (reading names) then leaves nothing behind that returnFreedMemory cannot give back. Call
// before the first thread starts.
void shareOneHeap();

// Gives the system back the free memory the heap still holds, such as what a thread that has
// ended used, and the main thread's stack below where it now stands: a program that runs all
// day should be no larger for what it did once.
void returnFreedMemory();

} // namespace platform
