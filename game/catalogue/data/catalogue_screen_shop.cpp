// The shop's own sprites: its background picture and the entries of its atlas.
#include "catalogue_data.h"
#include "catalogue_rows.h"

namespace catalogue {
namespace {

using namespace rows;

constexpr Set kShopArt = EmptySet("ShopArt");

} // namespace

const Set& ShopArt() { return kShopArt; }

} // namespace catalogue
