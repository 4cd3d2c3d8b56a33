// The binary level file as bytes: its layout, the whole-file check the reader makes before it
// changes anything, and the encoder the writers share (the game's editor save and the sample
// pack's level generator). No engine types, so a tool links it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "level_header.h"

enum {
  LEVEL_RECORD_TAG = 2096,
  LEVEL_FILE_WORDS = 71,
  LEVEL_RECORD_BYTES = 284,
  LEVEL_HEADER_BYTES = 540,
  // Slots 1-699 of the object table; slot 0 is the hero and never stored.
  LEVEL_MAX_RECORDS = 699,
  // The writer keeps objects whose x and y are at least this (the editor discards objects by
  // dragging them to the top-left corner).
  LEVEL_FIELD_START = 1000,
  // Larger start shifts (in magnitude) are written as none.
  LEVEL_MAX_START_SHIFT = 300,
};

// Words of a record. Movement words keep the file's order: time, pause, speed.
enum LevelWord {
  LW_TAG = 0,
  LW_TYPE = 1,
  LW_UID = 2,
  LW_LAYER = 3,
  LW_X = 4,
  LW_Y = 5,
  LW_X2 = 6,
  LW_Y2 = 7,
  LW_FLIP_X = 8,
  LW_FLIP_Y = 9,
  LW_NO_COLLISION = 10,
  LW_ROTATED = 11,
  LW_FPS = 12,
  LW_MOVE_X_ORIENTATION = 13,
  LW_MOVE_Y_ORIENTATION = 14,
  LW_CUSTOM_SIZE = 15,
  LW_MOVE_X_RESPAWN = 16,
  LW_MOVE_Y_RESPAWN = 17,
  LW_DRAW_2POINT = 18,
  LW_ALSO_MOVE_PLAYER = 19,
  LW_TRIGGER = 20,
  LW_TRIGGER_DISTANCE_X = 21,
  LW_TRIGGER_DISTANCE_Y = 22,
  LW_SIZE_EXTRA_X = 23,
  LW_SIZE_EXTRA_Y = 24,
  LW_PENDULUM = 25,
  LW_PENDULUM_AMPLITUDE = 26,
  LW_BLOCK_ANGLE = 27,
  LW_NO_ALPHA_BLENDING = 28,
  LW_AUTO_ROTATION = 32,
  LW_BIND_UID = 33,
  LW_SPARE_VALUE = 34,
  LW_MOVE_X_TIME = 36,
  LW_MOVE_X_PAUSE = 37,
  LW_MOVE_X_SPEED = 38,
  LW_MOVE_Y_TIME = 39,
  LW_MOVE_Y_PAUSE = 40,
  LW_MOVE_Y_SPEED = 41,
  LW_CIRCLING_PHASE = 43,
  LW_CIRCLING_SPEED = 45,
  LW_CIRCLING_RADIUS = 46,
  LW_COLOR_R = 47,
  LW_COLOR_G = 48,
  LW_COLOR_B = 49,
  LW_COLOR_A = 50,
  LW_CUSTOM1 = 51,
  LW_CUSTOM2 = 52,
  LW_CUSTOM3 = 53,
  LW_DRAW_MODE2 = 61,
  LW_INIT_SHIFT_X = 62,
  LW_INIT_SHIFT_Y = 63,
};

// The words the file defines (every other word is reserved: ignored on reading, zero on writing).
bool IsLevelWordDefined(int word);
// The defined words that hold a float (the others hold an int).
bool IsLevelWordFloat(int word);

// One object of a level file: 71 little-endian words.
struct gameRectData {
  int32_t words[LEVEL_FILE_WORDS];

  int Int(int word) const { return words[word]; }
  float Float(int word) const;
  void SetInt(int word, int value) { words[word] = value; }
  void SetFloat(int word, float value);
};
static_assert(sizeof(gameRectData) == LEVEL_RECORD_BYTES, "a level record is 284 bytes");

// The size of a level file with n records.
constexpr size_t LevelFileSize(size_t n) { return 4 + (size_t)LEVEL_RECORD_BYTES * n + LEVEL_HEADER_BYTES; }

// The whole-file check: the count is not negative and the file is exactly 4 + 284 N + 540 bytes.
// On success *count is N; on failure *why says what is wrong and nothing else is touched.
bool CheckLevelFile(const unsigned char* data, size_t size, int* count, const char** why);
// Record i (0-based) and the header of a file CheckLevelFile accepted.
gameRectData LevelRecordAt(const unsigned char* data, int i);
void LevelHeaderAt(const unsigned char* data, int count, levelHeader* out);

// The writer's rules, applied by the game to its live objects and by the encoder to its records:
// an object left of or above the playing field is not saved;
bool LevelRecordKept(float x, float y);
// start shifts above 300 in magnitude (on either axis) are both zeroed; true when they were.
bool ClampLevelStartShift(int* shiftX, int* shiftY);

// The record the editor saves for a fresh object of type at (x, y): layer 10, 10 frames a second,
// both move orientations 1, custom size 1, moving the player along, opaque white; every word a
// record holds replaces the type's default on loading, so these are what the object gets.
gameRectData FreshLevelRecord(int type, float x, float y);

// A level file of the records the writer keeps (never a hero record, at most 699) and the header.
// The tag word is set; the reserved words are written as zero.
std::vector<unsigned char> EncodeLevelFile(const std::vector<gameRectData>& records,
                                           const levelHeader& header);
