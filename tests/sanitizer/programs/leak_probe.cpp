// Leaks on purpose for the sanitizer tests: one block lost in a module shaped like a GL driver,
// which it loads and closes again as EGL does with its driver, and one block of its own.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace {

void* volatile g_sink;

__attribute__((noinline)) void LeakOnPurpose() {
  g_sink = malloc(48);
  g_sink = nullptr;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: leak_probe DRIVER_MODULE\n");
    return 2;
  }
  void* module = dlopen(argv[1], RTLD_NOW);
  void (*allocate)() = module ? (void (*)())dlsym(module, "ProbeDriverAllocation") : nullptr;
  if (!allocate) {
    fprintf(stderr, "leak_probe: %s\n", dlerror());
    return 2;
  }
  allocate();
  dlclose(module);
  LeakOnPurpose();
  return 0;
}
