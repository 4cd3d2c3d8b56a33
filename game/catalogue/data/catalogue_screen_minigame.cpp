// The hidden mini-game's own sprites: the side gradient (index 0) and the course's object sprites,
// stored by the mode into frame 0 of types 472-478 (index 1, frame = type - 472). All are
// pictures of their own, loaded on entry.
#include "catalogue_data.h"
#include "catalogue_rows.h"

namespace catalogue {
namespace {

using namespace rows;

constexpr Run kMiniGame[] = {
    Own(0, 0, "hidgame_background_gradient", P), Own(1, 0, "hidgame_block_40x40", P),
    Own(1, 1, "hidgame_block_120x120", P),       Own(1, 2, "hidgame_block_160x40", P),
    Own(1, 3, "hidgame_block_400x40", P),        Own(1, 4, "hidgame_spike_40x40", P),
    Own(1, 5, "hidgame_water_40x40", P),         Own(1, 6, "hidgame_line", P),
};
constexpr Set kMiniGameArt = MakeSet("miniGame::InitMode", nullptr, kMiniGame);

} // namespace

const Set& MiniGameArt() { return kMiniGameArt; }

} // namespace catalogue
