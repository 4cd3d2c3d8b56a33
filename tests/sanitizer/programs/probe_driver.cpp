// A module shaped like a GL driver for the sanitizer tests: it loses a block the way a driver
// loses one during eglInitialize.
#include <cstdlib>

namespace {
void* volatile g_sink;
}

extern "C" __attribute__((visibility("default"), noinline)) void ProbeDriverAllocation() {
  g_sink = malloc(96);
  g_sink = nullptr;
}
