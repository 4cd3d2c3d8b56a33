// Shared by the image decoder harnesses: an application object, and the first input byte turned into
// the settings a decode runs under.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "../images/image_test_game.h"
#include "files.h"
#include "game_base.h"
#include "win_dib_bitmap.h"

// Option bits of the first byte: 0 true colour, 1 double-resolution file (halved), 2-3 orientation
// mode (0, 1, 2), 4 transparent-edge fill, 5 premultiply, 6-7 which decode path.
struct ImageFuzzSetup {
  ImageTestGame game;
  CWinDibBitmap bitmap{&game};
  CMemoryFile file;
  int path = 0;

  bool Begin(const uint8_t* data, size_t size) {
    if (size < 1) return false;
    uint8_t options = data[0];
    game.m_bTrueColorImages = options & 1;
    game.m_bFillTransparentPixels = (options >> 4) & 1;
    game.m_bPremultiplyAlpha = (options >> 5) & 1;
    bitmap.SetOrientaionMode(((options >> 2) & 3) % 3);
    bitmap.m_b2xImage = (options >> 1) & 1;
    path = options >> 6;
    size_t bytes = size - 1;
    void* copy = malloc(bytes ? bytes : 1);
    if (!copy) return false;
    if (bytes) memcpy(copy, data + 1, bytes);
    return file.Attach(copy, (int)bytes) == 1;
  }

  // Reads every byte the bitmap claims to hold, so the sanitizers see any size mismatch.
  unsigned Touch() {
    unsigned sum = 0;
    size_t count = (size_t)bitmap.GetStoredWidth() * (size_t)bitmap.GetStoredHeight();
    if (const unsigned char* bits = bitmap.GetBits())
      for (size_t i = 0; i < count * (size_t)bitmap.GetBytesPerPixel(); i++)
        sum += bits[i];
    if (const unsigned char* alpha = bitmap.GetAlphaBits())
      for (size_t i = 0; i < count; i++)
        sum += alpha[i];
    return sum;
  }
};
