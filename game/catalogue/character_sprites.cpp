// The hero's frame table: one skin at a time, loaded from its atlas (or, for the mini-game's hero,
// two pictures).
#include "atlas.h"
#include "catalogue.h"
#include "quellar_array.h"
#include "surface.h"

Atlas* g_charAtlas;
int currentCharacter = -1;

void LoadCharacter(int id) {
  if (id == currentCharacter) return;
  for (auto& row : g_character)
    SafeDeleteAll(row);
  currentCharacter = id;
  SafeDelete(g_charAtlas);
  const catalogue::Set* skin = catalogue::SkinSprites(id);
  if (!skin) return; // any other id leaves the table empty
  if (skin->atlas) g_charAtlas = new Atlas(CommonString(skin->atlas));
  RegisterSprites(*skin, g_charAtlas);
}

int AcceptedCharacterId(int id) { return catalogue::SkinSprites(id) ? id : 0; }

Surface* CharacterLoopFrame(int row, int length, int tick) {
  if (row < 0 || row >= CHARACTER_ROWS || length <= 0 || tick < 0) return nullptr;
  int frame = tick % length;
  return frame < CHARACTER_FRAMES ? g_character[row][frame] : nullptr;
}
