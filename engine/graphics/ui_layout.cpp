// CUILayout: reading the layout file of fonts and styles, loading the fonts, lookups by id.
#include "ui_layout.h"

#include <cstring>
#include <new>

#include "app_graphics.h"
#include "bitmap_font.h"
#include "files.h"
#include "parser.h"

const char* const g_EffectNames[UILAYOUT_NUM_EFFECTS] = {"none",         "shadow",  "border",       "glow",
                                                         "white_border", "border2", "white border2"};

UILayout_FontData::~UILayout_FontData() { SafeDelete(font); }

int CUILayout::WhichEffectName(const char* name) {
  if (!name || !*name) return -1;
  for (int i = 0; i < UILAYOUT_NUM_EFFECTS; i++)
    if (strcmp(name, g_EffectNames[i]) == 0) return i;
  return -1;
}

// --- records ---

UILayout_FontData* CUILayout::AddNewFontData() {
  if (m_nFonts >= UILAYOUT_MAX_FONTS) return nullptr;
  UILayout_FontData* f = new (std::nothrow) UILayout_FontData();
  if (f) m_pFonts[m_nFonts++] = f;
  return f;
}

UILayout_StyleData* CUILayout::AddNewStyleData() {
  if (m_nStyles >= UILAYOUT_MAX_STYLES) return nullptr;
  UILayout_StyleData* s = new (std::nothrow) UILayout_StyleData();
  if (s) m_pStyles[m_nStyles++] = s;
  return s;
}

int CUILayout::AddFont(CommonString id, CommonString file, int addWidth, int addHeight) {
  UILayout_FontData* f = AddNewFontData();
  if (!f) return 0;
  f->id = id;
  f->file = file;
  f->addWidth = (s8)addWidth;
  f->addHeight = (s8)addHeight;
  return 1;
}

int CUILayout::AddStyle(CommonString id, CommonString fontId, int r, int g, int b, int effect) {
  UILayout_StyleData* s = AddNewStyleData();
  if (!s) return 0;
  s->id = id;
  s->fontId = fontId;
  s->r = (u8)r;
  s->g = (u8)g;
  s->b = (u8)b;
  s->effect = (u8)effect;
  return 1;
}

UILayout_FontData* CUILayout::GetFontById(CommonString id) {
  for (int i = 0; i < m_nFonts; i++)
    if (!m_pFonts[i]->id.IsEmpty() && m_pFonts[i]->id.IsEqual(id.GetData())) return m_pFonts[i];
  return nullptr;
}

UILayout_StyleData* CUILayout::GetStyleById(CommonString id) {
  for (int i = 0; i < m_nStyles; i++)
    if (!m_pStyles[i]->id.IsEmpty() && m_pStyles[i]->id.IsEqual(id.GetData())) return m_pStyles[i];
  return nullptr;
}

void CUILayout::DestroyFontsData() {
  for (int i = 0; i < m_nFonts; i++)
    SafeDelete(m_pFonts[i]);
  m_nFonts = 0;
}

void CUILayout::DestroyStylesData() {
  for (int i = 0; i < m_nStyles; i++)
    SafeDelete(m_pStyles[i]);
  m_nStyles = 0;
}

void CUILayout::Destroy() {
  DestroyFontsData();
  DestroyStylesData();
}

// --- the file ---

int CUILayout::LoadFromUILayoutFile(CommonString name) {
  Destroy();
  if (!m_pGame) return 0;
  IMemFile* file = m_pGame->CreateMemoryFileObject();
  if (!file) return 0;
  int result = 0;
  if (file->Open(m_pGame, name.c_str(), FILE_MODE_READ)) {
    result = LoadFromUILayoutFile(file);
    file->Close();
  }
  delete file;
  return result;
}

int CUILayout::LoadFromUILayoutFile(IFile* file) {
  m_bInFontBlock = m_bInStyleBlock = 0;
  if (!file) return 0;
  Parser::Text line, name, value;
  while (Parser::GetNextLine(file, line)) {
    if (line.IsEqual("end")) {
      m_bInFontBlock = m_bInStyleBlock = 0;
      continue;
    }
    if (!Parser::IsPropertyString(line) || !Parser::ReadPropertyFromString(line, name, value)) continue;
    if (m_bInFontBlock) {
      ReadFontProperty(name, value);
    } else if (m_bInStyleBlock) {
      ReadStyleProperty(name, value);
    } else if (name.IsEqual("font")) {
      UILayout_FontData* f = AddNewFontData();
      if (!f) return 0;
      f->id = Parser::ExtractName(value).GetData();
      m_bInFontBlock = 1;
    } else if (name.IsEqual("style")) {
      UILayout_StyleData* s = AddNewStyleData();
      if (!s) return 0;
      s->id = Parser::ExtractName(value).GetData();
      m_bInStyleBlock = 1;
    }
  }
  return 1;
}

void CUILayout::ReadFontProperty(const char* name, const char* value) {
  UILayout_FontData* f = m_pFonts[m_nFonts - 1];
  if (!strcmp(name, "file"))
    f->file = Parser::ExtractName(value).GetData();
  else if (!strcmp(name, "add_width"))
    f->addWidth = (s8)Parser::AToI(value);
  else if (!strcmp(name, "add_height"))
    f->addHeight = (s8)Parser::AToI(value);
}

void CUILayout::ReadStyleProperty(const char* name, const char* value) {
  UILayout_StyleData* s = m_pStyles[m_nStyles - 1];
  if (!strcmp(name, "font")) {
    s->fontId = Parser::ExtractName(value).GetData();
  } else if (!strcmp(name, "color")) {
    Parser::Text items[3];
    int found = 0;
    Parser::GetSubStringsArrayVar(value, 3, items, found);
    if (found < 3) return;
    s->r = (u8)Parser::AToI(items[0]);
    s->g = (u8)Parser::AToI(items[1]);
    s->b = (u8)Parser::AToI(items[2]);
  } else if (!strcmp(name, "effect")) {
    if (strlen(value) == 1) {
      s->effect = (u8)Parser::AToI(value);
    } else {
      int e = WhichEffectName(Parser::ExtractName(value));
      s->effect = (u8)(e < 0 ? 0 : e);
    }
  }
}

// --- fonts ---

int CUILayout::ReLoadFonts() {
  if (!m_pGame) return 0;
  CommonString images = m_pGame->GetImagesDirectory();
  for (int i = 0; i < m_nFonts; i++) {
    UILayout_FontData* f = m_pFonts[i];
    CBitmapFontText* font = new (std::nothrow) CBitmapFontText(m_pGame);
    if (!font) continue;
    CommonString path = images + f->file;
    if (!font->LoadFont(path.GetData() ? path.GetData() : (char*)"")) {
      delete font;
      continue;
    }
    // The record replaces its font; styles re-bind through PrepareFontPointersForStyles.
    delete f->font;
    f->font = font;
    font->m_nExtraCharSpacing = f->addWidth;
    if (f->addHeight != 0) font->m_nExtraLineHeight = f->addHeight;
  }
  return 1;
}

void CUILayout::PrepareFontPointersForStyles() {
  UILayout_FontData* def = GetDefaultFont();
  for (int i = 0; i < m_nStyles; i++) {
    UILayout_StyleData* s = m_pStyles[i];
    s->font = def ? def->font : nullptr;
    UILayout_FontData* f = GetFontById(s->fontId);
    if (f && f->font) s->font = f->font;
  }
}
