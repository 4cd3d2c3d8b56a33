// The mini-game's sides ("hidgame_background_gradient", drawn again mirrored on the right): flat in
// their colour from the screen's edge over kFlat of the picture's width, then fading in proportion to
// nothing at its other side, so the hero at the course's left shows through. The sample pack paints
// the picture from this, and the game draws the same two shapes in its place.
#pragma once

namespace minigame_sides {

constexpr unsigned char kColour[3] = {60, 70, 140};
constexpr double kFlat = 0.6;

} // namespace minigame_sides
