// The sprite catalogue's loaders: the world sets and their switching, the start-up sprites and
// fonts, the level backgrounds and the character skins, all made from the catalogue's tables.
#pragma once

#include "catalogue_data.h"
#include "game_services.h"
#include "quellar_array.h"

// Creates every sprite of a set's rows, in order, into their slots: cut from atlas, a picture of
// its own or a deferred placeholder. Slots are written without looking at what they held.
void RegisterSprites(const catalogue::Set& set, Atlas* atlas);

// The slot of a global sprite array, or null outside it (not for placeholders or backgrounds).
Surface** SpriteSlot(catalogue::Target target, int index, int frame);

// World sets.
void DeleteAllWorlds(int keep);
void DeleteWorld(int w);
void LoadCommonWorldData();
void LoadWorld1();
void LoadWorld2();
void LoadWorld3();
void LoadWorldTutorial();
void LoadWorld_Level_0();
void LoadBonusWorlds();

// Start-up sprites beside LoadBasicSprites.
void LoadGUI();
void LoadParticles();

// The id of a character read from a file: a skin 0-7, anything else the default hero.
int AcceptedCharacterId(int id);
// Frame tick modulo the row's length of the loaded skin, or null for a row without frames (a
// skin that leaves the row empty, or no skin at all).
Surface* CharacterLoopFrame(int row, int length, int tick);
