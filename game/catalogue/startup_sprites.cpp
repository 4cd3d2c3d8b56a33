// The start-up sprites and the game's fonts: LoadBasicSprites with LoadGUI and LoadParticles.
#include "atlas.h"
#include "catalogue.h"
#include "hge_font.h"
#include "surface.h"

Atlas* g_commonAtlas;
Atlas* g_secretItemsAtlas;
Atlas* g_achievementsAtlas;

namespace {

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
