// The missions and secrets lists', the credits' and the help screen's own pictures, all standalone.
#include "catalogue_data.h"
#include "catalogue_rows.h"

namespace catalogue {
namespace {

using namespace rows;

// Index = which list global: 0 mList_BG, 1 mList_bottom, 2 mList_panel (the missions list),
// 3 sList_BG, 4 sList_bottom, 5 sList_panel (the secrets list); frame = the slot in it. Each list
// registers its own three.
constexpr Run kLists[] = {
    Own(0, 0, "achsecrets_background", P), Own(1, 0, "ach_panel_bottom", P),
    Own(1, 1, "ach_panel_bottom_x5", P),   Own(2, 0, "ach_panel_closeover", P),
    Own(2, 1, "ach_panel_open", P),        Own(3, 0, "achsecrets_background", P),
    Own(4, 0, "ach_panel_bottom", P),      Own(4, 1, "ach_panel_bottom_x5", P),
    Own(5, 0, "secret_pan_close", P),      Own(5, 1, "secret_pan_open", P),
};
constexpr Set kListsArt = MakeSet("missionsList::InitMode, secretsList::InitMode", nullptr, kLists);

// Index 0 select_bg, 1 creditsBG, 2 creditsPanExtra.
constexpr Run kCredits[] = {
    Own(0, 0, "background_wt", J),
    Own(1, 0, "panel_about", P),
    Own(2, 0, "panel_credits", P),
};
constexpr Set kCreditsArt = MakeSet("credits::InitMode", nullptr, kCredits);

// The television the help screen's demo plays in.
constexpr Run kHelp[] = {
    Own(0, 0, "help_tv", P),
};
constexpr Set kHelpArt = MakeSet("help::InitMode", nullptr, kHelp);

} // namespace

const Set& ListsArt() { return kListsArt; }
const Set& CreditsArt() { return kCreditsArt; }
const Set& HelpArt() { return kHelpArt; }

} // namespace catalogue
