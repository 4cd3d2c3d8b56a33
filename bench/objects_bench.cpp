// Steps a full object table (699 level objects and the hero) through many updates and reports the
// time of one ProcessAllRects and the heap allocations made per frame once the level runs.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "level_data.h"
#include "particles.h"
#include "smoke.h"
#include "touch_controls.h"

// --- allocation counting: every operator new, and (outside sanitizer builds, which own malloc)
// every malloc family call ---
namespace {
std::atomic<long> g_newCalls{0};
std::atomic<long> g_mallocCalls{0};
} // namespace

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#define COUNT_MALLOC 1
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* malloc(size_t n) {
  g_mallocCalls.fetch_add(1, std::memory_order_relaxed);
  return __libc_malloc(n);
}
void* calloc(size_t n, size_t m) {
  g_mallocCalls.fetch_add(1, std::memory_order_relaxed);
  return __libc_calloc(n, m);
}
void* realloc(void* p, size_t n) {
  g_mallocCalls.fetch_add(1, std::memory_order_relaxed);
  return __libc_realloc(p, n);
}
}
#endif

void* operator new(size_t n) {
  g_newCalls.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](size_t n) { return operator new(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }

namespace {

long Allocations() {
  // operator new goes through malloc; count each allocation once.
#ifdef COUNT_MALLOC
  return g_mallocCalls.load();
#else
  return g_newCalls.load();
#endif
}

gameRect& Place(int type, float x, float y, float w, float h) {
  gameRect& r = GameRects[AddGameRect(0, 0, type, true)];
  r.x = r.startX = r.pathX = x;
  r.y = r.startY = r.pathY = y;
  r.width = w;
  r.height = h;
  r.UpdateCoordinates();
  return r;
}

// A long running course: a floor of blocks, moving platforms on legs, circling and swinging
// platforms, objects bound to them, falling objects that collide, and scenery; 699 in all.
void BuildLevel() {
  ClearGameRects();
  rectID = 1;
  const float floorY = 5300;
  int n = 0;
  for (int i = 0; i < 200; ++i, ++n)
    Place(59, 4000 + 100.0f * i, floorY, 100, 40);
  for (int i = 0; i < 150; ++i, ++n) {
    gameRect& p = Place(1, 4200 + 130.0f * i, floorY - 120 - (i % 3) * 40, 100, 20);
    if (i % 2) {
      p.move.moveXTime = 1.5f;
      p.move.moveXSpeed = 60;
      p.move.moveXOrientation = 1;
      p.move.moveXPause = 0.3f;
    } else {
      p.move.moveYTime = 1.0f;
      p.move.moveYSpeed = 40;
      p.move.moveYOrientation = -1;
      p.move.moveYRespawn = i % 4 == 0;
    }
  }
  for (int i = 0; i < 80; ++i, ++n) {
    gameRect& c = Place(1, 4300 + 240.0f * i, floorY - 260, 80, 20);
    c.move.circlingSpeed = 10 + i % 7;
    c.move.circlingRadius = 40;
    c.move.circlingPhase = 0.1f * i;
    c.move.pendulum = i % 2;
    c.move.pendulumAmplitude = 0.8f;
  }
  for (int i = 0; i < 60; ++i, ++n) {
    gameRect& b = Place(5, 0, 0, 20, 20);
    b.noCollision = 1;
    b.bindSlot = 201 + i; // a moving platform
    b.bindOffsetX = 20;
    b.bindOffsetY = -20;
  }
  for (int i = 0; i < 60; ++i, ++n) {
    gameRect& f = Place(59, 4150 + 320.0f * i, floorY - 300, 20, 20);
    f.frozen = 0;
    f.gravity = 800;
    f.collides = 1;
  }
  while (n < GAME_RECTS - 1) {
    Place(43, 4000 + 37.0f * n, floorY - 500 - (n % 5) * 30, 60, 60);
    ++n;
  }
  g_levelCurrentData.levelBottom = (int)floorY + 40;
  g_levelCurrentData.levelTop = (int)floorY - 600;
  GameRects[0].Init(0, 4100, (int)floorY - 23, HERO_TYPE, false);
}

struct Options {
  int updates = 10000;
  bool requireNoAllocations = false;
};

bool Parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--updates" && i + 1 < argc)
      o.updates = std::max(1, atoi(argv[++i]));
    else if (a == "--require-no-allocations")
      o.requireNoAllocations = true;
    else {
      fprintf(stderr, "usage: objects_bench [--updates N] [--require-no-allocations]\n");
      return false;
    }
  }
  return true;
}

} // namespace

int main(int argc, char** argv) {
  Options opt;
  if (!Parse(argc, argv, opt)) return 2;
  g_currentMode = 9;
  g_characterID = 0;
  srand(1);
  BuildLevel();
  gameRect& hero = GameRects[0];
  int active = 0;
  for (const gameRect& r : GameRects)
    active += r.active;

  std::vector<double> micros;
  micros.reserve((size_t)opt.updates);
  // The first frames settle the hero (start wait and landing) and touch every code path once.
  for (int i = 0; i < 60; ++i)
    ProcessAllRects(0.016f);
  long allocationsBefore = Allocations();
  for (int i = 0; i < opt.updates; ++i) {
    // Run right and jump now and then; back to the start before the course ends.
    hero.steerable = 1;
    hero.inputSpeed = 300;
    if (i % 90 == 0) hero.Jump();
    if (hero.x > 4000 + 100 * 190 || !hero.active || hero.dead) {
      hero.Init(0, 4100, 5277, HERO_TYPE, false);
      hero.spawnTime = 0.5f;
    }
    auto t0 = std::chrono::steady_clock::now();
    ProcessAllRects(0.016f);
    auto t1 = std::chrono::steady_clock::now();
    micros.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
  }
  long allocations = Allocations() - allocationsBefore;

  std::vector<double> sorted = micros;
  std::sort(sorted.begin(), sorted.end());
  double sum = 0;
  for (double m : micros)
    sum += m;
  printf("objects: %d active (699 level objects and the hero), %d updates at 0.016 s\n", active, opt.updates);
  printf("ProcessAllRects: mean %.1f us, p50 %.1f us, p99 %.1f us, max %.1f us\n", sum / opt.updates,
         sorted[sorted.size() / 2], sorted[(size_t)(sorted.size() * 0.99)], sorted.back());
  printf("heap allocations: %ld in all, %.3f per frame\n", allocations, (double)allocations / opt.updates);
  printf("hero at x %.0f, %s\n", hero.x, hero.dead ? "dead" : "alive");
  if (opt.requireNoAllocations && allocations != 0) {
    fprintf(stderr, "objects_bench: %ld heap allocations while the level ran\n", allocations);
    return 1;
  }
  return 0;
}
