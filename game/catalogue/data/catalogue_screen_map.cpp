// The world map's own pictures: the bonus worlds' carousel items, loaded each time the bonus list
// is entered (frame k of index 0 goes to newGameItems[10 + k]).
#include "catalogue_data.h"
#include "catalogue_rows.h"

namespace catalogue {
namespace {

using namespace rows;

const Run kBonusWorlds[] = {
    OwnRun(0, 0, 5, "global_map_bonus_world_%d", 1, P),
};
const ArtSize kSizes[] = {
    {"global_map_bonus_world_1", 400, 400}, {"global_map_bonus_world_2", 400, 400},
    {"global_map_bonus_world_3", 400, 400}, {"global_map_bonus_world_4", 400, 400},
    {"global_map_bonus_world_5", 400, 400}, {"global_map_bonus_world_6", 400, 400},
};
constexpr Set kWorldMapArt = MakeSet("newGame::InitMode", nullptr, kBonusWorlds, kSizes);

} // namespace

const Set& WorldMapArt() { return kWorldMapArt; }

} // namespace catalogue
