// CAppUI: the part of the application object the UI layer reaches through its pointer: pointer
// capture, the key locks and device keys the dialogs consult, the frame rate widgets fade by, the
// localisation manager and layout their captions use, and the template cache.
#pragma once

#include "app_graphics.h"
#include "common_string.h"
#include "quellar_array.h"

class CXElement;
class CLocManager2;
class CUILayout;
class TTemplate;

enum { GAMEBASE_NUM_KEYS = 32 };

struct CachedTemplate {
  CommonStringRS<247> name;
  TTemplate* pTemplate = nullptr;
};

class CAppUI : public CAppGraphics {
public:
  ~CAppUI() override;

  // --- pointer capture: the captured element receives every pointer event ---
  void XSetCapture(CXElement* element) { m_pCapture = element; }
  void XReleaseCapture() { m_pCapture = nullptr; }
  CXElement* XGetCapture() { return m_pCapture; }

  // --- key locks: a locked key's events are swallowed until any key is released ---
  static bool IsKeyCode(int key) { return key >= 0 && key < GAMEBASE_NUM_KEYS; }
  void LockKey(int key);
  void UnLockKey(int key);
  bool IsKeyLocked(int key);
  void UnLockKeys();

  // This device has no smartphone keypad: no digit, yes, no or backspace key.
  int LastKeyCodeIsSmartphoneDigit() { return -1; }
  bool LastKeyCodeIsSmartphoneYes() { return false; }
  bool LastKeyCodeIsSmartphoneNo() { return false; }
  bool LastKeyCodeIsSmartphoneBackSpace() { return false; }

  // The fonts and text styles; the game supplies its layout.
  virtual CUILayout* UILayout();

  // Deletes every cached template with its entry, the last first.
  void FlushCachedTemplates();

  // Information texts the information text widget shows; the application fills them.
  CommonString m_VersionText{" "};
  CommonString m_BuildDateText;
  CommonString m_ShopLink{"------------------------------"};
  CommonString m_ShopLink2{"------------------------------------------------------------"};

  int m_aKeyLocked[GAMEBASE_NUM_KEYS] = {};
  CXElement* m_pCapture = nullptr;
  int m_nFps = 33;                       // frames per second of the game cycle
  CLocManager2* m_pLocManager = nullptr; // owned by the application
  CQuellarArray<CachedTemplate*> m_CachedTemplates{1};
};
