// The UI element base: tree bookkeeping, pointer and key dispatch, focus traversal, messages,
// and the fast fade of the double buffer.
#include "xelement.h"

#include "app_ui.h"
#include "dib_bitmap.h"
#include "quellar_utils.h"

// Pointer types 1 down, 2 up, 3 move; key states 1 pressed, 0 released; keys 1 and 3 move focus
// backwards, 2 and 4 forwards, 5 activates.
static const int kKeyPressed = 1;
static const int kKeyActivate = 5;

CXElement::CXElement(CXElement* parent, CAppUI* app)
    : m_pParent(parent), m_pApp(app ? app : (parent ? parent->m_pApp : nullptr)), m_pSavedMsgTarget(parent) {
  if (parent) {
    parent->AddChild(this);
    parent->SetFocus(this);
  }
}

CXElement::~CXElement() {
  if (m_pParent) m_pParent->RemoveChild(this);
  // The application object clears its own pointer before its element part goes.
  if (m_pApp && m_pApp->XGetCapture() == this) m_pApp->XReleaseCapture();
  // Children outliving us must not reach back into freed memory.
  for (int i = 0; i < m_Children.GetSize(); i++) {
    CXElement* child = m_Children.GetAt(i);
    if (child && child->m_pParent == this) {
      child->m_pParent = nullptr;
      if (child->m_pSavedMsgTarget == this) child->m_pSavedMsgTarget = nullptr;
    }
  }
}

void CXElement::Draw() {
  if (!m_bVisible) return;
  for (int i = 0; i < m_Children.GetSize(); i++) {
    CXElement* child = m_Children.GetAt(i);
    if (child && child->IsVisible()) child->Draw();
  }
}

void CXElement::Show() {
  m_bVisible = true;
  for (int i = 0; i < m_Children.GetSize(); i++) {
    CXElement* child = m_Children.GetAt(i);
    if (child) child->Show();
  }
}

void CXElement::Hide() {
  m_bVisible = false;
  if (m_pParent && m_pParent->m_pActive == this) m_pParent->m_pActive = nullptr;
}

void CXElement::Destroy() {
  Hide();
  if (m_pParent) m_pParent->RemoveChild(this);
  m_pParent = nullptr;
}

int CXElement::NotifyKeyEvent(int key, int state) {
  if (!m_bVisible || !m_pActive) return 0;
  return m_pActive->NotifyKeyEvent(key, state);
}

CXElement* CXElement::FindPointerTarget(int x, int y, bool& blocked) {
  blocked = false;
  for (int i = m_Children.GetSize() - 1; i >= 0; i--) {
    CXElement* child = m_Children.GetAt(i);
    if (!child) continue;
    if (child->IsVisible() && child->Contains(x, y)) return child;
    // A modal child shields everything below it, even while hidden.
    if (child->IsModal()) {
      blocked = true;
      return nullptr;
    }
  }
  return nullptr;
}

int CXElement::NotifyPointerEvent(int x, int y, int type) {
  if (!m_bVisible) return 0;
  bool blocked;
  CXElement* hit = FindPointerTarget(x, y, blocked);
  if (!hit) return blocked ? 1 : 0;
  m_pActive = hit;
  hit->NotifyPointerEvent(x, y, type);
  return 1;
}

int CXElement::NotifyMultiTouchPointerEvent(int x, int y, int type, int touch) {
  if (!m_bVisible) return 0;
  bool blocked;
  CXElement* hit = FindPointerTarget(x, y, blocked);
  if (!hit) return blocked ? 1 : 0;
  hit->NotifyMultiTouchPointerEvent(x, y, type, touch);
  return 1;
}

void CXElement::AddChild(CXElement* child) {
  if (child) m_Children.Add(child);
}

void CXElement::RemoveChildAt(int index) {
  InvalidateAll();
  if (index < 0 || index >= m_Children.GetSize()) return;
  if (m_Children.GetAt(index) == m_pActive) m_pActive = nullptr;
  m_Children.RemoveAt(index);
}

void CXElement::RemoveChild(CXElement* child) {
  InvalidateAll();
  int index = m_Children.Find(child);
  if (index >= 0) RemoveChildAt(index);
}

void CXElement::SetFocus(CXElement* element) {
  m_pActive = element;
  if (element) element->OnSetFocus();
}

void CXElement::SetPosition(int x, int y, int width, int height) {
  m_nX = x;
  m_nY = y;
  m_nWidth = width;
  m_nHeight = height;
}

TCoordRect2D CXElement::GetPosition() { return TCoordRect2D{m_nX, m_nY, m_nWidth, m_nHeight}; }

TCoord2D CXElement::GetOriginalSize() { return TCoord2D{m_nWidth, m_nHeight}; }

bool CXElement::Contains(int x, int y) {
  TCoordRect2D rect = GetPosition();
  return PtInRect(x, y, &rect);
}

int CXElement::SetNextActiveObject(int key) { return MoveFocus(1, key); }

int CXElement::SetPrevActiveObject(int key) { return MoveFocus(-1, key); }

int CXElement::MoveFocus(int step, int key) {
  int count = m_Children.GetSize();
  if (!m_pActive) {
    if (count == 0) return 1;
    m_pActive = m_Children.GetAt(0);
  }
  CXElement* start = m_pActive;
  if (start && start->Type() == XTYPE_FOCUS_GROUP) {
    int moved = step > 0 ? start->SetNextActiveObject(key) : start->SetPrevActiveObject(key);
    if (moved) return 1;
  }
  if (count < 2) return 0;
  int index = m_Children.Find(start);
  // At most one lap: the start may even be missing from the list.
  for (int tried = 0; tried < count; tried++) {
    index = ((index + step) % count + count) % count;
    CXElement* candidate = m_Children.GetAt(index);
    if (candidate == start) break;
    if (!candidate) continue;
    SetFocus(candidate);
    int type = candidate->Type();
    if (type == XTYPE_SKIP_FOCUS || type == XTYPE_SOFTKEY_SKIP) continue;
    if (candidate->IsVisible()) return 1;
  }
  // Nothing to move to: focus stays where it was.
  m_pActive = start;
  return 0;
}

int CXElement::SendMessage(CXElement* target, int message, intptr_t p1, intptr_t p2, bool) {
  CXElement* to = target ? target : m_pParent;
  if (!to) return 0;
  return to->OnMessage(this, message, p1, p2);
}

int CXElement::OnMessage(CXElement* sender, int message, intptr_t p1, intptr_t p2) {
  if (!m_pParent) return 0;
  return m_pParent->OnMessage(sender, message, p1, p2);
}

void CXElement::SetSlideState(int state) {
  m_nSlideState = state;
  m_nSlideCounter = state != 0 ? 1 : 0;
}

int CXElement::ProcessSlideState() {
  if (m_nSlideState == 1) {
    m_nSlideCounter--;
    if (m_nSlideCounter <= 0) SetSlideState(0);
  } else if (m_nSlideState == 2) {
    if (m_nSlideCounter > 0) m_nSlideCounter--;
  }
  return 0;
}

CXElement* CXElement::FindModalChild() {
  for (int i = m_Children.GetSize() - 1; i >= 0; i--) {
    CXElement* child = m_Children.GetAt(i);
    if (child && child->IsModal() && child->IsVisible()) return child;
  }
  return nullptr;
}

bool CXElement::ContatinsChild(CXElement* element) { return element && m_Children.Find(element) >= 0; }

CXElement* CXElement::GetStandardButton(int id) {
  if (id != 1 && id != 2) return nullptr;
  for (int i = 0; i < m_Children.GetSize(); i++) {
    CXElement* child = m_Children.GetAt(i);
    if (child && child->IsButton() && child->GetSoftKeyId() == id) return child;
  }
  return nullptr;
}

void CXElement::SetupSavedMessage(CXElement* target, int message, intptr_t p1, intptr_t p2, bool flag) {
  m_pSavedMsgTarget = target;
  m_nSavedMsg = message;
  m_nSavedMsgP1 = p1;
  m_nSavedMsgP2 = p2;
  m_bSavedMsgFlag = flag;
}

void CXElement::SendSavedMessage() {
  if (m_nSavedMsg != 0)
    SendMessage(m_pSavedMsgTarget, m_nSavedMsg, m_nSavedMsgP1, m_nSavedMsgP2, m_bSavedMsgFlag);
}

int CXElement::NotifyKeyEventDialogHelper(int key, int state) {
  if (CXElement* modal = FindModalChild()) return modal->NotifyKeyEvent(key, state);
  if (m_pActive && m_pActive->Type() == XTYPE_TAKES_KEYS && m_pActive->NotifyKeyEvent(key, state)) return 1;
  if (state == kKeyPressed) {
    if ((key == 4 || key == 2) && SetNextActiveObject(key)) return 1;
    if ((key == 3 || key == 1) && SetPrevActiveObject(key)) return 1;
  }

  CXElement* button = nullptr;
  if (key == kKeyActivate && m_Children.GetSize() < 3) {
    // A lone yes button beside its soft-key partner answers the action key.
    CXElement* yes = GetStandardButton(m_nYesSoftKeyId);
    if (yes) {
      CXElement* other = m_Children.GetAt(0) == yes ? m_Children.GetAt(1) : m_Children.GetAt(0);
      if (other && (other->Type() == XTYPE_SOFTKEY_SKIP || other->Type() == XTYPE_SOFTKEY)) button = yes;
    }
  }
  if (m_pApp) {
    if (m_pApp->LastKeyCodeIsSmartphoneYes()) button = GetStandardButton(m_nYesSoftKeyId);
    if (m_pApp->LastKeyCodeIsSmartphoneNo()) button = GetStandardButton(m_nNoSoftKeyId);
  }

  if (button) {
    if (m_pApp && m_pApp->IsKeyLocked(kKeyActivate)) {
      if (state != kKeyPressed) m_pApp->UnLockKeys();
      return 1;
    }
    m_pActive = button;
    if (button->NotifyKeyEvent(kKeyActivate, state)) return 1;
  }
  return CXElement::NotifyKeyEvent(key, state);
}

void CXElement::DrawFastFadeDoubleBufferToBlack(int level) {
  IDibBitmap* buffer = m_pApp ? m_pApp->GetDoubleBuffer() : nullptr;
  if (!buffer || buffer->GetBitsPerPixel() != 16 || buffer->GetBytesPerPixel() != 2 ||
      !buffer->HasPixelsInRAM())
    return;
  // Outside 0..256 a channel would spill into its neighbour.
  if (level < 0) level = 0;
  if (level > 256) level = 256;
  u16* pixel = (u16*)buffer->GetBits();
  int count = buffer->GetStoredWidth() * buffer->GetStoredHeight();
  for (int i = 0; i < count; i++) {
    u32 p = pixel[i];
    u32 r = (((p >> 11) & 0x1F) * (u32)level) >> 8;
    u32 g = (((p >> 5) & 0x3F) * (u32)level) >> 8;
    u32 b = ((p & 0x1F) * (u32)level) >> 8;
    pixel[i] = (u16)((r << 11) | (g << 5) | b);
  }
}
