// The options screen's own sprites (the rest are the common menu set's options atlas).
#include "catalogue_data.h"
#include "catalogue_rows.h"

namespace catalogue {
namespace {

using namespace rows;

constexpr Set kOptionsScreenArt = EmptySet("OptionsScreenArt");

} // namespace

const Set& OptionsScreenArt() { return kOptionsScreenArt; }

} // namespace catalogue
