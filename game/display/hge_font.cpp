// hgeFont: reading the description, measuring, wrapping and drawing text.
#include "hge_font.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "display.h"
#include "files.h"
#include "resources.h"
#include "surface.h"

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

void SkipSpaces(const char*& p) {
  while (IsSpace(*p))
    ++p;
}

// " , %d" as scanf reads it, without its undefined overflow: blanks, a comma, blanks, a number.
bool ReadCommaInt(const char*& p, long* out) {
  SkipSpaces(p);
  if (*p != ',') return false;
  ++p;
  SkipSpaces(p);
  const char* q = p;
  bool negative = false;
  if (*q == '-' || *q == '+') negative = *q++ == '-';
  if (*q < '0' || *q > '9') return false;
  long v = 0;
  for (; *q >= '0' && *q <= '9'; ++q)
    if (v < 1000000) v = v * 10 + (*q - '0');
  *out = negative ? -v : v;
  p = q;
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Glyph rectangles beyond this are refused: no page is that large, and pen positions stay ints.
const long kLargestGlyphValue = 32767;

} // namespace

hgeFont::hgeFont(const char* name, bool)
    : spaceExtra(0), pre(), post(), buffer(), page(nullptr), height(0), scale(1.0f), proportion(1.0f),
      rotation(0), tracking(0), spacing(1.0f), colour(0xFFFFFFFFu), zOrder(0.5f) {
  for (myRect& g : glyph)
    g.Set(0, 0, 0, 0);
  if (!name) return;
  CommonString path = pathForResource(name, "fnt");
  if (path.IsEmpty()) path = pathForResource(CommonString("2x_") + name, "fnt");
  IFile* file = path.IsEmpty() ? nullptr : _fopen(path.GetData(), "rb");
  if (!file) return;
  int size = file->GetSize();
  if (size > HGEFONT_MAX_FILE) size = HGEFONT_MAX_FILE;
  char* text = (char*)malloc((size_t)(size > 0 ? size : 0) + 1);
  int got = text && size > 0 ? (int)_fread(text, 1, (unsigned)size, file) : 0;
  _fclose(file);
  if (text) LoadFromText(text, got, name);
  free(text);
}

hgeFont::~hgeFont() { delete page; }

char* hgeFont::_get_line(char* source, char* line) {
  if (!source || !*source) return nullptr;
  int n = 0;
  char* p = source;
  for (; *p && *p != '\n' && *p != '\r'; ++p)
    if (n < HGEFONT_MAX_LINE) line[n++] = *p;
  line[n] = 0;
  while (*p == '\n' || *p == '\r')
    ++p;
  return p;
}

void hgeFont::LoadFromText(const char* data, int size, const char* name) {
  if (!data || size <= 0) return;
  if (size > HGEFONT_MAX_FILE) size = HGEFONT_MAX_FILE;
  char* text = (char*)malloc((size_t)size + 1);
  if (!text) return;
  memcpy(text, data, (size_t)size);
  text[size] = 0;
  char line[HGEFONT_MAX_LINE + 1];
  char* next = _get_line(text, line);
  if (next && strcmp(line, "[HGEFONT]") == 0) {
    while ((next = _get_line(next, line)) != nullptr) {
      if (strncmp(line, "Bitmap", 6) == 0)
        ReadBitmapLine(line, name ? name : "");
      else if (strncmp(line, "Char", 4) == 0)
        ReadCharLine(line);
    }
  }
  free(text);
}

// "Bitmap = NAME": NAME replaces the file part of the font's own name and names the page picture.
void hgeFont::ReadBitmapLine(const char* line, const char* name) {
  const char* p = line + 6;
  SkipSpaces(p);
  if (*p != '=') return;
  ++p;
  SkipSpaces(p);
  const char* word = p;
  while (*p && !IsSpace(*p))
    ++p;
  size_t wordLength = (size_t)(p - word);
  // The page is loaded by resource name, which gets its ".png" from the loader.
  if (wordLength > 4 && strncmp(p - 4, ".png", 4) == 0) wordLength -= 4;
  if (wordLength == 0) return;
  const char* slash = strrchr(name, '\\');
  if (!slash) slash = strrchr(name, '/');
  size_t dirLength = slash ? (size_t)(slash - name) + 1 : 0;
  if (dirLength + wordLength > HGEFONT_MAX_NAME) return;
  char pageName[HGEFONT_MAX_NAME + 1];
  memcpy(pageName, name, dirLength);
  memcpy(pageName + dirLength, word, wordLength);
  pageName[dirLength + wordLength] = 0;
  delete page;
  page = new Surface(CommonString(pageName), 0, false);
}

// "Char = C, x, y, w, h, a, b" with C quoted ("a") or in hexadecimal.
void hgeFont::ReadCharLine(const char* line) {
  const char* p = strchr(line, '=');
  if (!p) return;
  ++p;
  while (*p == ' ')
    ++p;
  int code;
  if (*p == '"') {
    if (!p[1]) return;
    code = (unsigned char)p[1];
    p += p[2] ? 3 : 2;
  } else {
    long v = 0;
    int digits = 0;
    for (int d; (d = HexDigit(*p)) >= 0; ++p, ++digits)
      if (v <= 255) v = v * 16 + d;
    if (digits == 0 || v > 255) return;
    code = (int)v;
  }
  long values[6];
  for (long& v : values)
    if (!ReadCommaInt(p, &v)) return;
  for (int i = 0; i < 4; ++i)
    if (values[i] < 0 || values[i] > kLargestGlyphValue) return;
  long x = values[0], y = values[1], w = values[2], h = values[3];
  glyph[code].Set((float)x, (float)y, (float)(x + w), (float)(y + h));
  pre[code] = 0;
  post[code] = 0;
  if ((float)h > height) height = (float)h;
}

float hgeFont::GetStringWidth(const char* text) const {
  if (!text) return 0;
  float best = 0;
  const char* p = text;
  while (*p) {
    float line = 0;
    for (; *p && *p != '\n'; ++p) {
      int code = (unsigned char)*p;
      if (glyph[code].IsEmpty()) code = '?';
      line += glyph[code].GetWidth() + pre[code] + post[code] + tracking;
    }
    if (line > best) best = line;
    while (*p == '\n' || *p == '\r')
      ++p;
  }
  return scale * best * proportion;
}

int hgeFont::GlyphOf(const char* p) const {
  int code = (unsigned char)*p;
  return glyph[code].IsEmpty() ? ' ' : code;
}

int hgeFont::PenAlign(float x, int align, const char* text) const {
  switch (align & 3) {
  case 1:
    return (int)(x - GetStringWidth(text));
  case 2:
    return (int)(x - (int)(GetStringWidth(text) / 2));
  default:
    return (int)x;
  }
}

void hgeFont::Render(float x, float y, int align, const char* text) {
  if (!text) return;
  int penX = PenAlign(x, align, text);
  int penY = (int)(y - height * scale / 2);
  for (const char* p = text; *p; ++p) {
    if (*p == '\n') {
      penY += (int)(height * scale * spacing);
      penX = PenAlign(x, align, p + 1);
      continue;
    }
    int code = GlyphOf(p);
    if (code == ' ') penX += spaceExtra + 5;
    float drawX = (float)penX + pre[code] * scale * proportion;
    if (display && !glyph[code].IsEmpty())
      display->Blit(drawX, (float)penY, page, &glyph[code], true, scale, scale);
    penX = (int)(drawX + (glyph[code].GetWidth() + post[code] + tracking) * scale * proportion);
  }
}

void hgeFont::Render(float x, float y, int align, const char* text, ColorRGB c) {
  if (!display) return;
  display->SetNoBlackEdgesMode();
  int r = lastBlendR, g = lastBlendG, b = lastBlendB, a = lastBlendA;
  display->SetBlending(display->alpha, c.r, c.g, c.b);
  Render(x, y, align, text);
  // The cache keeps requested values as they were; vertices clamp them when drawn.
  display->SetBlending(a, r, g, b);
  display->SetNormalMode();
}

void hgeFont::printf(float x, float y, int align, const char* format, ...) {
  if (!format) return;
  va_list args;
  va_start(args, format);
  vsnprintf(buffer, sizeof buffer - 1, format, args);
  va_end(args);
  buffer[sizeof buffer - 1] = 0;
  Render(x, y, align, buffer);
}

int hgeFont::printfb(float x, float y, float w, float h, int align, const char* format, ...) {
  if (!format) return 0;
  va_list args;
  va_start(args, format);
  vsnprintf(buffer, sizeof buffer - 1, format, args);
  va_end(args);
  buffer[sizeof buffer - 1] = 0;

  char* lineStart = buffer;
  char* word = buffer;
  char* lastBreak = nullptr;
  for (;;) {
    char* end = word;
    while (*end && *end != ' ' && *end != '\n')
      ++end;
    char saved = *end;
    *end = 0;
    float width = GetStringWidth(lineStart);
    *end = saved;
    if (width > w) {
      if (word == lineStart) {
        // A word wider than the box stands alone on its line.
        if (*end == 0) break;
        *end = '\n';
      } else if (lastBreak) {
        *lastBreak = '\n';
        lineStart = lastBreak + 1;
      }
    }
    if (*end == '\n') {
      lastBreak = end;
      lineStart = word = end + 1;
      continue;
    }
    if (*end == 0) break;
    lastBreak = end;
    word = end + 1;
  }

  int n = 1;
  for (const char* p = buffer; *p; ++p)
    if (*p == '\n') ++n;
  float hh = height * spacing * scale * (float)n;
  float tx = x, ty = y;
  if ((align & 3) == 1)
    tx = (float)(int)(x + w);
  else if ((align & 3) == 2)
    tx = (float)(int)(x + (int)(w / 2));
  if ((align & 12) == 4)
    ty = (float)(int)(y + (h - hh));
  else if ((align & 12) == 8)
    ty = (float)(int)(y + (int)((h - hh) / 2));
  Render(tx, ty, align, buffer);
  return n;
}
