#include "heap_meter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace zembrati::bench {
namespace {

std::atomic<std::size_t> inUse{0};
std::atomic<std::size_t> peak{0};

void* Allocate(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (!block) throw std::bad_alloc();
  const std::size_t now = inUse += malloc_usable_size(block);
  std::size_t highest = peak.load();
  while (now > highest && !peak.compare_exchange_weak(highest, now)) {
  }
  return block;
}

void Free(void* block) noexcept {
  if (!block) return;
  inUse -= malloc_usable_size(block);
  std::free(block);
}

}  // namespace

std::size_t HeapInUse() { return inUse.load(); }

void ResetHeapPeak() { peak = inUse.load(); }

std::size_t HeapPeak() { return peak.load(); }

}  // namespace zembrati::bench

// Every allocation of the program goes through these; aligned forms are not used by the code
// measured and keep the library's own.
void* operator new(std::size_t size) { return zembrati::bench::Allocate(size); }
void* operator new[](std::size_t size) { return zembrati::bench::Allocate(size); }
void operator delete(void* block) noexcept { zembrati::bench::Free(block); }
void operator delete[](void* block) noexcept { zembrati::bench::Free(block); }
void operator delete(void* block, std::size_t) noexcept { zembrati::bench::Free(block); }
void operator delete[](void* block, std::size_t) noexcept { zembrati::bench::Free(block); }
