// The missions and secrets lists: a column of mission panels (current ones first) and a grid of
// the 32 secret items, over a shared background and bottom bar.
#include "lists.h"

#include "background_fitting.h"
#include "buttons.h"
#include "catalogue.h"
#include "catalogue_data.h"
#include "display.h"
#include "front_pieces.h"
#include "frontend.h"
#include "game_globals.h"
#include "geometry.h"
#include "help_dialogs.h"
#include "hge_font.h"
#include "mission_table.h"
#include "progress_files.h"
#include "quellar_array.h"
#include "sound_table.h"
#include "sprite_tables.h"
#include "surface.h"

Surface* mList_BG = nullptr;
Surface* mList_bottom[2];
Surface* mList_panel[2];
Surface* sList_BG = nullptr;
Surface* sList_bottom[2];
Surface* sList_panel[2];

namespace {

const int kListedSlots = 40; // the lists show mission slots 0-39
const int kSecretItems = 32;
const ColorRGB kBlack(0, 0, 0);

// The catalogue's list rows: indexes 0-2 are the missions list's, 3-5 the secrets list's.
Surface** SlotOf(int index, int frame, bool secrets) {
  Surface** bg[2] = {&mList_BG, &sList_BG};
  Surface** bottom[2] = {mList_bottom, sList_bottom};
  Surface** panel[2] = {mList_panel, sList_panel};
  int list = index / 3, which = index % 3;
  if (index < 0 || list != (secrets ? 1 : 0) || frame < 0 || frame > 1) return nullptr;
  if (which == 0) return frame == 0 ? bg[list] : nullptr;
  return which == 1 ? &bottom[list][frame] : &panel[list][frame];
}
Surface** MissionsSlot(int index, int frame) { return SlotOf(index, frame, false); }
Surface** SecretsSlot(int index, int frame) { return SlotOf(index, frame, true); }

void FreeList(Surface*& bg, Surface* (&bottom)[2], Surface* (&panel)[2]) {
  SafeDelete(bg);
  for (int i = 0; i < 2; ++i) {
    SafeDelete(bottom[i]);
    SafeDelete(panel[i]);
  }
}

// Sprites the tables name by index, null outside them.
Surface* Icon(int index) { return index >= 0 && index < 60 ? g_achievementIcons[index] : nullptr; }

// The bar across the bottom; on screens wider than 3:2 it moves right and two extension pieces
// fill the left side.
void DrawBottomBar(Surface* (&bar)[2], float appear) {
  if (!bar[0] || !bar[1]) return;
  const float y = (float)(MAXY - 18), s = 0.5f * appear;
  if (!g_ratio_is_more_1_5) {
    DrawScaled((float)(MAXX / 2), y, s, bar[0]);
    return;
  }
  const float bx = (float)(MAXX / 2 + (MAXX - 480) / 2);
  DrawScaled(bx, y, s, bar[0]);
  const float w = (float)bar[1]->GetWidth();
  const int x1 = (int)(bx - 240 - 0.25f * w);
  DrawScaled((float)x1, y, s, bar[1]);
  DrawScaled((float)(int)(x1 - 0.5f * w), y, s, bar[1]);
}

void AddBackButton() {
  ClearButtons();
  AddButtonCustom(35, MAXY - 25, 70, 70, 1, "", select_buttons[0], select_buttons[1], GoBack);
}

} // namespace

// --- both lists ---

void scrolledList::StylusDown(myPoint* points, int) {
  if (points) scroller.StylusDown((int)points[0].x, (int)points[0].y);
}
void scrolledList::StylusMove(myPoint* points, int) {
  if (points) scroller.StylusMove((int)points[0].x, (int)points[0].y);
}
void scrolledList::StylusUp(myPoint* points, int) {
  if (!points) return;
  int x = (int)points[0].x, y = (int)points[0].y;
  if (!DialogsThenButtons(x, y, true)) scroller.StylusUp(x, y);
}

void scrolledList::KeyboardEvent(int key, int state) {
  if (key == 6 && state == 0) GoBack();
}

void scrolledList::Appear(float dt) {
  appear += 10 * dt;
  if (appear > 1) appear = 1;
}

// --- missions list ---

void missionsList::InitMode() {
  FreeList(mList_BG, mList_bottom, mList_panel);
  RegisterScreenSprites(catalogue::ListsArt(), nullptr, MissionsSlot);
  appear = 0;
  SwitchSoundtrack(0, false, false);
  offset = 30;
  scroller.Assign(&offset, 10, 0.95f, -1500, 30);
  AddBackButton();
}

void missionsList::DeInitMode() { FreeList(mList_BG, mList_bottom, mList_panel); }

void missionsList::Draw(float dt) {
  SmartDrawBackgroundIphone5(0, 0, mList_BG, false, false);
  Appear(dt);
  const float x = (float)(MAXX / 2 - 6);
  DrawText(x, offset - 5, 0.4f * appear, 2, "Current Missions", kBlack);
  DrawText(x, offset + 175, 0.4f * appear, 2, "Other Missions", kBlack);
  // The current missions, an empty row, then every other slot, each taking a row.
  int row = 0;
  for (int slot = 0; slot < kListedSlots; ++slot)
    if (Missions[slot].active) DrawOnePanel(slot, appear, x, 30 + 45.0f * row++ + offset);
  ++row;
  for (int slot = 0; slot < kListedSlots; ++slot)
    if (!Missions[slot].active) DrawOnePanel(slot, appear, x, 30 + 45.0f * row++ + offset);
  DrawBottomBar(mList_bottom, appear);
  DrawText(146, (float)(MAXY - 18), 0.5f * appear, 0, "Missions", kBlack);
  DrawButtons();
  scroller.Process(dt);
}

void missionsList::DrawOnePanel(int slot, float a, float x, float y) {
  if (slot < 0 || slot >= MISSIONS) return;
  const mission& m = Missions[slot];
  if (!m.defined || y < -100 || y > MAXY + 100) return;
  const float h = 0.5f * a;
  Surface* icon = Icon(m.icon);
  Surface* badge = Icon(m.reward + 56);
  float px = x;
  if (!m.completed) {
    DrawScaled(px, y, h, mList_panel[1]);
    DrawScaled(px, y, h, mList_panel[0]);
    if (display) display->SetBlending(40);
    DrawScaled(px - 175, y, h, icon);
    if (display) display->SetBlending(255);
  } else {
    // A completed panel sits a little to the right, without its cover.
    px = (float)(int)(x + 4);
    DrawScaled(px, y, h, mList_panel[1]);
    DrawScaled(px - 175, y, h, icon);
  }
  DrawScaled(px - 213, y + 3, h, badge);
  DrawText(px - 140, y - 8, 0.45f * a, 0, m.name, kBlack);
  if (!m.completed)
    DrawText(px - 145, y + 10, 0.28f * a, 0, m.description, ColorRGB(255, 255, 255));
  else
    DrawText(px - 150, y + 10, 0.28f * a, 0, m.description, ColorRGB(65, 65, 65));
}

// --- secrets list ---

void secretsList::InitMode() {
  FreeList(sList_BG, sList_bottom, sList_panel);
  RegisterScreenSprites(catalogue::ListsArt(), nullptr, SecretsSlot);
  appear = 0;
  SwitchSoundtrack(0, false, false);
  offset = 0;
  scroller.Assign(&offset, 10, 0.95f, -3, 3);
  AddBackButton();
}

void secretsList::DeInitMode() { FreeList(sList_BG, sList_bottom, sList_panel); }

void secretsList::Draw(float dt) {
  SmartDrawBackgroundIphone5(0, 0, sList_BG, false, false);
  Appear(dt);
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 8; ++col)
      DrawOnePanel(8 * row + col, appear, 40 + 57 * col * g_guiShiftX, 40 + 62.0f * row + offset);
  DrawBottomBar(sList_bottom, appear);
  DrawText(106, (float)(MAXY - 18), 0.5f * appear, 0, "   Secret  ITEMS", kBlack);
  DrawButtons();
  scroller.Process(dt);
}

void secretsList::DrawOnePanel(int item, float a, float x, float y) {
  if (item < 0 || item >= kSecretItems || y < -100 || y > MAXY + 100) return;
  const float h = 0.5f * a;
  if (g_globalAchievements[GLOBAL_WORD_SECRETS + item]) {
    DrawScaled(x, y, h, sList_panel[1]);
    DrawScaled(x, y, h, g_secretItems[item]);
  } else {
    DrawScaled(x, y, h, sList_panel[0]);
  }
}
