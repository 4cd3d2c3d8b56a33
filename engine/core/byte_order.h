// Little-endian fields of the binary formats the engine and the game read and write (packs,
// images, sounds, settings, progress, levels, ghosts), independent of the host's byte order.
#pragma once

#include "quellar_types.h"

inline u16 ReadLe16(const u8* p) { return (u16)(p[0] | (p[1] << 8)); }
// A signed field in two's complement: PCM samples, ADPCM coefficients and states.
inline s16 ReadLeS16(const u8* p) { return (s16)ReadLe16(p); }
inline u32 ReadLe32(const u8* p) {
  return (u32)p[0] | ((u32)p[1] << 8) | ((u32)p[2] << 16) | ((u32)p[3] << 24);
}

inline void WriteLe32(u8* at, u32 value) {
  at[0] = (u8)value;
  at[1] = (u8)(value >> 8);
  at[2] = (u8)(value >> 16);
  at[3] = (u8)(value >> 24);
}

// The low `bytes` bytes of value, lowest first.
inline void WriteLe(u8* at, u32 value, int bytes) {
  for (int i = 0; i < bytes; i++)
    at[i] = (u8)(value >> (8 * i));
}
