// The character skins' rows: the animation frames of skins 0-7, by row and frame.
#include "catalogue_rows.h"

namespace catalogue {
namespace {

using namespace rows;

const Target C = Target::Character;

constexpr Run Row(int16_t row, int16_t f0, int16_t f1, const char* p, int16_t first = 1, int8_t step = 1) {
  return Frames(row, f0, f1, p, first, step, A, C);
}
constexpr Run Pic(int16_t row, int16_t frame, const char* name) { return At(row, frame, name, P, C); }

constexpr Run kSkin0[] = {
    Row(0, 0, 7, "hero_breath_%02d"),
    Row(1, 0, 11, "hero_go_veryslow_%02d"),
    Row(2, 0, 6, "hero_go_normal_%02d"),
    Row(3, 0, 3, "hero_go_fast_%02d"),
    Row(4, 0, 4, "hero_wall_rest_%02d"),
    Row(5, 0, 9, "hero_shlepok_%02d"),
    Row(6, 0, 0, "hero_shlepok_01"),
    Row(6, 1, 2, "hero_shlepok_%02d", 5),
    Row(6, 3, 3, "hero_shlepok_08"),
    Row(6, 4, 4, "hero_shlepok_10"),
    Row(7, 0, 4, "hero_wall_left_%02d"),
    Row(8, 0, 3, "hero_wall_left_shlepok_%02d"),
    Row(9, 0, 3, "hero_wall_left_shlepok_%02d", 4, -1),
    Row(10, 0, 11, "hero_salto_%02d"),
    Row(11, 0, 12, "hero_stay_bigeyes_%02d"),
    Row(12, 0, 13, "hero_stay_std_%02d"),
    Row(14, 0, 11, "blood_%02d"),
    Row(14, 13, 15, "blood_debris_%d"),
    Row(14, 16, 18, "blood_hero_debris_%02d"),
    Row(15, 0, 13, "hero_death_bolt_%02d"),
    Row(16, 0, 13, "hero_death_fire_%02d"),
    Row(20, 0, 16, "hero_door_exit_%02d"),
    Row(21, 0, 3, "hero_fly_mushroom_%02d"),
    Row(22, 0, 3, "hero_mushroom_%02d"),
    Row(23, 0, 3, "hero_wall_mush_shlepok_%02d"),
    Row(24, 0, 4, "hero_wall_mushroom_%02d"),
    Row(25, 0, 7, "hero_shlepok_mushroom_%02d"),
    Row(26, 0, 10, "bubble_fly_hero_%02d"),
    Row(27, 0, 3, "hero_fly_%02d"),
    Row(28, 0, 2, "hero_gofly_%02d"),
    Row(30, 0, 3, "hero_fly_%02d"),
    Row(31, 0, 3, "hero_fly4_%02d"),
    Row(32, 0, 3, "hero_fly5_%02d"),
    Row(33, 0, 3, "hero_fly4_%02d"),
    Row(34, 0, 3, "hero_fly5_%02d"),
};

constexpr Run kSkin1[] = {
    Row(0, 0, 5, "b_demon_breath_%02d"),
    Row(1, 0, 7, "b_demon_go_%02d"),
    Row(3, 30, 31, "rocket_fx_%d"),
    Row(4, 0, 4, "b_demon_wall_rest_%02d"),
    Row(5, 0, 5, "demon_shlepok_%02d"),
    Row(7, 0, 3, "demon_wall_%02d"),
    Row(8, 0, 3, "demon_wall_shlepok_%02d"),
    Row(9, 0, 3, "demon_wall_shlepok_%02d"),
    Row(10, 0, 14, "demon_breath_fun_%02d"),
    Row(14, 0, 11, "b_demon_blood_%02d"),
    Row(14, 13, 15, "b_demon_blood_debris_%d"),
    Row(14, 16, 18, "b_demon_blood_hero_debris_%02d"),
    Row(15, 0, 13, "b_demon_death_bolt_%02d"),
    Row(16, 0, 13, "b_demon_death_fire_%02d"),
    Row(20, 0, 15, "b_demon_door_exit_%02d"),
    Row(21, 0, 3, "demon_fly_mushroom_%02d"),
    Row(22, 0, 4, "demon_go_mushroom_%02d"),
    Row(23, 0, 0, "b_demon_wall_mushroom_01"),
    Row(24, 0, 2, "b_demon_wall_mushroom_%02d"),
    Row(26, 0, 0, "demon_bubble_fly"),
    Row(27, 0, 3, "demon_fly_%02d"),
    Row(28, 0, 1, "demon_gofly_%02d"),
};

constexpr Run kSkin2[] = {
    Row(0, 0, 7, "b_jario_breath_%02d"),
    Row(1, 0, 5, "b_jario_go_%02d"),
    Row(2, 0, 0, "b_jario_go_01"),
    Row(3, 0, 0, "b_jario_go_01"),
    Row(4, 0, 4, "b_jario_wall_rest_%02d"),
    Row(5, 0, 6, "b_jario_shlepok_%02d"),
    Row(7, 0, 3, "b_jario_wall_%02d"),
    Row(8, 0, 7, "b_jario_wall_shlepok_%02d"),
    Row(10, 0, 10, "b_jario_breath_fun_%02d"),
    Row(14, 0, 11, "b_jario_blood_%02d"),
    Row(14, 13, 15, "b_jario_blood_debris_%d"),
    Row(14, 16, 18, "b_jario_blood_hero_debris_%02d"),
    Row(15, 0, 13, "b_jario_death_bolt_%02d"),
    Row(16, 0, 13, "b_jario_death_fire_%02d"),
    Row(20, 0, 15, "b_jario_doorexit_%02d"),
    Row(21, 0, 3, "b_jario_mushroom_fly_%02d"),
    Row(21, 4, 5, "b_jario_mushroom_fly_%02d", 3, -1),
    Row(22, 0, 5, "b_jario_mushroom_go_%02d"),
    Row(23, 0, 0, "b_jario_mushroom_wall_01"),
    Row(24, 0, 3, "b_jario_mushroom_wall_%02d"),
    Row(26, 0, 0, "b_jario_bubble"),
    Row(27, 0, 3, "b_jario_fly_%02d"),
    Row(27, 4, 5, "b_jario_fly_%02d", 3, -1),
    Row(30, 0, 5, "b_jario_fly_control_%02d"),
};

constexpr Run kSkin3[] = {
    Row(0, 0, 5, "b_slicker_breath_%02d"),
    Row(1, 0, 8, "b_slicker_go_%02d"),
    Row(2, 0, 0, "b_slicker_go_01"),
    Row(3, 0, 0, "b_slicker_go_01"),
    Row(3, 30, 31, "b_slicker_smoke"),
    Row(4, 0, 4, "b_slicker_wall_rest_%02d"),
    Row(5, 0, 7, "b_slicker_shlepok_%02d"),
    Row(7, 0, 3, "b_slicker_wall_%02d"),
    Row(8, 0, 6, "b_slicker_wall_shlepok_%02d"),
    Row(10, 0, 12, "b_slicker_breath_fun_%02d"),
    Row(14, 0, 11, "b_slicker_blood_%02d"),
    Row(14, 13, 15, "b_slicker_blood_debris_%d"),
    Row(14, 16, 18, "b_slicker_blood_hero_debris_%02d"),
    Row(15, 0, 13, "b_slicker_death_bolt_%02d"),
    Row(16, 0, 13, "b_slicker_death_fire_%02d"),
    Row(20, 0, 15, "b_slicker_door_exit_%02d"),
    Row(21, 0, 3, "b_slicker_mushroom_fly_%02d"),
    Row(22, 0, 7, "b_slicker_mushroom_go_%02d"),
    Row(23, 0, 0, "b_slicker_mushroom_wall_01"),
    Row(24, 0, 3, "b_slicker_mushroom_wall_%02d"),
    Row(26, 0, 0, "b_slicker_bubble"),
    Row(27, 0, 3, "b_slicker_fly_%02d"),
};

constexpr Run kSkin4[] = {
    Row(0, 0, 5, "b_star_breath_%02d"),
    Row(1, 0, 5, "b_star_go_%02d"),
    Row(2, 0, 0, "b_star_go_01"),
    Row(3, 0, 0, "b_star_go_01"),
    Row(4, 0, 6, "b_star_wall_rest_%02d"),
    Row(5, 0, 6, "b_star_shlepok_%02d"),
    Row(7, 0, 4, "b_star_wall_%02d"),
    Row(8, 0, 3, "b_star_wall_shlepok_%02d"),
    Row(9, 0, 3, "b_star_wall_shlepok_%02d"),
    Row(10, 0, 13, "b_star_breath_fun_%02d"),
    Row(14, 0, 11, "b_star_blood_%02d"),
    Row(14, 13, 15, "b_star_blood_debris_%d"),
    Row(14, 16, 18, "b_star_blood_hero_debris_%02d"),
    Row(15, 0, 13, "b_star_death_bolt_%02d"),
    Row(16, 0, 13, "b_star_death_fire_%02d"),
    Row(20, 0, 8, "b_star_door_exit_%02d"),
    Row(21, 0, 0, "b_star_fly_mushroom"),
    Row(22, 0, 5, "b_star_mushroom_%02d"),
    Row(23, 0, 0, "b_star_wall_mushroom_01"),
    Row(24, 0, 4, "b_star_wall_mushroom_%02d"),
    Row(26, 0, 9, "b_star_bubble_fly_%02d"),
    Row(27, 0, 0, "b_star_fly"),
};

constexpr Run kSkin5[] = {
    Row(0, 0, 7, "b_stickmen_breath_%02d"),
    Row(1, 0, 4, "b_stickmen_go_%02d"),
    Row(2, 0, 0, "b_stickmen_go_01"),
    Row(3, 0, 0, "b_stickmen_go_01"),
    Row(4, 0, 3, "b_stickmen_wall_rest_%02d"),
    Row(5, 0, 5, "b_stickmen_shlepok_%02d"),
    Row(7, 0, 3, "b_stickmen_wall_%02d"),
    Row(8, 0, 5, "b_stickmen_wall_shlepok_%02d"),
    Row(10, 0, 24, "b_stickmen_breath_fun_%02d"),
    Row(14, 0, 11, "b_stickmen_blood_%02d"),
    Row(14, 13, 15, "b_stickmen_blood_debris_%d"),
    Row(14, 16, 18, "b_stickmen_blood_hero_debris_%02d"),
    Row(15, 0, 13, "b_stickmen_death_bolt_%02d"),
    Row(16, 0, 13, "b_stickmen_death_fire_%02d"),
    Row(20, 0, 15, "b_stickmen_door_exit_%02d"),
    Row(21, 0, 3, "b_stickmen_mushroom_fly_%02d"),
    Row(22, 0, 4, "b_stickmen_mushroom_go_%02d"),
    Row(23, 0, 0, "b_stickmen_mushroom_wall_01"),
    Row(24, 0, 3, "b_stickmen_mushroom_wall_%02d"),
    Row(26, 0, 0, "b_stickmen_bubble"),
    Row(27, 0, 3, "b_stickmen_fly_%02d"),
};

constexpr Run kSkin6[] = {
    Row(0, 0, 5, "b_zombie_clay_stay_%02d"),
    Row(1, 0, 4, "b_zombie_clay_go_%02d"),
    Row(4, 0, 3, "b_zombie_wall_rest_%02d"),
    Row(5, 0, 4, "b_zombie_clay_shlepok_%02d"),
    Row(7, 0, 0, "b_zombie_clay_wall"),
    Row(8, 0, 4, "b_zombie_clay_wall_shlepok_%02d"),
    Row(14, 0, 9, "b_zombie_clay_blood_%02d"),
    Row(14, 13, 15, "b_zombie_clay_blood_debris_%d"),
    Row(14, 16, 18, "b_zombie_clay_blood_hero_debris_%02d"),
    Row(15, 0, 13, "b_zombie_death_bolt_%02d"),
    Row(16, 0, 13, "b_zombie_death_fire_%02d"),
    Row(20, 0, 11, "b_zombie_doorexit_%02d"),
    Row(21, 0, 0, "b_zombie_clay_mushroom_fly"),
    Row(22, 0, 4, "b_zombie_clay_mushroom_go_%02d"),
    Row(23, 0, 0, "b_zombie_clay_mushroom_wall"),
    Row(24, 0, 0, "b_zombie_clay_mushroom_wall"),
    Row(26, 0, 0, "b_zombie_bubble"),
    Row(27, 0, 0, "b_zombie_clay_go_03"),
};

// The mini-game's hero: two pictures and no atlas.
constexpr Run kSkin7[] = {
    Pic(0, 0, "hidgame_hero_b_boo"),
    Pic(0, 1, "hidgame_hero_b_boo_eye"),
};

constexpr Set kSkins[kSkinCount] = {
    MakeSet("LoadCharacter(0)", "character_lowres", kSkin0),
    MakeSet("LoadCharacter(1)", "character_demon", kSkin1),
    MakeSet("LoadCharacter(2)", "character_jario", kSkin2),
    MakeSet("LoadCharacter(3)", "slicker", kSkin3),
    MakeSet("LoadCharacter(4)", "character_star", kSkin4),
    MakeSet("LoadCharacter(5)", "character_stickman", kSkin5),
    MakeSet("LoadCharacter(6)", "character_zombie", kSkin6),
    MakeSet("LoadCharacter(7)", nullptr, kSkin7),
};

} // namespace

const Set* SkinSprites(int skin) {
  if (skin < 0 || skin >= kSkinCount) return nullptr;
  return &kSkins[skin];
}

} // namespace catalogue
