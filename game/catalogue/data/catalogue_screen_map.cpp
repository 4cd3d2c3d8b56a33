// The world map's own pictures: the bonus worlds' carousel items, loaded each time the bonus list
// is entered (frame k of index 0 goes to newGameItems[10 + k]).
#include "catalogue_data.h"
#include "catalogue_rows.h"

namespace catalogue {
namespace {

using namespace rows;

constexpr Run kBonusWorlds[] = {
    OwnRun(0, 0, 5, "global_map_bonus_world_%d", 1, P),
};
constexpr Set kWorldMapArt = MakeSet("newGame::InitMode", nullptr, kBonusWorlds);

} // namespace

const Set& WorldMapArt() { return kWorldMapArt; }

} // namespace catalogue
