// The start-up sprites and the game's fonts: LoadBasicSprites with LoadGUI and LoadParticles, and
// the slot of every global sprite array the catalogue's rows name.
#include <cstddef>

#include "atlas.h"
#include "catalogue.h"
#include "hge_font.h"
#include "surface.h"

using catalogue::Target;

Atlas* g_commonAtlas;
Atlas* g_secretItemsAtlas;
Atlas* g_achievementsAtlas;

namespace {

// Slots by the global's own extents, so a row can never reach past an array.
template <size_t R, size_t C> Surface** At(Surface* (&table)[R][C], int i, int j) {
  return i >= 0 && (size_t)i < R && j >= 0 && (size_t)j < C ? &table[i][j] : nullptr;
}
template <size_t N> Surface** At(Surface* (&table)[N], int i, int j) {
  return i >= 0 && (size_t)i < N && j == 0 ? &table[i] : nullptr;
}
Surface** At(Surface*& single, int i, int j) { return i == 0 && j == 0 ? &single : nullptr; }

hgeFont*& FontGlobal(catalogue::FontId id) {
  switch (id) {
  case catalogue::FontId::Interface:
    return FontInterface;
  case catalogue::FontId::LevelID:
    return FontLevelID;
  case catalogue::FontId::Time:
    return FontTime;
  case catalogue::FontId::TimeBig:
    return FontTimeBig;
  case catalogue::FontId::HintText:
    return FontHintText;
  case catalogue::FontId::STD:
    return FontSTD;
  case catalogue::FontId::Shroom:
    return FontShroom;
  }
  return FontSTD;
}

} // namespace

Surface** SpriteSlot(Target target, int i, int j) {
  switch (target) {
  case Target::Rects:
    return At(g_rects, i, j);
  case Target::Character:
    return At(g_character, i, j);
  case Target::LevelEndFXs:
    return At(g_levelEndFXs, i, j);
  case Target::Leaderboards:
    return At(g_leaderboards, i, j);
  case Target::Missions:
    return At(g_missions, i, j);
  case Target::MissionButtons:
    return At(g_missionButtons, i, j);
  case Target::Dialog:
    return At(g_dialog, i, j);
  case Target::DialogButCancel:
    return At(g_dialogButCancel, i, j);
  case Target::DialogButYes:
    return At(g_dialogButYes, i, j);
  case Target::DialogButNo:
    return At(g_dialogButNo, i, j);
  case Target::DialogButOk:
    return At(g_dialogButOk, i, j);
  case Target::PreloaderAnim:
    return At(g_preloaderAnim, i, j);
  case Target::Pixie:
    return At(g_pixie, i, j);
  case Target::Smoke:
    return At(g_smoke, i, j);
  case Target::SecretItems:
    return At(g_secretItems, i, j);
  case Target::AchievementIcons:
    return At(g_achievementIcons, i, j);
  case Target::GuiCross:
    return At(g_guiCross, i, j);
  case Target::GuiJoystick:
    return At(g_guiJoystick, i, j);
  case Target::GuiPause:
    return At(g_guiPause, i, j);
  case Target::GuiArrows:
    return At(g_guiArrows, i, j);
  case Target::GuiArrowsPod:
    return At(g_guiArrowsPod, i, j);
  case Target::GreenGlow:
    return At(g_greenGlow, i, j);
  case Target::GuiSuper:
    return At(g_guiSuper, i, j);
  case Target::GuiTime:
    return At(g_guiTime, i, j);
  case Target::GuiShroom:
    return At(g_guiShroom, i, j);
  case Target::GuiAchievement:
    return At(g_guiAchievement, i, j);
  case Target::GuiDeaths:
    return At(g_guiDeaths, i, j);
  case Target::GoldenStick:
    return At(g_goldenStick, i, j);
  case Target::GuiPausePanel:
    return At(g_guiPausePanel, i, j);
  case Target::ButPauseMap:
    return At(g_butPauseMap, i, j);
  case Target::ButPauseOptions:
    return At(g_butPauseOptions, i, j);
  case Target::ButPauseRestart:
    return At(g_butPauseRestart, i, j);
  case Target::ButPauseSkip:
    return At(g_butPauseSkip, i, j);
  case Target::ButPausePlay:
    return At(g_butPausePlay, i, j);
  case Target::ButPauseSpecial:
    return At(g_butPauseSpecial, i, j);
  case Target::ButPauseShield:
    return At(g_butPauseShield, i, j);
  case Target::ButPauseTime:
    return At(g_butPauseTime, i, j);
  case Target::AchievementPanel:
    return At(g_achievementPanel, i, j);
  case Target::AchievementPanel2:
    return At(g_achievementPanel2, i, j);
  case Target::ShroomPanel:
    return At(g_shroomPanel, i, j);
  case Target::CustomSmoke:
    return At(g_customSmoke, i, j);
  case Target::Particles:
    return At(g_Particles, i, j);
  default:
    return nullptr; // placeholders and backgrounds have loaders of their own
  }
}

void LoadBasicSprites() {
  g_commonAtlas = new Atlas(CommonString(catalogue::StartupSprites().atlas));
  RegisterSprites(catalogue::StartupSprites(), g_commonAtlas);
  LoadGUI();
  LoadParticles();
  RegisterSprites(catalogue::EffectSprites(), g_commonAtlas);
  g_secretItemsAtlas = new Atlas(CommonString(catalogue::SecretItemSprites().atlas));
  RegisterSprites(catalogue::SecretItemSprites(), g_secretItemsAtlas);
  g_achievementsAtlas = new Atlas(CommonString(catalogue::MissionIconSprites().atlas));
  RegisterSprites(catalogue::MissionIconSprites(), g_achievementsAtlas);

  int count = 0;
  const catalogue::FontSpec* fonts = catalogue::Fonts(&count);
  for (int f = 0; f < count; ++f) {
    hgeFont*& font = FontGlobal(fonts[f].id);
    // The loader mode has normally made FontSTD already, with these very settings.
    if (fonts[f].onlyWhenAbsent && font) continue;
    font = new hgeFont(fonts[f].file, false);
    font->SetTracking(fonts[f].tracking);
    font->SetSpacing(fonts[f].spacing);
    font->spaceExtra = fonts[f].extraSpace;
  }
  const catalogue::GlyphOffset* offsets = catalogue::HintTextOffsets(&count);
  for (int k = 0; k < count; ++k) {
    unsigned char c = (unsigned char)offsets[k].character;
    FontHintText->pre[c] = offsets[k].pre;
    FontHintText->post[c] = offsets[k].post;
  }
}

void LoadGUI() {
  if (g_guiCross[0]) return;
  RegisterSprites(catalogue::GuiSprites(), g_commonAtlas);
}

void LoadParticles() {
  if (g_Particles[0][0]) return;
  RegisterSprites(catalogue::ParticleSprites(), g_commonAtlas);
}
