// The missions and secrets lists', the credits' and the help screen's own pictures.
#include "catalogue_data.h"
#include "catalogue_rows.h"

namespace catalogue {
namespace {

using namespace rows;

constexpr Set kListsArt = EmptySet("ListsArt");
constexpr Set kCreditsArt = EmptySet("CreditsArt");
constexpr Set kHelpArt = EmptySet("HelpArt");

} // namespace

const Set& ListsArt() { return kListsArt; }
const Set& CreditsArt() { return kCreditsArt; }
const Set& HelpArt() { return kHelpArt; }

} // namespace catalogue
