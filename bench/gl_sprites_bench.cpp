// Draws frames of 2000 sprites from four texture atlases through the hardware bitmap and the
// batcher, headless on Mesa, and prints what the renderer controls: draw calls, GL state changes
// and the CPU time spent submitting a frame.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <standin/headless_gl.h>

#include "bitmap_hw.h"
#include "game_base.h"
#include "gl_renderer.h"
#include "test_application.h"

namespace {

const int kScreenW = 480, kScreenH = 320;
const int kAtlases = 4, kAtlasSize = 256, kCell = 32;
const int kSprites = 2000;

double ThreadCpuMs() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double WallMs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double Percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  return v[(size_t)(p * (double)(v.size() - 1) + 0.5)];
}

// An atlas of kCell-sized sprites: a coloured disc in each cell, transparent around it.
std::unique_ptr<CBitmapHW> MakeAtlas(CGameBase* game, int index) {
  auto atlas = std::make_unique<CBitmapHW>(game);
  if (!atlas->Create(kAtlasSize, kAtlasSize)) return nullptr;
  u16* px = (u16*)atlas->GetBits();
  u8* alpha = atlas->GetAlphaBits();
  for (int y = 0; y < kAtlasSize; ++y)
    for (int x = 0; x < kAtlasSize; ++x) {
      int cx = x % kCell - kCell / 2, cy = y % kCell - kCell / 2, cell = (y / kCell) * 8 + x / kCell;
      px[y * kAtlasSize + x] = (u16)((index * 0x3000 + cell * 0x0123) & 0xFFFF);
      alpha[y * kAtlasSize + x] = cx * cx + cy * cy < (kCell / 2) * (kCell / 2) ? 255 : 0;
    }
  return atlas->HWUpdateTexture() ? std::move(atlas) : nullptr;
}

struct Sprite {
  IDibBitmap* bitmap;
  int x, y, alpha;
  bool additive;
};

} // namespace

int main(int argc, char** argv) {
  int frames = 120;
  for (int i = 1; i + 1 < argc; ++i)
    if (strcmp(argv[i], "--frames") == 0) frames = std::max(1, atoi(argv[i + 1]));
  // llvmpipe's rasteriser threads: pinned so that runs compare; an explicit setting is kept.
  setenv("LP_NUM_THREADS", "2", 0);

  HeadlessGL gl;
  if (!gl.Open(kScreenW, kScreenH)) {
    fprintf(stderr, "gl_sprites_bench: no headless GL ES 1.1 context\n");
    return 1;
  }
  CTestApplication game;
  std::unique_ptr<CBitmapHW> screen(static_cast<CBitmapHW*>(OGLES_InitAndCreateRenderTarget(&game)));
  if (!screen || !screen->Create(kScreenW, kScreenH)) return 1;
  game.m_pDrawTarget = game.m_pDoubleBuffer = screen.get();
  screen->HWReleasePixelDataInRAM();

  std::vector<std::unique_ptr<CBitmapHW>> atlases, items;
  for (int a = 0; a < kAtlases; ++a) {
    atlases.push_back(MakeAtlas(&game, a));
    if (!atlases.back()) return 1;
    for (int c = 0; c < (kAtlasSize / kCell) * (kAtlasSize / kCell); ++c) {
      auto item = std::make_unique<CBitmapHW>(&game);
      if (!item->HWInitFromTextureAtlas(atlases.back().get(), (c % 8) * kCell, (c / 8) * kCell, kCell, kCell))
        return 1;
      items.push_back(std::move(item));
    }
  }

  // A frame as a level draws it: layers of sprites from one atlas in runs, a few faded, and
  // an additive pass for effects every 250 sprites.
  std::vector<Sprite> scene;
  unsigned seed = 12345;
  auto next = [&seed]() { return (seed = seed * 1103515245u + 12345u) >> 8; };
  for (int i = 0; i < kSprites; ++i) {
    int atlas = (i / 50) % kAtlases, cell = (int)(next() % 64);
    scene.push_back(Sprite{items[(size_t)(atlas * 64 + cell)].get(), (int)(next() % (kScreenW - kCell)),
                           (int)(next() % (kScreenH - kCell)), i % 7 == 0 ? -64 : 0, i % 250 >= 240});
  }

  std::vector<double> cpu, wall;
  GLES_CallCounts start{};
  for (int f = -1; f < frames; ++f) { // frame -1 warms up
    if (f == 0) start = g_GLES_CallCounts;
    double w0 = WallMs(), c0 = ThreadCpuMs();
    screen->HWBeginScene();
    GLES_Set2DRenderingMode(&game, screen.get());
    screen->ClearBitmap(20, 40, 60);
    for (const Sprite& s : scene) {
      if (s.additive)
        s.bitmap->BitBltAdditive(screen.get(), s.x, s.y, 0, 0, 0, 0, s.alpha);
      else
        s.bitmap->BitBlt(screen.get(), s.x, s.y, 0, 0, 0, 0, s.alpha);
    }
    GLES_FlushBuffer();
    double c1 = ThreadCpuMs();
    glFinish();
    if (f >= 0) {
      cpu.push_back(c1 - c0);
      wall.push_back(WallMs() - w0);
    }
  }
  const GLES_CallCounts& end = g_GLES_CallCounts;
  double n = frames;
  printf("gl_sprites_bench: %d frames of %d sprites from %d atlases, %dx%d, LP_NUM_THREADS=%s\n", frames,
         kSprites, kAtlases, kScreenW, kScreenH, getenv("LP_NUM_THREADS"));
  printf("draw calls per frame:    %.1f\n", (end.drawCalls - start.drawCalls) / n);
  printf("state changes per frame: %.1f (blend %.1f, texture binds %.1f, texture on/off %.1f, env %.1f)\n",
         (end.StateChanges() - start.StateChanges()) / n,
         (end.blendFuncs + end.blendSwitches - start.blendFuncs - start.blendSwitches) / n,
         (end.textureBinds - start.textureBinds) / n, (end.textureSwitches - start.textureSwitches) / n,
         (end.texEnvs - start.texEnvs) / n);
  printf("triangles per frame:     %.1f\n", (end.indicesDrawn - start.indicesDrawn) / 3.0 / n);
  printf("submit cpu ms per frame: p50 %.3f  p99 %.3f\n", Percentile(cpu, 0.5), Percentile(cpu, 0.99));
  printf("frame ms with glFinish:  p50 %.3f  p99 %.3f\n", Percentile(wall, 0.5), Percentile(wall, 0.99));

  items.clear();
  atlases.clear();
  game.m_pDrawTarget = game.m_pDoubleBuffer = nullptr;
  screen.reset();
  return 0;
}
