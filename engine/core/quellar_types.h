// Fixed-point numbers and the small geometric value types the engine passes around.
#pragma once

#include <cstdint>

typedef uint8_t u8;
typedef uint16_t u16;
typedef uint32_t u32;
typedef int8_t s8;
typedef int16_t s16;
typedef int32_t s32;

// 24.8 fixed point: 1.0 == 256.
typedef int32_t FIXED_FLOAT;
// 16.16 fixed point: 1.0 == 65536.
typedef int32_t FIXED_FLOAT_16;

#define FIXED_FLOAT_ONE 256
#define FIXED_FLOAT_16_ONE 65536

inline FIXED_FLOAT IntToFixed(int v) { return (FIXED_FLOAT)((u32)v << 8); }
inline int FixedToInt(FIXED_FLOAT v) { return v >> 8; }

struct TVector2D {
  FIXED_FLOAT x = 0;
  FIXED_FLOAT y = 0;
};

struct TVector2D_16 {
  FIXED_FLOAT_16 x = 0;
  FIXED_FLOAT_16 y = 0;
};

struct TCoord2D {
  int x = 0;
  int y = 0;
};

struct TRect2D {
  FIXED_FLOAT x = 0;
  FIXED_FLOAT y = 0;
  FIXED_FLOAT width = 0;
  FIXED_FLOAT height = 0;
};

struct TRect2D_16 {
  FIXED_FLOAT_16 x = 0;
  FIXED_FLOAT_16 y = 0;
  FIXED_FLOAT_16 width = 0;
  FIXED_FLOAT_16 height = 0;
};

struct TCoordRect2D {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};
