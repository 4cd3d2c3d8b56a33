// Fuzzes the game's bitmap-font description reader: any text is read without leaving its buffers,
// then every character is measured, drawn and wrapped into a box through a drawing layer whose
// triangles go nowhere.
#include <cstdint>
#include <cstring>

#include "display.h"
#include "hge_font.h"
#include "surface.h"
#include "texture2d.h"
#include "win_dib_bitmap.h"

namespace {

void Discard(CAppGraphics*, IDibBitmap*, IDibBitmap*, const QuellarVertex (*)[3], int, bool) {}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Display screen;
  display = &screen;
  g_drawTexturedTriangles = Discard;
  hgeFont font(nullptr);
  font.LoadFromText((const char*)data, (int)(size > 70000 ? 70000 : size), "fonts\\fuzz");
  // A page with a texture, so that the glyphs reach the blits.
  delete font.page;
  font.page = new Surface("", 2, false);
  font.page->texture = new Texture2D();
  font.page->texture->bitmap = new CWinDibBitmap(nullptr);
  font.page->width = font.page->height = 64;

  char text[300];
  for (int i = 0; i < 255; ++i)
    text[i] = (char)(i + 1);
  text[255] = 0;
  font.GetStringWidth(text);
  font.Render(10, 10, 1, text);
  font.Render(10, 10, 2, text, ColorRGB(1, 2, 3));
  font.printfb(0, 0, 40, 40, 8, "%s %s", "one two three", text);
  return 0;
}
