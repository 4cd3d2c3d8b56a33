// Fuzzes the ".fdb" metrics reader: any input is read or refused, the glyphs are laid out over a
// small alpha-only atlas, and text is measured and drawn by hand into a software bitmap without
// reading or writing outside either bitmap.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "bitmap_font.h"
#include "files.h"
#include "test_application.h"
#include "win_dib_bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CTestApplication app;
  CBitmapFontText font(&app);
  CWinDibBitmap* atlas = new CWinDibBitmap(&app);
  atlas->Create(64, 56);
  memset(atlas->GetAlphaBits(), 200, 64 * 56);
  atlas->DestroyBits();
  font.m_pAtlas = atlas;
  font.m_pAlphaMap = atlas->GetAlphaBits();
  font.m_nAtlasWidth = 64;
  font.m_nAtlasHeight = 56;

  CMemoryFile file;
  void* copy = malloc(size ? size : 1);
  if (size) memcpy(copy, data, size);
  file.Attach(copy, (int)size);
  if (!font.ReadMetrics(&file)) return 0;
  font.PlaceGlyphs();

  char text[225];
  for (int i = 0; i < 224; i++)
    text[i] = (char)(32 + i);
  text[224] = 0;
  font.Length2(text);
  CWinDibBitmap target(&app);
  target.Create(40, 20);
  TCoordRect2D clip;
  clip.x = -5;
  clip.y = -5;
  clip.width = 100;
  clip.height = 100;
  for (int effect = 0; effect <= 6; effect += 3) {
    font.TextOut(&target, 2, 2, text, 255, 128, 0, effect, 255, nullptr);
    font.TextOut(&target, -3, 6, text, 0, 128, 255, effect, 100, &clip);
  }
  return 0;
}
