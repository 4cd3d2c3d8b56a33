// The single-line, word-wrapped and information text widgets.
#include "widget_text.h"

#include <new>

#include "app_ui.h"
#include "bitmap_font.h"
#include "dib_bitmap.h"
#include "text_format.h"
#include "widget_desc.h"

XText::XText(CXElement* parent, TTemplate* tmpl, TWidget* tw, WidgetContext* context)
    : XWidget(parent, tmpl, tw, context) {
  m_Style.r = m_Style.g = m_Style.b = 255;
}

XText::~XText() {}

int XText::OnInitWidget() {
  if (!XWidget::OnInitWidget()) return 0;
  TWText* desc = dynamic_cast<TWText*>(m_pTWidget);
  if (!desc) return 0;
  m_Caption = desc->text.caption;
  GetLocalizedCaption(m_Caption);
  m_Style.Apply(m_pApp, desc->text);
  return 1;
}

TCoord2D XText::GetSize() {
  TCoord2D size{m_nWidth, m_nHeight};
  if (size.x <= 1 && m_Style.font && !m_Caption.IsEmpty()) size.x = m_Style.font->Length2(m_Caption.c_str());
  if (size.y <= 1 && m_Style.font) size.y = m_Style.font->GetCharHeight();
  return size;
}

void XText::Draw() {
  IDibBitmap* buffer = m_pApp ? m_pApp->GetDoubleBuffer() : nullptr;
  if (GetOpacity() <= 0 || m_Caption.IsEmpty() || !m_Style.font || !buffer) return;
  m_Style.font->TextOut(buffer, m_nX, m_nY, m_Caption.c_str(), m_Style.r, m_Style.g, m_Style.b,
                        m_Style.effect, (u8)(GetOpacity() >> 8), nullptr);
}

// --- XTextMulti ---

XTextMulti::XTextMulti(CXElement* parent, TTemplate* tmpl, TWidget* tw, WidgetContext* context)
    : XText(parent, tmpl, tw, context) {}

XTextMulti::~XTextMulti() { delete m_pFormatter; }

int XTextMulti::OnInitWidget() {
  if (!XText::OnInitWidget()) return 0;
  TTextMulti* desc = dynamic_cast<TTextMulti*>(m_pTWidget);
  if (!desc) return 0;
  m_nAlignment = desc->mt_align;
  m_nBoxWidth = desc->width;
  m_nLineSpacing = desc->row_add_dy;
  if (m_nBoxWidth == 0) m_nBoxWidth = 100;
  return FormatText();
}

int XTextMulti::FormatText() {
  delete m_pFormatter;
  m_pFormatter = new (std::nothrow) CQuellarTextFormat();
  if (!m_pFormatter) return 0;
  m_pFormatter->m_nAlignment = m_nAlignment;
  m_pFormatter->m_nBoxWidth = m_nBoxWidth;
  if (!m_Style.font) return 0;
  if (m_Caption.IsEmpty()) return 1;
  return m_pFormatter->FormatText(m_nBoxWidth, m_Style.font, m_Caption.c_str());
}

TCoord2D XTextMulti::GetSize() {
  if (m_Caption.IsEmpty() || !m_Style.font || !m_pFormatter) return TCoord2D{5, 5};
  return TCoord2D{m_nBoxWidth,
                  m_pFormatter->GetNumStrings() * (m_Style.font->GetCharHeight() + m_nLineSpacing)};
}

void XTextMulti::Draw() {
  IDibBitmap* buffer = m_pApp ? m_pApp->GetDoubleBuffer() : nullptr;
  if (GetOpacity() <= 0 || m_Caption.IsEmpty() || !m_Style.font || !m_pFormatter || !buffer) return;
  m_pFormatter->TextOut(buffer, m_nX, m_nY, m_Style.font, m_Style.r, m_Style.g, m_Style.b, m_Style.effect,
                        (u8)(GetOpacity() >> 8), m_nLineSpacing, nullptr);
}

void XTextMulti::ReInitWidgetPosition() {
  InitWidgetPosition();
  ApplyAlignType();
  FormatText();
}

// --- XTextInfo ---

XTextInfo::XTextInfo(CXElement* parent, TTemplate* tmpl, TWidget* tw, WidgetContext* context)
    : XText(parent, tmpl, tw, context) {}

XTextInfo::~XTextInfo() {}

int XTextInfo::OnInitWidget() {
  if (!XText::OnInitWidget()) return 0;
  TTextInfo* desc = dynamic_cast<TTextInfo*>(m_pTWidget);
  if (!desc || !m_pApp) return 0;
  m_nInfoType = desc->infoType;
  switch (m_nInfoType) {
  case TEXTINFO_VERSION:
    m_Caption = m_pApp->m_VersionText;
    break;
  case TEXTINFO_BUILD_DATE:
    m_Caption = m_pApp->m_BuildDateText;
    break;
  case TEXTINFO_SHOP_LINK:
    m_Caption = m_pApp->m_ShopLink;
    break;
  case TEXTINFO_SHOP_LINK2:
    m_Caption = m_pApp->m_ShopLink2;
    break;
  default:
    return 0;
  }
  return 1;
}
