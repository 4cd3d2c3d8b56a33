// Level selection's own pictures: the backgrounds of each world's level sets. Index = world,
// frame = the select_bg slot (0 the casual or only set, 1 the hardcore set).
#include "catalogue_data.h"
#include "catalogue_rows.h"

namespace catalogue {
namespace {

using namespace rows;

constexpr Run kBackgrounds[] = {
    Own(0, 0, "background_wt", J),
    Own(1, 0, "map_back_world1_casual", J),
    Own(1, 1, "map_back_world1_hardcore", J),
    Own(2, 0, "map_back_world2_casual", J),
    Own(2, 1, "map_back_world2_hardcore", J),
    Own(3, 0, "map_back_world3_casual", J),
    Own(3, 1, "map_back_world3_hardcore", J),
    Own(10, 0, "map_back_world_bonus1", J),
    Own(11, 0, "map_back_world_bonus2", J),
    Own(12, 0, "map_back_world_bonus3", J),
    Own(13, 0, "map_back_world_bonus4", J),
    Own(14, 0, "map_back_world_bonus5", J),
    Own(15, 0, "map_back_world_bonus6", P),
};
constexpr Set kLevelSelectionArt = MakeSet("levelSelection::InitMode", nullptr, kBackgrounds);

} // namespace

const Set& LevelSelectionArt() { return kLevelSelectionArt; }

} // namespace catalogue
