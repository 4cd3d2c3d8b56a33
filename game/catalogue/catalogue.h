// The sprite catalogue's loaders: the world sets and their switching, the start-up sprites and
// fonts, the level backgrounds, the character skins and the screens' own sprites, all made from the
// catalogue's tables into the sprite tables.
#pragma once

#include <functional>

#include "catalogue_data.h"
#include "quellar_array.h"
#include "sprite_tables.h"

class Atlas;

// --- the catalogue's atlases and what is loaded ---
extern Atlas* g_worldAtlas[WORLD_ATLASES];
extern int previousSpriteSet;
extern int g_currentWorldAtlasID;
extern Atlas* g_commonAtlas;
extern Atlas* g_secretItemsAtlas;
extern Atlas* g_achievementsAtlas;
extern int curBGSprite;
extern Atlas* g_charAtlas;
extern int currentCharacter;

// The start-up sprites and the game's fonts, once per run.
void LoadBasicSprites();
// The sprites of the world that holds g_levelSelected.
void LoadRects();
void LoadBGSprites();
void ClearTemporarySurfaces();
void LoadCharacter(int id);

// A screen's own sprites (the catalogue's Target::Screen rows of one set): each is created into
// the slot slotOf gives for its row's index and frame (null skips it), atlas entries cut from
// atlas, pictures read from their files. The screen frees them itself.
using ScreenSlot = std::function<Surface**(int index, int frame)>;
void RegisterScreenSprites(const catalogue::Set& set, Atlas* atlas, const ScreenSlot& slotOf);
// The same for the rows of any one target.
void RegisterRows(const catalogue::Set& set, catalogue::Target target, Atlas* atlas, const ScreenSlot& where);

// Creates every sprite of a set's rows, in order, into their slots: cut from atlas, a picture of
// its own or a deferred placeholder. Slots are written without looking at what they held.
void RegisterSprites(const catalogue::Set& set, Atlas* atlas);

// The slot of a global sprite table (a TABLE row of CATALOGUE_TARGETS), or null outside it or for
// a target whose slots their loader keeps.
Surface** SpriteSlot(catalogue::Target target, int index, int frame);
// The placeholder slot of a type and frame, or null outside g_rectDummies.
SurfaceDummy** PlaceholderSlot(int type, int frame);

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
