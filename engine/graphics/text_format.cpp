// CQuellarTextFormat: word wrapping measured with the bitmap font, and drawing of the lines.
#include "text_format.h"

#include <new>
#include <string>

#include "bitmap_font.h"

int CQuellarTextFormat::AddString(const char* s) {
  CommonString* line = new (std::nothrow) CommonString(s);
  if (!line) return 0;
  int before = m_Lines.GetSize();
  m_Lines.Add(line);
  if (m_Lines.GetSize() == before) {
    delete line;
    return 0;
  }
  return 1;
}

int CQuellarTextFormat::FormatText(int width, CBitmapFontText* font, const char* text) {
  if (!text) return 0;
  std::string t;
  for (const char* p = text; *p; p++)
    if (*p != '\r') t += *p;
  if (t.empty()) return 1;
  if (!font) return 0;

  int allowance = font->Length2(" ");
  allowance = allowance < 0 ? 0 : allowance > 10 ? 10 : allowance;

  std::string line, word;
  const size_t n = t.size();
  for (size_t i = 0; i <= n; i++) {
    const char c = i < n ? t[i] : 0;
    const bool escape = c == '\\' && i + 1 < n && t[i + 1] == 'n';
    const bool hardBreak = c == '\n' || escape || c == 0;
    if (c != 0 && c != ' ' && !hardBreak) {
      word += c;
      continue;
    }
    if (escape) i++;
    const int lineWidth = font->Length2(line.c_str()), wordWidth = font->Length2(word.c_str());
    if (width > lineWidth + allowance + wordWidth) {
      line = line.empty() ? word : line + " " + word;
      if (hardBreak) {
        if (!AddString(line.c_str())) return 0;
        line.clear();
      }
    } else {
      if (!line.empty() && !AddString(line.c_str())) return 0;
      if (c == '\n' || escape) {
        if (!AddString(word.c_str())) return 0;
        line.clear();
      } else {
        line = word;
        if (c == 0 && !AddString(line.c_str())) return 0;
      }
    }
    word.clear();
  }
  return 1;
}

int CQuellarTextFormat::CalcFormatHeight(CBitmapFontText* font, int lineGap) {
  if (!font) return 0;
  return GetNumStrings() * (font->GetCharHeight() + lineGap);
}

void CQuellarTextFormat::TextOut(IDibBitmap* target, int x, int y, CBitmapFontText* font, int r, int g, int b,
                                 int effect, u8 alpha, int lineGap, TCoordRect2D* clip) {
  if (!font) return;
  const int lineHeight = font->GetCharHeight() + lineGap;
  for (int i = 0; i < GetNumStrings(); i++) {
    const char* line = GetString(i)->c_str();
    const int w = font->Length2(line);
    int lx;
    switch (m_nAlignment) {
    case 0:
      lx = x;
      break;
    case 1:
      lx = x + (m_nBoxWidth >> 1) - (w >> 1);
      break;
    case 2:
      lx = x + m_nBoxWidth - w;
      break;
    default:
      continue;
    }
    font->TextOut(target, lx, y + i * lineHeight, line, (u8)r, (u8)g, (u8)b, effect, alpha, clip);
  }
}

void CQuellarTextFormat::Clear() {
  m_Lines.DeleteAll();
  // The array keeps its block for reuse; clearing releases it too.
  m_Lines.~CQuellarObjPtrArray();
  new (&m_Lines) CQuellarObjPtrArray<CommonString*>(5);
}
