// XTuner: a slider of a track, a full part up to the handle and the handle, horizontal or vertical,
// whose value snaps to its step under the pointer and steps by the focus keys.
#pragma once

#include "widget_image.h"

class XTuner : public XWidget {
public:
  XTuner(CXElement* parent, TTemplate* tmpl, TWidget* tw, WidgetContext* context);
  ~XTuner() override;

  void Draw() override;
  int NotifyPointerEvent(int x, int y, int type) override;
  int SetNextActiveObject(int key) override;
  int SetPrevActiveObject(int key) override;
  void CancelActiveState() override { m_bDragging = 0; }
  int OnInitWidget() override;
  int IsInteractive() override { return 1; }
  TCoord2D GetSize() override;

  void SetCurrent(int value);
  // At least 1; the value follows a smaller maximum.
  void SetMax(int max);
  int GetTotalSlidingWidth() { return m_nLength - m_nStartOffset - m_nEndOffset; }
  void RecalcCurrentHandlePos();
  // p along the track from the widget's origin: the nearest snapped value, a tie going up.
  void AdjustToClosestValue(int p);
  void InitTunerSize();
  int LoadTunerBg(ContainedSpriteSet* holder, CommonString setName, int frame);
  int GetValue() { return m_nValue; }

  ContainedSpriteSet m_Background, m_Full, m_Handle;
  u8 m_bDragging = 0;
  int m_nStep = 4;
  int m_nValue = 50;
  int m_nMax = 100;
  u8 m_bVertical = 0;
  int m_nStartOffset = 0;
  int m_nEndOffset = 0;
  int m_nLength = 0;
  int m_nThickness = 0;
  int m_nHandlePos = 0;

private:
  void Notify(int message);
};
