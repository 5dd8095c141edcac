#pragma once

#include <cstddef>

// The heap a benchmark's work holds and the most it held at once, counted by the program's own
// operator new and delete (heap_meter.cpp): glibc tells what is in use, not its peak.
namespace zembrati::bench {

// Bytes allocated through operator new and not yet freed.
std::size_t HeapInUse();
// Starts a new peak from what is in use now; the most in use since then.
void ResetHeapPeak();
std::size_t HeapPeak();

}  // namespace zembrati::bench
