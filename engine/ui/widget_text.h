// The text widgets: XText draws one line, XTextMulti word-wraps its caption into a box, XTextInfo
// shows one of the application's information texts.
#pragma once

#include "widget_button.h"

class CQuellarTextFormat;

class XText : public XWidget {
public:
  XText(CXElement* parent, TTemplate* tmpl, TWidget* tw, WidgetContext* context);
  ~XText() override;

  void Draw() override;
  int OnInitWidget() override;
  TCoord2D GetSize() override;

  CommonString m_Caption;
  CaptionStyle m_Style; // white until a style says otherwise
};

class XTextMulti : public XText {
public:
  XTextMulti(CXElement* parent, TTemplate* tmpl, TWidget* tw, WidgetContext* context);
  ~XTextMulti() override;

  void Draw() override;
  int OnInitWidget() override;
  TCoord2D GetSize() override;
  // Each re-placement formats the text again.
  void ReInitWidgetPosition() override;
  // A new formatter for the caption: 1, or 0 without a font or memory.
  virtual int FormatText();

  CQuellarTextFormat* m_pFormatter = nullptr;
  int m_nBoxWidth = 100;
  int m_nAlignment = 1;
  int m_nLineSpacing = 0;
};

class XTextInfo : public XText {
public:
  XTextInfo(CXElement* parent, TTemplate* tmpl, TWidget* tw, WidgetContext* context);
  ~XTextInfo() override;

  int OnInitWidget() override;

  u8 m_nInfoType = 0;
};
