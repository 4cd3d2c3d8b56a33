// Shared by the image tests: an application object reading the generated fixture pictures from disk,
// and pixel readers that undo the bitmap's orientation.
#pragma once

#include <gtest/gtest.h>
#include <string>

#include "dib_bitmap.h"
#include "fixture_pattern.h"
#include "game_base.h"
#include "image_test_game.h"
#include "win_dib_bitmap.h"

// Runs each test inside the generated fixture directory, with a fresh application object.
class ImageTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(m_dir.ok()) << "fixtures missing: " << IMAGE_FIXTURES_DIR; }

  // A software bitmap owned by the test.
  CWinDibBitmap* NewBitmap(int orientation = 0) {
    CWinDibBitmap* b = new CWinDibBitmap(&game);
    b->SetOrientaionMode(orientation);
    return b;
  }

  ImageTestGame game;

private:
  WorkingDirectory m_dir{IMAGE_FIXTURES_DIR};
};

// The stored index of image pixel (x, y) of an image w x h wide in the bitmap's orientation.
inline size_t StoredIndex(IDibBitmap* b, int x, int y) {
  int mode = b->GetOrientationMode();
  int w = mode == 0 ? b->GetStoredWidth() : b->GetStoredHeight();
  int h = mode == 0 ? b->GetStoredHeight() : b->GetStoredWidth();
  if (mode == 1) return (size_t)(w - 1 - x) * h + y;
  if (mode == 2) return (size_t)x * h + (h - 1 - y);
  return (size_t)y * w + x;
}

// Colour at image pixel (x, y) widened to 8 bits a channel (RGB565 loses the low bits).
inline PatternPixel ColourAt(IDibBitmap* b, int x, int y) {
  size_t i = StoredIndex(b, x, y);
  const unsigned char* bits = b->GetBits();
  unsigned a = b->GetAlphaBits() ? b->GetAlphaBits()[i] : 255;
  if (b->GetBytesPerPixel() == 3) return PatternPixel{bits[3 * i], bits[3 * i + 1], bits[3 * i + 2], a};
  unsigned v = bits[2 * i] | (bits[2 * i + 1] << 8);
  return PatternPixel{(v >> 11) << 3, ((v >> 5) & 63) << 2, (v & 31) << 3, a};
}

// A channel as the bitmap's format keeps it: exact in three-byte pixels, its top bits in RGB565.
inline unsigned Reduce(unsigned v, int bits, int bytesPerPixel) {
  return bytesPerPixel == 3 ? v : (v >> (8 - bits)) << (8 - bits);
}

inline ::testing::AssertionResult Near(unsigned actual, unsigned expected, unsigned tolerance) {
  unsigned d = actual > expected ? actual - expected : expected - actual;
  if (d <= tolerance) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << actual << " is not within " << tolerance << " of " << expected;
}
