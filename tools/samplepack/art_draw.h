// The placeholder art's drawers, one per kind of picture, and the shapes they share. Used by the
// art rules (art.cpp), which choose the kind and its details from the catalogue row.
#pragma once

#include <string>

#include "canvas.h"
#include "painter.h"

namespace samplepack {

// Dark enough that no outline is ever taken for a picture's own colour.
const Colour kInk{20, 20, 30, 255};
const Colour kWhite{255, 255, 255, 255};

// The outline width that suits a picture of this size.
double LineFor(double w, double h);

// --- Icons: a drawn shape of what the picture names, filling the box (x, y, w, h). ---
// Shapes: star, mushroom, padlock, shackle, cross, pause, arrow-left, arrow-right, arrow-up,
// close, check, radio, knob, dot, dot-on, gear, eyes, clock, shield, joystick, ring, lightning,
// magnet, key, skull, turn, sparkle, splash, puff, drop, leaf, paper, stick, ball, beams, streak,
// rosette, spinner, glow, door, spikes, globe, badge. Unknown shapes draw a plain disc.
void Icon(Painter& p, const std::string& shape, double x, double y, double w, double h, Colour tint,
          int frame);

// --- Buttons: a raised plate with its word (and an icon where the word names a drawn one); the
// pressed state sits lower, darker and ringed. ---
// The content goes in the box (x, y, w, h) in fractions of the picture.
struct Within {
  double x = 0, y = 0, w = 1, h = 1;
};
void Button(Painter& p, const std::string& word, const std::string& icon, Colour fill, bool pressed,
            bool round, Within within = Within());

// --- Panels: plain plates, bars, pods and frames without a label; light where dark text goes. ---
void Panel(Painter& p, const std::string& style, Colour fill, int variant);

// --- Text pictures: words set large on a plate of their own. ---
void TextPlate(Painter& p, const std::string& text, Colour fill, bool round);

// --- Scenes. ---
// A background: a sky, far and near hills and a ground in the palette of its world; clear of text.
void Background(Painter& p, int world, int variant);
// A world object: a tile or the drawn thing its words name, in its world's palette.
void WorldObject(Painter& p, const std::string& name, int world, int tileset, int frame);
// A character: a round figure with big eyes in its own colour, posed by animation row and frame.
void Character(Painter& p, int character, int row, int frame);
// A character's portrait for the picker and the shop; locked ones are a dark silhouette.
void Portrait(Painter& p, int character, bool locked);

// The colour of a character (0-7), of a world's palette (0 tutorial, 1-3 the worlds, 4 the bonus
// worlds together, 5 level zero, 6 common, 7 the mini-game, 8 the map, 9 the shop, 10 the lists,
// 10 + N bonus world N) and of a tileset (1-6, 0 for none).
const int kBonusWorld = 10;
Colour CharacterColour(int character);
Colour WorldColour(int world, int shade);
Colour TilesetColour(int tileset);

} // namespace samplepack
