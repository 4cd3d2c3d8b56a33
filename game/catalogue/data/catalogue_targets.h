// Every global the catalogue's rows fill, described once: the Target enum, the shapes the rows are
// checked against and the game's slot lookup (SpriteSlot) are all made from CATALOGUE_TARGETS.
#pragma once

#include <cstdint>

// One row per target, in Target's order: its enumerator, the global (or a name for messages), its
// rows (type, row or entry) and columns (frame). A single pointer is 1 x 1, an array N x 1, a
// two-dimensional array rows x columns.
//   TABLE: a global sprite table of sprite_tables.h; SpriteSlot addresses it by its declared type
//          and a static_assert holds the declaration to this row.
//   KEPT:  slots kept by the code that loads them: the world sets' placeholders, the level
//          background (one at a time in g_bgTile[1]), the front end's globals (index a
//          FrontEndGlobal, frame the slot) and a screen's own (index one of its globals).
// Adding a global: declare it in sprite_tables.h and add its row here.
#define CATALOGUE_TARGETS(TABLE, KEPT)                                                                       \
  TABLE(Rects, g_rects, 800, 30)                                                                             \
  KEPT(RectDummies, "g_rectDummies", 800, 30)                                                                \
  TABLE(Character, g_character, 65, 65)                                                                      \
  KEPT(Backgrounds, "backgrounds", 51, 1)                                                                    \
  TABLE(LevelEndFXs, g_levelEndFXs, 80, 1)                                                                   \
  TABLE(Leaderboards, g_leaderboards, 2, 1)                                                                  \
  TABLE(Missions, g_missions, 2, 1)                                                                          \
  TABLE(MissionButtons, g_missionButtons, 20, 1)                                                             \
  TABLE(Dialog, g_dialog, 3, 1)                                                                              \
  TABLE(DialogButCancel, g_dialogButCancel, 1, 1)                                                            \
  TABLE(DialogButYes, g_dialogButYes, 1, 1)                                                                  \
  TABLE(DialogButNo, g_dialogButNo, 1, 1)                                                                    \
  TABLE(DialogButOk, g_dialogButOk, 1, 1)                                                                    \
  TABLE(PreloaderAnim, g_preloaderAnim, 4, 1)                                                                \
  TABLE(Pixie, g_pixie, 2, 20)                                                                               \
  TABLE(Smoke, g_smoke, 50, 1)                                                                               \
  TABLE(SecretItems, g_secretItems, 100, 1)                                                                  \
  TABLE(AchievementIcons, g_achievementIcons, 60, 1)                                                         \
  TABLE(GuiCross, g_guiCross, 2, 1)                                                                          \
  TABLE(GuiJoystick, g_guiJoystick, 2, 1)                                                                    \
  TABLE(GuiPause, g_guiPause, 2, 1)                                                                          \
  TABLE(GuiArrows, g_guiArrows, 2, 2)                                                                        \
  TABLE(GuiArrowsPod, g_guiArrowsPod, 1, 1)                                                                  \
  TABLE(GreenGlow, g_greenGlow, 1, 1)                                                                        \
  TABLE(GuiSuper, g_guiSuper, 1, 1)                                                                          \
  TABLE(GuiTime, g_guiTime, 1, 1)                                                                            \
  TABLE(GuiShroom, g_guiShroom, 1, 1)                                                                        \
  TABLE(GuiAchievement, g_guiAchievement, 1, 1)                                                              \
  TABLE(GuiDeaths, g_guiDeaths, 1, 1)                                                                        \
  TABLE(GoldenStick, g_goldenStick, 1, 1)                                                                    \
  TABLE(GuiPausePanel, g_guiPausePanel, 5, 1)                                                                \
  TABLE(ButPauseMap, g_butPauseMap, 1, 1)                                                                    \
  TABLE(ButPauseOptions, g_butPauseOptions, 1, 1)                                                            \
  TABLE(ButPauseRestart, g_butPauseRestart, 1, 1)                                                            \
  TABLE(ButPauseSkip, g_butPauseSkip, 1, 1)                                                                  \
  TABLE(ButPausePlay, g_butPausePlay, 1, 1)                                                                  \
  TABLE(ButPauseSpecial, g_butPauseSpecial, 1, 1)                                                            \
  TABLE(ButPauseShield, g_butPauseShield, 2, 1)                                                              \
  TABLE(ButPauseTime, g_butPauseTime, 2, 1)                                                                  \
  TABLE(AchievementPanel, g_achievementPanel, 1, 1)                                                          \
  TABLE(AchievementPanel2, g_achievementPanel2, 1, 1)                                                        \
  TABLE(ShroomPanel, g_shroomPanel, 2, 2)                                                                    \
  TABLE(CustomSmoke, g_customSmoke, 10, 1)                                                                   \
  TABLE(Particles, g_Particles, 10, 20)                                                                      \
  KEPT(FrontEnd, "front end", catalogue::FrontEndGlobalCount, catalogue::kFrontEndSlots)                     \
  KEPT(Screen, "a screen's own", catalogue::kScreenGlobals, catalogue::kScreenSlots)

namespace catalogue {

// The front end's sprite globals, the rows of Target::FrontEnd.
enum FrontEndGlobal : int16_t {
  MainmenuBottom,
  MainmenuSub,
  MenuBall,
  ButtonMain,
  PickCharPanel,
  PickedCharIcons,
  BuyNow,
  MapIcons,
  MapLock,
  MapDot,
  EasyButtonRotater,
  MapButtons,
  PickCharMask,
  NewGameBG,
  NewGamePanel,
  NewGameItems,
  NewGameEyes,
  LevelFrame,
  SelectButtons,
  HelpPanel,
  OptSurf,
  LoaderBG,
  WhitePicture,
  FrontEndGlobalCount
};
const int kFrontEndSlots = 30;
// A screen's own globals: at most this many arrays of this many slots each.
const int kScreenGlobals = 16;
const int kScreenSlots = 64;

#define CATALOGUE_ENUMERATOR(target, global, rows, columns) target,
enum class Target : uint8_t { CATALOGUE_TARGETS(CATALOGUE_ENUMERATOR, CATALOGUE_ENUMERATOR) Count };
#undef CATALOGUE_ENUMERATOR

struct TargetShape {
  const char* name; // the global's name, for messages
  int rows;         // first index: type, row or entry
  int columns;      // second index: frame
};

namespace detail {
#define CATALOGUE_TABLE_SHAPE(target, global, rows, columns) {#global, rows, columns},
#define CATALOGUE_KEPT_SHAPE(target, name, rows, columns) {name, rows, columns},
constexpr TargetShape kShapes[] = {CATALOGUE_TARGETS(CATALOGUE_TABLE_SHAPE, CATALOGUE_KEPT_SHAPE)};
#undef CATALOGUE_TABLE_SHAPE
#undef CATALOGUE_KEPT_SHAPE
static_assert(sizeof(kShapes) / sizeof(kShapes[0]) == (int)Target::Count, "one shape per target");
} // namespace detail

// Outside the enum: the first target's shape (CheckRow refuses such a target before it asks).
constexpr const TargetShape& ShapeOf(Target target) {
  int t = (int)target;
  return detail::kShapes[t >= 0 && t < (int)Target::Count ? t : 0];
}

} // namespace catalogue
