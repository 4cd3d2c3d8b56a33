// Sprites a screen keeps in slots of its own: the rows of one target of a set, each created into
// the slot its screen gives.
#include "atlas.h"
#include "catalogue.h"
#include "surface.h"

void RegisterRows(const catalogue::Set& set, catalogue::Target target, Atlas* atlas,
                  const ScreenSlot& where) {
  char name[catalogue::kMaxNameLength];
  for (int r = 0; r < set.runCount; ++r) {
    const catalogue::Run& run = set.runs[r];
    if (run.target != target) continue;
    for (int i = 0; i < catalogue::SlotCount(run); ++i) {
      int index = 0, frame = 0;
      catalogue::SlotAt(run, i, &index, &frame);
      if (!catalogue::ExpandName(run, i, name, sizeof(name))) continue;
      Surface** slot = where(index, frame);
      if (!slot) continue;
      if (run.source == catalogue::Source::Atlas)
        *slot = atlas ? new Surface(atlas, CommonString(name)) : nullptr;
      else
        *slot = new Surface(CommonString(name), run.source == catalogue::Source::Jpeg ? 1 : 0, false);
    }
  }
}

void RegisterScreenSprites(const catalogue::Set& set, Atlas* atlas, const ScreenSlot& slotOf) {
  if (slotOf) RegisterRows(set, catalogue::Target::Screen, atlas, slotOf);
}
