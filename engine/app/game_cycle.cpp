// CGameBase per frame: cycle timing, the logic step, pointer and key input, screen rotation.
#include <ctime>
#include <unistd.h>

#include "game_base.h"

int64_t CGameBase::DefaultClock() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ((int64_t)ts.tv_sec * 1000 + ts.tv_nsec / 1000000) * 256;
}

void CGameBase::SetFpsControl(int fps, bool, bool fixedStep) {
  if (fps <= 0) fps = 1;
  m_nFps = fps;
  if (fps >= 30 && fps <= 34)
    m_nFramePeriod = 30;
  else if (fps >= 60 && fps <= 64)
    m_nFramePeriod = 15;
  else
    m_nFramePeriod = 1000 / fps;
  m_bFixedStep = fixedStep ? 1 : 0;
  if (fixedStep) m_nFramePeriod = 256000 / fps;
  m_nLastStepTime = Now();
}

bool CGameBase::RunGameCycle() {
  if (!m_bFixedStep) {
    RunProcess();
    DoDrawCycle();
    return true;
  }

  if (m_bSkipNextStep) {
    m_bSkipNextStep = 0;
  } else {
    RunProcess();
    m_nStepCount++;
  }

  const int64_t period = m_nFramePeriod > 0 ? m_nFramePeriod : 1;
  int64_t now = Now();
  int64_t elapsed = now - m_nLastStepTime;
  if (elapsed < 0) {
    elapsed = 0;
    m_nLastStepTime = now;
  }

  if (m_bShowFpsStats) {
    if (m_nStatsStartTime == 0) m_nStatsStartTime = now;
    if (m_nStepCount > 99) {
      double seconds = (double)((now - m_nStatsStartTime) / 256) / 1000.0;
      if (seconds > 0)
        m_strStats.Format("Run-%2.2f/Draw-%2.2f", m_nStepCount / seconds, m_nDrawCount / seconds);
      m_nStatsStartTime = now;
      m_nStepCount = 0;
      m_nDrawCount = 0;
    }
  }

  bool drawOnly = false;
  if (elapsed < period) {
    int64_t wait = period - elapsed;
    usleep((useconds_t)((wait / 256) * 1000));
    while (Now() - now < wait) {
    }
    elapsed = Now() - m_nLastStepTime;
    if (elapsed < period) drawOnly = true;
  }

  if (!drawOnly) {
    int64_t n = 0;
    if (elapsed == period) {
      m_nLastStepTime = Now();
    } else {
      n = (elapsed - period) / period;
      m_nLastStepTime += period;
      if (n > 6) {
        m_nLastStepTime += (n - 6) * period;
        n = 6;
      }
    }
    m_nCatchUpSteps = (int)n;
    while (m_nCatchUpSteps > 0) {
      m_nCatchUpSteps--;
      m_nLastStepTime += period;
      RunProcess();
      m_nStepCount++;
    }
  }

  m_nDrawCount++;
  DoDrawCycle();
  return true;
}

void CGameBase::RunProcess() {
  ProcessIPhoneRotation();
  if (m_bKeyAutoRepeat) ProcessPressedKeys();
  if (CXElement* active = GetActiveObjectPtr()) active->RunProcess();
}

int CGameBase::NotifyPointerEvent(int x, int y, int type) {
  if (type == 4 && !m_bHoverEvents) return 1;

  int gx = x, gy = y;
  if (m_nInputOrientation == 1) {
    gx = (m_nScreenHeight - 1) - y;
    gy = x;
  } else if (m_nInputOrientation == 2) {
    gx = y;
    gy = (m_nScreenWidth - 1) - x;
  }
  if (m_nVerticalBorderWidth > 0 || m_nHorizontalBorderHeight > 0) {
    if (m_nInputOrientation == 0) {
      gx -= m_nVerticalBorderWidth;
      gy -= m_nHorizontalBorderHeight;
    } else {
      gy -= m_nVerticalBorderWidth;
      gx -= m_nHorizontalBorderHeight;
    }
  }

  if (type == 1) m_bPointerDown = 1;
  if (type == 2) m_bPointerDown = 0;

  if (type >= 101 && type <= 103) {
    if (m_pCapture) return m_pCapture->NotifyPointerEvent(gx, gy, type);
    return CXElement::NotifyPointerEvent(gx, gy, type);
  }

  if (m_pDoubleBuffer) {
    int w = DoubleBufferWidth(), h = DoubleBufferHeight();
    if (gx > w - 1) gx = w - 1;
    if (gx < 0) gx = 0;
    if (gy > h - 1) gy = h - 1;
    if (gy < 0) gy = 0;
  }
  if (m_pCapture) return m_pCapture->NotifyPointerEvent(gx, gy, type);
  return CXElement::NotifyPointerEvent(gx, gy, type);
}

int CGameBase::NotifyKeyEvent(int key, int state) {
  if (!IsKeyCode(key)) return 0;
  if (m_aKeyLocked[key]) {
    if (state == 0) UnLockKeys();
    return 1;
  }
  if (state != 0 && m_aKeyPressed[key]) return 1;
  m_aKeyPressed[key] = state;
  if (state == 0) m_aKeyRepeatCounter[key] = 0;
  return CXElement::NotifyKeyEvent(key, state);
}

void CGameBase::ClearKeyStates() { UnLockKeys(); }
void CGameBase::ClearKeyPressedStates() {
  for (int i = 0; i < GAMEBASE_NUM_KEYS; i++) {
    m_aKeyPressed[i] = 0;
    m_aKeyRepeatCounter[i] = 0;
  }
}
void CGameBase::InitUI() {
  XReleaseCapture();
  UnLockKeys();
}

void CGameBase::ProcessPressedKeys() {
  if (!m_bKeyAutoRepeat) return;
  int last = m_bAutoRepeatArrowKeysOnly ? 4 : 31;
  for (int key = 1; key <= last; key++) {
    if (!m_aKeyPressed[key] || m_aKeyLocked[key]) continue;
    if (++m_aKeyRepeatCounter[key] >= m_nKeyRepeatPeriod) {
      m_aKeyRepeatCounter[key] = 0;
      CXElement::NotifyKeyEvent(key, 1);
    }
  }
}

static const FIXED_FLOAT kQuarterTurn = 23040;

void CGameBase::SetIPhoneOrientation(int mode, bool immediate) {
  m_nIPhoneOrientation = mode;
  if (!immediate) return;
  if (mode == 2) {
    m_nRotationAngle = kQuarterTurn;
    m_nRotationSettle = 3;
  } else if (mode == 1) {
    m_nRotationAngle = -kQuarterTurn;
    m_nRotationSettle = 3;
  } else if (mode == 0) {
    m_nRotationAngle = 0;
    m_nRotationSettle = 0;
  }
}

void CGameBase::ProcessIPhoneRotation() {
  FIXED_FLOAT step = m_nFps < 60 ? m_nRotationStep : 1024;
  if (m_nIPhoneOrientation == 2 && m_nRotationAngle != kQuarterTurn) {
    m_nRotationAngle += step;
    if (m_nRotationAngle >= kQuarterTurn) {
      m_nRotationAngle = kQuarterTurn;
      m_nRotationSettle = 3;
    }
  } else if (m_nIPhoneOrientation == 1 && m_nRotationAngle != -kQuarterTurn) {
    m_nRotationAngle -= step;
    if (m_nRotationAngle <= -kQuarterTurn) {
      m_nRotationAngle = -kQuarterTurn;
      m_nRotationSettle = 3;
    }
  }
}
