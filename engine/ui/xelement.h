// CXElement, the base of every UI element and of the application object: children, focus,
// visibility, modality, a rectangle, events down the tree and messages up it.
#pragma once

#include <cstdint>

#include "quellar_array.h"
#include "quellar_types.h"

class CAppUI;

// Element type codes answered by Type().
enum {
  XTYPE_PLAIN = 0,
  XTYPE_TAKES_KEYS = 2,   // takes key events directly while active
  XTYPE_SKIP_FOCUS = 4,   // passed over by focus traversal
  XTYPE_FOCUS_GROUP = 5,  // focus traversal descends into it
  XTYPE_SOFTKEY_SKIP = 6, // soft-key partner, passed over by focus traversal
  XTYPE_SOFTKEY = 7,      // soft-key partner
};

class CXElement {
public:
  // Registers with the parent as its last child and its active child.
  CXElement(CXElement* parent, CAppUI* app);
  CXElement(const CXElement&) = delete;
  CXElement& operator=(const CXElement&) = delete;
  // Unregisters from the parent; children are not deleted (their parent pointer is cleared).
  virtual ~CXElement();

  virtual int OnInitElement() { return 1; }
  virtual int Type() { return XTYPE_PLAIN; }
  virtual void InvalidateAll() {}
  virtual void RunProcess() {}
  virtual void Draw();
  virtual void Show();
  virtual void Hide();
  // Detaches from the parent without deleting.
  virtual void Destroy();
  virtual int NotifyKeyEvent(int key, int state);
  virtual int NotifyPointerEvent(int x, int y, int type);
  virtual int NotifyMultiTouchPointerEvent(int x, int y, int type, int touch);
  virtual void AddChild(CXElement* child);
  virtual void RemoveChildAt(int index);
  virtual void RemoveChild(CXElement* child);
  virtual CXElement* GetChildPtrAt(int index) { return m_Children.GetAt(index); }
  virtual void SetFocus(CXElement* element);
  virtual void OnSetFocus() {}
  virtual CXElement* GetActiveObjectPtr() { return m_pActive; }
  virtual void SetPosition(int x, int y, int width, int height);
  virtual TCoordRect2D GetPosition();
  virtual TCoord2D GetOriginalSize();
  virtual bool Contains(int x, int y);
  virtual int SetNextActiveObject(int key);
  virtual int SetPrevActiveObject(int key);
  // To the target's OnMessage, or the parent's when target is null; flag is not passed on.
  // The parameters are pointer-sized: widgets send their name text as p1.
  virtual int SendMessage(CXElement* target, int message, intptr_t p1, intptr_t p2, bool flag);
  // Bubbles to the parent; the application object ends the chain.
  virtual int OnMessage(CXElement* sender, int message, intptr_t p1, intptr_t p2);
  virtual void SetModal(bool modal) { m_bModal = modal; }
  virtual bool IsModal() { return m_bModal; }
  virtual bool IsVisible() { return m_bVisible; }
  virtual bool IsEnabled() { return true; }
  virtual bool IsButton() { return false; }
  virtual int GetSoftKeyId() { return 0; }
  virtual bool IsWidget() { return false; }
  virtual void CancelActiveState() {}
  virtual void SetSlideState(int state);
  virtual int ProcessSlideState();

  // The topmost child that is modal and visible, or null.
  CXElement* FindModalChild();
  // Direct children only.
  bool ContatinsChild(CXElement* element);
  // The first button child with soft-key id 1 (yes) or 2 (no).
  CXElement* GetStandardButton(int id);
  void SetupSavedMessage(CXElement* target, int message, intptr_t p1, intptr_t p2, bool flag);
  void SendSavedMessage();
  int NotifyKeyEventDialogHelper(int key, int state);
  // Scales every channel of the 16-bit double buffer by level / 256 (0 black, 256 unchanged).
  void DrawFastFadeDoubleBufferToBlack(int level);
  void DrawFastFadeDoubleBufferToBlackPalmAPI(int level) { DrawFastFadeDoubleBufferToBlack(level); }

  CXElement* GetParent() { return m_pParent; }
  CAppUI* GetApp() { return m_pApp; }
  int GetChildCount() { return m_Children.GetSize(); }
  int GetSlideState() { return m_nSlideState; }
  int GetSlideCounter() { return m_nSlideCounter; }

  CXElement* m_pParent;
  CXElement* m_pActive = nullptr;
  CQuellarArray<CXElement*> m_Children{1};
  CAppUI* m_pApp;
  bool m_bVisible = true;
  bool m_bModal = false;
  int m_nX = 0;
  int m_nY = 0;
  int m_nWidth = 0;
  int m_nHeight = 0;
  int m_nYesSoftKeyId = 1;
  int m_nNoSoftKeyId = 2;
  int m_nSlideState = 0;
  int m_nSlideCounter = 0;
  CXElement* m_pSavedMsgTarget;
  int m_nSavedMsg = 0;
  intptr_t m_nSavedMsgP1 = 0;
  intptr_t m_nSavedMsgP2 = 0;
  bool m_bSavedMsgFlag = false;

private:
  int MoveFocus(int step, int key);
  // The topmost visible child containing the point; blocked when a modal child is met first.
  CXElement* FindPointerTarget(int x, int y, bool& blocked);
};
