// The hidden mini-game's own sprites.
#include "catalogue_data.h"
#include "catalogue_rows.h"

namespace catalogue {
namespace {

using namespace rows;

constexpr Set kMiniGameArt = EmptySet("MiniGameArt");

} // namespace

const Set& MiniGameArt() { return kMiniGameArt; }

} // namespace catalogue
