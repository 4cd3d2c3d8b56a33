// Placeholder art: a readable picture for every sprite, picture and background the catalogue
// names, at the size the catalogue's size table gives (twice what its screen shows).
#pragma once

#include <string>

#include "canvas.h"
#include "catalogue_data.h"
#include "text.h"

namespace samplepack {

struct ArtRequest {
  std::string name;
  catalogue::Slot slot; // where the game first stores it, with its size
  std::string atlas;    // the atlas it is an entry of; empty for a picture of its own
};

struct PixelSize {
  int width, height;
};

// The kinds of picture, each chosen from the catalogue row that registers it.
enum class Kind { Fill, Button, Icon, Panel, Background, Tile, Character, TextPicture };

// What a picture is drawn as: its kind and, by kind, the word, shape, style or text it shows.
struct Look {
  Kind kind = Kind::Panel;
  std::string what; // a button's word, an icon's shape, a panel's style, a picture's text
  std::string icon; // a button's icon, if any
  Colour colour{200, 200, 200, 255};
  int variant = 0; // a panel's variant, a scene's world, a character's number
  int detail = 0;  // a scene's variant, a tile's tileset
  bool pressed = false;
  // The part of the picture its screen leaves in sight (fractions of its size), where its word or
  // shape goes: a button half off the screen's edge or half under another picture.
  double inX = 0, inY = 0, inW = 1, inH = 1;
};

Look LookOf(const ArtRequest& request);

// The size the catalogue gives; {0, 0} when it gives none.
PixelSize ArtSize(const ArtRequest& request);
Canvas DrawArt(const ArtRequest& request, TextRenderer& text);

} // namespace samplepack
