// The level's background picture, kept while following levels use the same background index.
#include "catalogue.h"
#include "level_header.h"
#include "quellar_types.h"
#include "surface.h"

int curBGSprite = -1;

void LoadBGSprites() {
  const s32 index = g_levelCur.background;
  if (index == curBGSprite) return;
  SafeDelete(g_bgTile[1]);
  curBGSprite = index;
  // Indexes are compared unsigned: a negative one, like 40-49 or anything above 50, has no picture.
  const catalogue::Set& pictures = catalogue::BackgroundPictures();
  char name[catalogue::kMaxNameLength];
  for (int r = 0; r < pictures.runCount; ++r) {
    const catalogue::Run& run = pictures.runs[r];
    if ((unsigned)index < (unsigned)run.firstIndex || (unsigned)index > (unsigned)run.lastIndex) continue;
    if (!catalogue::ExpandName(run, index - run.firstIndex, name, sizeof name)) return;
    g_bgTile[1] = new Surface(CommonString(name), run.source == catalogue::Source::Jpeg ? 1 : 0, false);
    return;
  }
}
