// The level in play's header.
#include "level_header.h"

levelHeader g_levelCur;
