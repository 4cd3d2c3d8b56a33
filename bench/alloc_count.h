// Heap allocation counting for the benchmarks: every malloc family call and operator new of the
// program, with those the GL driver makes told apart by the library that called: the driver's own,
// or, for one the C or C++ library or another library made (strdup, a string's growth, a
// decompressor), whoever called into them. Not counted in a sanitizer build, whose allocator cannot
// be wrapped.
#pragma once

#include <algorithm>
#include <vector>

#include <time.h>

// False in a sanitizer build: the counts then stay 0.
bool AllocationsCounted();
// Telling the driver's allocations apart looks up the caller's library (and, for a library's, the
// stack), which costs microseconds: off, every allocation counts as the program's own and costs next
// to nothing. On by default.
void TellDriverAllocations(bool on);
long AllocationsSoFar();       // every allocation, the driver's included
long DriverAllocationsSoFar(); // those Mesa's libraries made

// The allocations between two points of the program: the game's and the engine's own, and the GL
// driver's, kept apart.
struct AllocationMark {
  long all = AllocationsSoFar(), driver = DriverAllocationsSoFar();
  long Driver() const { return DriverAllocationsSoFar() - driver; }
  long Own() const { return AllocationsSoFar() - all - Driver(); }
};

inline double ThreadCpuMs() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

inline double WallMs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The value at fraction p (0..1) of the sorted values; 0 for none.
template <class T> double Percentile(std::vector<T> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return (double)v[(size_t)(p * (double)(v.size() - 1) + 0.5)];
}
