// The level backgrounds' rows: one picture per background index, loaded by LoadBGSprites.
#include "catalogue_data.h"
#include "catalogue_rows.h"

namespace catalogue {
namespace {

using namespace rows;

const Target B = Target::Backgrounds;
constexpr Run kBackgrounds[] = {
    Entry(B, 0, "background_960x640", J),
    Entries(B, 1, 4, "background_960x640_%02d", 2, J),
    Entry(B, 5, "background_w2_960x640", J),
    Entry(B, 6, "bonus1_background_960x640", J),
    Entry(B, 7, "bonus2_background_960x640", J),
    Entry(B, 8, "background_w2_960x640_09", J),
    Entries(B, 9, 15, "background_w2_960x640_%02d", 2, J),
    Entry(B, 16, "background_w3_960x640_01", J),
    Entry(B, 17, "bonus3_background_960x640_01", J),
    Entries(B, 18, 21, "bonus4_background_960x640_%02d", 1, J),
    Entries(B, 22, 23, "background_w3_960x640_%02d", 2, J),
    Entries(B, 24, 26, "bonus5_background_960x640_%02d", 1, J),
    Entries(B, 27, 30, "background_w3_960x640_%02d", 4, J),
    Entry(B, 31, "background_wt", J),
    Entries(B, 32, 33, "background_960x640_%02d", 6, J),
    Entries(B, 34, 39, "background_w3_960x640_%02d", 8, J),
    Entry(B, 50, "hidgame_background", P),
};

constexpr Set kBackgroundSet = MakeSet("LoadBGSprites", nullptr, kBackgrounds);

} // namespace

const Set& BackgroundPictures() { return kBackgroundSet; }

} // namespace catalogue
