// The benchmarks' malloc, calloc, realloc and operator new: counted, then handed to the C
// library's own.
#include "alloc_count.h"

#include <dlfcn.h>
#include <execinfo.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

std::atomic<long> g_allocations{0};
std::atomic<long> g_driverAllocations{0};
thread_local bool t_inCount = false;
std::atomic<bool> g_tellDriver{true};

// Whose a caller is: the program's, the GL driver's, or another library's (the C and C++ libraries'
// strdup or a string's growth, a decompressor the driver uses, an image decoder the game uses),
// which allocate for whoever called them.
enum Whose : uintptr_t { kProgram = 0, kDriver = 1, kLibrary = 2 };

Whose LibraryOf(void* caller) {
  static Dl_info program;
  static const bool known = dladdr((void*)&LibraryOf, &program) != 0;
  Dl_info info;
  if (!dladdr(caller, &info) || !info.dli_fname) return kProgram;
  if (known && info.dli_fbase == program.dli_fbase) return kProgram;
  const char* f = info.dli_fname;
  if (strstr(f, "dri") || strstr(f, "gallium") || strstr(f, "libGL") || strstr(f, "libEGL") ||
      strstr(f, "LLVM") || strstr(f, "glapi"))
    return kDriver;
  return kLibrary;
}

// dladdr takes tens of microseconds, and a frame's allocations come from a few hundred places:
// each caller's answer is kept (open addressing; the low two bits of a slot hold the answer; calls
// are longer than that, so no two return addresses share a slot's key).
const size_t kCallers = 8192;
std::atomic<uintptr_t> g_callers[kCallers];

Whose WhoseCaller(void* caller) {
  uintptr_t key = (uintptr_t)caller & ~(uintptr_t)3;
  size_t i = (key >> 4) % kCallers;
  for (size_t probe = 0; probe < kCallers; ++probe, i = (i + 1) % kCallers) {
    uintptr_t slot = g_callers[i].load(std::memory_order_acquire);
    if (slot == 0) {
      const Whose whose = LibraryOf(caller);
      uintptr_t expected = 0;
      g_callers[i].compare_exchange_strong(expected, key | whose, std::memory_order_acq_rel);
      return whose;
    }
    if ((slot & ~(uintptr_t)3) == key) return (Whose)(slot & 3);
  }
  return LibraryOf(caller);
}

// For an allocation another library made: whoever called into the libraries, found on the stack.
bool DriverBelowLibrary() {
  void* frames[24];
  const int n = backtrace(frames, 24);
  bool inLibrary = false;
  for (int k = 0; k < n; ++k) {
    const Whose whose = WhoseCaller(frames[k]);
    if (whose == kLibrary)
      inLibrary = true;
    else if (inLibrary)
      return whose == kDriver;
  }
  return false;
}

void Count(void* caller) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  // dladdr and backtrace may allocate themselves.
  if (t_inCount || !g_tellDriver.load(std::memory_order_relaxed)) return;
  t_inCount = true;
  const Whose whose = WhoseCaller(caller);
  if (whose == kDriver || (whose == kLibrary && DriverBelowLibrary()))
    g_driverAllocations.fetch_add(1, std::memory_order_relaxed);
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

// Through the library's operator new, malloc's caller would always be the C++ library: the driver's
// compiler (written in C++) would pass for the program. Told apart by operator new's own caller.
namespace {
void* New(size_t n, void* caller) {
  Count(caller);
  if (void* p = __libc_malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
} // namespace
void* operator new(size_t n) { return New(n, __builtin_return_address(0)); }
void* operator new[](size_t n) { return New(n, __builtin_return_address(0)); }
void* operator new(size_t n, const std::nothrow_t&) noexcept {
  Count(__builtin_return_address(0));
  return __libc_malloc(n ? n : 1);
}
void* operator new[](size_t n, const std::nothrow_t&) noexcept {
  Count(__builtin_return_address(0));
  return __libc_malloc(n ? n : 1);
}
void operator delete(void* p) noexcept { free(p); }
void operator delete[](void* p) noexcept { free(p); }
void operator delete(void* p, size_t) noexcept { free(p); }
void operator delete[](void* p, size_t) noexcept { free(p); }
#else
bool AllocationsCounted() { return false; }
#endif
