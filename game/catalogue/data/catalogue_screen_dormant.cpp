// The pictures of the screens nothing reaches in play: hiscores, instructions, interLevel, mapMode, about.
#include "catalogue_data.h"
#include "catalogue_rows.h"

namespace catalogue {
namespace {

using namespace rows;

constexpr Set kDormantScreensArt = EmptySet("DormantScreensArt");

} // namespace

const Set& DormantScreensArt() { return kDormantScreensArt; }

} // namespace catalogue
