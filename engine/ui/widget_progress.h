// XProgress, a bar of a full image over its filled part and an empty image for the rest, and
// XTiledBG, the nine-slice background whose centre column and row repeat.
#pragma once

#include "widget_image.h"

class XProgress : public XWidget {
public:
  XProgress(CXElement* parent, TTemplate* tmpl, TWidget* tw, WidgetContext* context);
  ~XProgress() override;

  void Draw() override;
  int OnInitWidget() override;
  TCoord2D GetSize() override;

  // In 256ths, clamped to 0..256; ignored while the full image has no bitmap.
  void SetProgress(int p);
  void SetPercent(int percent) { SetProgress((percent * 256) / 100); }

  ContainedSpriteSet m_EmptyImage;
  ContainedSpriteSet m_FullImage;
  s16 m_nFullOffsetX = 0;
  s16 m_nFullOffsetY = 0;
  u8 m_bEmptyAfterFull = 0;
  int m_nProgress = 0;
  int m_nFilledWidth = 0;
};

class XTiledBG : public XWidget {
public:
  XTiledBG(CXElement* parent, TTemplate* tmpl, TWidget* tw, WidgetContext* context, int centreTilesX,
           int centreTilesY);
  ~XTiledBG() override;

  void Draw() override;
  int OnInitWidget() override;
  TCoord2D GetSize() override;

  int m_nCenterTilesX;
  int m_nCenterTilesY;
  ContainedSpriteSet m_Center, m_Top, m_Bottom;
  u8 m_bSingleSet = 0;
  u8 m_bSideColumns = 0;
  ContainedSpriteSet m_Left, m_LeftTop, m_LeftBottom, m_Right, m_RightTop, m_RightBottom;
  int m_nFullWidth = 0;
  int m_nFullHeight = 0;
  IDibBitmap* m_pTiles[3][3] = {}; // [row][column]
  u8 m_bRowPresent[3] = {};
  u8 m_bColumnPresent[3] = {};
  int m_nRowHeight[3] = {};
  int m_nColumnWidth[3] = {};
  int m_nFirstColumn = 0;
  int m_nLastColumn = -1;
  int m_nFirstRow = 0;
  int m_nLastRow = -1;
};
