// The pixel sizes of the sample pack's pictures, beside the rows that name them: what each screen
// shows a picture at, doubled (the game draws at scale 0.5), for every picture whose name carries
// no size of its own, and for the few whose stretched drawing needs another.
#include <cstdlib>
#include <cstring>

#include "catalogue_data.h"

namespace catalogue {
namespace {

const ArtSize kSizes[] = {
    // --- The level end (g_levelEndFXs and its lists), drawn by the effect animators at half their
    // scale. The shutters each cover 480 x 240 and close over the whole screen; the three of a wide
    // screen tile its width.
    {"fxend_teeth_%02d", 960, 480},
    {"black", 64, 64}, // stretched 72 times over the screen
    {"fxend_beams", 960, 960},
    {"fxend_grass", 960, 160},
    {"fxend_line_brite", 240, 24},
    {"fxend_splash_%02d", 200, 200},
    {"fxend_star", 96, 96},         // three, 55 apart
    {"fxend_text_1", 520, 100},     // the title over the stars
    {"fxend_text_star%d", 300, 80}, // the rank, beside the badge's rosette
    {"fxend_mushroom", 240, 80},
    {"fxend_secretitem", 240, 80},
    {"fxend_red_baron_mushroom", 120, 120},
    {"fxend_red_baron_secret", 120, 120},
    {"fxend_red_baron_mushroom2", 100, 100},
    {"fxend_red_newrecord", 120, 120},
    {"red_baron_no_record", 120, 120},
    {"fxend_red_rounder", 140, 140},
    {"red_baron_no_record_color", 140, 140},
    {"fxend_time_pod", 220, 80},        // the run's time is drawn over it
    {"cross_joystick_panel", 860, 170}, // its centre right of the stars, which lie on its left part
    {"cross_joystick_panel_gold", 120, 120},
    {"cross_joystick_panel_gold_fx", 120, 120},
    {"fxend_goldpad", 120, 120},
    {"fxend_level_pod", 400, 160}, // the times and the level over it, its gears at its lower corners
    {"fxend_level_pod_gear", 96, 96},
    // The buttons are drawn at 0.42 of their size: about 120 x 60 on the screen.
    {"fxend_button_restart_up", 286, 143},
    {"fxend_button_restart_down", 286, 143},
    {"fxend_button_next_up", 286, 143},
    {"fxend_button_next_down", 286, 143},
    {"fxend_button_exit_up", 286, 143},
    {"fxend_button_exit_down", 286, 143},
    // The missions' tab at the left edge; the list behind it is stretched from 4 px to its width.
    {"fxend_missions1", 80, 440},
    {"fxend_missions2", 4, 440},
    {"fxend_leaderboards1", 80, 440},
    {"fxend_leaderboards2", 4, 440},
    {"fxend_missions_pod", 720, 110}, // one of three rows, 63 apart, icon and reward at +-165
    {"fxend_smallarrow_green", 48, 48},
    {"fxend_smallarrow_red", 48, 48},
    {"fxend_smallarrow_act_%02d", 48, 48},
    {"fxend_redsmall", 36, 36},
    {"fxend_mushroom_pan", 150, 60},  // the balance left-aligned right of its mushroom
    {"fxend_mushroom_pan2", 170, 60}, // the balance centred
    {"fxend_mushroom_pan_shop1", 110, 56},
    {"fxend_mushroom_pan_shop2", 110, 56},
    // --- Dialogs: the panel holds four lines of dark text, a face peeks over its top edge.
    {"panel_std_dialog", 720, 440},
    {"rozha_%02d", 180, 180},
    {"panel_std_dialog_button_cancel", 170, 100},
    {"panel_std_dialog_button_yes", 170, 100},
    {"panel_std_dialog_button_no", 170, 100},
    {"panel_std_dialog_button_ok", 170, 100},
    // --- In play: the HUD, the controls and the pause panel.
    {"gui_cross_black", 36, 36}, // three, 19 apart
    {"gui_cross_green", 36, 36},
    {"gui_goldpad", 48, 48},
    {"gui_time_pod", 340, 70}, // the rank's stars lie on its left, the clock from x 90 on
    {"gui_mushroom", 48, 48},
    {"gui_try", 140, 70}, // the deaths are counted over its right part
    {"gui_pause_pas", 80, 80},
    {"gui_pause_act", 80, 80},
    {"gui_joystick_control", 100, 100},
    {"gui_joystick_pod", 220, 220},
    {"gui_joystick_control_special", 110, 110},
    {"joystick_dual_button_l", 100, 100},
    {"joystick_dual_button_r", 100, 100},
    {"joystick_dual_button_l_push", 100, 100},
    {"joystick_dual_button_r_push", 100, 100},
    {"joystick_dual_pod", 320, 120},
    {"achievement_popup", 560, 100},
    {"ach_panel_closeover", 840, 84},
    {"gui_pause_panel", 960, 240}, // rises from the bottom, the level and balance over it
    {"gui_pause_panel_x5", 120, 240},
    {"pause_panmushroom", 180, 60},
    {"gui_pause_panel_hero", 320, 480},
    {"gui_pause_button_pod", 200, 200},
    {"gui_pause_button_fx_active", 120, 120},
    {"gui_pause_button_map", 110, 110},
    {"gui_pause_button_options", 110, 110},
    {"gui_pause_button_restart", 110, 110},
    {"gui_pause_button_skiplevel", 110, 110},
    {"gui_pause_button_play", 120, 120},
    {"gui_pause_button_specials", 150, 150}, // half off the left edge: its word needs the room
    {"gui_pause_button_shield_pas", 110, 110},
    {"gui_pause_button_shield", 110, 110},
    {"gui_pause_button_time_pas", 110, 110},
    {"gui_pause_button_time", 110, 110},
    // --- Effects and particles.
    {"preloader_%02d", 96, 96},
    {"pix_time_%02d", 24, 24},
    {"pix_shield_%02d", 24, 24},
    {"leaf_%02d", 32, 32},
    {"garbage%d", 32, 32},
    {"paper%d", 32, 32},
    {"rain_drop%d", 16, 32},
    {"star%d", 32, 32},
    {"fxend_fxstar", 32, 32},
    {"w3_weather_particle_star", 32, 32},
    {"w3_weather_particle_drop", 16, 32},
    {"w3_weather_particle_stick", 32, 32},
    {"w3_weather_particle_ball", 32, 32},
    {"w3_weather_particle_leafs_%02d", 32, 32},
    {"smoke_run_%02d", 64, 64},
    {"water_splash_%02d", 64, 64},
    {"smoke_land_%02d", 64, 64},
    {"smoke_down_%02d", 64, 64},
    {"smoke_small_%02d", 64, 64},
    // --- Secret items and mission icons: lists' cells and rows, 50 x 50 on the screen.
    {"secret_items", 100, 100},
    {"missions", 96, 96},
    {"ach_ico_shroom+%d", 48, 48},
    // --- Level backgrounds and the screens' backgrounds: the double-resolution screen.
    {"background_960x640", 960, 640},
    {"background_960x640_%02d", 960, 640},
    {"background_w2_960x640", 960, 640},
    {"background_w2_960x640_%02d", 960, 640},
    {"background_w2_960x640_09", 960, 640},
    {"background_w3_960x640_01", 960, 640},
    {"background_w3_960x640_%02d", 960, 640},
    {"bonus1_background_960x640", 960, 640},
    {"bonus2_background_960x640", 960, 640},
    {"bonus3_background_960x640_01", 960, 640},
    {"bonus4_background_960x640_%02d", 960, 640},
    {"bonus5_background_960x640_%02d", 960, 640},
    {"background_wt", 960, 640},
    {"hidgame_background", 960, 640},
    {"global_map_background", 960, 640},
    {"shop_background", 960, 640},
    {"achsecrets_background", 960, 640},
    {"map_back_world1_casual", 960, 640},
    {"map_back_world1_hardcore", 960, 640},
    {"map_back_world2_casual", 960, 640},
    {"map_back_world2_hardcore", 960, 640},
    {"map_back_world3_casual", 960, 640},
    {"map_back_world3_hardcore", 960, 640},
    {"map_back_world_bonus1", 960, 640},
    {"map_back_world_bonus2", 960, 640},
    {"map_back_world_bonus3", 960, 640},
    {"map_back_world_bonus4", 960, 640},
    {"map_back_world_bonus5", 960, 640},
    {"map_back_world_bonus6", 960, 640},
    {"help_tv", 960, 640},
    // --- The loader: the splash and the two loading pictures (the last drawn at MAXY / 500).
    {"Default_Dunmarrow", 960, 640},
    {"preload_tavenmoor_logo", 480, 240},
    {"loading", 750, 500},
    {"white", 16, 16},
    // --- The main menu: the bar and its wide-screen ends, its buttons (hit boxes 110 x 66 and
    // 55 x 55) and the sub-menus' column, stretched up to 1.28 of its height.
    {"menu_yellow_pod", 960, 100},
    {"menu_yellow_pod_x5l", 120, 120}, // placed 5 px above the bar: reaching the screen's bottom
    {"menu_yellow_pod_x5r", 120, 120},
    {"menu_long_pan", 100, 560},
    {"menu_ball_small", 20, 20}, // page dots, 16 apart
    {"menu_ball_big", 28, 28},
    {"menu_button_play_pas", 220, 132},
    {"menu_button_play_act", 220, 132},
    {"menu_button_1_info", 110, 110},
    {"menu_button_1_options", 110, 110},
    {"menu_button_1_box", 110, 110},
    {"menu_button_world", 110, 110},
    {"menu_button_credits", 110, 110},
    {"menu_button_tavenmoor", 110, 110},
    {"menu_button_help", 110, 110},
    {"menu_button_video", 110, 110},
    {"menu_button_shop", 110, 110},
    {"menu_button_achievements", 110, 110},
    {"menu_button_items", 110, 110},
    {"menu_button_secretgame", 110, 110},
    {"menu_button_gift", 110, 110},
    {"menu_button_gamecenter", 110, 110},
    {"menu_button_about", 110, 110},
    // --- The world map: the top strip with the page dots (the statistics are drawn below it at
    // y 32, the balance at its right), the world pictures (140 x 220 at the centre, 160 apart),
    // their star and mushroom icons and the padlock's shackle 20 above its body.
    {"menu_uppanel_long", 960, 44},
    {"menu_uppanel_long_x5", 120, 44},
    {"global_map_world_0", 280, 440},
    {"global_map_world_1", 280, 440},
    {"global_map_world_2", 280, 440},
    {"global_map_world_3", 280, 440},
    {"global_map_world_4", 280, 440},
    {"global_map_comingsoon", 280, 440},
    {"global_map_gift", 280, 440},
    {"global_map_bonus_world_%d", 280, 440},
    {"global_map_comingsoon_eyes", 160, 70},
    {"global_map_mushroom", 40, 40},
    {"global_map_star", 40, 40},
    {"global_map_zamok_lock", 76, 80},
    {"global_map_zamok", 110, 90},
    {"map_rounder_pas", 24, 24},
    {"map_rounder_act", 24, 24},
    {"menu_smallbutton_gamecenter", 100, 100},
    {"menu_smallbutton_items", 100, 100}, // hit boxes 50 x 50
    {"menu_smallbutton_missions", 100, 100},
    // --- Level selection: the boxes (75 apart), their mushroom and rank marks, the set toggle
    // (146 x 48) with its turning arrows, the hint's wizard and panel (its text 240 wide), the
    // back button, and the character picker: frames 133 apart, the strip behind them stretched
    // MAXX / 3 times, so 3 px cover the screen.
    {"map_button_level_closed", 120, 120},
    {"map_button_level_std", 120, 120},
    {"map_button_level_gold", 120, 120},
    {"map_button_level_opened", 120, 120},
    {"map_button_mushroom", 44, 44},
    {"map_button_level_cross", 30, 30},
    {"map_button_back_pas", 100, 100},
    {"map_button_back_act", 100, 100},
    {"map_button_casual_act", 240, 80},
    {"map_button_casual_pas_w", 240, 80},
    {"map_button_hardcore_act", 240, 80},
    {"map_button_hardcore_pas_w", 240, 80},
    {"map_button_reverser", 52, 52},
    {"map_button_heroselect_pas", 150, 80},
    {"map_button_heroselect_act", 150, 80},
    {"map_uppanel_mushrooms", 150, 60},
    {"map_helppanel_bottom", 960, 90},
    {"menu_wizard_test", 90, 110},
    {"menu_wizard_panel", 600, 120},
    {"char_frame_open", 240, 400},
    {"char_frame_close", 240, 400},
    {"char_select_pod", 3, 440},
    {"char_sprocklet_open", 200, 200},
    {"char_demon_open", 200, 200},
    {"char_demon_close", 200, 200},
    {"char_jario_open", 200, 200},
    {"char_jario_close", 200, 200},
    {"char_slicker_open", 200, 200},
    {"char_slicker_close", 200, 200},
    {"char_star_open", 200, 200},
    {"char_star_close", 200, 200},
    {"char_stickmen_open", 200, 200},
    {"char_stickmen_close", 200, 200},
    {"char_zombie_open", 200, 200},
    {"char_zombie_close", 200, 200},
    {"char_possibleguy_open", 200, 200},
    {"char_possibleguy_close", 200, 200},
    {"name_ico_sprocklet", 200, 56},
    {"name_ico_demon", 200, 56},
    {"name_ico_jario", 200, 56},
    {"name_ico_slicker", 200, 56},
    {"name_ico_superstar", 200, 56},
    {"name_ico_stickman", 200, 56},
    {"name_ico_zombie", 200, 56},
    {"name_ico_possibleguy", 200, 56},
    {"char_buynow_pas", 150, 64},
    // --- Options: the panel under both pages' texts, the switches, the sliders' tracks (the knob
    // runs 320 and 225 px along them) and the page arrow.
    {"options_pan", 780, 560},
    {"options_pan_darken", 64, 64},
    {"options_radiobutton", 64, 64},
    {"options_radiobutton_x", 64, 64},
    {"options_radiobutton_v", 64, 64},
    {"options_line", 660, 24},
    {"options_line2", 470, 24},
    {"options_line_ball", 40, 40},
    {"options_button_x", 80, 80},
    {"options_arrow_r", 48, 64},
    // --- The shop: its bars, a row's strip (440 x 65) with the item's icon and the buy button
    // under the price, and the store's packs.
    {"shop_panel_top", 960, 60},
    {"shop_panel_bottom", 960, 128},
    {"shop_panel_top_x5", 200, 60},
    {"shop_panel_bottom_x5", 200, 128},
    {"shop_button_darkline", 880, 130},
    {"shop_button_buy_pas", 120, 90},
    {"shop_button_buy_act", 120, 90},
    {"shop_button_sold", 120, 90},
    {"shop_mushroom_40_pas", 120, 120},
    {"shop_mushroom_40_act", 120, 120},
    {"shop_mushroom_100_pas", 120, 120},
    {"shop_mushroom_100_act", 120, 120},
    {"shop_mushroom_800_pas", 120, 120},
    {"shop_mushroom_800_act", 120, 120},
    {"shop", 100, 100}, // the items' icons
    // --- The missions and secrets lists: a mission row is 45 px high, a secret cell 57 x 62.
    {"ach_panel_bottom", 960, 72},
    {"ach_panel_bottom_x5", 128, 72},
    {"ach_panel_open", 840, 84},
    {"secret_pan_close", 104, 112},
    {"secret_pan_open", 104, 112},
    // --- Credits and about.
    {"panel_about", 760, 520},
    {"panel_credits", 360, 90}, // narrow enough that the version beside it shows whole
    {"button_eula", 200, 60},
    {"button_privacypolicy", 200, 60},
    {"button_termsofservice", 200, 60},
    {"help_%02d", 480, 320},
    {"flash_get_mobile", 800, 480},
    {"flash_get_mobile_button", 160, 80},
    // --- The mini-game: the side gradient (122 x 320 at each side) and the course's line.
    {"hidgame_background_gradient", 244, 640},
    {"hidgame_line", 240, 16},
    // --- The characters: a frame of the hero, drawn at its character's scale (0.3 to 0.7); the
    // mini-game's hero is drawn at 0.3.
    {"character_lowres", 64, 64},
    {"character_demon", 64, 64},
    {"character_jario", 64, 64},
    {"slicker", 64, 64},
    {"character_star", 64, 64},
    {"character_stickman", 64, 64},
    {"character_zombie", 64, 64},
    {"hidgame_hero_b_boo", 96, 72},
    {"hidgame_hero_b_boo_eye", 96, 72},
    // --- World objects whose names carry no size: the size of their type.
    {"mushroom", 98, 128},
    {"mushroom_fx", 98, 128},
    {"hero_appear_bolt_%02d", 96, 96},
    {"hero_APPEAR_dust_%02d", 96, 96},
    {"door_%02d", 128, 128},
    {"bird_1_stay_%02d", 60, 60},
    {"bird_1_chiv_%02d", 60, 60},
    {"bird_1_fly_%02d", 60, 60},
    {"w2_graffiti_%02d", 100, 100},
    {"w2_graffiti_dirt_%02d", 100, 100},
    {"w2_graffiti_dirt_02", 100, 100},
    {"logo_sprocklet", 160, 120},
    {"grass_01", 100, 100},
    {"grass_%02d", 100, 100},
    {"tree_01", 96, 96},
    {"brick_debris_%02d", 40, 20},
    {"fan_01", 200, 200},
    {"fanblock_01", 200, 200},
    {"bubble_stay_%02d", 80, 80},
    {"bubble_fly_%02d", 80, 80},
    {"bubble_pop_%02d", 80, 80},
    {"rocket_gun", 140, 140},
    {"rocket_rocket", 60, 28},
    {"rocket_fx_%d", 60, 28},
    {"rocket_pod", 160, 160},
    {"fx_dust", 200, 200},
    {"menu_bird1-1", 120, 80},
    {"w3_fanblock_01", 120, 120},
    {"w3_laser_gun", 120, 120},
    {"w3_laser", 120, 120},
    {"w3_portal_red_%02d", 160, 120},
    {"w3_portal_green_%02d", 160, 120},
    {"w3_teleport_%02d", 100, 120},
    {"w3_chainsaw_%02d", 266, 98},
    {"w3_goodturret_pod", 140, 140},
    {"w3_goodturret", 140, 140},
    {"bonus2_brick_debris", 26, 26},
    {"bonus2_gun_pas", 140, 48},
    {"bonus2_gun_fire", 140, 48},
    {"bonus2_gun_bullet", 16, 16},
    {"bonus2_gun_pod", 50, 50},
    {"bonus5_circular_%02d", 160, 160},
    {"bonus7_brick_part_%d", 40, 20},
    {"bonus7_button", 84, 32},
    {"bonus7_palm", 64, 128},
    {"bonus7_rocket_pod", 60, 100},
    {"bonus7_rocket", 48, 24},
    {"bonus7_rocket_fx_%d", 48, 24},
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

const ArtSize* Find(const char* key) {
  if (!key) return nullptr;
  for (const ArtSize& s : kSizes)
    if (std::strcmp(s.key, key) == 0) return &s;
  return nullptr;
}

} // namespace

const ArtSize* ArtSizes(int* count) {
  *count = (int)(sizeof(kSizes) / sizeof(kSizes[0]));
  return kSizes;
}

bool LogicalSizeInName(const char* name, int* width, int* height) {
  if (!name) return false;
  for (size_t i = 0; name[i]; ++i) {
    if (!IsDigit(name[i]) || (i > 0 && IsDigit(name[i - 1]))) continue;
    size_t j = i;
    while (IsDigit(name[j]))
      ++j;
    if (name[j] != 'x') continue;
    size_t k = j + 1;
    while (IsDigit(name[k]))
      ++k;
    if (k == j + 1 || j - i > 4 || k - j - 1 > 4) continue;
    const int w = std::atoi(name + i), h = std::atoi(name + j + 1);
    if (w > 0 && h > 0 && w <= 2000 && h <= 2000) {
      *width = w, *height = h;
      return true;
    }
  }
  return false;
}

bool SizeOf(const char* name, const Run& run, const char* atlas, int* width, int* height) {
  const ArtSize* s = Find(name);
  if (!s) s = Find(run.pattern);
  if (!s) s = Find(atlas);
  if (s) {
    *width = s->width, *height = s->height;
    return true;
  }
  int w = 0, h = 0;
  if (!LogicalSizeInName(name, &w, &h)) return false;
  *width = 2 * w, *height = 2 * h;
  return true;
}

} // namespace catalogue
