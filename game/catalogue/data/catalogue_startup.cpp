// The start-up rows: the sprites LoadBasicSprites registers (with LoadGUI and LoadParticles) from
// the common, secret-item and mission atlases, and the game's fonts with the hint font's offsets.
#include "catalogue_data.h"
#include "catalogue_rows.h"

namespace catalogue {
namespace {

using namespace rows;

// Level end, banners and mission buttons, dialogs: registered before LoadGUI.
constexpr Run kStartup[] = {
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
constexpr Run kGui[] = {
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
constexpr Run kParticles[] = {
    RowRun(Target::Particles, 0, 0, 8, "smoke_run_%02d"),
    RowRun(Target::Particles, 1, 0, 7, "water_splash_%02d"),
    RowRun(Target::Particles, 2, 0, 7, "sand_40x40_splash_%02d"),
    RowRun(Target::Particles, 3, 0, 9, "smoke_land_%02d"),
    RowRun(Target::Particles, 4, 0, 8, "smoke_down_%02d"),
    RowRun(Target::Particles, 5, 0, 9, "smoke_small_%02d"),
};

constexpr Run kEffects[] = {
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

constexpr Run kSecretItems[] = {
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

constexpr Run kMissionIcons[] = {
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

constexpr Set kStartupSet = MakeSet("LoadBasicSprites", "allcommon", kStartup);
constexpr Set kGuiSet = MakeSet("LoadGUI", "allcommon", kGui);
constexpr Set kParticleSet = MakeSet("LoadParticles", "allcommon", kParticles);
constexpr Set kEffectSet = MakeSet("LoadBasicSprites", "allcommon", kEffects);
constexpr Set kSecretItemSet = MakeSet("LoadBasicSprites", "secret_items", kSecretItems);
constexpr Set kMissionIconSet = MakeSet("LoadBasicSprites", "missions", kMissionIcons);

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

} // namespace

const Set& StartupSprites() { return kStartupSet; }
const Set& GuiSprites() { return kGuiSet; }
const Set& ParticleSprites() { return kParticleSet; }
const Set& EffectSprites() { return kEffectSet; }
const Set& SecretItemSprites() { return kSecretItemSet; }
const Set& MissionIconSprites() { return kMissionIconSet; }

const FontSpec* Fonts(int* count) {
  *count = (int)(sizeof(kFonts) / sizeof(kFonts[0]));
  return kFonts;
}

const GlyphOffset* HintTextOffsets(int* count) {
  *count = (int)(sizeof(kHintOffsets) / sizeof(kHintOffsets[0]));
  return kHintOffsets;
}

} // namespace catalogue
