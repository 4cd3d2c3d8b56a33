// The options screen's own sprites (the rest are the common menu set's options atlas): the page
// arrow, a picture of its own loaded on entry into opt_arrow.
#include "catalogue_data.h"
#include "catalogue_rows.h"

namespace catalogue {
namespace {

using namespace rows;

constexpr Run kArrow[] = {
    Own(0, 0, "options_arrow_r", P),
};
constexpr Set kOptionsScreenArt = MakeSet("options::InitMode", nullptr, kArrow);

} // namespace

const Set& OptionsScreenArt() { return kOptionsScreenArt; }

} // namespace catalogue
