// XWidget: the template-built UI element. It is placed from its description and placement
// relative to its parent, fades in and out over frames, and draws with the opacity it and its
// parents give it.
#pragma once

#include <cstdint>

#include "common_string.h"
#include "quellar_types.h"
#include "template_records.h"
#include "xelement.h"

class TTemplate;
class TWidget;

// UI messages; p1 is the name text of the widget concerned (valid during the call), p2 0 unless
// said otherwise. XMSG_COMMAND (600) is in template_records.h.
enum {
  XMSG_PRESSED = 601,
  XMSG_TUNER_CHANGED = 602, // p2 the value
  XMSG_TUNER_DRAGGED = 603, // p2 the value
  XMSG_CHECKBOX_TOGGLED = 604,
  XMSG_ACTION_DONE = 605,      // p1 the action's name
  XMSG_WIDGET_DESTROYED = 606, // p1 the deleted widget's template name
  XMSG_DIALOG_SHOWN = 607,     // p1 the dialog's template name
};

// The text a message parameter carries.
inline const char* XMessageText(intptr_t p) { return reinterpret_cast<const char*>(p); }

// Opacity is FIXED_FLOAT: 0 transparent, 0xFF00 (255.0) opaque.
enum { XWIDGET_OPAQUE = 0xFF00 };

class XWidget : public CXElement {
public:
  // The placement is copied; without one (or with an unnamed one) the name is the description's.
  XWidget(CXElement* parent, TTemplate* tmpl, TWidget* tw, WidgetContext* context);
  // Deletes the description when the widget owns it.
  ~XWidget() override;

  // --- element overrides ---
  void RunProcess() override;
  void Hide() override;
  int SetNextActiveObject(int) override { return 0; }
  int SetPrevActiveObject(int) override { return 0; }
  bool IsWidget() override { return true; }

  // --- widget operations, in slot order ---
  // Places the widget and arms its fades: 1, or 0 when it cannot be set up.
  virtual int OnInitWidget();
  virtual int IsInteractive() { return 0; }
  virtual int IsButtonWidget() { return 0; }
  virtual int IsGroupWidget() { return 0; }
  virtual int IsRoot() { return 0; }
  // From the placement and the parent's origin; the size from the description, at least 1.
  virtual int InitWidgetPosition();
  virtual void OffsetWidgetPosition(int dx, int dy);
  virtual TCoord2D GetOrigin();
  virtual TCoord2D GetSize();
  virtual TCoordRect2D GetDrawingRect();
  virtual bool IsFadingIn();
  virtual bool IsFadingOut();
  virtual void ProcessFadeInOutEffect();
  virtual void ApplyOpacity(FIXED_FLOAT opacity);
  // The total opacity, the one drawing uses.
  virtual FIXED_FLOAT GetOpacity() { return m_nTotalOpacity; }
  virtual void ApplySimilarOpacityToAllChildren(FIXED_FLOAT opacity);
  virtual void ReInitWidgetPosition();
  virtual void DeleteAllChildWidgets();

  // Shifts by the own and in-parent alignment, then aligns every child widget; roots stay.
  void ApplyAlignType();
  void RecalcTotalOpacity();
  // Fading in or out, or some widget below is.
  bool IsFadingNow();
  // This widget or one above it fades or waits for a fade-in: such widgets get no input.
  bool IsFadingThisOrParentNow();
  bool IsFadingOutThisOrParentNow();
  bool IsFadingInThisOrParentNow();
  // Waiting for a scheduled fade-in.
  bool IsWaitingForFadeIn() { return m_bFadeIn && m_nFrameCounter < m_nFadeInStart; }
  // Times in seconds; both 0 creates at once, or destroys at the parent's next step.
  void SheduleCreateWithEffect(FIXED_FLOAT delay, FIXED_FLOAT duration);
  void SheduleDestroyWithEffect(FIXED_FLOAT delay, FIXED_FLOAT duration);
  // The first visible button child whose description's shoulder setting is id.
  XWidget* GetShoulderButton(int id);
  // This widget or the first below it (depth first) whose description has that name.
  XWidget* FindChildWithWidgetId(const char* name);
  void GetLocalizedCaption(CommonString& caption);
  // The description's name: p1 of the messages the widget sends.
  const char* Id2WParam();

  TWidget* GetTWidget() { return m_pTWidget; }
  TTemplate* GetTemplate() { return m_pTemplate; }
  bool IsDestroyPending() { return m_bDestroyPending; }
  int GetFrameCounter() { return m_nFrameCounter; }
  FIXED_FLOAT GetOwnOpacity() { return m_nOpacity; }

  // A FIXED_FLOAT number of frames for a time in seconds at the application's frame rate.
  int64_t FramesFor(FIXED_FLOAT seconds);
  // The per-frame opacity step of a fade lasting that long; opaque at once when very short.
  FIXED_FLOAT FadeStepFor(FIXED_FLOAT seconds);

  bool m_bDestroyPending = false;
  TTemplate* m_pTemplate;
  TWidget* m_pTWidget;
  WidgetContext m_Context;
  bool m_bOwnsTWidget = false;
  int m_nFrameCounter = 0;
  FIXED_FLOAT m_nOpacity = XWIDGET_OPAQUE;
  FIXED_FLOAT m_nTotalOpacity = XWIDGET_OPAQUE;
  bool m_bFadeIn = false;
  int m_nFadeInStart = 0;
  FIXED_FLOAT m_nFadeInStep = 0;
  bool m_bFadeOut = false;
  int m_nFadeOutStart = 0;
  FIXED_FLOAT m_nFadeOutStep = 0;
  // Own X, own Y, X in parent, Y in parent.
  u8 m_Align[4] = {};
};

// The element as a widget, or null.
XWidget* AsWidget(CXElement* element);
