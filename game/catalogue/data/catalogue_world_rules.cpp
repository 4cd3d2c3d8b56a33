// The world-switching rules: which world set a level loads, and which types each release range
// frees when the world changes.
#include "catalogue_data.h"

namespace catalogue {

bool IsCommonType(int type) {
  switch (type) {
  case 57:
  case 58:
  case 89:
  case 90:
  case 91:
  case 92:
  case 93:
  case 94:
  case 99:
  case 199:
  case 204:
  case 242:
  case 243:
  case 244:
    return true;
  default:
    return false;
  }
}

bool InReleaseRange(int range, int type) {
  if (IsCommonType(type)) return false;
  switch (range) {
  case 0:
    return (type >= 100 && type <= 198) || (type >= 300 && type <= 399) || (type >= 500 && type <= 599);
  case 1:
    return (type >= 0 && type <= 99) || (type >= 200 && type <= 299);
  case 2:
    return type >= 600 && type <= 799;
  case 8:
    return type >= 400 && type <= 499;
  default:
    return false;
  }
}

unsigned ReleaseRangesOf(int set) {
  switch (set) {
  case 0:
  case 3:
    return 1u << 0;
  case 1:
    return 1u << 1;
  case 2:
    return 1u << 2;
  case 4:
    return (1u << 0) | (1u << 1);
  case 8:
    return 1u << 8;
  default:
    return 0;
  }
}

int SpriteSetForLevel(int level, const int firstCasual[5]) {
  int set;
  if (level == 0 || level == 20)
    set = 4;
  else if (level == 19)
    set = 3;
  else if (firstCasual[0] <= level && level < firstCasual[0] + 10)
    set = 3;
  else if (firstCasual[1] <= level && level < firstCasual[2])
    set = 0;
  else if (firstCasual[2] <= level && level < firstCasual[3])
    set = 1;
  else if (firstCasual[3] <= level && level < firstCasual[4])
    set = 2;
  else
    set = 8;
  if (level > 250) set = 0;
  return set;
}

} // namespace catalogue
