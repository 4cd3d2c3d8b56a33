// The release of every global sprite, atlas and font of the game, in the order the game frees
// them (sprites before the atlases they are cut from, fonts last but the display), and the sprite
// slots of earlier builds that nothing fills any more but that are still released with the rest.
#include <cstddef>

#include "atlas.h"
#include "catalogue.h"
#include "display.h"
#include "gameplay_window.h"
#include "hge_font.h"
#include "loader.h"
#include "main_menu.h"
#include "sprite_tables.h"
#include "surface.h"

Surface* g_particleSheet;
Surface* g_backgrounds[6];
Surface* g_paints[10];
Surface* g_controlWheel[2];
Surface* g_butJump;
Surface* g_butAttack;
Surface* g_butCast;
Surface* g_butForce;
Surface* g_interfacePanel;
Surface* g_interfaceScores;
Surface* g_experienceLine;
Surface* g_lifeBar;
Surface* g_interfaceBottom;
Surface* g_levelUp;
Surface* g_menuCloud;
Surface* g_menuBackground;
Surface* g_menuBack;
Surface* g_menuFace;
Surface* g_menuBottom;
Surface* g_menuClouds;
Surface* g_butPlay[2];
Surface* g_castRays;
Surface* g_nextButtonFXs[30];
Surface* g_restorePurchase[2];
Atlas* g_bgAtlas;

namespace {

template <class T> void Release(T*& p) { SafeDelete(p); }
// Whole tables, by their declared size.
template <class T, size_t N> void Release(T (&table)[N]) {
  for (auto& entry : table)
    Release(entry);
}

} // namespace

void SafeDeleteGlobals() {
  if (g_black == g_white) g_black = nullptr;
  Release(g_white);
  g_black = nullptr;
  Release(loaderBG);
  Release(g_particleSheet);
  Release(g_backgrounds);
  Release(g_Particles);
  Release(g_paints);
  Release(g_fragments);
  Release(g_character);
  Release(g_bgTile);
  Release(g_smoke);
  Release(g_customSmoke);
  Release(g_rects);
  Release(g_rectDummies);
  Release(g_preloaderAnim);
  Release(g_controlWheel);
  Release(g_butJump);
  Release(g_butAttack);
  Release(g_butCast);
  Release(g_butForce);
  Release(g_interfacePanel);
  Release(g_interfaceScores);
  Release(g_experienceLine);
  Release(g_lifeBar);
  Release(g_interfaceBottom);
  Release(g_levelUp);
  Release(g_menuCloud);
  Release(g_menuBackground);
  Release(g_menuBack);
  Release(g_menuFace);
  Release(g_menuBottom);
  Release(g_menuClouds);
  Release(g_butPlay);
  Release(g_castRays);
  Release(g_levelEndFXs);
  Release(g_guiCross);
  Release(g_guiJoystick);
  Release(g_guiPause);
  Release(g_guiArrows);
  Release(g_guiArrowsPod);
  Release(g_guiSuper);
  Release(g_greenGlow);
  Release(g_guiTime);
  Release(g_guiShroom);
  Release(g_guiDeaths);
  Release(g_goldenStick);
  Release(g_guiAchievement);
  Release(g_achievementIcons);
  Release(g_secretItems);
  Release(g_guiPausePanel);
  Release(g_butPauseMap);
  Release(g_butPauseOptions);
  Release(g_butPauseRestart);
  Release(g_butPauseSkip);
  Release(g_butPausePlay);
  Release(g_butPauseShield);
  Release(g_butPauseTime);
  Release(g_butPauseSpecial);
  Release(g_achievementPanel);
  Release(g_achievementPanel2);
  Release(g_shroomPanel);
  Release(g_nextButtonFXs);
  Release(g_leaderboards);
  Release(g_missions);
  Release(g_missionButtons);
  Release(g_pixie);
  Release(g_dialog);
  Release(g_dialogButCancel);
  Release(g_dialogButYes);
  Release(g_dialogButNo);
  Release(g_dialogButOk);
  Release(g_restorePurchase);

  Release(g_charAtlas);
  Release(g_worldAtlas);
  Release(g_commonAtlas);
  Release(g_bgAtlas);
  Release(g_secretItemsAtlas);
  Release(g_achievementsAtlas);

  Release(Font1);
  Release(FontButtons);
  Release(FontLarge);
  Release(FontInterface);
  Release(FontTime);
  Release(FontTimeBig);
  Release(FontHintText);
  Release(FontSTD);
  Release(FontShroom);
  Release(FontLevelID);
  Release(FontSmallText);
  Release(display);
}
