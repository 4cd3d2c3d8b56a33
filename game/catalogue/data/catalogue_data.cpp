// The catalogue's shared rules (name expansion, release ranges, world choice, the asset walk) and
// the rows of the start-up sprites, the level backgrounds and the fonts.
#include "catalogue_data.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "catalogue_rows.h"

namespace catalogue {
namespace {

using namespace rows;

const TargetShape kShapes[(int)Target::Count] = {
    {"g_rects", 800, 30},
    {"g_rectDummies", 800, 30},
    {"g_character", kCharacterRows, kCharacterFrames},
    {"backgrounds", 51, 1},
    {"g_levelEndFXs", 80, 1},
    {"g_leaderboards", 2, 1},
    {"g_missions", 2, 1},
    {"g_missionButtons", 20, 1},
    {"g_dialog", 3, 1},
    {"g_dialogButCancel", 1, 1},
    {"g_dialogButYes", 1, 1},
    {"g_dialogButNo", 1, 1},
    {"g_dialogButOk", 1, 1},
    {"g_preloaderAnim", 4, 1},
    {"g_pixie", 2, 20},
    {"g_smoke", 50, 1},
    {"g_secretItems", 100, 1},
    {"g_achievementIcons", 60, 1},
    {"g_guiCross", 2, 1},
    {"g_guiJoystick", 2, 1},
    {"g_guiPause", 2, 1},
    {"g_guiArrows", 2, 2},
    {"g_guiArrowsPod", 1, 1},
    {"g_greenGlow", 1, 1},
    {"g_guiSuper", 1, 1},
    {"g_guiTime", 1, 1},
    {"g_guiShroom", 1, 1},
    {"g_guiAchievement", 1, 1},
    {"g_guiDeaths", 1, 1},
    {"g_goldenStick", 1, 1},
    {"g_guiPausePanel", 5, 1},
    {"g_butPauseMap", 1, 1},
    {"g_butPauseOptions", 1, 1},
    {"g_butPauseRestart", 1, 1},
    {"g_butPauseSkip", 1, 1},
    {"g_butPausePlay", 1, 1},
    {"g_butPauseSpecial", 1, 1},
    {"g_butPauseShield", 2, 1},
    {"g_butPauseTime", 2, 1},
    {"g_achievementPanel", 1, 1},
    {"g_achievementPanel2", 1, 1},
    {"g_shroomPanel", 2, 2},
    {"g_customSmoke", 10, 1},
    {"g_Particles", 10, 20},
    {"front end", FrontEndGlobalCount, kFrontEndSlots},
    {"a screen's own", kScreenGlobals, kScreenSlots},
};

// Level end, banners and mission buttons, dialogs: registered before LoadGUI.
const Run kStartup[] = {
    Entry(Target::LevelEndFXs, 0, "fxend_goldpad"),
    Entry(Target::LevelEndFXs, 1, "black", P),
    Entry(Target::LevelEndFXs, 2, "fxend_beams"),
    Entry(Target::LevelEndFXs, 3, "fxend_grass"),
    Entry(Target::LevelEndFXs, 4, "fxend_line_brite"),
    Entry(Target::LevelEndFXs, 5, "fxend_mushroom"),
    Entry(Target::LevelEndFXs, 6, "fxend_red_baron_mushroom2"),
    Entry(Target::LevelEndFXs, 7, "fxend_secretitem"),
    Entries(Target::LevelEndFXs, 8, 10, "fxend_splash_%02d"),
    Entry(Target::LevelEndFXs, 11, "fxend_star"),
    Entry(Target::LevelEndFXs, 12, "fxend_text_1"),
    Entries(Target::LevelEndFXs, 15, 16, "fxend_teeth_%02d"),
    Entry(Target::LevelEndFXs, 17, "fxend_level_pod"),
    Entry(Target::LevelEndFXs, 18, "fxend_button_restart_up"),
    Entry(Target::LevelEndFXs, 19, "fxend_button_restart_down"),
    Entry(Target::LevelEndFXs, 20, "fxend_button_next_up"),
    Entry(Target::LevelEndFXs, 21, "fxend_button_next_down"),
    Entry(Target::LevelEndFXs, 22, "fxend_button_exit_up"),
    Entry(Target::LevelEndFXs, 23, "fxend_button_exit_down"),
    Entry(Target::LevelEndFXs, 24, "fxend_red_newrecord"),
    Entry(Target::LevelEndFXs, 25, "red_baron_no_record"),
    Entry(Target::LevelEndFXs, 27, "fxend_red_rounder"),
    Entry(Target::LevelEndFXs, 28, "red_baron_no_record_color"),
    Entry(Target::LevelEndFXs, 30, "fxend_red_baron_mushroom"),
    Entry(Target::LevelEndFXs, 31, "fxend_red_baron_secret"),
    Entry(Target::LevelEndFXs, 32, "fxend_time_pod"),
    Entries(Target::LevelEndFXs, 33, 36, "fxend_text_star%d"),
    Entry(Target::LevelEndFXs, 37, "fxend_secretitem"),
    Entry(Target::LevelEndFXs, 38, "fxend_level_pod_gear"),
    Entry(Target::LevelEndFXs, 39, "cross_joystick_panel"),
    Entry(Target::LevelEndFXs, 40, "cross_joystick_panel_gold"),
    Entry(Target::LevelEndFXs, 41, "cross_joystick_panel_gold_fx"),
    Entry(Target::LevelEndFXs, 42, "fxend_button_next_down"),
    Entry(Target::Leaderboards, 0, "fxend_leaderboards1"),
    Entry(Target::Leaderboards, 1, "fxend_leaderboards2", P),
    Entry(Target::Missions, 0, "fxend_missions1"),
    Entry(Target::Missions, 1, "fxend_missions2", P),
    Entry(Target::MissionButtons, 0, "fxend_smallarrow_green"),
    Entry(Target::MissionButtons, 1, "fxend_smallarrow_red"),
    Entry(Target::MissionButtons, 2, "fxend_redsmall"),
    Entries(Target::MissionButtons, 5, 10, "fxend_smallarrow_act_%02d"),
    Entry(Target::Dialog, 0, "panel_std_dialog"),
    Entries(Target::Dialog, 1, 2, "rozha_%02d"),
    Entry(Target::DialogButCancel, 0, "panel_std_dialog_button_cancel"),
    Entry(Target::DialogButYes, 0, "panel_std_dialog_button_yes"),
    Entry(Target::DialogButNo, 0, "panel_std_dialog_button_no"),
    Entry(Target::DialogButOk, 0, "panel_std_dialog_button_ok"),
};

// g_guiCross[0] comes first: LoadGUI's guard tests it.
const Run kGui[] = {
    Entry(Target::GuiCross, 0, "gui_cross_black"),
    Entry(Target::GuiCross, 1, "gui_cross_green"),
    Entry(Target::GuiJoystick, 0, "gui_joystick_control"),
    Entry(Target::GuiJoystick, 1, "gui_joystick_pod"),
    Entry(Target::GuiPause, 0, "gui_pause_pas"),
    Entry(Target::GuiPause, 1, "gui_pause_act"),
    Cell(Target::GuiArrows, 0, 0, "joystick_dual_button_l", P),
    Cell(Target::GuiArrows, 0, 1, "joystick_dual_button_l_push", P),
    Cell(Target::GuiArrows, 1, 0, "joystick_dual_button_r", P),
    Cell(Target::GuiArrows, 1, 1, "joystick_dual_button_r_push", P),
    Entry(Target::GuiArrowsPod, 0, "joystick_dual_pod", P),
    Entry(Target::GreenGlow, 0, "gui_pause_button_fx_active"),
    Entry(Target::GuiSuper, 0, "gui_joystick_control_special"),
    Entry(Target::GuiTime, 0, "gui_time_pod"),
    Entry(Target::GuiShroom, 0, "gui_mushroom"),
    Entry(Target::GuiAchievement, 0, "achievement_popup"),
    Entry(Target::GuiDeaths, 0, "gui_try"),
    Entry(Target::GoldenStick, 0, "gui_goldpad"),
    Entry(Target::GuiPausePanel, 0, "gui_pause_panel"),
    Entry(Target::GuiPausePanel, 1, "gui_pause_panel_hero"),
    Entry(Target::GuiPausePanel, 2, "gui_pause_button_pod"),
    Entry(Target::GuiPausePanel, 3, "pause_panmushroom"),
    Entry(Target::GuiPausePanel, 4, "gui_pause_panel_x5"),
    Entry(Target::ButPauseMap, 0, "gui_pause_button_map"),
    Entry(Target::ButPauseOptions, 0, "gui_pause_button_options"),
    Entry(Target::ButPauseRestart, 0, "gui_pause_button_restart"),
    Entry(Target::ButPauseSkip, 0, "gui_pause_button_skiplevel"),
    Entry(Target::ButPausePlay, 0, "gui_pause_button_play"),
    Entry(Target::ButPauseSpecial, 0, "gui_pause_button_specials"),
    Entry(Target::ButPauseShield, 0, "gui_pause_button_shield_pas"),
    Entry(Target::ButPauseShield, 1, "gui_pause_button_shield"),
    Entry(Target::ButPauseTime, 0, "gui_pause_button_time_pas"),
    Entry(Target::ButPauseTime, 1, "gui_pause_button_time"),
    Entry(Target::AchievementPanel, 0, "ach_panel_closeover"),
    Entry(Target::AchievementPanel2, 0, "fxend_missions_pod"),
    Cell(Target::ShroomPanel, 0, 0, "fxend_mushroom_pan"),
    Cell(Target::ShroomPanel, 1, 0, "fxend_mushroom_pan2"),
    Cell(Target::ShroomPanel, 0, 1, "fxend_mushroom_pan_shop1"),
    Cell(Target::ShroomPanel, 1, 1, "fxend_mushroom_pan_shop2"),
    Entry(Target::CustomSmoke, 0, "ach_panel_closeover"),
};

// g_Particles[0][0] comes first: LoadParticles' guard tests it.
const Run kParticles[] = {
    RowRun(Target::Particles, 0, 0, 8, "smoke_run_%02d"),
    RowRun(Target::Particles, 1, 0, 7, "water_splash_%02d"),
    RowRun(Target::Particles, 2, 0, 7, "sand_40x40_splash_%02d"),
    RowRun(Target::Particles, 3, 0, 9, "smoke_land_%02d"),
    RowRun(Target::Particles, 4, 0, 8, "smoke_down_%02d"),
    RowRun(Target::Particles, 5, 0, 9, "smoke_small_%02d"),
};

const Run kEffects[] = {
    Entries(Target::PreloaderAnim, 0, 3, "preloader_%02d"),
    RowRun(Target::Pixie, 0, 0, 9, "pix_time_%02d"),
    RowRun(Target::Pixie, 1, 0, 9, "pix_shield_%02d"),
    Entries(Target::Smoke, 0, 3, "leaf_%02d"),
    Entries(Target::Smoke, 4, 8, "garbage%d"),
    Entries(Target::Smoke, 9, 12, "paper%d"),
    Entries(Target::Smoke, 13, 16, "rain_drop%d"),
    Entries(Target::Smoke, 17, 21, "star%d"),
    Entry(Target::Smoke, 22, "fxend_fxstar"),
    Entry(Target::Smoke, 23, "w3_weather_particle_star"),
    Entry(Target::Smoke, 24, "w3_weather_particle_drop"),
    Entry(Target::Smoke, 25, "w3_weather_particle_stick"),
    Entry(Target::Smoke, 26, "w3_weather_particle_ball"),
    Entries(Target::Smoke, 27, 29, "w3_weather_particle_leafs_%02d"),
};

const Run kSecretItems[] = {
    Entry(Target::SecretItems, 0, "secret_item_alien_egg"),
    Entry(Target::SecretItems, 1, "secret_item_angrybird"),
    Entry(Target::SecretItems, 2, "secret_item_bejuweled"),
    Entry(Target::SecretItems, 3, "secret_item_bfg"),
    Entry(Target::SecretItems, 4, "secret_item_burger"),
    Entry(Target::SecretItems, 5, "secret_item_calculator"),
    Entry(Target::SecretItems, 6, "secret_item_candy"),
    Entry(Target::SecretItems, 7, "secret_item_death_worm"),
    Entry(Target::SecretItems, 8, "secret_item_finger"),
    Entry(Target::SecretItems, 9, "secret_item_fruit_ninja"),
    Entry(Target::SecretItems, 10, "secret_item_hl_crowbar"),
    Entry(Target::SecretItems, 11, "secret_item_impossible"),
    Entry(Target::SecretItems, 12, "secret_item_joker"),
    Entry(Target::SecretItems, 13, "secret_item_kenny"),
    Entry(Target::SecretItems, 14, "secret_item_mario_cap"),
    Entry(Target::SecretItems, 15, "secret_item_minecraft"),
    Entry(Target::SecretItems, 16, "secret_item_nemo"),
    Entry(Target::SecretItems, 17, "secret_item_nunchaku"),
    Entry(Target::SecretItems, 18, "secret_item_pacman"),
    Entry(Target::SecretItems, 19, "secret_item_ring"),
    Entry(Target::SecretItems, 20, "secret_item_predator_helmet"),
    Entry(Target::SecretItems, 21, "secret_item_scissors"),
    Entry(Target::SecretItems, 22, "secret_item_scrabble"),
    Entry(Target::SecretItems, 23, "secret_item_shrek_cookie"),
    Entry(Target::SecretItems, 24, "secret_item_simpsons_doughnut"),
    Entry(Target::SecretItems, 25, "secret_item_splinter_cell"),
    Entry(Target::SecretItems, 26, "secret_item_terminator"),
    Entry(Target::SecretItems, 27, "secret_item_tetris"),
    Entry(Target::SecretItems, 28, "secret_item_toiletsink"),
    Entry(Target::SecretItems, 29, "secret_item_worms_sheep"),
    Entry(Target::SecretItems, 30, "secret_item_zombie"),
    Entry(Target::SecretItems, 31, "secret_item_knight"),
};

const Run kMissionIcons[] = {
    Entry(Target::AchievementIcons, 0, "ach_ico_warmingup"),
    Entry(Target::AchievementIcons, 1, "ach_ico_jumper"),
    Entry(Target::AchievementIcons, 2, "ach_ico_marathon"),
    Entry(Target::AchievementIcons, 3, "ach_ico_perfecttiming"),
    Entry(Target::AchievementIcons, 4, "ach_ico_undying"),
    Entry(Target::AchievementIcons, 5, "ach_ico_icandothis"),
    Entry(Target::AchievementIcons, 6, "ach_ico_progamer"),
    Entry(Target::AchievementIcons, 7, "ach_ico_flash"),
    Entry(Target::AchievementIcons, 8, "ach_ico_shroomhunter"),
    Entry(Target::AchievementIcons, 9, "ach_ico_stubborn"),
    Entry(Target::AchievementIcons, 10, "ach_ico_iamlegend"),
    Entry(Target::AchievementIcons, 11, "ach_ico_shielded"),
    Entry(Target::AchievementIcons, 12, "ach_ico_balloonmaster"),
    Entry(Target::AchievementIcons, 13, "ach_ico_rocketchaser"),
    Entry(Target::AchievementIcons, 14, "ach_ico_immortal"),
    Entry(Target::AchievementIcons, 15, "ach_ico_easypeasy"),
    Entry(Target::AchievementIcons, 16, "ach_ico_addicted"),
    Entry(Target::AchievementIcons, 17, "ach_ico_torch"),
    Entry(Target::AchievementIcons, 18, "ach_ico_magicfinder"),
    Entry(Target::AchievementIcons, 19, "ach_ico_follower"),
    Entry(Target::AchievementIcons, 20, "ach_ico_electroman"),
    Entry(Target::AchievementIcons, 21, "ach_ico_epicgamer"),
    Entry(Target::AchievementIcons, 22, "ach_ico_minime"),
    Entry(Target::AchievementIcons, 23, "ach_ico_challenge"),
    Entry(Target::AchievementIcons, 24, "ach_ico_teleportation"),
    Entry(Target::AchievementIcons, 25, "ach_ico_knowallsecrets"),
    Entry(Target::AchievementIcons, 26, "ach_ico_shroomdestroyer"),
    Entry(Target::AchievementIcons, 27, "ach_ico_biggerchallenge"),
    Entry(Target::AchievementIcons, 28, "ach_ico_takefortheteam"),
    Entry(Target::AchievementIcons, 29, "ach_ico_generosity"),
    Entry(Target::AchievementIcons, 30, "ach_ico_possibleimpossible"),
    Entries(Target::AchievementIcons, 57, 59, "ach_ico_shroom+%d"),
};

const Target B = Target::Backgrounds;
const Run kBackgrounds[] = {
    Entry(B, 0, "background_960x640", J),
    Entries(B, 1, 4, "background_960x640_%02d", 2, J),
    Entry(B, 5, "background_w2_960x640", J),
    Entry(B, 6, "bonus1_background_960x640", J),
    Entry(B, 7, "bonus2_background_960x640", J),
    Entry(B, 8, "background_w2_960x640_09", J),
    Entries(B, 9, 15, "background_w2_960x640_%02d", 2, J),
    Entry(B, 16, "background_w3_960x640_01", J),
    Entry(B, 17, "bonus3_background_960x640_01", J),
    Entries(B, 18, 21, "bonus4_background_960x640_%02d", 1, J),
    Entries(B, 22, 23, "background_w3_960x640_%02d", 2, J),
    Entries(B, 24, 26, "bonus5_background_960x640_%02d", 1, J),
    Entries(B, 27, 30, "background_w3_960x640_%02d", 4, J),
    Entry(B, 31, "background_wt", J),
    Entries(B, 32, 33, "background_960x640_%02d", 6, J),
    Entries(B, 34, 39, "background_w3_960x640_%02d", 8, J),
    Entry(B, 50, "hidgame_background", P),
};

constexpr Set kStartupSet = MakeSet("LoadBasicSprites", "allcommon", kStartup);
constexpr Set kGuiSet = MakeSet("LoadGUI", "allcommon", kGui);
constexpr Set kParticleSet = MakeSet("LoadParticles", "allcommon", kParticles);
constexpr Set kEffectSet = MakeSet("LoadBasicSprites", "allcommon", kEffects);
constexpr Set kSecretItemSet = MakeSet("LoadBasicSprites", "secret_items", kSecretItems);
constexpr Set kMissionIconSet = MakeSet("LoadBasicSprites", "missions", kMissionIcons);
constexpr Set kBackgroundSet = MakeSet("LoadBGSprites", nullptr, kBackgrounds);

const FontSpec kFonts[] = {
    {FontId::Interface, "FontInterface", "font_interface", -16.0f, 0.7f, 0, false},
    {FontId::LevelID, "FontLevelID", "font_map_level", -16.0f, 0.7f, 0, false},
    {FontId::Time, "FontTime", "font_time", -14.0f, 0.7f, 0, false},
    {FontId::TimeBig, "FontTimeBig", "font_time_big", -11.0f, 0.7f, 0, false},
    {FontId::HintText, "FontHintText", "font_map_help", -19.0f, 0.7f, 0, false},
    {FontId::STD, "FontSTD", "font_STD", -13.0f, 0.7f, 6, true},
    {FontId::Shroom, "FontShroom", "font_mushrooms", -13.0f, 0.7f, 6, false},
};

const GlyphOffset kHintOffsets[] = {
    {'C', 0, -3}, {'a', -2, 0}, {'e', 0, -1}, {'f', 0, -3}, {'g', 0, -1}, {'i', -2, -2}, {'j', -3, -2},
    {'l', -1, 0}, {'n', -2, 2}, {'o', -1, 0}, {'p', -3, 1}, {'v', 1, 1},  {'y', -3, -1},
};

bool IsRange(const Run& run) {
  return run.lastIndex >= run.firstIndex && run.lastFrame >= run.firstFrame &&
         (run.lastIndex == run.firstIndex || run.lastFrame == run.firstFrame);
}

} // namespace

const TargetShape& ShapeOf(Target target) {
  int t = (int)target;
  if (t < 0 || t >= (int)Target::Count) t = 0;
  return kShapes[t];
}

int SlotCount(const Run& run) {
  if (!IsRange(run)) return 0;
  return (run.lastIndex - run.firstIndex + 1) * (run.lastFrame - run.firstFrame + 1);
}

void SlotAt(const Run& run, int i, int* index, int* frame) {
  if (run.lastIndex > run.firstIndex) {
    *index = run.firstIndex + i;
    *frame = run.firstFrame;
  } else {
    *index = run.firstIndex;
    *frame = run.firstFrame + i;
  }
}

bool ExpandName(const Run& run, int i, char* out, int capacity) {
  if (!run.pattern || !out || capacity <= 0 || i < 0 || i >= SlotCount(run)) return false;
  if (run.step != 1 && run.step != -1) return false;
  const long value = (long)run.first + (long)run.step * i;
  int n = 0;
  auto put = [&](char c) {
    if (n + 1 >= capacity) return false;
    out[n++] = c;
    return true;
  };
  bool converted = false;
  for (const char* p = run.pattern; *p;) {
    if (*p != '%') {
      if (!put(*p++)) return false;
      continue;
    }
    if (converted) return false;
    converted = true;
    ++p;
    int width = 0;
    if (*p == '0') {
      ++p;
      if (*p < '1' || *p > '9') return false;
      width = *p++ - '0';
    }
    if (*p == 'd') {
      if (value < 0) return false;
      char digits[24];
      int count = 0;
      long v = value;
      do {
        digits[count++] = (char)('0' + v % 10);
        v /= 10;
      } while (v > 0);
      for (int pad = count; pad < width; ++pad)
        if (!put('0')) return false;
      while (count > 0)
        if (!put(digits[--count])) return false;
    } else if (*p == 'c' && width == 0) {
      // Letters and digits only: a name never holds a blank, a separator or a control code.
      bool alnum =
          (value >= '0' && value <= '9') || (value >= 'a' && value <= 'z') || (value >= 'A' && value <= 'Z');
      if (!alnum || !put((char)value)) return false;
    } else {
      return false;
    }
    ++p;
  }
  out[n] = 0;
  return n > 0;
}

bool IsCommonType(int type) {
  switch (type) {
  case 57:
  case 58:
  case 89:
  case 90:
  case 91:
  case 92:
  case 93:
  case 94:
  case 99:
  case 199:
  case 204:
  case 242:
  case 243:
  case 244:
    return true;
  default:
    return false;
  }
}

bool InReleaseRange(int range, int type) {
  if (IsCommonType(type)) return false;
  switch (range) {
  case 0:
    return (type >= 100 && type <= 198) || (type >= 300 && type <= 399) || (type >= 500 && type <= 599);
  case 1:
    return (type >= 0 && type <= 99) || (type >= 200 && type <= 299);
  case 2:
    return type >= 600 && type <= 799;
  case 8:
    return type >= 400 && type <= 499;
  default:
    return false;
  }
}

unsigned ReleaseRangesOf(int set) {
  switch (set) {
  case 0:
  case 3:
    return 1u << 0;
  case 1:
    return 1u << 1;
  case 2:
    return 1u << 2;
  case 4:
    return (1u << 0) | (1u << 1);
  case 8:
    return 1u << 8;
  default:
    return 0;
  }
}

int SpriteSetForLevel(int level, const int firstCasual[5]) {
  int set;
  if (level == 0 || level == 20)
    set = 4;
  else if (level == 19)
    set = 3;
  else if (firstCasual[0] <= level && level < firstCasual[0] + 10)
    set = 3;
  else if (firstCasual[1] <= level && level < firstCasual[2])
    set = 0;
  else if (firstCasual[2] <= level && level < firstCasual[3])
    set = 1;
  else if (firstCasual[3] <= level && level < firstCasual[4])
    set = 2;
  else
    set = 8;
  if (level > 250) set = 0;
  return set;
}

const Set& StartupSprites() { return kStartupSet; }
const Set& GuiSprites() { return kGuiSet; }
const Set& ParticleSprites() { return kParticleSet; }
const Set& EffectSprites() { return kEffectSet; }
const Set& SecretItemSprites() { return kSecretItemSet; }
const Set& MissionIconSprites() { return kMissionIconSet; }
const Set& BackgroundPictures() { return kBackgroundSet; }

const FontSpec* Fonts(int* count) {
  *count = (int)(sizeof(kFonts) / sizeof(kFonts[0]));
  return kFonts;
}

const GlyphOffset* HintTextOffsets(int* count) {
  *count = (int)(sizeof(kHintOffsets) / sizeof(kHintOffsets[0]));
  return kHintOffsets;
}

const Set* const* AllSets(int* count) {
  struct List {
    const Set* sets[48];
    int count = 0;
  };
  static const List list = [] {
    List l;
    for (int s = 0; s < kWorldSetCount; ++s)
      if (WorldSet(s)) l.sets[l.count++] = WorldSet(s);
    for (const Set* s : {&kStartupSet, &kGuiSet, &kParticleSet, &kEffectSet, &kSecretItemSet,
                         &kMissionIconSet, &kBackgroundSet})
      l.sets[l.count++] = s;
    for (const Set* s : {&FrontEndPictures(), &FrontEndWorldSprites(), &FrontEndBackgroundSprites(),
                         &FrontEndOptionsSprites(), &LoaderPictures()})
      l.sets[l.count++] = s;
    for (int k = 0; k < kSkinCount; ++k)
      l.sets[l.count++] = SkinSprites(k);
    for (const Set* s : {&WorldMapArt(), &LevelSelectionArt(), &ShopArt(), &OptionsScreenArt(), &ListsArt(),
                         &CreditsArt(), &HelpArt(), &DormantScreensArt(), &MiniGameArt()})
      l.sets[l.count++] = s;
    return l;
  }();
  *count = list.count;
  return list.sets;
}

void WalkAssets(AssetVisitor& visitor) {
  struct AtlasNames {
    std::string atlas;
    std::vector<std::pair<std::string, Slot>> entries;
  };
  std::vector<AtlasNames> atlases;
  std::set<std::pair<std::string, std::string>> seenEntries;
  std::set<std::pair<std::string, int>> seenPictures; // by file type: JPEG or PNG
  std::vector<std::pair<std::string, std::pair<Source, Slot>>> pictures;

  int setCount = 0;
  const Set* const* sets = AllSets(&setCount);
  char name[kMaxNameLength];
  for (int s = 0; s < setCount; ++s) {
    const Set& set = *sets[s];
    for (int r = 0; r < set.runCount; ++r) {
      const Run& run = set.runs[r];
      for (int i = 0; i < SlotCount(run); ++i) {
        if (!ExpandName(run, i, name, sizeof(name))) continue;
        Slot slot{run.target, 0, 0};
        SlotAt(run, i, &slot.index, &slot.frame);
        SizeOf(name, run, run.source == Source::Atlas ? set.atlas : nullptr, &slot.width, &slot.height);
        if (run.source == Source::Atlas) {
          if (!set.atlas) continue;
          if (!seenEntries.insert({set.atlas, name}).second) continue;
          AtlasNames* group = nullptr;
          for (AtlasNames& a : atlases)
            if (a.atlas == set.atlas) group = &a;
          if (!group) {
            atlases.push_back(AtlasNames{set.atlas, {}});
            group = &atlases.back();
          }
          group->entries.push_back({name, slot});
        } else {
          int fileType = run.source == Source::Jpeg ? 1 : 0;
          if (!seenPictures.insert({name, fileType}).second) continue;
          pictures.push_back({name, {run.source, slot}});
        }
      }
    }
  }
  for (const AtlasNames& a : atlases) {
    visitor.Atlas(a.atlas.c_str());
    for (const auto& entry : a.entries)
      visitor.AtlasEntry(a.atlas.c_str(), entry.first.c_str(), entry.second);
  }
  for (const auto& picture : pictures)
    visitor.Picture(picture.first.c_str(), picture.second.first, picture.second.second);
  int fontCount = 0;
  const FontSpec* fonts = Fonts(&fontCount);
  for (int f = 0; f < fontCount; ++f)
    visitor.Font(fonts[f]);
}

} // namespace catalogue
