// One set of rows with a row planted by PLANTED: 0 keeps every rule and must compile, each other
// value breaks one rule and must not (expect_refused.cmake compiles each).
#include "catalogue_rows.h"

namespace {

using namespace catalogue;
using namespace catalogue::rows;

constexpr Run kRows[] = {
    Entries(Target::Dialog, 1, 2, "rozha_%02d"),
#if PLANTED == 1 // a name that does not expand
    Entries(Target::Smoke, 0, 3, "leaf_%s"),
#elif PLANTED == 2 // a slot past its global: g_dialog has three
    Entry(Target::Dialog, 3, "rozha_03"),
#elif PLANTED == 3 // types and frames at once
    Run{Target::Rects, 1, 2, 0, 1, "door", 0, 1, A},
#else
    Entry(Target::Dialog, 0, "panel_std_dialog"),
#endif
};

constexpr Set kPlanted = MakeSet("Planted", "allcommon", kRows);

} // namespace

const Set& Planted() { return kPlanted; }
