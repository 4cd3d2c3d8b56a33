// The level header: the 540-byte block at the end of every level file, held for the level in play.
#pragma once

#include <cstddef>
#include <cstdint>

struct levelHeader {
  int32_t reserved0[9];
  int32_t background; // index of the standalone background picture
  int32_t backgroundR, backgroundG, backgroundB, backgroundA;
  int32_t startX, startY; // the hero's start point
  int32_t reserved1[12];
  int32_t weatherKind;
  int32_t reserved2[3];
  int32_t weatherAmount;
  int32_t weatherVelX, weatherVelY;
  // Tints stored alpha first.
  int32_t characterA, characterR, characterG, characterB;
  float weatherSize;
  // Rank time limits in seconds: 4 "Perfect", 3, 2 and 1.
  float rankTime4, rankTime3, rankTime2, rankTime1;
  int32_t reserved3;
  float ipadZoom;
  int32_t noBackgroundScroll;
  int32_t particlesA, particlesR, particlesG, particlesB;
  int32_t reserved4[84];
};
static_assert(sizeof(levelHeader) == 540, "the level header is 540 bytes");
static_assert(offsetof(levelHeader, background) == 36 && offsetof(levelHeader, startX) == 56 &&
                  offsetof(levelHeader, weatherKind) == 112 && offsetof(levelHeader, weatherAmount) == 128 &&
                  offsetof(levelHeader, characterA) == 140 && offsetof(levelHeader, weatherSize) == 156 &&
                  offsetof(levelHeader, rankTime4) == 160 && offsetof(levelHeader, ipadZoom) == 180 &&
                  offsetof(levelHeader, particlesA) == 188,
              "header fields sit at their file offsets");

extern levelHeader g_levelCur;
