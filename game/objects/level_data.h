// The current run of a level: its clock, frame count, pickups, deaths, rank and vertical extent,
// and whether it is paused.
#pragma once

#include "quellar_types.h"

struct levelHeader;

struct levelCurrentData {
  float levelTime; // seconds; stops at the first value at or above 59.99
  s32 frames;      // frames since the run started (also the recordings' index)
  s32 mushroomsTaken;
  u8 quickSaved;   // restored from a quick save: no time or rank shown
  s32 levelBottom; // largest object y; the hero dies 200 px below it
  s32 rank;        // 1-4, written by the HUD every frame
  s32 secretsTaken;
  s32 secretIndex;
  s32 deaths;         // kept across restarts until the level is completed or left
  s32 levelTop;       // smallest object y
  float sinceRespawn; // seconds since the hero (re)appeared

  // Time, frames, mushrooms and secrets back to 0; the rest stays.
  void Reset();
  void Process(float dt);
};

extern levelCurrentData g_levelCurrentData;

// The level is paused: the objects stand still while the pause panel is open.
extern bool g_paused;
extern bool pauseSpecialsEnabled;
// The pause button's action: opens the panel (with its sound), or closes it.
void ButtonPause();

// Once per frame with the frame step (0 while paused): the run's counters, then the clock while
// the hero plays.
void ProcessCurrentLevel(float dt);
// The rank a level time earns against the header's four limits (4 the perfect rank); the HUD
// gives the run this rank every frame.
int RankOfTime(float t, const levelHeader& header);
