// The level header: the 540-byte block at the end of every level file, held for the level in play.
#pragma once

#include <cstddef>

#include "quellar_types.h"

struct levelHeader {
  s32 reserved0[9];
  s32 background; // index of the standalone background picture
  s32 backgroundR, backgroundG, backgroundB, backgroundA;
  s32 startX, startY; // the hero's start point
  s32 reserved1[12];
  s32 weatherKind;
  s32 reserved2[3];
  s32 weatherAmount;
  s32 weatherVelX, weatherVelY;
  // Tints stored alpha first.
  s32 characterA, characterR, characterG, characterB;
  float weatherSize;
  // Rank time limits in seconds: 4 "Perfect", 3, 2 and 1.
  float rankTime4, rankTime3, rankTime2, rankTime1;
  s32 reserved3;
  float ipadZoom;
  s32 noBackgroundScroll;
  s32 particlesA, particlesR, particlesG, particlesB;
  s32 reserved4[84];
};
static_assert(sizeof(levelHeader) == 540, "the level header is 540 bytes");
static_assert(offsetof(levelHeader, background) == 36 && offsetof(levelHeader, startX) == 56 &&
                  offsetof(levelHeader, weatherKind) == 112 && offsetof(levelHeader, weatherAmount) == 128 &&
                  offsetof(levelHeader, characterA) == 140 && offsetof(levelHeader, weatherSize) == 156 &&
                  offsetof(levelHeader, rankTime4) == 160 && offsetof(levelHeader, ipadZoom) == 180 &&
                  offsetof(levelHeader, particlesA) == 188,
              "header fields sit at their file offsets");

extern levelHeader g_levelCur;
