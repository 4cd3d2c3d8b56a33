// The shop's own sprites: its background picture and the entries of its atlas. Index = which of
// the shop's globals (0 shopBG, 1 shopPanel, 2 shopBuy, 3 shopBuyShrooms, 4 shopItems, 5 shopLine),
// frame = the slot in it.
#include "catalogue_data.h"
#include "catalogue_rows.h"

namespace catalogue {
namespace {

using namespace rows;

constexpr Run kShop[] = {
    Own(0, 0, "shop_background", P),     Own(1, 0, "shop_panel_top"),
    Own(1, 1, "shop_panel_bottom"),      Own(1, 2, "shop_panel_top_x5"),
    Own(1, 3, "shop_panel_bottom_x5"),   Own(2, 0, "shop_button_buy_pas"),
    Own(2, 1, "shop_button_buy_act"),    Own(3, 0, "shop_mushroom_40_pas"),
    Own(3, 1, "shop_mushroom_40_act"),   Own(3, 2, "shop_mushroom_100_pas"),
    Own(3, 3, "shop_mushroom_100_act"),  Own(3, 4, "shop_mushroom_800_pas"),
    Own(3, 5, "shop_mushroom_800_act"),  Own(4, 0, "shop_ico_time"),
    Own(4, 1, "shop_ico_shield"),        Own(4, 4, "shop_ico_hero_star"),
    Own(4, 5, "shop_ico_hero_demon"),    Own(4, 6, "shop_ico_hero_jario"),
    Own(4, 7, "shop_ico_hero_slicker"),  Own(4, 8, "shop_ico_hero_stickman"),
    Own(4, 9, "shop_ico_hero_zombie"),   OwnRun(4, 12, 16, "shop_ico_bonusworld_%d", 1),
    Own(4, 17, "shop_ico_magnet"),       Own(4, 18, "shop_ico_openworlds"),
    Own(4, 23, "shop_button_sold"),      Own(4, 24, "shop_ico_v"),
    Own(4, 25, "shop_ico_bonusworld_6"), Own(5, 0, "shop_button_darkline"),
};
constexpr Set kShopArt = MakeSet("shop::InitMode", "shop", kShop);

} // namespace

const Set& ShopArt() { return kShopArt; }

} // namespace catalogue
