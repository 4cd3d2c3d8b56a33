// The application object's UI part: key locks and the template cache.
#include "app_ui.h"

#include "ui_template.h"

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

CUILayout* CAppUI::UILayout() { return nullptr; }

void CAppUI::FlushCachedTemplates() {
  for (int i = m_CachedTemplates.GetSize() - 1; i >= 0; i--) {
    CachedTemplate* entry = m_CachedTemplates.GetAt(i);
    if (!entry) continue;
    delete entry->pTemplate;
    delete entry;
  }
  m_CachedTemplates.RemoveAll();
}
