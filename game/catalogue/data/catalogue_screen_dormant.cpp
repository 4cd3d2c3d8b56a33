// The pictures of the screens nothing reaches in play: instructions, about and the other
// platforms' store page; all standalone.
#include "catalogue_data.h"
#include "catalogue_rows.h"

namespace catalogue {
namespace {

using namespace rows;

// Index = which global: 0 select_bg, 1 aboutBG, 2 aboutButton (about); 3 g_instructions
// (instructions); 4 the store page's picture, 5 its store button (GetMobileScreen); frame = slot.
constexpr Run kDormant[] = {
    Own(0, 0, "background_wt", J),         Own(1, 0, "panel_about", P),
    Own(2, 0, "button_eula", P),           Own(2, 1, "button_privacypolicy", P),
    Own(2, 2, "button_termsofservice", P), OwnRun(3, 0, 4, "help_%02d", 1, P),
    Own(4, 0, "flash_get_mobile", P),      Own(5, 0, "flash_get_mobile_button", P),
};
constexpr Set kDormantScreensArt =
    MakeSet("about::InitMode, instructions::InitMode, GetMobileScreen::InitMode", nullptr, kDormant);

} // namespace

const Set& DormantScreensArt() { return kDormantScreensArt; }

} // namespace catalogue
