// The button and check box widgets.
#include "widget_button.h"

#include <algorithm>

#include "app_ui.h"
#include "bitmap_font.h"
#include "dib_bitmap.h"
#include "quellar_utils.h"
#include "sprite_set.h"
#include "ui_layout.h"
#include "widget_desc.h"

void CaptionStyle::Apply(CAppUI* app, const TextDesc& text) {
  CUILayout* layout = app ? app->UILayout() : nullptr;
  UILayout_StyleData* style = nullptr;
  if (layout) {
    style = layout->GetStyleById(text.style);
    if (!style) style = layout->GetDefaultStyle();
  }
  if (style) {
    styleId = style->id;
    fontId = style->fontId;
    r = style->r;
    g = style->g;
    b = style->b;
    effect = style->effect;
    font = style->font;
  }
  if (text.flags & TEXTDESC_COLOR_GIVEN) {
    r = text.colorR;
    g = text.colorG;
    b = text.colorB;
  }
  if (text.flags & TEXTDESC_EFFECT_GIVEN) effect = text.effect;
}

// --- XButton ---

XButton::XButton(CXElement* parent, TTemplate* tmpl, TWidget* tw, WidgetContext* context)
    : XImage(parent, tmpl, tw, context) {}

XButton::~XButton() {}

int XButton::OnInitWidget() {
  if (!XImage::OnInitWidget()) return 0;
  TButton* desc = dynamic_cast<TButton*>(m_pTWidget);
  if (!desc) return 0;
  m_nSoftKey = (s8)desc->shoulder;
  m_nStateFrames =
      (s8)(m_Image.set ? (m_Image.set->m_ppFrames ? m_Image.set->m_nFrames : m_Image.set->m_nNumFrames)
                       : desc->image.framesX);
  m_Caption = desc->text.caption;
  GetLocalizedCaption(m_Caption);
  m_Style.Apply(m_pApp, desc->text);
  return 1;
}

bool XButton::TakesInput() { return m_bEnabled && IsVisible() && !IsFadingThisOrParentNow(); }

int XButton::CalcCurrentSprite() {
  int n = m_nStateFrames;
  if (m_bPressed) return n > 2 ? 2 : n == 2 ? 1 : 0;
  return IsActiveChild(this) && n >= 2 ? 1 : 0;
}

TCoord2D XButton::GetSize() {
  TCoord2D size{m_nWidth, m_nHeight};
  if (size.x > 1 && size.y > 1) return size;
  if (IDibBitmap* bitmap = m_Image.FrameBitmap(CalcCurrentSprite()))
    return TCoord2D{bitmap->GetWidth(), bitmap->GetHeight()};
  return size;
}

TCoord2D XButton::Centre() {
  TCoord2D size = GetSize();
  return TCoord2D{m_nX + (size.x >> 1), m_nY + (size.y >> 1)};
}

bool XButton::Contains(int x, int y) {
  TCoord2D c = Centre();
  int hw, hh;
  if (m_Image.set) {
    IDibBitmap* bitmap = m_Image.FrameBitmap(CalcCurrentSprite());
    if (!bitmap) return false;
    hw = bitmap->GetWidth() >> 1;
    hh = bitmap->GetHeight() >> 1;
  } else {
    if (m_Caption.IsEmpty() || !m_Style.font) return false;
    hw = m_Style.font->Length2(m_Caption.c_str()) >> 1;
    hh = m_Style.font->GetCharHeight() >> 1;
  }
  return c.x - hw <= x && x < c.x + hw && c.y - hh <= y && y < c.y + hh;
}

void XButton::Draw() {
  FIXED_FLOAT opacity = GetOpacity();
  IDibBitmap* buffer = m_pApp ? m_pApp->GetDoubleBuffer() : nullptr;
  if (opacity < 1 || !buffer) return;
  bool fading = IsFadingThisOrParentNow();
  TCoord2D c = Centre();
  if (m_Image.set) {
    int frame = m_bPressed ? 2 : IsActiveChild(this) ? 1 : 0;
    if (frame >= m_Image.FrameCount()) frame = 0;
    if (frame >= 1 && fading) frame = 0;
    m_Image.frame = (s16)frame;
    if (IDibBitmap* bitmap = m_Image.CurrentBitmap())
      bitmap->Draw(buffer, c.x - (bitmap->GetWidth() >> 1), c.y - (bitmap->GetHeight() >> 1),
                   bitmap->GetWidth(), bitmap->GetHeight(), 0, AlphaOffsetFor(opacity));
  }
  if (!m_Caption.IsEmpty() && m_Style.font) {
    int x = c.x - (m_Style.font->Length2(m_Caption.c_str()) >> 1);
    int y = c.y - (m_Style.font->GetCharHeight() >> 1);
    if (m_bPressed && !fading) x++, y++;
    m_Style.font->TextOut(buffer, x, y, m_Caption.c_str(), m_Style.r, m_Style.g, m_Style.b, m_Style.effect,
                          (u8)(opacity >> 8), nullptr);
  }
}

int XButton::NotifyPointerEvent(int x, int y, int type) {
  if (!TakesInput()) return 0;
  bool captured = m_pApp && m_pApp->XGetCapture() == this;
  switch (type) {
  case 1:
    m_bPressed = 1;
    if (m_pApp) m_pApp->XSetCapture(this);
    SendMessage(GetParent(), XMSG_PRESSED, (intptr_t)Id2WParam(), 0, false);
    return 1;
  case 3:
    if (captured) m_bPressed = Contains(x, y);
    break;
  case 2:
    if (captured) {
      m_pApp->XReleaseCapture();
      bool inside = Contains(x, y);
      m_bPressed = 0;
      if (inside) OnClick();
    }
    break;
  default:
    break;
  }
  return 1;
}

void XButton::OnClick() { SendMessage(GetParent(), XMSG_COMMAND, (intptr_t)Id2WParam(), 0, false); }

int XButton::NotifyKeyEvent(int key, int state) {
  if (!TakesInput()) return 0;
  if (key == 5 && state == 1) {
    m_bPressed = 1;
    SendMessage(GetParent(), XMSG_PRESSED, (intptr_t)Id2WParam(), 0, false);
  } else if (key == 5 && state == 0 && m_bPressed) {
    m_bPressed = 0;
    SendMessage(GetParent(), XMSG_COMMAND, (intptr_t)Id2WParam(), 0, false);
  }
  return 1;
}

// --- XCheckBox ---

XCheckBox::XCheckBox(CXElement* parent, TTemplate* tmpl, TWidget* tw, WidgetContext* context)
    : XButton(parent, tmpl, tw, context) {}

XCheckBox::~XCheckBox() {}

int XCheckBox::OnInitWidget() {
  if (!XButton::OnInitWidget()) return 0;
  TCheckBox* desc = dynamic_cast<TCheckBox*>(m_pTWidget);
  if (!desc) return 0;
  if (!LoadSpriteSetFromImageData(m_pApp, &m_CheckedImage, &desc->checkedImage)) return 0;
  m_nTextAlign = desc->textAlign;
  m_nTextOffset = desc->textOffset;
  return 1;
}

int XCheckBox::CalcTextOffset() {
  if (m_nTextOffset != CHECKBOX_AUTO_TEXT_OFFSET) return m_nTextOffset;
  return m_nTextAlign == 1 && m_Style.font ? m_Style.font->Length2(" ") : 0;
}

TCoord2D XCheckBox::GetSize() {
  TCoord2D size{m_nWidth, m_nHeight};
  if (size.x >= 2 && size.y >= 2) return size;
  TCoord2D box = m_Image.Size(0), chk = m_CheckedImage.Size(0);
  int textW = 1, textH = 1;
  if (m_Style.font) {
    textW = m_Style.font->Length2(m_Caption.c_str()) + CalcTextOffset();
    textH = m_Style.font->GetCharHeight();
  }
  int imageW = std::max(box.x, chk.x);
  if (size.y <= 1) size.y = std::max({box.y, chk.y, textH});
  if (size.x <= 1) size.x = m_nTextAlign == 1 ? textW + imageW : std::max(textW, imageW);
  return size;
}

bool XCheckBox::Contains(int x, int y) {
  TCoord2D size = GetSize();
  TCoordRect2D rect{m_nX, m_nY, size.x, size.y};
  return PtInRect(x, y, &rect);
}

void XCheckBox::Draw() {
  IDibBitmap* buffer = m_pApp ? m_pApp->GetDoubleBuffer() : nullptr;
  if (!buffer) return;
  FIXED_FLOAT opacity = GetOpacity();
  bool fading = IsFadingThisOrParentNow();
  bool shifted = m_bPressed && !fading;
  bool beside = m_nTextAlign == 1;
  TCoord2D c = Centre();
  int frame = CalcCurrentSprite();
  ContainedSpriteSet& image = m_bChecked ? m_CheckedImage : m_Image;
  int boxWidth = 0;
  if (image.HasFrameArray()) {
    frame = std::min(frame, image.FrameCount() - 1);
    if (frame >= 1 && fading) frame = 0;
    if (frame < 0) frame = 0;
    image.frame = (s16)frame;
    if (IDibBitmap* bitmap = image.CurrentBitmap()) {
      int w = bitmap->GetWidth(), h = bitmap->GetHeight();
      int x = beside ? m_nX : c.x - (w >> 1);
      int y = beside ? m_nY : c.y - (h >> 1);
      if (shifted) x++, y++;
      bitmap->Draw(buffer, x, y, w, h, 0, AlphaOffsetFor(opacity));
      boxWidth = w;
    }
  }
  if (!m_Caption.IsEmpty() && m_Style.font) {
    int y = c.y - (m_Style.font->GetCharHeight() >> 1);
    int x = beside ? m_nX + boxWidth : c.x - (m_Style.font->Length2(m_Caption.c_str()) >> 1);
    x += CalcTextOffset();
    if (shifted) x++, y++;
    m_Style.font->TextOut(buffer, x, y, m_Caption.c_str(), m_Style.r, m_Style.g, m_Style.b, m_Style.effect,
                          (u8)(opacity >> 8), nullptr);
  }
}

void XCheckBox::Toggle() {
  m_bPressed = 0;
  m_bChecked = !m_bChecked;
  SendMessage(GetParent(), XMSG_CHECKBOX_TOGGLED, (intptr_t)Id2WParam(), m_bChecked, false);
}

int XCheckBox::NotifyKeyEvent(int key, int state) {
  if (!TakesInput()) return 0;
  if (key == 5 && state == 1) {
    m_bPressed = 1;
    SendMessage(GetParent(), XMSG_PRESSED, (intptr_t)Id2WParam(), 0, false);
  } else if (key == 5 && state == 0) {
    Toggle(); // a release toggles whether or not the press was seen
  }
  return 1;
}
