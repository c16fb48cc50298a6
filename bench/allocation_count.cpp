#include "allocation_count.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> Allocations{0};
} // namespace

long AllocationsSoFar() { return Allocations.load(std::memory_order_relaxed); }

void *operator new(std::size_t size) {
  Allocations.fetch_add(1, std::memory_order_relaxed);
  if (void *block = std::malloc(size ? size : 1))
    return block;
  throw std::bad_alloc();
}
void operator delete(void *block) noexcept { std::free(block); }
void operator delete(void *block, std::size_t) noexcept { std::free(block); }
