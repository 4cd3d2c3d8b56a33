// Level selection's own sprites and those of its character picker.
#include "catalogue_data.h"
#include "catalogue_rows.h"

namespace catalogue {
namespace {

using namespace rows;

constexpr Set kLevelSelectionArt = EmptySet("LevelSelectionArt");

} // namespace

const Set& LevelSelectionArt() { return kLevelSelectionArt; }

} // namespace catalogue
