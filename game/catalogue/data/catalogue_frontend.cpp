// The front end's rows: the common menu set (its pictures and the entries of its three atlases)
// and the loader's splash pictures.
#include "catalogue_data.h"
#include "catalogue_rows.h"

namespace catalogue {
namespace {

using namespace rows;

const Target F = Target::FrontEnd;

constexpr Run kPictures[] = {
    Cell(F, MainmenuBottom, 0, "menu_yellow_pod", P),
    Cell(F, MainmenuBottom, 1, "menu_yellow_pod_x5l", P),
    Cell(F, MainmenuBottom, 2, "menu_yellow_pod_x5r", P),
    Cell(F, NewGamePanel, 0, "menu_uppanel_long", P),
    Cell(F, NewGamePanel, 3, "menu_uppanel_long_x5", P),
};

constexpr Run kWorld[] = {
    Cell(F, MainmenuSub, 0, "menu_long_pan"),
    Cell(F, MenuBall, 0, "menu_ball_small"),
    Cell(F, MenuBall, 1, "menu_ball_big"),
    Cell(F, ButtonMain, 0, "menu_button_play_pas"),
    Cell(F, ButtonMain, 1, "menu_button_play_act"),
    Cell(F, ButtonMain, 2, "menu_button_1_info"),
    Cell(F, ButtonMain, 3, "menu_button_1_options"),
    Cell(F, ButtonMain, 4, "menu_button_1_box"),
    Cell(F, ButtonMain, 5, "menu_button_world"),
    Cell(F, ButtonMain, 6, "menu_button_credits"),
    Cell(F, ButtonMain, 7, "menu_button_tavenmoor"),
    Cell(F, ButtonMain, 8, "menu_button_help"),
    Cell(F, ButtonMain, 9, "menu_button_video"),
    Cell(F, ButtonMain, 10, "menu_button_shop"),
    Cell(F, ButtonMain, 11, "menu_button_achievements"),
    Cell(F, ButtonMain, 12, "menu_button_items"),
    Cell(F, ButtonMain, 13, "menu_button_secretgame"),
    Cell(F, ButtonMain, 14, "menu_button_gift"),
    Cell(F, ButtonMain, 15, "menu_button_gamecenter"),
    Cell(F, ButtonMain, 16, "menu_button_about"),
    Cell(F, PickCharPanel, 0, "char_frame_open"),
    Cell(F, PickCharPanel, 1, "char_frame_close"),
    Cell(F, PickedCharIcons, 0, "char_sprocklet_open"),
    Cell(F, PickedCharIcons, 2, "name_ico_sprocklet"),
    Cell(F, PickedCharIcons, 3, "char_demon_open"),
    Cell(F, PickedCharIcons, 4, "char_demon_close"),
    Cell(F, PickedCharIcons, 5, "name_ico_demon"),
    Cell(F, PickedCharIcons, 6, "char_jario_open"),
    Cell(F, PickedCharIcons, 7, "char_jario_close"),
    Cell(F, PickedCharIcons, 8, "name_ico_jario"),
    Cell(F, PickedCharIcons, 9, "char_slicker_open"),
    Cell(F, PickedCharIcons, 10, "char_slicker_close"),
    Cell(F, PickedCharIcons, 11, "name_ico_slicker"),
    Cell(F, PickedCharIcons, 12, "char_star_open"),
    Cell(F, PickedCharIcons, 13, "char_star_close"),
    Cell(F, PickedCharIcons, 14, "name_ico_superstar"),
    Cell(F, PickedCharIcons, 15, "char_stickmen_open"),
    Cell(F, PickedCharIcons, 16, "char_stickmen_close"),
    Cell(F, PickedCharIcons, 17, "name_ico_stickman"),
    Cell(F, PickedCharIcons, 18, "char_zombie_open"),
    Cell(F, PickedCharIcons, 19, "char_zombie_close"),
    Cell(F, PickedCharIcons, 20, "name_ico_zombie"),
    Cell(F, PickedCharIcons, 21, "char_possibleguy_open"),
    Cell(F, PickedCharIcons, 22, "char_possibleguy_close"),
    Cell(F, PickedCharIcons, 23, "name_ico_possibleguy"),
    Cell(F, BuyNow, 0, "char_buynow_pas"),
    Cell(F, MapIcons, 0, "global_map_mushroom"),
    Cell(F, MapIcons, 1, "global_map_star"),
    Cell(F, MapLock, 0, "global_map_zamok_lock"),
    Cell(F, MapLock, 1, "global_map_zamok"),
    Cell(F, MapDot, 0, "map_rounder_pas"),
    Cell(F, MapDot, 1, "map_rounder_act"),
    Cell(F, EasyButtonRotater, 0, "map_button_reverser"),
    Cell(F, MapButtons, 0, "menu_smallbutton_gamecenter"),
    Cell(F, MapButtons, 1, "menu_smallbutton_items"),
    Cell(F, MapButtons, 2, "menu_smallbutton_missions"),
    Cell(F, PickCharMask, 0, "char_select_pod"),
    Cell(F, NewGamePanel, 1, "menu_wizard_test"),
    Cell(F, NewGamePanel, 2, "menu_wizard_panel"),
    Cell(F, NewGameItems, 0, "global_map_world_0"),
    Cell(F, NewGameItems, 1, "global_map_world_1"),
    Cell(F, NewGameItems, 2, "global_map_world_2"),
    Cell(F, NewGameItems, 3, "global_map_world_3"),
    Cell(F, NewGameItems, 4, "global_map_world_4"),
    Cell(F, NewGameItems, 5, "global_map_comingsoon"),
    Cell(F, NewGameItems, 6, "global_map_gift"),
    Cell(F, NewGameEyes, 0, "global_map_comingsoon_eyes"),
    Cell(F, LevelFrame, 0, "map_button_level_closed"),
    Cell(F, LevelFrame, 1, "map_button_level_std"),
    Cell(F, LevelFrame, 2, "map_button_level_gold"),
    Cell(F, LevelFrame, 3, "map_button_mushroom"),
    Cell(F, LevelFrame, 4, "map_button_level_cross"),
    Cell(F, LevelFrame, 5, "map_button_level_opened"),
    Cell(F, SelectButtons, 0, "map_button_back_pas"),
    Cell(F, SelectButtons, 1, "map_button_back_act"),
    Cell(F, SelectButtons, 4, "map_button_casual_act"),
    Cell(F, SelectButtons, 5, "map_button_casual_pas_w"),
    Cell(F, SelectButtons, 7, "map_button_hardcore_act"),
    Cell(F, SelectButtons, 8, "map_button_hardcore_pas_w"),
    Cell(F, SelectButtons, 9, "map_button_heroselect_pas"),
    Cell(F, SelectButtons, 10, "map_button_heroselect_act"),
    Cell(F, SelectButtons, 12, "map_uppanel_mushrooms"),
    Cell(F, HelpPanel, 0, "map_helppanel_bottom"),
};

constexpr Run kBackground[] = {
    Cell(F, NewGameBG, 0, "global_map_background"),
};

constexpr Run kOptions[] = {
    Cell(F, OptSurf, 1, "options_pan"),           Cell(F, OptSurf, 2, "options_radiobutton"),
    Cell(F, OptSurf, 3, "options_radiobutton_x"), Cell(F, OptSurf, 4, "options_radiobutton_v"),
    Cell(F, OptSurf, 5, "options_pan_darken"),    Cell(F, OptSurf, 6, "options_line"),
    Cell(F, OptSurf, 7, "options_line2"),         Cell(F, OptSurf, 8, "options_line_ball"),
    Cell(F, OptSurf, 9, "options_button_x"),      Cell(F, OptSurf, 11, "menu_ball_small"),
    Cell(F, OptSurf, 12, "menu_ball_big"),
};

constexpr Run kLoader[] = {
    Cell(F, WhitePicture, 0, "white", P),
    Cell(F, LoaderBG, 0, "Default_Dunmarrow", P),
    Cell(F, LoaderBG, 1, "preload_tavenmoor_logo", J),
    Cell(F, LoaderBG, 2, "loading", J),
};

constexpr Set kPictureSet = MakeSet("LoadCommonMainMenuGFX", nullptr, kPictures);
constexpr Set kWorldSet = MakeSet("LoadCommonMainMenuGFX", "world", kWorld);
constexpr Set kBackgroundSet = MakeSet("LoadCommonMainMenuGFX", "global_map_background_png", kBackground);
constexpr Set kOptionsSet = MakeSet("LoadCommonMainMenuGFX", "options", kOptions);
constexpr Set kLoaderSet = MakeSet("loader::InitMode", nullptr, kLoader);

} // namespace

const Set& FrontEndPictures() { return kPictureSet; }
const Set& FrontEndWorldSprites() { return kWorldSet; }
const Set& FrontEndBackgroundSprites() { return kBackgroundSet; }
const Set& FrontEndOptionsSprites() { return kOptionsSet; }
const Set& LoaderPictures() { return kLoaderSet; }

} // namespace catalogue
