// Shared helpers of the game's tests: an application object whose assets come from one pack the
// test writes, PNG and atlas-index bytes, and a capture of the triangles every blit sends.
#pragma once

#include <gtest/gtest.h>

#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "display.h"
#include "pack_file_game.h"
#include "pack_writer.h"
#include "platform_services.h"
#include "texture2d.h"

typedef std::vector<unsigned char> Bytes;

struct Rgba {
  unsigned char r, g, b, a;
};

// A w x h RGBA PNG in memory.
inline Bytes PngBytes(int w, int h, const std::function<Rgba(int x, int y)>& at) {
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  image.width = (png_uint_32)w;
  image.height = (png_uint_32)h;
  image.format = PNG_FORMAT_RGBA;
  std::vector<unsigned char> pixels((size_t)w * h * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      Rgba c = at(x, y);
      unsigned char* p = &pixels[((size_t)y * w + x) * 4];
      p[0] = c.r;
      p[1] = c.g;
      p[2] = c.b;
      p[3] = c.a;
    }
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr);
  Bytes out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, nullptr)) out.clear();
  out.resize(size);
  return out;
}

inline Bytes SolidPng(int w, int h, Rgba c) {
  return PngBytes(w, h, [=](int, int) { return c; });
}

// The largest difference in any channel between two pictures of one size (256 for two sizes).
inline int MostApart(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  if (a.size() != b.size()) return 256;
  int most = 0;
  for (size_t i = 0; i < a.size(); ++i)
    most = std::max(most, std::abs((int)a[i] - (int)b[i]));
  return most;
}

// One entry of an atlas index, in the order of its record.
struct IndexEntry {
  std::string name;
  int offsetX, offsetY, width, height, centerOffsetX, centerOffsetY, atlasX, atlasY;
};

inline void PutU32(Bytes& out, uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out.push_back((unsigned char)(v >> (8 * i)));
}

// The index bytes of an atlas whose pages hold these entries (names with their terminating zero).
inline Bytes AtlasIndexBytes(const std::vector<std::vector<IndexEntry>>& pages) {
  Bytes out;
  PutU32(out, 0);
  PutU32(out, (uint32_t)pages.size());
  for (const auto& page : pages) {
    PutU32(out, (uint32_t)page.size());
    for (const IndexEntry& e : page) {
      PutU32(out, (uint32_t)e.name.size() + 1);
      out.insert(out.end(), e.name.begin(), e.name.end());
      out.push_back(0);
      for (int v :
           {e.offsetX, e.offsetY, e.width, e.height, e.centerOffsetX, e.centerOffsetY, e.atlasX, e.atlasY})
        PutU32(out, (uint32_t)v);
    }
  }
  return out;
}

inline Bytes TextBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// A file's bytes (none when it cannot be read), and bytes written as a file.
inline Bytes ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::string& path, const Bytes& data) {
  std::ofstream(path, std::ios::binary).write((const char*)data.data(), (std::streamsize)data.size());
}

// The engine's test application reading everything from one pack written in a fresh temporary
// directory (the working directory while it lives). Images are decoded without GL textures unless
// the test opens a GL screen and sets m_bCreateTextures.
class PackGame : public PackFileGame {
public:
  // Adds a file under its pack name (with '\' separators, e.g. "images\\a.png").
  void Add(const std::string& name, const Bytes& data) { m_Entries.push_back({name, data, false}); }

  // Writes the pack and opens it as the common pack.
  bool OpenPack() {
    Bytes pack;
    std::string error;
    if (!sprockpack::BuildPack(m_Entries, pack, error)) return false;
    std::string path = Dir() + "/test.pak";
    std::ofstream(path, std::ios::binary).write((const char*)pack.data(), (std::streamsize)pack.size());
    return OpenPackFile(path);
  }

private:
  std::vector<sprockpack::PackEntry> m_Entries;
};

// Every blit's two triangles, captured instead of drawn while the capture lives.
struct CapturedBlit {
  IDibBitmap* source;
  QuellarVertex tri[2][3];
  // Corners as drawn: TL, TR, BR, BL of the quad (the triangles' shared layout).
  const QuellarVertex& Corner(int i) const {
    static const int map[4][2] = {{0, 0}, {0, 1}, {0, 2}, {1, 2}};
    return tri[map[i][0]][map[i][1]];
  }
  static double Px(FIXED_FLOAT_16 v) { return v / 65536.0; }
  double MinX() const { return Extreme(true, true); }
  double MaxX() const { return Extreme(true, false); }
  double MinY() const { return Extreme(false, true); }
  double MaxY() const { return Extreme(false, false); }

private:
  double Extreme(bool xAxis, bool least) const {
    double best = Px(xAxis ? tri[0][0].x : tri[0][0].y);
    for (const auto& t : tri)
      for (const QuellarVertex& v : t) {
        double c = Px(xAxis ? v.x : v.y);
        if (least ? c < best : c > best) best = c;
      }
    return best;
  }
};

class TriangleCapture {
public:
  TriangleCapture() {
    s_blits = &m_Blits;
    m_Previous = g_drawTexturedTriangles;
    g_drawTexturedTriangles = Capture;
  }
  ~TriangleCapture() {
    g_drawTexturedTriangles = m_Previous;
    s_blits = nullptr;
  }
  TriangleCapture(const TriangleCapture&) = delete;
  TriangleCapture& operator=(const TriangleCapture&) = delete;

  const std::vector<CapturedBlit>& Blits() const { return m_Blits; }
  void Clear() { m_Blits.clear(); }

private:
  static void Capture(CAppGraphics*, IDibBitmap*, IDibBitmap* src, const QuellarVertex (*tris)[3], int count,
                      bool) {
    ASSERT_EQ(count, 2);
    CapturedBlit b;
    b.source = src;
    memcpy(b.tri, tris, sizeof b.tri);
    if (s_blits) s_blits->push_back(b);
  }
  static inline std::vector<CapturedBlit>* s_blits = nullptr;
  std::vector<CapturedBlit> m_Blits;
  DrawTexturedTrianglesFunc m_Previous;
};

// The drawing layer's caches as a fresh start leaves them, and back again afterwards.
inline void ResetDrawingState() {
  g_glScaleX = g_glScaleY = 1.0f;
  g_glTranslateX = g_glTranslateY = 0.0f;
  lastBlendR = lastBlendG = lastBlendB = lastBlendA = -1;
  noChangeBlending = false;
  forceNormalMode = false;
  display_mode_current = -1;
  g_forceScale = 1.0f;
}

#include "surface.h"
#include "win_dib_bitmap.h"

// A sprite of w x h pixels with a texture of its own but no picture behind it: enough for the
// geometry of blits. A test that makes it an atlas entry clears the flag again before deleting it.
inline Surface* FakeSurface(int w, int h) {
  Surface* s = new Surface("", 2, false);
  s->texture = new Texture2D();
  s->texture->bitmap = new CWinDibBitmap(nullptr);
  s->texture->size.x = w;
  s->texture->size.y = h;
  s->width = w;
  s->height = h;
  s->loaded = true;
  return s;
}
