// The application object's UI part: key locks and the template cache.
#include "app_ui.h"

CAppUI::~CAppUI() { FlushCachedTemplates(); }

void CAppUI::LockKey(int key) {
  if (IsKeyCode(key)) m_aKeyLocked[key] = 1;
}

void CAppUI::UnLockKey(int key) {
  if (IsKeyCode(key)) m_aKeyLocked[key] = 0;
}

bool CAppUI::IsKeyLocked(int key) { return IsKeyCode(key) && m_aKeyLocked[key] != 0; }

void CAppUI::UnLockKeys() {
  for (int& k : m_aKeyLocked)
    k = 0;
}

void CAppUI::FlushCachedTemplates() {
  // Nothing in this program caches templates yet; the records are ours, their templates the
  // template reader's.
  for (int i = m_CachedTemplates.GetSize() - 1; i >= 0; i--)
    delete m_CachedTemplates.GetAt(i);
  m_CachedTemplates.RemoveAll();
}
