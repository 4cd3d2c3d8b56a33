// The benchmarks' malloc, calloc and realloc: counted, then handed to the C library's own.
#include "alloc_count.h"

#include <dlfcn.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

std::atomic<long> g_allocations{0};
std::atomic<long> g_driverAllocations{0};
thread_local bool t_inCount = false;
std::atomic<bool> g_tellDriver{true};

bool LibraryOfDriver(void* caller) {
  Dl_info info;
  if (!dladdr(caller, &info) || !info.dli_fname) return false;
  const char* f = info.dli_fname;
  return strstr(f, "dri") || strstr(f, "gallium") || strstr(f, "libGL") || strstr(f, "libEGL") ||
         strstr(f, "LLVM") || strstr(f, "glapi");
}

// dladdr takes tens of microseconds, and a frame's allocations come from a few hundred places:
// each caller's answer is kept (open addressing; the low bit of a slot holds the answer).
const size_t kCallers = 8192;
std::atomic<uintptr_t> g_callers[kCallers];

bool FromDriver(void* caller) {
  uintptr_t key = (uintptr_t)caller & ~(uintptr_t)1;
  size_t i = (key >> 4) % kCallers;
  for (size_t probe = 0; probe < kCallers; ++probe, i = (i + 1) % kCallers) {
    uintptr_t slot = g_callers[i].load(std::memory_order_acquire);
    if (slot == 0) {
      bool driver = LibraryOfDriver(caller);
      uintptr_t expected = 0;
      g_callers[i].compare_exchange_strong(expected, key | (driver ? 1 : 0), std::memory_order_acq_rel);
      return driver;
    }
    if ((slot & ~(uintptr_t)1) == key) return slot & 1;
  }
  return LibraryOfDriver(caller);
}

void Count(void* caller) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  // dladdr may allocate itself.
  if (t_inCount || !g_tellDriver.load(std::memory_order_relaxed)) return;
  t_inCount = true;
  if (FromDriver(caller)) g_driverAllocations.fetch_add(1, std::memory_order_relaxed);
  t_inCount = false;
}

} // namespace

void TellDriverAllocations(bool on) { g_tellDriver.store(on, std::memory_order_relaxed); }
long AllocationsSoFar() { return g_allocations.load(std::memory_order_relaxed); }
long DriverAllocationsSoFar() { return g_driverAllocations.load(std::memory_order_relaxed); }

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
bool AllocationsCounted() { return true; }
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* malloc(size_t n) {
  Count(__builtin_return_address(0));
  return __libc_malloc(n);
}
void* calloc(size_t n, size_t m) {
  Count(__builtin_return_address(0));
  return __libc_calloc(n, m);
}
void* realloc(void* p, size_t n) {
  Count(__builtin_return_address(0));
  return __libc_realloc(p, n);
}
}
#else
bool AllocationsCounted() { return false; }
#endif
