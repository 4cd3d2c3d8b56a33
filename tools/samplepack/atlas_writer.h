// Packs named pictures onto power-of-two pages and writes a game atlas: its binary index
// "<atlas>.cfg" and its pages "<atlas>0.png", "<atlas>1.png", ...
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

namespace samplepack {

struct AtlasSprite {
  std::string name;
  Canvas art;
};

// The reader's limits: pages per atlas and the longest name (its terminating zero included).
const int kAtlasMaxPages = 30;
const int kAtlasMaxName = 256;
const int kAtlasPageSize = 2048;

struct AtlasPlacement {
  int page, x, y;
};

struct PackItem {
  std::string name;
  int width, height;
};

// Shelf packing in a fixed order (tallest first, then widest, then by name), so the same
// sprites always land in the same places. Empty on success.
std::string PackAtlas(const std::vector<PackItem>& items, std::vector<AtlasPlacement>* placements,
                      int* pageCount);

// The index bytes for sprites placed as given.
std::vector<unsigned char> AtlasIndex(const std::vector<AtlasSprite>& sprites,
                                      const std::vector<AtlasPlacement>& placements, int pageCount);

// Writes the index and pages into dir; empty on success. files receives the names written.
std::string WriteAtlas(const std::string& dir, const std::string& atlas,
                       const std::vector<AtlasSprite>& sprites, std::vector<std::string>* files);

} // namespace samplepack
