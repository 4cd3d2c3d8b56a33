// Placeholder art: a readable picture for every sprite, picture and background the catalogue
// names, sized as the game draws it (twice the logical size, drawn at scale 0.5).
#pragma once

#include <string>

#include "canvas.h"
#include "catalogue_data.h"
#include "text.h"

namespace samplepack {

struct ArtRequest {
  std::string name;
  catalogue::Slot slot; // where the game first stores it
  std::string atlas;    // the atlas it is an entry of; empty for a standalone picture
};

struct PixelSize {
  int width, height;
};

// The logical "WxH" a name carries ("w2_banner_66x30" is 66 x 30); false when it has none.
bool LogicalSizeInName(const std::string& name, int* width, int* height);

PixelSize ArtSize(const ArtRequest& request);
Canvas DrawArt(const ArtRequest& request, TextRenderer& text);

} // namespace samplepack
