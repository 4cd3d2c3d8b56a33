// The template-built widget: placement, alignment, fades and opacity.
#include "xwidget.h"

#include "app_ui.h"
#include "loc_manager.h"
#include "ui_template.h"

XWidget* AsWidget(CXElement* element) {
  return element && element->IsWidget() ? dynamic_cast<XWidget*>(element) : nullptr;
}

XWidget::XWidget(CXElement* parent, TTemplate* tmpl, TWidget* tw, WidgetContext* context)
    : CXElement(parent, nullptr), m_pTemplate(tmpl), m_pTWidget(tw) {
  if (context) m_Context = *context;
  if (m_Context.name.IsEmpty() && tw) m_Context.name = tw->name;
}

XWidget::~XWidget() {
  if (m_bOwnsTWidget) delete m_pTWidget;
  m_pTWidget = nullptr;
}

// --- frames and fades ---

int64_t XWidget::FramesFor(FIXED_FLOAT seconds) {
  int64_t fps = m_pApp ? m_pApp->m_nFps : 0;
  return ((int64_t)seconds * (fps << 8)) >> 8;
}

FIXED_FLOAT XWidget::FadeStepFor(FIXED_FLOAT seconds) {
  if (seconds <= 0) return XWIDGET_OPAQUE;
  // In steps of 1/16 frame; shorter than that, or a step that rounds to 0, is one frame.
  int64_t sixteenths = FramesFor(seconds) >> 4;
  if (sixteenths <= 0) return XWIDGET_OPAQUE;
  int64_t step = ((int64_t)XWIDGET_OPAQUE << 4) / sixteenths;
  return step > 0 ? (FIXED_FLOAT)step : XWIDGET_OPAQUE;
}

int XWidget::OnInitWidget() {
  InitWidgetPosition();
  if (IsRoot()) return 1;
  if (m_Context.fadeIn) {
    m_bFadeIn = true;
    m_nFadeInStart = (int)(FramesFor(m_Context.fadeInDelay) >> 8);
    m_nFadeInStep = FadeStepFor(m_Context.fadeInDuration);
  }
  if (m_Context.fadeOut) {
    m_bFadeOut = true;
    m_nFadeOutStart = (int)(FramesFor(m_Context.fadeOutDelay) >> 8);
    if (m_nFadeOutStart > 0 && m_nFadeOutStart < m_nFadeInStart) m_nFadeOutStart = m_nFadeInStart;
    m_nFadeOutStep = FadeStepFor(m_Context.fadeOutDuration);
  }
  m_nOpacity = m_bFadeIn ? 0 : XWIDGET_OPAQUE;
  RecalcTotalOpacity();
  return 1;
}

void XWidget::RunProcess() {
  m_nFrameCounter++;
  ProcessFadeInOutEffect();
}

bool XWidget::IsFadingOut() {
  return m_bFadeOut && m_nFadeOutStart >= 0 && m_nFrameCounter >= m_nFadeOutStart;
}

bool XWidget::IsFadingIn() {
  return !IsFadingOut() && m_bFadeIn && m_nFrameCounter >= m_nFadeInStart && m_nOpacity < XWIDGET_OPAQUE;
}

void XWidget::ProcessFadeInOutEffect() {
  if (IsFadingOut()) {
    // Marked one step after the opacity reached 0.
    if (m_nOpacity >= 1) {
      FIXED_FLOAT o = m_nOpacity - m_nFadeOutStep;
      ApplyOpacity(o > 0 ? o : 0);
    } else {
      m_bDestroyPending = true;
    }
  } else if (IsFadingIn()) {
    FIXED_FLOAT o = m_nOpacity + m_nFadeInStep;
    ApplyOpacity(o < XWIDGET_OPAQUE ? o : XWIDGET_OPAQUE);
  }
}

void XWidget::SheduleCreateWithEffect(FIXED_FLOAT delay, FIXED_FLOAT duration) {
  if (delay == 0 && duration == 0) return;
  m_bFadeIn = true;
  m_nFadeInStart = m_nFrameCounter + (int)(FramesFor(delay) >> 8);
  m_nFadeInStep = FadeStepFor(duration);
  ApplyOpacity(duration > 0 ? 0 : XWIDGET_OPAQUE);
}

void XWidget::SheduleDestroyWithEffect(FIXED_FLOAT delay, FIXED_FLOAT duration) {
  if (delay == 0 && duration == 0) {
    m_bDestroyPending = true;
    return;
  }
  m_bFadeOut = true;
  m_nFadeOutStart = m_nFrameCounter + (int)(FramesFor(delay) >> 8);
  m_nFadeOutStep = FadeStepFor(duration);
}

bool XWidget::IsFadingNow() {
  if (IsFadingIn() || IsFadingOut()) return true;
  for (int i = 0; i < GetChildCount(); i++)
    if (XWidget* child = AsWidget(GetChildPtrAt(i)))
      if (child->IsFadingNow()) return true;
  return false;
}

bool XWidget::IsFadingThisOrParentNow() {
  for (XWidget* w = this; w; w = AsWidget(w->GetParent()))
    if (w->IsFadingIn() || w->IsFadingOut() || w->IsWaitingForFadeIn()) return true;
  return false;
}

bool XWidget::IsFadingOutThisOrParentNow() {
  for (XWidget* w = this; w; w = AsWidget(w->GetParent())) {
    if (w->IsFadingOut()) return true;
    if (w->IsFadingIn() || w->IsWaitingForFadeIn()) return false;
  }
  return false;
}

bool XWidget::IsFadingInThisOrParentNow() {
  for (XWidget* w = this; w; w = AsWidget(w->GetParent())) {
    if (w->IsFadingOut()) return false;
    if (w->IsFadingIn() || w->IsWaitingForFadeIn()) return true;
  }
  return false;
}

// --- opacity ---

void XWidget::RecalcTotalOpacity() {
  XWidget* parent = AsWidget(GetParent());
  if (IsRoot() || IsGroupWidget() || !parent) {
    m_nTotalOpacity = m_nOpacity;
    return;
  }
  FIXED_FLOAT parentTotal = parent->GetOpacity();
  if (parentTotal == XWIDGET_OPAQUE)
    m_nTotalOpacity = m_nOpacity;
  else
    m_nTotalOpacity = (FIXED_FLOAT)(((int64_t)m_nOpacity * parentTotal) >> 16);
}

void XWidget::ApplyOpacity(FIXED_FLOAT opacity) {
  m_nOpacity = opacity;
  RecalcTotalOpacity();
  for (int i = 0; i < GetChildCount(); i++)
    if (XWidget* child = AsWidget(GetChildPtrAt(i))) child->RecalcTotalOpacity();
}

void XWidget::ApplySimilarOpacityToAllChildren(FIXED_FLOAT opacity) {
  m_nOpacity = opacity;
  RecalcTotalOpacity();
  for (int i = 0; i < GetChildCount(); i++)
    if (XWidget* child = AsWidget(GetChildPtrAt(i))) child->ApplySimilarOpacityToAllChildren(opacity);
}

// --- placement ---

int XWidget::InitWidgetPosition() {
  m_Align[0] = m_Context.alignX;
  m_Align[1] = m_Context.alignY;
  m_Align[2] = m_Context.alignXInParent;
  m_Align[3] = m_Context.alignYInParent;
  if (IsRoot()) {
    m_nX = m_nY = 0;
  } else {
    TCoord2D origin{0, 0};
    if (XWidget* parent = AsWidget(GetParent()))
      origin = parent->GetOrigin();
    else if (GetParent())
      origin = TCoord2D{GetParent()->GetPosition().x, GetParent()->GetPosition().y};
    m_nX = m_Context.x + origin.x;
    m_nY = m_Context.y + origin.y;
  }
  int w = m_pTWidget ? m_pTWidget->width : 0, h = m_pTWidget ? m_pTWidget->height : 0;
  m_nWidth = w > 1 ? w : 1;
  m_nHeight = h > 1 ? h : 1;
  return IsRoot();
}

static int AlignShift(u8 align, int size) {
  return align == ALIGN_CENTER ? size >> 1 : align == ALIGN_FAR ? size : 0;
}

void XWidget::ApplyAlignType() {
  if (!IsRoot()) {
    TCoord2D size = GetSize();
    int dx = AlignShift(m_Align[0], size.x), dy = AlignShift(m_Align[1], size.y);
    if (CXElement* parent = GetParent()) {
      XWidget* pw = AsWidget(parent);
      TCoord2D psize = pw ? pw->GetSize() : parent->GetOriginalSize();
      dx -= AlignShift(m_Align[2], psize.x);
      dy -= AlignShift(m_Align[3], psize.y);
    }
    OffsetWidgetPosition(-dx, -dy);
  }
  for (int i = 0; i < GetChildCount(); i++)
    if (XWidget* child = AsWidget(GetChildPtrAt(i))) child->ApplyAlignType();
}

void XWidget::ReInitWidgetPosition() {
  InitWidgetPosition();
  ApplyAlignType();
}

void XWidget::OffsetWidgetPosition(int dx, int dy) {
  m_nX += dx;
  m_nY += dy;
}

TCoord2D XWidget::GetOrigin() { return TCoord2D{m_nX, m_nY}; }

TCoord2D XWidget::GetSize() { return TCoord2D{m_nWidth, m_nHeight}; }

TCoordRect2D XWidget::GetDrawingRect() {
  TCoord2D origin = GetOrigin(), size = GetSize();
  return TCoordRect2D{origin.x, origin.y, size.x, size.y};
}

// --- the tree ---

void XWidget::Hide() {
  m_bVisible = false;
  if (CXElement* parent = GetParent())
    if (parent->GetActiveObjectPtr() == this) parent->SetNextActiveObject(4);
}

void XWidget::DeleteAllChildWidgets() {
  for (int i = GetChildCount() - 1; i >= 0; i--) {
    CXElement* child = GetChildPtrAt(i);
    SAFE_FREE_XELEMENT(child);
  }
}

XWidget* XWidget::GetShoulderButton(int id) {
  for (int i = 0; i < GetChildCount(); i++) {
    XWidget* w = AsWidget(GetChildPtrAt(i));
    if (!w || !w->IsVisible() || !w->IsButtonWidget()) continue;
    // Buttons and check boxes keep their description's shoulder setting.
    TButton* button = dynamic_cast<TButton*>(w->m_pTWidget);
    if (button && button->shoulder == id) return w;
  }
  return nullptr;
}

XWidget* XWidget::FindChildWithWidgetId(const char* name) {
  if (!name) return nullptr;
  if (m_pTWidget && m_pTWidget->name.IsEqual(name)) return this;
  for (int i = 0; i < GetChildCount(); i++)
    if (XWidget* child = AsWidget(GetChildPtrAt(i)))
      if (XWidget* found = child->FindChildWithWidgetId(name)) return found;
  return nullptr;
}

void XWidget::GetLocalizedCaption(CommonString& caption) {
  if (!m_pApp || !m_pApp->m_pLocManager || !m_pTWidget || m_pTWidget->txtid.IsEmpty()) return;
  caption = m_pApp->m_pLocManager->LoadString(m_pTWidget->txtid.GetData());
}

const char* XWidget::Id2WParam() { return m_pTWidget ? m_pTWidget->name.c_str() : ""; }
