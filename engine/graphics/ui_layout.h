// CUILayout: the UI layout file of up to 8 named bitmap fonts and 8 named text styles, the fonts it
// loads and the lookups by id; g_EffectNames names the text effects.
#pragma once

#include "common_string.h"
#include "quellar_types.h"

class CBitmapFontText;
class CAppGraphics;
class IFile;

enum { UILAYOUT_MAX_FONTS = 8, UILAYOUT_MAX_STYLES = 8, UILAYOUT_NUM_EFFECTS = 7 };

extern const char* const g_EffectNames[UILAYOUT_NUM_EFFECTS];

struct UILayout_FontData {
  UILayout_FontData() = default;
  UILayout_FontData(const UILayout_FontData&) = delete;
  UILayout_FontData& operator=(const UILayout_FontData&) = delete;
  ~UILayout_FontData();

  CommonString id;
  CommonString file; // font name for CBitmapFontText::LoadFont, relative to the images directory
  s8 addWidth = 0;
  s8 addHeight = 0;
  CBitmapFontText* font = nullptr; // owned
};

struct UILayout_StyleData {
  CommonString id;
  CommonString fontId;
  u8 r = 0;
  u8 g = 0;
  u8 b = 0;
  u8 effect = 0;
  CBitmapFontText* font = nullptr; // borrowed from a font record
};

class CUILayout {
public:
  explicit CUILayout(CAppGraphics* game) : m_pGame(game) {}
  CUILayout(const CUILayout&) = delete;
  CUILayout& operator=(const CUILayout&) = delete;
  virtual ~CUILayout() { Destroy(); }

  int LoadFromUILayoutFile(CommonString name);
  // 1 at the end of the file, 0 when a ninth font or style is met (what was read stays).
  int LoadFromUILayoutFile(IFile* file);
  int ReLoadFonts();
  void PrepareFontPointersForStyles();

  UILayout_FontData* GetDefaultFont() { return m_nFonts > 0 ? m_pFonts[0] : nullptr; }
  UILayout_StyleData* GetDefaultStyle() { return m_nStyles > 0 ? m_pStyles[0] : nullptr; }
  UILayout_FontData* GetFontById(CommonString id);
  UILayout_StyleData* GetStyleById(CommonString id);
  UILayout_FontData* AddNewFontData();
  UILayout_StyleData* AddNewStyleData();
  int AddFont(CommonString id, CommonString file, int addWidth, int addHeight);
  int AddStyle(CommonString id, CommonString fontId, int r, int g, int b, int effect);
  int GetNumFonts() const { return m_nFonts; }
  int GetNumStyles() const { return m_nStyles; }

  void Destroy();
  void DestroyFontsData();
  void DestroyStylesData();

  // Index in g_EffectNames, exact and case-sensitive; -1 when none matches.
  static int WhichEffectName(const char* name);

  UILayout_FontData* m_pFonts[UILAYOUT_MAX_FONTS] = {};
  int m_nFonts = 0;
  UILayout_StyleData* m_pStyles[UILAYOUT_MAX_STYLES] = {};
  int m_nStyles = 0;
  u8 m_bInFontBlock = 0;
  u8 m_bInStyleBlock = 0;
  CAppGraphics* m_pGame;

private:
  void ReadFontProperty(const char* name, const char* value);
  void ReadStyleProperty(const char* name, const char* value);
};
