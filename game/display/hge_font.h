// hgeFont: the game's bitmap font, read from a text description beginning "[HGEFONT]" that names a
// glyph page picture and each character's rectangle on it; drawn glyph by glyph through Display.
#pragma once

#include "geometry.h"

class Surface;

enum {
  HGEFONT_MAX_FILE = 65535, // longest description read; the rest is ignored
  HGEFONT_MAX_LINE = 255,   // longer lines are cut
  HGEFONT_MAX_NAME = 255,   // longer page names are ignored
};

class hgeFont {
public:
  // The description of the resource name with the extension "fnt" ("2x_" + name when the plain one
  // is missing). A missing file or a wrong first line leaves a font without glyphs or page.
  hgeFont(const char* name, bool = false);
  hgeFont(const hgeFont&) = delete;
  hgeFont& operator=(const hgeFont&) = delete;
  ~hgeFont();

  // Reads a description held in memory (size bytes, not necessarily terminated); name is the name
  // the page's name is taken relative to.
  void LoadFromText(const char* text, int size, const char* name);

  void SetScale(float s) { scale = s; }
  void SetTracking(float t) { tracking = t; }
  void SetSpacing(float s) { spacing = s; }
  float GetScale() const { return scale; }

  // y is the vertical centre of the first line; align & 3: 0 left, 1 right, 2 centred.
  void Render(float x, float y, int align, const char* text);
  // Drawn in the no-black-edges mode with the colour as tint; the tint is restored afterwards.
  void Render(float x, float y, int align, const char* text, ColorRGB colour);
  void printf(float x, float y, int align, const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 5, 6)))
#endif
      ;
  // Wraps the text to the box (x, y, w, h) and aligns it (align & 12: 4 bottom, 8 middle); answers
  // the number of lines.
  int printfb(float x, float y, float w, float h, int align, const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 7, 8)))
#endif
      ;
  // Width of the widest line; glyph-less characters are measured as '?'.
  float GetStringWidth(const char* text) const;
  // Copies one line (at most HGEFONT_MAX_LINE characters) into line; the start of the next line,
  // or null at the end.
  static char* _get_line(char* source, char* line);

  int spaceExtra;
  float pre[256];
  float post[256];
  char buffer[1024];
  Surface* page; // owned
  myRect glyph[256];
  float height;
  float scale;
  float proportion;
  float rotation;
  float tracking;
  float spacing;
  unsigned colour;
  float zOrder;

private:
  void ReadBitmapLine(const char* line, const char* name);
  void ReadCharLine(const char* line);
  int PenAlign(float x, int align, const char* text) const;
  int GlyphOf(const char* p) const;
};
