// What every sound path of the engine accepts: sample rates, effect lengths, decoder retries,
// and the clamp to a 16-bit sample.
#pragma once

#include "quellar_types.h"

// Effects are short: longer ones would overflow the mixer's 24.8 positions.
constexpr u32 kMaxEffectFrames = (1u << 23) - 1;
constexpr u32 kMaxSampleRate = 192000;
// Reads in a row that yield nothing (holes in the data, or an end of file right after a rewind)
// before a damaged stream is given up rather than retried for ever under the mixer lock.
constexpr int kMaxDecoderFailures = 32;

inline int Clamp16(int v) { return v < -32768 ? -32768 : (v > 32767 ? 32767 : v); }
