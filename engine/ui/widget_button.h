// XButton, an image whose frame follows its state with a caption centred on it, sending press and
// command messages; XCheckBox, a button with a checked image and a caption beside or over the box,
// sending toggle messages.
#pragma once

#include "common_string.h"
#include "widget_image.h"

class CBitmapFontText;
struct TextDesc;

// What a caption is drawn with, from a layout style and the description's overrides.
struct CaptionStyle {
  CommonString styleId;
  CommonString fontId;
  u8 r = 0;
  u8 g = 0;
  u8 b = 0;
  u8 effect = 0;
  CBitmapFontText* font = nullptr;

  // The style named by the description (else the layout's default), then its given colour and effect.
  void Apply(CAppUI* app, const TextDesc& text);
};

class XButton : public XImage {
public:
  XButton(CXElement* parent, TTemplate* tmpl, TWidget* tw, WidgetContext* context);
  ~XButton() override;

  void Draw() override;
  int NotifyKeyEvent(int key, int state) override;
  int NotifyPointerEvent(int x, int y, int type) override;
  bool Contains(int x, int y) override;
  bool IsEnabled() override { return m_bEnabled; }
  bool IsButton() override { return true; }
  int GetSoftKeyId() override { return m_nSoftKey; }
  void CancelActiveState() override { m_bPressed = 0; }
  int OnInitWidget() override;
  int IsInteractive() override { return 1; }
  int IsButtonWidget() override { return 1; }
  TCoord2D GetSize() override;

  // The state frame that sizes and hit-tests the button.
  int CalcCurrentSprite();
  // Invisible or fading buttons take no input.
  bool TakesInput();
  TCoord2D Centre();
  // A release inside the widget after a press on it: a button sends its command.
  virtual void OnClick();

  CommonString m_Caption;
  CaptionStyle m_Style;
  s8 m_nSoftKey = 0;
  s8 m_nStateFrames = 3;
  u8 m_bPressed = 0;
  u8 m_bEnabled = 1;
};

class XCheckBox : public XButton {
public:
  XCheckBox(CXElement* parent, TTemplate* tmpl, TWidget* tw, WidgetContext* context);
  ~XCheckBox() override;

  void Draw() override;
  int NotifyKeyEvent(int key, int state) override;
  bool Contains(int x, int y) override;
  int OnInitWidget() override;
  TCoord2D GetSize() override;
  // A check box toggles instead.
  void OnClick() override { Toggle(); }
  // Sets the state without a message.
  virtual void Check(bool checked) { m_bChecked = checked; }

  int CalcTextOffset();
  void Toggle();

  u8 m_bChecked = 0;
  ContainedSpriteSet m_CheckedImage;
  u8 m_nTextAlign = 1; // 1 beside the box, else centred on the widget
  s16 m_nTextOffset = -10000;
};
