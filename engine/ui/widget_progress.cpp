// The progress bar and the tiled background widgets.
#include "widget_progress.h"

#include "app_ui.h"
#include "dib_bitmap.h"
#include "widget_desc.h"

XProgress::XProgress(CXElement* parent, TTemplate* tmpl, TWidget* tw, WidgetContext* context)
    : XWidget(parent, tmpl, tw, context) {}

XProgress::~XProgress() {}

int XProgress::OnInitWidget() {
  if (!XWidget::OnInitWidget()) return 0;
  TProgress* desc = dynamic_cast<TProgress*>(m_pTWidget);
  if (!desc) return 0;
  if (!LoadSpriteSetFromImageData(m_pApp, &m_EmptyImage, &desc->emptyImage)) return 0;
  if (!LoadSpriteSetFromImageData(m_pApp, &m_FullImage, &desc->fullImage)) return 0;
  m_nFullOffsetX = desc->fullOffsetX;
  m_nFullOffsetY = desc->fullOffsetY;
  m_bEmptyAfterFull = desc->emptyAfterFull >= 1;
  return 1;
}

void XProgress::SetProgress(int p) {
  if (p < 0) p = 0;
  if (p > 256) p = 256;
  if (p == m_nProgress) return;
  IDibBitmap* full = m_FullImage.CurrentBitmap();
  if (!full) return;
  m_nProgress = p;
  m_nFilledWidth = (full->GetWidth() * p) >> 8;
}

TCoord2D XProgress::GetSize() {
  TCoord2D size{m_nWidth, m_nHeight};
  TCoord2D empty = m_EmptyImage.Size(m_EmptyImage.frame), full = m_FullImage.Size(m_FullImage.frame);
  if (size.x <= 1) size.x = empty.x > 1 ? empty.x : full.x;
  if (size.y <= 1) size.y = empty.y > 1 ? empty.y : full.y;
  return size;
}

void XProgress::Draw() {
  IDibBitmap* buffer = m_pApp ? m_pApp->GetDoubleBuffer() : nullptr;
  if (GetOpacity() <= 0 || !buffer) return;
  int alpha = AlphaOffsetFor(GetOpacity());
  if (IDibBitmap* empty = m_EmptyImage.CurrentBitmap()) {
    int start = m_bEmptyAfterFull ? m_nFullOffsetX + m_nFilledWidth : 0;
    int width = empty->GetWidth() - start;
    if (width > 0) empty->BitBlt(buffer, m_nX + start, m_nY, width, empty->GetHeight(), start, 0, alpha);
  }
  IDibBitmap* full = m_FullImage.CurrentBitmap();
  if (full && m_nFilledWidth > 0)
    full->BitBlt(buffer, m_nX + m_nFullOffsetX, m_nY + m_nFullOffsetY, m_nFilledWidth, full->GetHeight(), 0,
                 0, alpha);
}

// --- XTiledBG ---

XTiledBG::XTiledBG(CXElement* parent, TTemplate* tmpl, TWidget* tw, WidgetContext* context, int centreTilesX,
                   int centreTilesY)
    : XWidget(parent, tmpl, tw, context), m_nCenterTilesX(centreTilesX), m_nCenterTilesY(centreTilesY) {}

XTiledBG::~XTiledBG() {}

int XTiledBG::OnInitWidget() {
  if (!XWidget::OnInitWidget()) return 0;
  TTiledBG* desc = dynamic_cast<TTiledBG*>(m_pTWidget);
  if (!desc) return 0;
  m_bSideColumns = desc->tilesGiven;
  m_bSingleSet = desc->single_set;
  struct Tile {
    ContainedSpriteSet* holder;
    const CommonString* name;
    int frame; // in a single set: the slices in reading order
    bool side;
  } tiles[] = {
      {&m_Center, &desc->center, 4, false},
      {&m_Top, &desc->top, 1, false},
      {&m_Bottom, &desc->bottom, 7, false},
      {&m_Left, &desc->left, 3, true},
      {&m_LeftTop, &desc->left_top, 0, true},
      {&m_LeftBottom, &desc->left_bottom, 6, true},
      {&m_Right, &desc->right, 5, true},
      {&m_RightTop, &desc->right_top, 2, true},
      {&m_RightBottom, &desc->right_bottom, 8, true},
  };
  for (const Tile& t : tiles) {
    if (t.side && !m_bSideColumns) continue;
    const CommonString& name = m_bSingleSet ? desc->center : *t.name;
    if (!LoadNamedSpriteSet(m_pApp, t.holder, name, m_bSingleSet ? t.frame : 0)) return 0;
  }
  if (desc->own_tiles) {
    m_nCenterTilesX = desc->ownTilesX;
    m_nCenterTilesY = desc->ownTilesY;
  }
  m_nFullWidth = m_Right.Size(m_Right.frame).x + m_Left.Size(m_Left.frame).x +
                 m_Center.Size(m_Center.frame).x * m_nCenterTilesX;
  m_nFullHeight = m_Bottom.Size(m_Bottom.frame).y + m_Top.Size(m_Top.frame).y +
                  m_Center.Size(m_Center.frame).y * m_nCenterTilesY;
  ContainedSpriteSet* grid[3][3] = {{&m_LeftTop, &m_Top, &m_RightTop},
                                    {&m_Left, &m_Center, &m_Right},
                                    {&m_LeftBottom, &m_Bottom, &m_RightBottom}};
  for (int r = 0; r < 3; r++)
    for (int c = 0; c < 3; c++)
      m_pTiles[r][c] = grid[r][c]->CurrentBitmap();
  for (int i = 0; i < 3; i++) {
    m_bRowPresent[i] = m_pTiles[i][0] || m_pTiles[i][1] || m_pTiles[i][2];
    m_bColumnPresent[i] = m_pTiles[0][i] || m_pTiles[1][i] || m_pTiles[2][i];
  }
  if (!m_bSideColumns) m_bColumnPresent[0] = m_bColumnPresent[2] = 0;
  m_nFirstColumn = m_bColumnPresent[0] ? 0 : m_bColumnPresent[1] ? 1 : 2;
  m_nLastColumn = m_bColumnPresent[2] ? 2 : m_bColumnPresent[1] ? 1 : 0;
  m_nFirstRow = m_bRowPresent[0] ? 0 : m_bRowPresent[1] ? 1 : 2;
  m_nLastRow = m_bRowPresent[2] ? 2 : m_bRowPresent[1] ? 1 : 0;
  for (int c = m_nFirstColumn; c <= m_nLastColumn; c++) {
    m_nColumnWidth[c] = 0;
    for (int r = 0; r < 3; r++)
      if (m_pTiles[r][c]) {
        m_nColumnWidth[c] = m_pTiles[r][c]->GetWidth();
        break;
      }
  }
  for (int r = m_nFirstRow; r <= m_nLastRow; r++) {
    m_nRowHeight[r] = 0;
    for (int c = 0; c < 3; c++)
      if (m_pTiles[r][c]) {
        m_nRowHeight[r] = m_pTiles[r][c]->GetHeight();
        break;
      }
  }
  return 1;
}

TCoord2D XTiledBG::GetSize() {
  TCoord2D size{m_nFullWidth, m_nFullHeight};
  if (size.x < 1) size.x = m_nWidth;
  if (size.y < 1) size.y = m_nHeight;
  return size;
}

void XTiledBG::Draw() {
  IDibBitmap* buffer = m_pApp ? m_pApp->GetDoubleBuffer() : nullptr;
  if (!buffer || m_nFirstColumn > m_nLastColumn || m_nFirstRow > m_nLastRow) return;
  int alpha = AlphaOffsetFor(GetOpacity());
  int y = m_nY;
  for (int r = m_nFirstRow; r <= m_nLastRow; r++) {
    int rowVisits = r == 1 ? m_nCenterTilesY : 1;
    for (int rv = 0; rv < rowVisits; rv++) {
      int x = m_nX;
      for (int c = m_nFirstColumn; c <= m_nLastColumn; c++) {
        int columnVisits = c == 1 ? m_nCenterTilesX : 1;
        for (int cv = 0; cv < columnVisits; cv++) {
          if (IDibBitmap* tile = m_pTiles[r][c])
            tile->Draw(buffer, x, y, tile->GetWidth(), tile->GetHeight(), 0, alpha);
          x += m_nColumnWidth[c];
        }
      }
      y += m_nRowHeight[r];
    }
  }
}
