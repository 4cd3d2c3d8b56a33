// The help screen: the demo of level 19 drawn through a scale and shift into the television's
// screen, then the television over it, untransformed.
#include "help_screen.h"

#include <algorithm>
#include <cmath>

#include "animator.h"
#include "background_fitting.h"
#include "buttons.h"
#include "catalogue.h"
#include "catalogue_data.h"
#include "dib_bitmap.h"
#include "display.h"
#include "front_pieces.h"
#include "frontend.h"
#include "game_base.h"
#include "game_globals.h"
#include "gl_renderer.h"
#include "game_rect.h"
#include "geometry.h"
#include "help_dialogs.h"
#include "platform_services.h"
#include "inlevel_mode.h"
#include "quellar_array.h"
#include "recordings.h"
#include "sprite_tables.h"
#include "static_backdrop.h"
#include "surface.h"
#include "texture2d.h"
#include "texture_data.h"

Surface* helpTV = nullptr;

namespace {

Surface** HelpSlot(int index, int frame) { return index == 0 && frame == 0 ? &helpTV : nullptr; }

} // namespace

void help::InitMode() {
  g_levelSelected = 19;
  g_characterID = 0;
  RespawnCharacter(false);
  RecordingsPlayReplay();
  ClearButtons();
  SafeDelete(helpTV);
  m_seeState = kSeeUnknown;
  RegisterScreenSprites(catalogue::HelpArt(), nullptr, HelpSlot);
  // Never drawn; its box covers the whole screen, so any tap leaves.
  AddButtonCustom(462, 18, 1000, 1000, 0, "", g_guiPause[0], g_guiPause[1], InitMainMenu);
}

void help::DeInitMode() {
  FrameBackdrop().Release(); // the television's picture
  SafeDelete(helpTV);
  m_seeState = kSeeUnknown;
}

bool help::SeeThrough() {
  if (m_seeState != kSeeUnknown) return m_seeState == kSeeFound;
  Texture2D* t = helpTV ? helpTV->texture : nullptr;
  IDibBitmap* b = t ? t->bitmap : nullptr;
  QuellarTextureData* td = b && !PicturePending(t) ? b->GetHWResource() : nullptr;
  if (!td || td->m_nTileCount < 1) return false; // asked again once the texture is made
  m_seeState = kSeeNone;
  const int across = td->m_nCellsAcross, down = td->m_nCellsDown;
  if (across < 1 || down < 1 || td->m_CellKinds.size() != (size_t)across * (size_t)down) return false;
  int c0 = across, r0 = down, c1 = 0, r1 = 0;
  for (int r = 0; r < down; ++r)
    for (int c = 0; c < across; ++c)
      if (td->m_CellKinds[(size_t)r * across + c] != QuellarTextureData::kCellOpaque) {
        c0 = std::min(c0, c);
        c1 = std::max(c1, c + 1);
        r0 = std::min(r0, r);
        r1 = std::max(r1, r + 1);
      }
  const int cell = QuellarTextureData::kOpaqueCell;
  m_see[0] = c0 * cell;
  m_see[1] = r0 * cell;
  m_see[2] = std::min(c1 * cell, b->GetStoredWidth());
  m_see[3] = std::min(r1 * cell, b->GetStoredHeight());
  m_seeState = kSeeFound; // an empty box where the picture is opaque throughout
  return true;
}

bool help::DemoScissor(GLint box[4]) {
  IDibBitmap* screen = g_pGame ? g_pGame->GetDoubleBuffer() : nullptr;
  if (!screen || !SeeThrough()) return false;
  const float devW = (float)screen->GetDeviceWidth(), devH = (float)screen->GetDeviceHeight();
  if (!(devW > 0 && devH > 0) || (g_pGame->m_bRotateProjection && devW > devH)) return false;
  IDibBitmap* art = helpTV->texture->bitmap;
  const float sw = (float)art->GetStoredWidth(), sh = (float)art->GetStoredHeight();
  if (!(sw > 0 && sh > 0)) return false;
  // The copies of the picture as Draw lays them: at half size about the middle, shifted by the
  // translation the frame came with; on a wider screen one more on either side, 479 away.
  const float w = (float)helpTV->GetWidth() * 0.5f, h = (float)helpTV->GetHeight() * 0.5f;
  const float left = (float)(MAXX / 2) - w / 2 + g_glTranslateX, top = (float)(MAXY / 2) - h / 2 + g_glTranslateY;
  const bool wide = g_ratio_is_1_5 || g_ratio_is_more_1_5;
  const float sides = wide && (g_iphone5 || g_ratio_is_more_1_5) ? 479.0f : 0.0f;
  // Where anything the copies and the black bands leave uncovered shows the demo, it is drawn whole.
  float coverTop = top, coverBottom = top + h;
  if (!wide) {
    const float band = (float)((MAXY - 320) / 2);
    if (band + g_glTranslateY >= coverTop) coverTop = -1;
    if ((float)MAXY - band + g_glTranslateY <= coverBottom) coverBottom = devH + 1;
  }
  if (left - sides > 0 || left + w + sides < devW || coverTop > 0 || coverBottom < devH) return false;
  // The see-through texels of every copy, as far as they lie on the screen.
  float x0 = devW, y0 = devH, x1 = 0, y1 = 0;
  for (float dx : {-sides, 0.0f, sides}) {
    const float bx0 = std::max(0.0f, left + dx + (float)m_see[0] * w / sw);
    const float bx1 = std::min(devW, left + dx + (float)m_see[2] * w / sw);
    const float by0 = std::max(0.0f, top + (float)m_see[1] * h / sh);
    const float by1 = std::min(devH, top + (float)m_see[3] * h / sh);
    if (bx0 >= bx1 || by0 >= by1) continue;
    x0 = std::min(x0, bx0);
    x1 = std::max(x1, bx1);
    y0 = std::min(y0, by0);
    y1 = std::max(y1, by1);
  }
  if (x0 >= x1 || y0 >= y1) {
    box[0] = box[1] = box[2] = box[3] = 0;
    return true;
  }
  // Into window pixels as the 2D projection maps the screen onto the viewport (y up), a pixel
  // more all round for what filtering spreads.
  GLint v[4];
  glGetIntegerv(GL_VIEWPORT, v);
  const float kx = (float)v[2] / devW, ky = (float)v[3] / devH;
  const int px0 = std::max(v[0], (int)std::floor((float)v[0] + x0 * kx) - 1);
  const int px1 = std::min(v[0] + v[2], (int)std::ceil((float)v[0] + x1 * kx) + 1);
  const int py0 = std::max(v[1], (int)std::floor((float)(v[1] + v[3]) - y1 * ky) - 1);
  const int py1 = std::min(v[1] + v[3], (int)std::ceil((float)(v[1] + v[3]) - y0 * ky) + 1);
  box[0] = px0;
  box[1] = py0;
  box[2] = std::max(0, px1 - px0);
  box[3] = std::max(0, py1 - py0);
  return true;
}

void help::Draw(float dt) {
  g_glScaleX = g_glScaleY = 1.0f;
  // The television hides the demo but for its window and the ring around it: the rasteriser is
  // spared the rest. The batch goes out before the scissor changes, either way.
  GLint box[4];
  const bool limit = demoInWindow && DemoScissor(box);
  if (limit) {
    GLES_FlushBuffer();
    glEnable(GL_SCISSOR_TEST);
    glScissor(box[0], box[1], box[2], box[3]);
  }
  // The level's 480 x 320 frame lands on the television's screen, (62.25, 37.5)-(422.25, 277.5).
  GlScale(0.75f, 0.75f);
  const float tx = g_glTranslateX, ty = g_glTranslateY;
  GlTranslate(83, 50);
  DrawQuestMode(dt, true);
  if (limit) {
    GLES_FlushBuffer();
    glDisable(GL_SCISSOR_TEST);
  }
  g_glScaleX = g_glScaleY = 1.0f;
  g_glTranslateX = tx;
  g_glTranslateY = ty;
  // The frame's copy ends with the demo, which keeps moving; the television stands still over it,
  // made once into a picture of its own drawn in opaque, blended and left-out blocks.
  FrameBackdrop().End();
  FrameBackdrop().BeginLayers();
  if (display) {
    display->SetNoBlackEdgesMode();
    if (g_ratio_is_1_5 || g_ratio_is_more_1_5) {
      SmartDrawBackgroundIphone5(0, 0, helpTV, false, false);
    } else {
      // Narrower screens: black above and below the 320 px band the picture fills.
      const int band = (MAXY - 320) / 2;
      display->FillRect(0, 0, MAXX, band, ColorRGB(0, 0, 0));
      display->FillRect(0, MAXY - band, MAXX, MAXY, ColorRGB(0, 0, 0));
      display->BlitScaled((float)(MAXX / 2), (float)(MAXY / 2), 0.5f, 0.5f, helpTV);
    }
    display->SetNormalMode();
  }
  FrameBackdrop().EndLayers();
  ProcessEffectAnimators(dt);
  DrawEffectAnimators();
}

void help::Touch(myPoint* points, bool release) { DialogsThenButtons(points, release); }

void help::StylusDown(myPoint* points, int) { Touch(points, false); }
void help::StylusUp(myPoint* points, int) { Touch(points, true); }
void help::StylusMove(myPoint* points, int) { Touch(points, false); }

void help::KeyboardEvent(int key, int state) {
  if (key == 6 && state == 0) InitMainMenu();
}
