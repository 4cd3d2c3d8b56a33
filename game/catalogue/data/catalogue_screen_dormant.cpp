// The pictures of the screens nothing reaches in play: instructions, about and the other
// platforms' store page; all standalone.
#include "catalogue_data.h"
#include "catalogue_rows.h"

namespace catalogue {
namespace {

using namespace rows;

// Index = which global: 0 select_bg, 1 aboutBG, 2 aboutButton (about); 3 g_instructions
// (instructions); 4 the store page's picture, 5 its store button (GetMobileScreen); frame = slot.
const Run kDormant[] = {
    Own(0, 0, "background_wt", J),         Own(1, 0, "panel_about", P),
    Own(2, 0, "button_eula", P),           Own(2, 1, "button_privacypolicy", P),
    Own(2, 2, "button_termsofservice", P), OwnRun(3, 0, 4, "help_%02d", 1, P),
    Own(4, 0, "flash_get_mobile", P),      Own(5, 0, "flash_get_mobile_button", P),
};
const ArtSize kSizes[] = {
    {"background_wt", 960, 640},
    {"panel_about", 760, 520},
    {"button_eula", 200, 60},
    {"button_privacypolicy", 200, 60},
    {"button_termsofservice", 200, 60},
    {"help_01", 480, 320},
    {"help_02", 480, 320},
    {"help_03", 480, 320},
    {"help_04", 480, 320},
    {"help_05", 480, 320},
    {"flash_get_mobile", 800, 480},
    {"flash_get_mobile_button", 160, 80},
};
constexpr Set kDormantScreensArt =
    MakeSet("about::InitMode, instructions::InitMode, GetMobileScreen::InitMode", nullptr, kDormant, kSizes);

} // namespace

const Set& DormantScreensArt() { return kDormantScreensArt; }

} // namespace catalogue
