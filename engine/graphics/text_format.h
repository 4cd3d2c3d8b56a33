// CQuellarTextFormat: word-wraps a text into lines that fit a width in a bitmap font, keeps them
// and draws them one under another, aligned within a box.
#pragma once

#include "common_string.h"
#include "quellar_array.h"
#include "quellar_types.h"

class CBitmapFontText;
class IDibBitmap;

class CQuellarTextFormat {
public:
  CQuellarTextFormat() = default;
  CQuellarTextFormat(const CQuellarTextFormat&) = delete;
  CQuellarTextFormat& operator=(const CQuellarTextFormat&) = delete;
  virtual ~CQuellarTextFormat() { Clear(); }

  // Appends the wrapped lines of text to those already held. 1, or 0 for a null text or a line
  // that could not be stored.
  int FormatText(int width, CBitmapFontText* font, const char* text);
  int AddString(const char* s);
  int GetNumStrings() const { return m_Lines.GetSize(); }
  CommonString* GetString(int i) const { return m_Lines.GetAt(i); }
  int CalcFormatHeight(CBitmapFontText* font, int lineGap);
  void TextOut(IDibBitmap* target, int x, int y, CBitmapFontText* font, int r, int g, int b, int effect,
               u8 alpha, int lineGap, TCoordRect2D* clip);
  void Clear();

  CQuellarObjPtrArray<CommonString*> m_Lines{5};
  int m_nAlignment = 1; // 0 left, 1 centre, 2 right
  int m_nBoxWidth = 100;
};
