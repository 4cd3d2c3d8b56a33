// The effect table and the soundtrack files.
#include "sound_names.h"

namespace sounds {
namespace {

const Effect kEffects[] = {
    {0, 0, "jump1"},
    {0, 1, "jump2"},
    {0, 2, "jump3"},
    {1, 0, "double_jump1"},
    {1, 1, "double_jump2"},
    {1, 2, "double_jump3"},
    {2, 0, "jump_voice1"},
    {2, 1, "jump_voice2"},
    {2, 2, "jump_voice3"},
    {2, 3, "jump_voice4"},
    {2, 4, "jump_voice5"},
    {2, 5, "jump_voice6"},
    {2, 6, "jump_voice7"},
    {4, 0, "stick_wall1"},
    {4, 1, "stick_wall2"},
    {4, 2, "stick_wall3"},
    {3, 0, "double_jump_voice2"},
    {3, 1, "double_jump_voice3"},
    {3, 2, "double_jump_voice4"},
    {3, 3, "double_jump_voice5"},
    {3, 4, "double_jump_voice6"},
    {3, 5, "double_jump_voice7"},
    {5, 0, "land1"},
    {5, 1, "land2"},
    {5, 2, "land3"},
    {7, 0, "death_light1"},
    {7, 1, "death_light2"},
    {7, 2, "death_light3"},
    {8, 0, "death1"},
    {8, 1, "death2"},
    {8, 2, "death3"},
    {9, 0, "death_electric"},
    {10, 0, "death_fire"},
    {11, 0, "level_finished_idle_time"},
    {12, 0, "explosion"},
    {14, 0, "trap"},
    {15, 0, "bird5"},
    {15, 1, "bird9"},
    {15, 2, "bird7"},
    {15, 3, "bird1"},
    {15, 4, "bird2"},
    {15, 5, "bird3"},
    {15, 6, "bird1x"},
    {15, 7, "bird2x"},
    {15, 8, "bird3x"},
    {16, 0, "brick_cleave_v1"},
    {16, 1, "brick_cleave_v2"},
    {17, 0, "bubble_pop"},
    {18, 0, "baloon_pop"},
    {19, 0, "canon_fire"},
    {19, 1, "canon_bonus"},
    {20, 0, "rocket_fire"},
    {13, 0, "achievment_unlock"},
    {21, 0, "sand_splash1"},
    {21, 1, "sand_splash2"},
    {21, 2, "sand_splash3"},
    {22, 0, "water_splash"},
    {23, 0, "take_mushroom"},
    {24, 0, "take_secret"},
    {25, 0, "teeth_monster"},
    {25, 1, "bonus_ufo"},
    {47, 1, "mouseover"},
    {47, 0, "mouseup"},
    {31, 0, "teeth_panel"},
    {31, 1, "teeth_panel1"},
    {31, 2, "teeth_panel2"},
    {26, 0, "teleport_in"},
    {26, 1, "teleport_out"},
    {32, 0, "min"},
    {33, 0, "max"},
    {34, 0, "panel_move"},
    {35, 0, "character_fall1"},
    {35, 1, "character_fall2"},
    {35, 2, "character_fall3"},
    {35, 3, "character_fall4"},
    {35, 4, "character_fall5"},
    {37, 0, "character_appearance"},
    {6, 0, "run_solid"},
    {38, 0, "world_select"},
    {27, 0, "jump_into_flying_saucer"},
    {28, 0, "buy"},
    {29, 0, "world_complete"},
    {30, 0, "world_complete_with_applause"},
};

// Every music file once: the theme, the gameplay tracks, then the bonus worlds' tracks 2 to 6.
const char* const kMusic[] = {"sprocklet_theme",     "music_gameplay_01",   "music_gameplay_02",
                              "music_gameplay_3",    "music_bonusworld_01", "music_bonusworld_02",
                              "music_bonusworld_03", "music_bonusworld_04", "music_bonusworld_05"};
enum { kFirstGameplay = 1, kFirstBonus = kFirstGameplay + kGameplayTracks, kBonusTracks = 5 };
static_assert(sizeof(kMusic) / sizeof(kMusic[0]) == kFirstBonus + kBonusTracks, "one file for each track");

} // namespace

const Effect* Effects(int* count) {
  *count = (int)(sizeof(kEffects) / sizeof(kEffects[0]));
  return kEffects;
}

const char* TrackFile(int track, int gameplayTurn) {
  if (track == 0) return kMusic[0];
  if (track == 1) {
    int turn = gameplayTurn % kGameplayTracks;
    return kMusic[kFirstGameplay + (turn < 0 ? turn + kGameplayTracks : turn)];
  }
  if (track >= 2 && track < 2 + kBonusTracks) return kMusic[kFirstBonus + track - 2];
  return nullptr;
}

const char* const* MusicFiles(int* count) {
  *count = (int)(sizeof(kMusic) / sizeof(kMusic[0]));
  return kMusic;
}

} // namespace sounds
