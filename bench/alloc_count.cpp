// The benchmarks' malloc, calloc and realloc: counted, then handed to the C library's own.
#include "alloc_count.h"

#include <dlfcn.h>

#include <atomic>
#include <cstddef>
#include <cstring>

namespace {

std::atomic<long> g_allocations{0};
std::atomic<long> g_driverAllocations{0};
thread_local bool t_inCount = false;

bool FromDriver(void* caller) {
  Dl_info info;
  if (!dladdr(caller, &info) || !info.dli_fname) return false;
  const char* f = info.dli_fname;
  return strstr(f, "dri") || strstr(f, "gallium") || strstr(f, "libGL") || strstr(f, "libEGL") ||
         strstr(f, "LLVM") || strstr(f, "glapi");
}

void Count(void* caller) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  // dladdr may allocate itself.
  if (t_inCount) return;
  t_inCount = true;
  if (FromDriver(caller)) g_driverAllocations.fetch_add(1, std::memory_order_relaxed);
  t_inCount = false;
}

} // namespace

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
