// The dialog: children from the template, size, background, drawing, input routing and focus.
#include "xdialog.h"

#include <cstdio>
#include <new>

#include "app_ui.h"
#include "dib_bitmap.h"
#include "ui_template.h"
#include "widget_progress.h"
#include "widget_text.h"
#include "widget_tuner.h"

// Every type but the root, which XRoot makes itself.
bool HasLiveWidgetClass(int type) { return type > WIDGET_TYPE_ROOT && type < WIDGET_TYPE_COUNT; }

XDialog::XDialog(CXElement* parent, TTemplate* tmpl, TWidget* tw, WidgetContext* context)
    : XWidget(parent, tmpl, tw, context) {}

XDialog::~XDialog() { XDialog::DeleteAllChildWidgets(); }

TDialog* XDialog::GetTDialog() { return dynamic_cast<TDialog*>(m_pTWidget); }

// --- children from the template ---

TemplateBuild::TemplateBuild(XDialog* dialog) : m_pOwner(dialog->TreeBuilder()) {
  if (m_pOwner) return;
  m_pOwner = dialog;
  m_bOutermost = true;
  dialog->m_bBuildingTree = true;
  dialog->m_nWidgetsBuilt = 0;
}

TemplateBuild::~TemplateBuild() {
  if (m_bOutermost) m_pOwner->m_bBuildingTree = false;
}

bool TemplateBuild::Take(const char* name) {
  if (m_pOwner->m_nWidgetsBuilt > TEMPLATE_MAX_WIDGETS) return false;
  if (++m_pOwner->m_nWidgetsBuilt <= TEMPLATE_MAX_WIDGETS) return true;
  fprintf(stderr, "template: \"%s\" would make more than %d widgets; not built\n", name,
          (int)TEMPLATE_MAX_WIDGETS);
  return false;
}

XDialog* XDialog::TreeBuilder() {
  for (XWidget* w = this; w; w = AsWidget(w->GetParent())) {
    XDialog* d = w->IsGroupWidget() ? dynamic_cast<XDialog*>(w) : nullptr;
    if (d && d->m_bBuildingTree) return d;
  }
  return nullptr;
}

XWidget* XDialog::CreateAndInitChild(TWidget* tw, WidgetContext* context) {
  if (!tw) return nullptr;
  if (!HasLiveWidgetClass(tw->type)) {
    fprintf(stderr, "template: \"%s\" is %s and cannot be placed in \"%s\"; not built\n", tw->name.c_str(),
            tw->type == WIDGET_TYPE_ROOT ? "a root" : "of no widget type",
            m_pTWidget ? m_pTWidget->name.c_str() : "");
    return nullptr;
  }
  TemplateBuild build(this);
  if (!MayHoldChild(tw) || !build.Take(tw->name.c_str())) return nullptr;
  XWidget* child = nullptr;
  switch (tw->type) {
  case WIDGET_TYPE_IMAGE:
    child = new (std::nothrow) XImage(this, m_pTemplate, tw, context);
    break;
  case WIDGET_TYPE_TEXT:
    child = new (std::nothrow) XText(this, m_pTemplate, tw, context);
    break;
  case WIDGET_TYPE_BUTTON:
    child = new (std::nothrow) XButton(this, m_pTemplate, tw, context);
    break;
  case WIDGET_TYPE_DIALOG:
    child = new (std::nothrow) XDialog(this, m_pTemplate, tw, context);
    break;
  case WIDGET_TYPE_PROGRESS:
    child = new (std::nothrow) XProgress(this, m_pTemplate, tw, context);
    break;
  case WIDGET_TYPE_TILED_BG:
    child = new (std::nothrow) XTiledBG(this, m_pTemplate, tw, context, m_nCenterTilesX, m_nCenterTilesY);
    break;
  case WIDGET_TYPE_TUNER:
    child = new (std::nothrow) XTuner(this, m_pTemplate, tw, context);
    break;
  case WIDGET_TYPE_TEXT_MULTI:
    child = new (std::nothrow) XTextMulti(this, m_pTemplate, tw, context);
    break;
  case WIDGET_TYPE_CHECKBOX:
    child = new (std::nothrow) XCheckBox(this, m_pTemplate, tw, context);
    break;
  case WIDGET_TYPE_TEXT_INFO:
    child = new (std::nothrow) XTextInfo(this, m_pTemplate, tw, context);
    break;
  default:
    return nullptr; // roots are made by XRoot
  }
  if (!child) return nullptr;
  if (!child->OnInitWidget()) {
    delete child;
    return nullptr;
  }
  return child;
}

// A template whose dialog holds itself, or nests too deep, would build without end: refused.
bool XDialog::MayHoldChild(TWidget* tw) {
  int depth = 0;
  for (XWidget* w = this; w; w = AsWidget(w->GetParent())) {
    if (w->GetTWidget() == tw) {
      fprintf(stderr, "template: \"%s\" is placed inside itself; not built\n", tw->name.c_str());
      return false;
    }
    if (++depth >= TEMPLATE_MAX_NESTING) {
      fprintf(stderr, "template: \"%s\" nests deeper than %d widgets; not built\n", tw->name.c_str(),
              (int)TEMPLATE_MAX_NESTING);
      return false;
    }
  }
  return true;
}

int XDialog::CreateAndInitChildren() {
  TDialog* td = GetTDialog();
  if (!td) return 0;
  TemplateBuild build(this); // every widget below counts against this dialog's build
  if (!td->background.IsEmpty() && m_pTemplate) {
    TWidget* bg = m_pTemplate->GetWidget(td->background.c_str());
    if (bg) {
      m_pBackground = CreateAndInitChild(bg, nullptr);
      if (!m_pBackground) return 0;
    }
  }
  for (int i = 0; i < td->group.children.GetSize(); i++) {
    WidgetContext* context = td->group.children.GetAt(i);
    TWidget* tw = context && m_pTemplate ? m_pTemplate->GetWidget(context->name.c_str()) : nullptr;
    // Placements of widgets the template lacks are skipped; one that cannot be built (a root among
    // them) fails the dialog.
    if (!tw) continue;
    if (!CreateAndInitChild(tw, context)) return 0;
  }
  if (IsRoot())
    ApplyAlignType();
  else
    ApplyOpacity(m_nOpacity);
  return 1;
}

int XDialog::OnInitWidget() {
  XWidget::OnInitWidget();
  if (TDialog* td = GetTDialog()) {
    m_nCenterTilesX = td->bgCenterTilesX;
    m_nCenterTilesY = td->bgCenterTilesY;
    m_nSizeMethod = td->size_method;
  }
  if (!CreateAndInitChildren()) return 0;
  TCoord2D size = GetSize();
  m_nWidth = size.x;
  m_nHeight = size.y;
  InitDefaultBackground();
  m_pActive = nullptr;
  TDialog* td = GetTDialog();
  m_nHitTestMode = td ? td->modal : (u8)DIALOG_MODAL_ALL;
  if (m_nHitTestMode == DIALOG_MODAL_ALL) SetModal(true);
  if (CXElement* modal = FindModalChild())
    m_pActive = modal;
  else
    SetNextActiveObject(4);
  SendMessage(GetParent(), XMSG_DIALOG_SHOWN, (intptr_t)Id2WParam(), 0, false);
  return 1;
}

int XDialog::InitDefaultBackground() {
  if (!m_pTWidget) return 0;
  TDialog* td = GetTDialog();
  m_bBackgroundColor = td && td->hasColor;
  if (m_bBackgroundColor) {
    m_nBackgroundR = td->colorR;
    m_nBackgroundG = td->colorG;
    m_nBackgroundB = td->colorB;
  }
  return 1;
}

void XDialog::DeleteAllChildWidgets() {
  m_pBackground = nullptr;
  XWidget::DeleteAllChildWidgets();
}

// --- geometry and opacity ---

TCoord2D XDialog::GetSize() {
  TCoord2D size{m_nWidth, m_nHeight};
  IDibBitmap* buffer = m_pApp ? m_pApp->GetDoubleBuffer() : nullptr;
  bool fromBackground = m_nSizeMethod == 1 && m_pBackground;
  if (size.x < 2) {
    if (fromBackground)
      size.x = m_pBackground->GetSize().x;
    else if (buffer)
      size.x = buffer->GetWidth();
  }
  if (size.y < 2) {
    if (fromBackground)
      size.y = m_pBackground->GetSize().y;
    else if (buffer)
      size.y = buffer->GetHeight();
  }
  return size;
}

void XDialog::OffsetWidgetPosition(int dx, int dy) {
  XWidget::OffsetWidgetPosition(dx, dy);
  for (int i = 0; i < GetChildCount(); i++)
    if (XWidget* child = AsWidget(GetChildPtrAt(i))) child->OffsetWidgetPosition(dx, dy);
}

void XDialog::ApplyOpacity(FIXED_FLOAT opacity) {
  XWidget::ApplyOpacity(opacity);
  if (m_pBackground && m_pTWidget && m_pTWidget->type == WIDGET_TYPE_DIALOG)
    m_pBackground->ApplyOpacity(opacity);
}

bool XDialog::Contains(int x, int y) {
  if (m_nHitTestMode == DIALOG_MODAL_ALL) return true;
  // Right and bottom edges are outside, unlike PtInRect.
  if (m_nHitTestMode == DIALOG_MODAL_POSITION && x >= m_nX && x < m_nX + m_nWidth && y >= m_nY &&
      y < m_nY + m_nHeight)
    return true;
  for (int i = 0; i < GetChildCount(); i++) {
    CXElement* child = GetChildPtrAt(i);
    if (child && child->IsVisible() && child->Contains(x, y)) return true;
  }
  return false;
}

// --- drawing ---

void XDialog::DrawBackground() {
  if (!m_bBackgroundColor) return;
  IDibBitmap* buffer = m_pApp ? m_pApp->GetDoubleBuffer() : nullptr;
  if (!buffer) return;
  int bw = buffer->GetWidth(), bh = buffer->GetHeight();
  int x = m_nX, y = m_nY, w = m_nWidth, h = m_nHeight;
  if (w < 2) w = bw - x;
  if (h < 2) h = bh - y;
  if (x == 0 && y == 0 && w == bw && h == bh)
    buffer->ClearBitmap(m_nBackgroundR, m_nBackgroundG, m_nBackgroundB);
  else
    buffer->FillRectangle(x, y, w, h, m_nBackgroundR, m_nBackgroundG, m_nBackgroundB);
}

void XDialog::Draw() {
  DrawBackground();
  if (!IsVisible()) return;
  bool postDrawn = false;
  for (int i = 0; i < GetChildCount(); i++) {
    CXElement* child = GetChildPtrAt(i);
    if (!child) continue;
    if (!postDrawn && child->IsModal()) {
      PostDraw();
      postDrawn = true;
    }
    if (child->IsVisible()) child->Draw();
    if (child == m_pBackground) PreDraw();
  }
  if (!postDrawn) PostDraw();
}

void XDialog::DrawZOrder(CXElement* from, CXElement* to) {
  if (!IsVisible()) return;
  bool drawing = from == nullptr, postDrawn = false;
  for (int i = 0; i < GetChildCount(); i++) {
    CXElement* child = GetChildPtrAt(i);
    if (!child) continue;
    if (child == to) return;
    if (!postDrawn && child->IsModal()) {
      PostDraw();
      postDrawn = true;
    }
    if (child == from) drawing = true;
    if (!drawing) continue;
    if (child->IsVisible()) child->Draw();
    if (child == m_pBackground) PreDraw();
  }
  if (!postDrawn) PostDraw();
}

// --- the per-frame step ---

void XDialog::RunProcess() {
  XWidget::RunProcess();
  RunProcessChildren();
}

void XDialog::RunProcessChildren() {
  // From the last child to the first. A child's step may add or delete children: the walk goes on
  // from where the child that ran, or the one due next, now stands.
  for (int i = GetChildCount() - 1; i >= 0; i--) {
    CXElement* child = GetChildPtrAt(i);
    CXElement* next = GetChildPtrAt(i - 1);
    if (!child) continue;
    child->RunProcess();
    if (ContatinsChild(child)) {
      i = m_Children.Find(child);
      XWidget* w = AsWidget(child);
      if (w && w->IsDestroyPending()) {
        RemoveChild(w);
        CommonString name(w->GetTWidget() ? w->GetTWidget()->name : CommonString());
        delete w;
        SendMessage(this, XMSG_WIDGET_DESTROYED, (intptr_t)name.c_str(), 0, false);
      }
    } else if (next && ContatinsChild(next)) {
      i = m_Children.Find(next) + 1;
    } else if (i > GetChildCount()) {
      i = GetChildCount();
    }
  }
}

// --- input ---

int XDialog::NotifyPointerEvent(int x, int y, int type) { return NotifyPointerEventWidgetHelper(x, y, type); }

int XDialog::NotifyPointerEventWidgetHelper(int x, int y, int type) {
  if (!IsVisible()) return 0;
  if (CXElement* modal = FindModalChild()) {
    m_pActive = modal;
    modal->NotifyPointerEvent(x, y, type);
    return 1;
  }
  for (int i = GetChildCount() - 1; i >= 0; i--) {
    CXElement* child = GetChildPtrAt(i);
    if (!child || !child->IsVisible() || !(child->Contains(x, y) || child->IsModal())) continue;
    // A fading widget passes the event to the ones below it.
    XWidget* w = AsWidget(child);
    if (w && w->IsFadingThisOrParentNow()) continue;
    m_pActive = child;
    return child->NotifyPointerEvent(x, y, type);
  }
  return Contains(x, y) ? 1 : (IsModal() ? 1 : 0);
}

int XDialog::NotifyKeyEvent(int key, int state) { return NotifyKeyEventWidgetHelper(key, state); }

int XDialog::NotifyKeyEventWidgetHelper(int key, int state) {
  if (CXElement* modal = FindModalChild()) return modal->NotifyKeyEvent(key, state);
  if (state == 1) {
    if ((IsFadingOut() || IsFadingIn()) && key >= 1 && key <= 4) return 1;
    if (key == 4 || key == 2) {
      CancelPressedState(m_pActive);
      if (SetNextActiveObject(key)) return 1;
    } else if (key == 3 || key == 1) {
      CancelPressedState(m_pActive);
      if (SetPrevActiveObject(key)) return 1;
    }
  }
  XWidget* shoulder = nullptr;
  if (m_pApp) {
    if (m_pApp->LastKeyCodeIsSmartphoneYes()) shoulder = GetShoulderButton(1);
    if (m_pApp->LastKeyCodeIsSmartphoneNo()) shoulder = GetShoulderButton(2);
  }
  if (shoulder) {
    if (m_pApp->IsKeyLocked(5)) {
      if (state != 1) m_pApp->UnLockKeys();
      return 1;
    }
    if (!shoulder->IsFadingThisOrParentNow()) {
      m_pActive = shoulder;
      if (shoulder->NotifyKeyEvent(5, state)) return 1;
    }
  }
  return CXElement::NotifyKeyEvent(key, state);
}

void XDialog::CancelPressedState(CXElement* element) {
  if (element) element->CancelActiveState();
}

// --- focus ---

static bool TakesFocus(CXElement* element) {
  XWidget* w = AsWidget(element);
  return w && w->IsInteractive() && w->IsVisible();
}

int XDialog::SetNextActiveObject(int key) { return MoveFocus(1, key); }

int XDialog::SetPrevActiveObject(int key) { return MoveFocus(-1, key); }

int XDialog::MoveFocus(int step, int key) {
  int count = GetChildCount();
  if (!m_pActive) {
    if (count == 0) return 1;
    m_pActive = GetChildPtrAt(step > 0 ? count - 1 : 0);
  }
  CXElement* start = m_pActive;
  if (start && (step > 0 ? start->SetNextActiveObject(key) : start->SetPrevActiveObject(key))) return 1;
  int takers = 0;
  CXElement* taker = nullptr;
  for (int i = 0; i < count; i++)
    if (TakesFocus(GetChildPtrAt(i))) {
      takers++;
      taker = GetChildPtrAt(i);
    }
  if (takers == 1 && taker == start) return 1;
  return TraverseFrom(start, step);
}

int XDialog::TraverseFrom(CXElement* start, int step) {
  int count = GetChildCount();
  int index = m_Children.Find(start);
  // At most one lap: the start may even be missing from the list.
  for (int tried = 0; tried < count; tried++) {
    index = ((index + step) % count + count) % count;
    CXElement* candidate = GetChildPtrAt(index);
    if (candidate == start) break;
    if (!candidate) continue;
    m_pActive = candidate;
    candidate->OnSetFocus();
    if (TakesFocus(candidate)) return 1;
  }
  m_pActive = start;
  return 0;
}

void XDialog::RemoveChildAt(int index) {
  if (GetChildPtrAt(index) == m_pBackground) m_pBackground = nullptr;
  CXElement::RemoveChildAt(index);
  int count = GetChildCount();
  if (!m_pActive && count > 0) TraverseFrom(GetChildPtrAt(count - 1), 1);
}

// --- children by name and position ---

CXElement* XDialog::GetNextChildWidgetAfter(CXElement* element) {
  if (!element) return GetChildPtrAt(0);
  int index = m_Children.Find(element);
  return index < 0 ? nullptr : GetChildPtrAt(index + 1);
}

XWidget* XDialog::ChildDialogShown() {
  for (int i = 0; i < GetChildCount(); i++) {
    XWidget* w = AsWidget(GetChildPtrAt(i));
    if (w && w->GetTWidget() && w->GetTWidget()->type == WIDGET_TYPE_DIALOG) return w;
  }
  return nullptr;
}

int XDialog::GetChildWidgetContext(CommonString name, WidgetContext* out) {
  if (!out) return 0;
  XWidget* w = FindChildWithWidgetId(name.c_str());
  if (!w) return 0;
  *out = w->m_Context;
  return 1;
}

void XDialog::RemoveWidget(CommonString name) {
  if (XWidget* w = FindChildWithWidgetId(name.c_str())) RemoveChild(w);
}

void XDialog::RemoveAllWidgets() {
  TDialog* td = GetTDialog();
  if (!td) return;
  for (int i = 0; i < td->group.children.GetSize(); i++)
    if (WidgetContext* c = td->group.children.GetAt(i)) RemoveWidget(c->name);
}

TWidget* XDialog::GetTWidgetPtr(CommonString& name) {
  return m_pTemplate ? m_pTemplate->GetWidget(name.c_str()) : nullptr;
}
