// The tuner (slider) widget.
#include "widget_tuner.h"

#include <algorithm>
#include <utility>

#include "app_ui.h"
#include "dib_bitmap.h"
#include "widget_desc.h"

XTuner::XTuner(CXElement* parent, TTemplate* tmpl, TWidget* tw, WidgetContext* context)
    : XWidget(parent, tmpl, tw, context) {}

XTuner::~XTuner() {}

int XTuner::LoadTunerBg(ContainedSpriteSet* holder, CommonString setName, int frame) {
  return LoadNamedSpriteSet(m_pApp, holder, setName, frame);
}

int XTuner::OnInitWidget() {
  if (!XWidget::OnInitWidget()) return 0;
  TTuner* desc = dynamic_cast<TTuner*>(m_pTWidget);
  if (!desc || (desc->tunerId.IsEmpty() && desc->fullId.IsEmpty())) return 0;
  if (!desc->tunerId.IsEmpty() && !LoadTunerBg(&m_Background, desc->tunerId, desc->tunerFrame)) return 0;
  if (!desc->fullId.IsEmpty() && !LoadTunerBg(&m_Full, desc->fullId, desc->fullFrame)) return 0;
  if (!desc->handleId.IsEmpty() && !LoadTunerBg(&m_Handle, desc->handleId, 0)) return 0;
  // A template may give a step or maximum below 1: snapping divides by the one, placing by the other.
  m_nStep = desc->step < 1 ? 1 : desc->step;
  m_nMax = desc->max < 1 ? 1 : desc->max;
  m_nStartOffset = desc->offsetLeft;
  m_nEndOffset = desc->offsetRight;
  m_bVertical = desc->vertical;
  InitTunerSize();
  return 1;
}

void XTuner::InitTunerSize() {
  TCoord2D size = m_Background.Size(m_Background.frame);
  TCoord2D full = m_Full.Size(m_Full.frame);
  if (size.x == 0) {
    size.x = full.x;
    if (size.y == 0) size.y = full.y;
  } else if (size.y == 0) {
    size.y = full.y;
  }
  m_nThickness = size.y;
  m_nLength = size.x;
  if (m_nWidth < 2) m_nWidth = size.x;
  if (m_nHeight < 2) m_nHeight = size.y;
  if (m_bVertical) std::swap(m_nLength, m_nThickness);
  // The offsets are the track's pixels before the first and after the last handle position: a file
  // may give any 16-bit number, but the handle only slides on the track, so each is kept within the
  // track's length and the two leave a sliding width between 0 and that length.
  int length = m_nLength > 0 ? m_nLength : 0;
  m_nStartOffset = std::clamp(m_nStartOffset, 0, length);
  m_nEndOffset = std::clamp(m_nEndOffset, 0, length - m_nStartOffset);
  RecalcCurrentHandlePos();
}

// A maximum of 32767 times a sliding width of a track up to 32767 pixels long passes int: the
// products are taken in 64 bits, and their quotients lie within the width.
void XTuner::RecalcCurrentHandlePos() {
  m_nHandlePos = (int)((long long)m_nValue * GetTotalSlidingWidth() / m_nMax);
}

void XTuner::SetCurrent(int value) {
  m_nValue = value < 0 ? 0 : value > m_nMax ? m_nMax : value;
  RecalcCurrentHandlePos();
}

void XTuner::SetMax(int max) {
  m_nMax = max < 1 ? 1 : max;
  if (m_nValue > m_nMax) m_nValue = m_nMax;
  RecalcCurrentHandlePos();
}

void XTuner::AdjustToClosestValue(int p) {
  int r = p - m_nStartOffset;
  int sw = GetTotalSlidingWidth();
  if (r < 1) {
    m_nValue = 0;
    m_nHandlePos = 0;
    return;
  }
  if (r >= sw) {
    m_nValue = m_nMax;
    m_nHandlePos = sw;
    return;
  }
  int lower = m_nStep * (int)(((long long)m_nMax * r / sw) / m_nStep);
  int upper = lower + m_nStep < m_nMax ? lower + m_nStep : m_nMax;
  int pl = (int)((long long)sw * lower / m_nMax), pu = (int)((long long)sw * upper / m_nMax);
  if (r - pl < pu - r) {
    m_nValue = lower;
    m_nHandlePos = pl;
  } else {
    m_nValue = upper;
    m_nHandlePos = pu;
  }
}

TCoord2D XTuner::GetSize() {
  return m_bVertical ? TCoord2D{m_nThickness, m_nLength} : TCoord2D{m_nLength, m_nThickness};
}

void XTuner::Notify(int message) {
  SendMessage(GetParent(), message, (intptr_t)Id2WParam(), m_nValue, false);
}

void XTuner::Draw() {
  IDibBitmap* buffer = m_pApp ? m_pApp->GetDoubleBuffer() : nullptr;
  if (!buffer) return;
  FIXED_FLOAT opacity = GetOpacity();
  int alpha = AlphaOffsetFor(opacity);
  int handleFrames = m_Handle.FrameCount();
  int frame = 0;
  if (m_bDragging)
    frame = handleFrames > 2 ? 2 : handleFrames == 2 ? 1 : 0;
  else if (IsActiveChild(this) && handleFrames >= 2)
    frame = 1;
  if ((opacity >> 8) < 255) frame = 0;
  m_Handle.frame = (s16)frame;
  int pos = m_nHandlePos + m_nStartOffset;
  IDibBitmap* bg = m_Background.CurrentBitmap();
  IDibBitmap* full = m_Full.CurrentBitmap();
  if (bg) {
    if (!full) {
      bg->BitBlt(buffer, m_nX, m_nY, bg->GetWidth(), bg->GetHeight(), 0, 0, alpha);
    } else if (!m_bVertical) {
      int w = bg->GetWidth() - pos;
      if (w > 0) bg->BitBlt(buffer, m_nX + pos, m_nY, w, bg->GetHeight(), pos, 0, alpha);
    } else {
      int h = bg->GetHeight() - pos;
      if (h > 0) bg->BitBlt(buffer, m_nX, m_nY + pos, bg->GetWidth(), h, 0, pos, alpha);
    }
  }
  if (full && pos > 0) {
    if (!m_bVertical)
      full->BitBlt(buffer, m_nX, m_nY, pos, bg ? bg->GetHeight() : full->GetHeight(), 0, 0, alpha);
    else
      full->BitBlt(buffer, m_nX, m_nY, bg ? bg->GetWidth() : full->GetWidth(), pos, 0, 0, alpha);
  }
  if (IDibBitmap* handle = m_Handle.CurrentBitmap()) {
    int cx = m_bVertical ? m_nX + (m_nThickness >> 1) : m_nX + pos;
    int cy = m_bVertical ? m_nY + pos : m_nY + (m_nThickness >> 1);
    int x = cx - (handle->GetWidth() >> 1), y = cy - (handle->GetHeight() >> 1);
    if (m_bDragging) x++, y++;
    handle->Draw(buffer, x, y, handle->GetWidth(), handle->GetHeight(), 0, alpha);
  }
}

int XTuner::NotifyPointerEvent(int x, int y, int type) {
  bool captured = m_pApp && m_pApp->XGetCapture() == this;
  int along = m_bVertical ? y - m_nY : x - m_nX;
  switch (type) {
  case 1:
    if (m_pApp) m_pApp->XSetCapture(this);
    m_bDragging = 1;
    AdjustToClosestValue(along);
    Notify(XMSG_TUNER_DRAGGED);
    break;
  case 3:
    if (captured) {
      AdjustToClosestValue(along);
      Notify(XMSG_TUNER_DRAGGED);
    }
    break;
  case 2:
    if (captured) {
      m_pApp->XReleaseCapture();
      m_bDragging = 0;
      AdjustToClosestValue(along);
      Notify(XMSG_TUNER_CHANGED);
    }
    break;
  default:
    break;
  }
  return 1;
}

int XTuner::SetPrevActiveObject(int key) {
  if (key != (m_bVertical ? 3 : 1)) return 0;
  m_nValue = m_nValue - m_nStep < 0 ? 0 : m_nValue - m_nStep;
  RecalcCurrentHandlePos();
  Notify(XMSG_TUNER_CHANGED);
  return 1;
}

int XTuner::SetNextActiveObject(int key) {
  if (key != (m_bVertical ? 4 : 2)) return 0;
  m_nValue = m_nValue + m_nStep > m_nMax ? m_nMax : m_nValue + m_nStep;
  RecalcCurrentHandlePos();
  Notify(XMSG_TUNER_CHANGED);
  return 1;
}
