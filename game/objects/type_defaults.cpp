// Per-type defaults of a fresh level object (size, solidity, behaviour flags, animation, layer,
// reach and the values single behaviours start from) and the hero block of each character.
#include "game_rect.h"

#include <climits>
#include <initializer_list>

#include "game_globals.h"
#include "game_modes.h"
#include "progress_files.h"
#include "sound_table.h"

namespace {

struct TypeRange {
  short first, last;
};

// Unscaled size by type: width, height, first and last type. Type 598 (the tilt zone) is 40 x 40;
// the 190 x 190 run stops either side of it.
const short kSizes[][4] = {
    {4, 150, 571, 571},   {6, 62, 198, 198},    {6, 170, 341, 341},   {8, 8, 442, 442},
    {9, 9, 184, 184},     {9, 9, 207, 207},     {10, 5, 415, 415},    {10, 20, 414, 414},
    {10, 100, 181, 181},  {12, 20, 245, 245},   {12, 20, 402, 402},   {12, 20, 407, 407},
    {14, 42, 509, 509},   {16, 16, 259, 259},   {16, 70, 751, 751},   {18, 30, 521, 521},
    {18, 86, 682, 682},   {20, 20, 70, 70},     {20, 20, 71, 71},     {20, 20, 89, 89},
    {20, 20, 90, 90},     {20, 20, 262, 262},   {20, 20, 264, 264},   {20, 20, 410, 410},
    {20, 20, 413, 413},   {20, 20, 416, 416},   {20, 20, 422, 422},   {20, 20, 424, 424},
    {20, 20, 436, 439},   {20, 20, 463, 463},   {20, 20, 464, 464},   {20, 20, 496, 496},
    {20, 20, 570, 570},   {20, 20, 743, 743},   {20, 30, 173, 173},   {20, 30, 260, 260},
    {20, 40, 235, 235},   {20, 40, 236, 236},   {20, 40, 503, 503},   {20, 50, 31, 31},
    {20, 50, 72, 72},     {20, 50, 73, 73},     {20, 50, 263, 263},   {20, 70, 261, 261},
    {20, 100, 200, 200},  {20, 100, 201, 201},  {20, 100, 221, 221},  {20, 100, 222, 222},
    {20, 110, 330, 330},  {20, 110, 364, 364},  {20, 140, 450, 450},  {20, 200, 91, 91},
    {22, 100, 655, 655},  {24, 20, 174, 174},   {24, 20, 175, 175},   {24, 38, 656, 656},
    {24, 40, 426, 426},   {25, 25, 443, 443},   {26, 26, 440, 440},   {27, 27, 522, 522},
    {28, 68, 657, 657},   {30, 30, 95, 97},     {30, 30, 177, 177},   {30, 30, 204, 204},
    {30, 30, 205, 205},   {30, 30, 331, 334},   {30, 30, 346, 346},   {30, 30, 420, 420},
    {30, 30, 421, 421},   {30, 30, 510, 510},   {30, 30, 643, 643},   {30, 30, 644, 644},
    {30, 30, 666, 666},   {30, 30, 717, 717},   {30, 34, 611, 611},   {30, 40, 159, 159},
    {30, 40, 606, 606},   {30, 46, 683, 683},   {30, 50, 494, 494},   {30, 60, 362, 362},
    {30, 60, 690, 690},   {30, 74, 724, 724},   {30, 90, 112, 112},   {30, 90, 335, 335},
    {30, 90, 342, 342},   {30, 90, 343, 343},   {30, 100, 347, 347},  {32, 20, 466, 466},
    {32, 40, 635, 635},   {32, 52, 612, 612},   {32, 52, 613, 613},   {32, 64, 493, 493},
    {34, 34, 658, 658},   {34, 40, 659, 659},   {36, 36, 195, 195},   {36, 36, 705, 705},
    {36, 48, 740, 740},   {36, 66, 725, 725},   {38, 20, 481, 481},   {38, 46, 684, 684},
    {38, 92, 726, 726},   {40, 20, 15, 15},     {40, 20, 23, 23},     {40, 20, 115, 115},
    {40, 20, 176, 176},   {40, 20, 179, 179},   {40, 20, 348, 348},   {40, 20, 403, 403},
    {40, 20, 408, 408},   {40, 20, 469, 469},   {40, 20, 504, 504},   {40, 20, 603, 603},
    {40, 20, 636, 636},   {40, 24, 637, 637},   {40, 30, 316, 316},   {40, 30, 317, 317},
    {40, 30, 511, 511},   {40, 40, 4, 7},       {40, 40, 20, 20},     {40, 40, 22, 22},
    {40, 40, 26, 26},     {40, 40, 29, 29},     {40, 40, 47, 47},     {40, 40, 60, 62},
    {40, 40, 74, 74},     {40, 40, 107, 107},   {40, 40, 111, 111},   {40, 40, 118, 118},
    {40, 40, 215, 219},   {40, 40, 237, 240},   {40, 40, 309, 311},   {40, 40, 354, 357},
    {40, 40, 391, 394},   {40, 40, 404, 404},   {40, 40, 451, 451},   {40, 40, 467, 467},
    {40, 40, 472, 472},   {40, 40, 476, 476},   {40, 40, 477, 477},   {40, 40, 491, 491},
    {40, 40, 492, 492},   {40, 40, 495, 495},   {40, 40, 505, 505},   {40, 40, 598, 598},
    {40, 40, 633, 633},   {40, 40, 645, 645},   {40, 40, 679, 679},   {40, 40, 680, 680},
    {40, 60, 37, 39},     {40, 60, 258, 258},   {40, 60, 274, 274},   {40, 65, 241, 241},
    {40, 70, 113, 113},   {40, 80, 336, 336},   {40, 80, 337, 337},   {40, 80, 405, 405},
    {40, 84, 660, 660},   {40, 100, 202, 202},  {40, 100, 203, 203},  {40, 100, 246, 246},
    {40, 100, 247, 247},  {40, 100, 255, 255},  {40, 100, 256, 256},  {40, 100, 452, 452},
    {40, 110, 371, 371},  {40, 130, 185, 185},  {40, 200, 324, 324},  {40, 200, 453, 453},
    {42, 16, 485, 485},   {42, 42, 744, 744},   {42, 44, 565, 565},   {42, 84, 566, 566},
    {44, 16, 180, 180},   {44, 30, 638, 638},   {44, 40, 745, 745},   {44, 100, 722, 722},
    {48, 46, 661, 661},   {48, 48, 13, 13},     {49, 64, 57, 57},     {49, 64, 99, 99},
    {50, 10, 225, 225},   {50, 20, 32, 32},     {50, 20, 33, 33},     {50, 20, 46, 46},
    {50, 20, 153, 155},   {50, 20, 312, 315},   {50, 20, 567, 567},   {50, 20, 568, 568},
    {50, 30, 196, 196},   {50, 30, 614, 614},   {50, 30, 667, 667},   {50, 40, 150, 150},
    {50, 40, 358, 360},   {50, 40, 622, 622},   {50, 40, 623, 623},   {50, 50, 9, 9},
    {50, 50, 11, 11},     {50, 50, 12, 12},     {50, 50, 320, 323},   {50, 50, 349, 349},
    {50, 50, 411, 411},   {50, 50, 427, 435},   {50, 50, 482, 482},   {50, 50, 483, 483},
    {50, 50, 500, 500},   {50, 50, 512, 520},   {50, 50, 629, 629},   {50, 50, 646, 648},
    {50, 50, 672, 672},   {50, 50, 677, 677},   {50, 50, 718, 718},   {50, 50, 719, 719},
    {50, 60, 43, 43},     {50, 60, 98, 98},     {50, 60, 318, 318},   {50, 60, 654, 654},
    {50, 60, 695, 695},   {50, 66, 752, 752},   {50, 70, 319, 319},   {50, 70, 365, 365},
    {50, 70, 366, 366},   {50, 80, 572, 572},   {50, 132, 523, 523},  {52, 16, 490, 490},
    {52, 32, 639, 639},   {52, 52, 662, 662},   {52, 52, 663, 663},   {54, 42, 753, 753},
    {56, 46, 746, 746},   {56, 56, 197, 197},   {56, 56, 727, 727},   {56, 170, 700, 700},
    {60, 20, 117, 117},   {60, 20, 350, 350},   {60, 20, 423, 423},   {60, 30, 122, 122},
    {60, 30, 151, 151},   {60, 30, 400, 400},   {60, 30, 470, 470},   {60, 34, 747, 747},
    {60, 40, 506, 506},   {60, 50, 501, 501},   {60, 50, 615, 615},   {60, 60, 8, 8},
    {60, 60, 10, 10},     {60, 60, 63, 65},     {60, 60, 108, 110},   {60, 60, 120, 120},
    {60, 60, 121, 121},   {60, 60, 183, 183},   {60, 60, 223, 223},   {60, 60, 224, 224},
    {60, 60, 395, 399},   {60, 60, 401, 401},   {60, 60, 471, 471},   {60, 60, 602, 602},
    {60, 60, 651, 651},   {60, 70, 329, 329},   {60, 70, 640, 640},   {60, 80, 45, 45},
    {60, 80, 328, 328},   {60, 90, 40, 42},     {60, 90, 44, 44},     {60, 90, 730, 730},
    {62, 62, 706, 709},   {64, 64, 58, 58},     {68, 20, 486, 486},   {68, 138, 487, 487},
    {70, 20, 36, 36},     {70, 24, 441, 441},   {70, 40, 338, 338},   {70, 50, 339, 339},
    {70, 50, 344, 344},   {70, 70, 27, 27},     {70, 70, 206, 206},   {70, 70, 372, 372},
    {70, 70, 634, 634},   {70, 70, 691, 694},   {70, 70, 738, 738},   {70, 70, 739, 739},
    {70, 80, 524, 524},   {70, 86, 731, 731},   {70, 100, 351, 351},  {71, 93, 163, 163},
    {72, 42, 616, 616},   {72, 42, 617, 617},   {72, 46, 664, 664},   {72, 62, 754, 754},
    {72, 72, 123, 125},   {72, 72, 294, 294},   {72, 112, 701, 701},  {78, 62, 755, 755},
    {80, 10, 462, 462},   {80, 20, 412, 412},   {80, 20, 489, 489},   {80, 30, 152, 152},
    {80, 40, 68, 68},     {80, 40, 69, 69},     {80, 40, 361, 361},   {80, 40, 468, 468},
    {80, 40, 604, 604},   {80, 40, 605, 605},   {80, 60, 275, 275},   {80, 60, 276, 276},
    {80, 60, 652, 652},   {80, 60, 653, 653},   {80, 80, 48, 48},     {80, 80, 49, 49},
    {80, 80, 114, 114},   {80, 80, 208, 208},   {80, 80, 459, 459},   {80, 80, 728, 728},
    {80, 80, 729, 729},   {80, 80, 748, 748},   {80, 100, 226, 230},  {80, 114, 126, 126},
    {80, 114, 525, 525},  {80, 114, 526, 526},  {84, 30, 702, 702},   {86, 52, 641, 641},
    {86, 112, 723, 723},  {88, 32, 461, 461},   {90, 16, 166, 166},   {90, 32, 649, 649},
    {90, 40, 182, 182},   {90, 50, 345, 345},   {90, 50, 363, 363},   {90, 50, 642, 642},
    {90, 60, 710, 710},   {90, 70, 340, 340},   {90, 80, 242, 244},   {90, 90, 488, 488},
    {90, 140, 756, 756},  {92, 42, 168, 168},   {93, 42, 165, 165},   {94, 40, 673, 673},
    {94, 62, 668, 668},   {96, 20, 749, 749},   {96, 40, 569, 569},   {96, 70, 127, 127},
    {96, 70, 528, 528},   {96, 88, 128, 128},   {96, 88, 529, 529},   {96, 235, 533, 533},
    {100, 20, 34, 34},    {100, 20, 56, 56},    {100, 20, 352, 352},  {100, 20, 484, 484},
    {100, 32, 129, 129},  {100, 32, 295, 295},  {100, 40, 1, 1},      {100, 40, 17, 17},
    {100, 40, 24, 24},    {100, 40, 28, 28},    {100, 40, 50, 50},    {100, 40, 105, 105},
    {100, 40, 249, 249},  {100, 40, 250, 250},  {100, 40, 455, 455},  {100, 40, 618, 618},
    {100, 40, 624, 624},  {100, 50, 52, 52},    {100, 60, 149, 149},  {100, 60, 630, 630},
    {100, 60, 669, 669},  {100, 60, 674, 674},  {100, 60, 720, 720},  {100, 100, 0, 0},
    {100, 100, 16, 16},   {100, 100, 18, 18},   {100, 100, 21, 21},   {100, 100, 53, 55},
    {100, 100, 75, 88},   {100, 100, 100, 104}, {100, 100, 140, 140}, {100, 100, 142, 147},
    {100, 100, 156, 158}, {100, 100, 186, 194}, {100, 100, 220, 220}, {100, 100, 248, 248},
    {100, 100, 252, 252}, {100, 100, 253, 253}, {100, 100, 257, 257}, {100, 100, 265, 271},
    {100, 100, 300, 308}, {100, 100, 353, 353}, {100, 100, 367, 370}, {100, 100, 456, 456},
    {100, 100, 502, 502}, {100, 100, 508, 508}, {100, 100, 550, 563}, {100, 100, 600, 600},
    {100, 100, 601, 601}, {100, 100, 607, 610}, {100, 100, 626, 628}, {100, 100, 631, 631},
    {100, 100, 675, 675}, {100, 100, 678, 678}, {100, 100, 741, 741}, {100, 100, 742, 742},
    {100, 170, 685, 685}, {100, 170, 757, 757}, {104, 34, 130, 130},  {104, 34, 296, 296},
    {104, 72, 164, 164},  {105, 45, 169, 169},  {110, 40, 619, 619},  {110, 60, 711, 711},
    {110, 94, 686, 686},  {112, 20, 620, 620},  {112, 20, 621, 621},  {112, 20, 703, 703},
    {112, 46, 131, 131},  {112, 46, 136, 136},  {112, 46, 530, 530},  {112, 112, 732, 732},
    {112, 122, 170, 170}, {112, 122, 171, 171}, {118, 152, 132, 132}, {118, 152, 573, 573},
    {120, 20, 457, 457},  {120, 38, 133, 133},  {120, 54, 665, 665},  {120, 54, 676, 676},
    {120, 57, 162, 162},  {120, 120, 473, 473}, {120, 120, 535, 541}, {120, 120, 737, 737},
    {122, 40, 750, 750},  {124, 110, 712, 712}, {130, 40, 632, 632},  {130, 40, 721, 721},
    {132, 50, 134, 134},  {132, 72, 135, 135},  {132, 132, 758, 758}, {133, 49, 736, 736},
    {133, 113, 172, 172}, {134, 100, 574, 576}, {140, 20, 2, 2},      {140, 20, 19, 19},
    {140, 20, 35, 35},    {140, 20, 116, 116},  {140, 20, 507, 507},  {140, 36, 564, 564},
    {140, 80, 160, 160},  {140, 110, 733, 733}, {146, 106, 137, 137}, {150, 150, 277, 293},
    {150, 150, 409, 409}, {150, 150, 479, 479}, {150, 150, 480, 480}, {152, 40, 670, 670},
    {152, 40, 681, 681},  {155, 155, 577, 585}, {160, 40, 474, 474},  {160, 50, 161, 161},
    {160, 116, 687, 687}, {162, 122, 734, 734}, {170, 50, 138, 138},  {170, 50, 531, 531},
    {170, 154, 713, 716}, {174, 54, 688, 688},  {180, 60, 325, 325},  {185, 25, 167, 167},
    {186, 6, 465, 465},   {190, 190, 587, 597}, {190, 190, 599, 599}, {200, 30, 92, 94},
    {200, 40, 3, 3},      {200, 40, 14, 14},    {200, 40, 25, 25},    {200, 40, 30, 30},
    {200, 40, 51, 51},    {200, 40, 106, 106},  {200, 40, 458, 458},  {200, 40, 478, 478},
    {200, 40, 625, 625},  {200, 60, 671, 671},  {200, 120, 586, 586}, {210, 64, 735, 735},
    {216, 40, 704, 704},  {228, 44, 689, 689},  {230, 40, 326, 326},  {230, 50, 327, 327},
    {230, 90, 139, 139},  {230, 90, 532, 532},  {300, 70, 231, 231},  {360, 64, 534, 534},
    {400, 40, 475, 475},
};

const TypeRange kNoCollision[] = {
    {9, 9},     {11, 13},   {21, 23},   {26, 51},   {56, 58},   {70, 74},   {89, 99},   {111, 115},
    {118, 118}, {122, 139}, {149, 177}, {180, 180}, {181, 181}, {183, 183}, {185, 185}, {195, 198},
    {200, 208}, {215, 231}, {235, 250}, {252, 252}, {253, 253}, {255, 271}, {274, 296}, {309, 347},
    {351, 351}, {353, 353}, {362, 372}, {391, 399}, {402, 402}, {403, 403}, {405, 405}, {407, 409},
    {411, 411}, {413, 416}, {422, 424}, {426, 426}, {441, 443}, {459, 459}, {461, 467}, {469, 469},
    {476, 476}, {477, 477}, {479, 479}, {480, 480}, {482, 482}, {483, 483}, {488, 488}, {490, 490},
    {492, 495}, {500, 506}, {508, 511}, {521, 526}, {528, 541}, {564, 599}, {602, 606}, {611, 621},
    {633, 649}, {651, 665}, {682, 695}, {700, 703}, {705, 709}, {712, 716}, {722, 758},
};

// The behaviour flags a type can get, and where each lives in the record.
u8 gameRect::*const kFlagMembers[] = {
    &gameRect::brick,
    &gameRect::falling,
    &gameRect::water,
    &gameRect::sand,
    &gameRect::conveyor,
    &gameRect::sliding,
    &gameRect::mushroom,
    &gameRect::secret,
    &gameRect::door,
    &gameRect::guns,
    &gameRect::monster,
    &gameRect::trap,
    &gameRect::bubble,
    &gameRect::balloon,
    &gameRect::ufo,
    &gameRect::swarm,
    &gameRect::tilt,
    &gameRect::teleporter,
    &gameRect::laser,
    &gameRect::chainsaw,
    &gameRect::cannon,
    &gameRect::ice,
    &gameRect::shrink,
    &gameRect::grow,
    &gameRect::projectile,
    &gameRect::breakable,
    &gameRect::lethalCircle,
    &gameRect::lethalBox,
    &gameRect::oneShotAnimation,
    &gameRect::rotatingPart,
    &gameRect::electric,
    &gameRect::fire,
};
enum Flag {
  F_BRICK,
  F_FALLING,
  F_WATER,
  F_SAND,
  F_CONVEYOR,
  F_SLIDING,
  F_MUSHROOM,
  F_SECRET,
  F_DOOR,
  F_GUNS,
  F_MONSTER,
  F_TRAP,
  F_BUBBLE,
  F_BALLOON,
  F_UFO,
  F_SWARM,
  F_TILT,
  F_TELEPORTER,
  F_LASER,
  F_CHAINSAW,
  F_CANNON,
  F_ICE,
  F_SHRINK,
  F_GROW,
  F_PROJECTILE,
  F_BREAKABLE,
  F_LETHAL_CIRCLE,
  F_LETHAL_BOX,
  F_ONE_SHOT,
  F_ROTATING_PART,
  F_ELECTRIC,
  F_FIRE,
  FLAG_COUNT
};

struct FlagRanges {
  Flag flag;
  TypeRange range;
};

const FlagRanges kFlags[] = {
    {F_BRICK, {15, 15}},
    {F_BRICK, {440, 440}},
    {F_BRICK, {481, 481}},
    {F_FALLING, {20, 20}},
    {F_FALLING, {68, 69}},
    {F_FALLING, {468, 468}},
    {F_WATER, {22, 22}},
    {F_SAND, {118, 118}},
    {F_CONVEYOR, {116, 116}},
    {F_SLIDING, {120, 120}},
    {F_MUSHROOM, {57, 57}},
    {F_SECRET, {99, 99}},
    {F_DOOR, {58, 58}},
    {F_GUNS, {183, 183}},
    {F_GUNS, {206, 206}},
    {F_GUNS, {441, 441}},
    {F_GUNS, {494, 494}},
    {F_MONSTER, {195, 195}},
    {F_MONSTER, {467, 467}},
    {F_TRAP, {196, 196}},
    {F_BUBBLE, {205, 205}},
    {F_BALLOON, {177, 177}},
    {F_UFO, {179, 179}},
    {F_SWARM, {220, 220}},
    {F_TILT, {598, 598}},
    {F_TELEPORTER, {654, 654}},
    {F_LASER, {651, 651}},
    {F_CHAINSAW, {736, 736}},
    {F_CANNON, {739, 739}},
    {F_ICE, {679, 681}},
    {F_SHRINK, {652, 652}},
    {F_GROW, {653, 653}},
    {F_PROJECTILE, {184, 184}},
    {F_PROJECTILE, {207, 207}},
    {F_PROJECTILE, {442, 442}},
    {F_PROJECTILE, {495, 495}},
    {F_BREAKABLE, {121, 121}},
    // Lethal circles.
    {F_LETHAL_CIRCLE, {21, 21}},
    {F_LETHAL_CIRCLE, {26, 27}},
    {F_LETHAL_CIRCLE, {111, 111}},
    {F_LETHAL_CIRCLE, {173, 173}},
    {F_LETHAL_CIRCLE, {260, 260}},
    {F_LETHAL_CIRCLE, {262, 262}},
    {F_LETHAL_CIRCLE, {264, 264}},
    {F_LETHAL_CIRCLE, {459, 459}},
    {F_LETHAL_CIRCLE, {464, 464}},
    {F_LETHAL_CIRCLE, {488, 488}},
    {F_LETHAL_CIRCLE, {500, 501}},
    {F_LETHAL_CIRCLE, {606, 606}},
    {F_LETHAL_CIRCLE, {633, 634}},
    // Lethal boxes.
    {F_LETHAL_BOX, {23, 23}},
    {F_LETHAL_BOX, {115, 115}},
    {F_LETHAL_BOX, {174, 176}},
    {F_LETHAL_BOX, {197, 197}},
    {F_LETHAL_BOX, {245, 245}},
    {F_LETHAL_BOX, {402, 403}},
    {F_LETHAL_BOX, {407, 408}},
    {F_LETHAL_BOX, {413, 413}},
    {F_LETHAL_BOX, {416, 416}},
    {F_LETHAL_BOX, {424, 424}},
    {F_LETHAL_BOX, {463, 463}},
    {F_LETHAL_BOX, {469, 469}},
    {F_LETHAL_BOX, {476, 477}},
    {F_LETHAL_BOX, {486, 486}},
    {F_LETHAL_BOX, {491, 491}},
    {F_LETHAL_BOX, {496, 496}},
    {F_LETHAL_BOX, {570, 570}},
    {F_LETHAL_BOX, {603, 603}},
    {F_LETHAL_BOX, {740, 740}},
    // One-shot animations.
    {F_ONE_SHOT, {58, 58}},
    {F_ONE_SHOT, {177, 177}},
    {F_ONE_SHOT, {195, 196}},
    {F_ONE_SHOT, {205, 205}},
    {F_ONE_SHOT, {420, 420}},
    {F_ONE_SHOT, {467, 467}},
    // A turning piece drawn over the sprite.
    {F_ROTATING_PART, {47, 47}},
    {F_ROTATING_PART, {95, 97}},
    {F_ROTATING_PART, {223, 224}},
    {F_ROTATING_PART, {505, 505}},
    {F_ROTATING_PART, {602, 602}},
    // Lethal circles that burn or shock.
    {F_ELECTRIC, {262, 262}},
    {F_ELECTRIC, {264, 264}},
    {F_FIRE, {173, 173}},
    {F_FIRE, {260, 260}},
    {F_FIRE, {413, 413}},
};

struct IntRanges {
  short value;
  TypeRange range;
};

const IntRanges kFrameCounts[] = {
    {0, {58, 58}},   {0, {196, 196}}, {1, {9, 20}},    {1, {23, 23}},   {1, {47, 47}},   {1, {245, 245}},
    {1, {420, 420}}, {1, {440, 440}}, {1, {481, 481}}, {2, {195, 195}}, {2, {459, 459}}, {2, {467, 467}},
    {3, {21, 21}},   {3, {26, 27}},   {3, {30, 30}},   {3, {111, 111}}, {3, {116, 116}}, {3, {173, 173}},
    {3, {177, 177}}, {3, {197, 197}}, {3, {262, 262}}, {3, {328, 328}}, {3, {413, 414}}, {3, {500, 501}},
    {3, {503, 504}}, {3, {506, 506}}, {4, {74, 74}},   {4, {260, 260}}, {4, {329, 329}}, {4, {464, 464}},
    {4, {606, 606}}, {4, {652, 654}}, {4, {695, 695}}, {5, {28, 28}},   {5, {204, 205}}, {5, {264, 264}},
    {5, {736, 736}}, {6, {70, 73}},   {7, {29, 29}},   {9, {118, 118}}, {10, {22, 22}},  {10, {491, 491}},
};

const IntRanges kFps[] = {
    {5, {28, 30}},    {7, {116, 116}},  {7, {177, 177}},  {7, {204, 205}},  {8, {70, 74}},
    {10, {195, 195}}, {10, {467, 467}}, {10, {500, 501}}, {10, {606, 606}}, {12, {58, 58}},
    {15, {21, 21}},   {15, {26, 27}},   {15, {111, 111}},
};

const IntRanges kLayers[] = {
    {0, {13, 13}},
    {0, {43, 45}},
    {5, {22, 22}},
    {5, {118, 118}},
};

const TypeRange kDraw2Point[] = {
    {13, 13}, {34, 36}, {43, 45}, {92, 94}, {200, 203}, {221, 222}, {242, 244}, {364, 364}, {604, 605},
};

const TypeRange kAutoRotation[] = {{633, 634}};

// Reach of pickups, the door, hazards and projectiles, in squared pixels.
const IntRanges kRadii[] = {
    {25, {464, 464}},   {100, {262, 262}},  {100, {264, 264}}, {169, {57, 57}},    {169, {99, 99}},
    {225, {173, 173}},  {225, {260, 260}},  {324, {184, 184}}, {324, {207, 207}},  {361, {500, 500}},
    {400, {111, 111}},  {400, {633, 633}},  {400, {736, 736}}, {441, {442, 442}},  {484, {26, 26}},
    {484, {606, 606}},  {529, {195, 195}},  {529, {467, 467}}, {625, {501, 501}},  {900, {459, 459}},
    {1024, {58, 58}},   {1024, {634, 634}}, {1369, {27, 27}},  {2025, {488, 488}}, {2704, {21, 21}},
    {5041, {495, 495}},
};

// What the tables give one type; -1 (or 0 for sizes) leaves the general default.
struct TypeDefaults {
  short width, height;
  signed char noCollision;
  signed char frameCount;
  signed char fps;
  signed char layer;
  signed char draw2Point;
  signed char autoRotation;
  short radius;
  u32 flags; // bit f: flag f of kFlagMembers
};
static_assert(FLAG_COUNT <= sizeof(TypeDefaults::flags) * CHAR_BIT,
              "a flag without a bit in TypeDefaults::flags");
static_assert(sizeof kFlagMembers / sizeof kFlagMembers[0] == FLAG_COUNT,
              "a flag without its member, or a member without its flag");

TypeDefaults g_typeDefaults[OBJECT_TYPES];
bool g_typeDefaultsBuilt = false;

template <typename F> void ForRange(TypeRange r, F f) {
  for (int t = r.first; t <= r.last; ++t)
    f(g_typeDefaults[t]);
}

void BuildTypeDefaults() {
  for (TypeDefaults& d : g_typeDefaults) {
    d = TypeDefaults();
    d.noCollision = d.frameCount = d.fps = d.layer = d.draw2Point = d.autoRotation = -1;
  }
  for (const auto& s : kSizes)
    ForRange({s[2], s[3]}, [&](TypeDefaults& d) {
      d.width = s[0];
      d.height = s[1];
    });
  for (TypeRange r : kNoCollision)
    ForRange(r, [](TypeDefaults& d) { d.noCollision = 1; });
  for (int t : {486, 491, 496})
    g_typeDefaults[t].noCollision = 0;
  for (const FlagRanges& f : kFlags)
    ForRange(f.range, [&](TypeDefaults& d) { d.flags |= 1u << f.flag; });
  for (const IntRanges& v : kFrameCounts)
    ForRange(v.range, [&](TypeDefaults& d) { d.frameCount = (signed char)v.value; });
  for (const IntRanges& v : kFps)
    ForRange(v.range, [&](TypeDefaults& d) { d.fps = (signed char)v.value; });
  for (const IntRanges& v : kLayers)
    ForRange(v.range, [&](TypeDefaults& d) { d.layer = (signed char)v.value; });
  for (TypeRange r : kDraw2Point)
    ForRange(r, [](TypeDefaults& d) { d.draw2Point = 1; });
  for (TypeRange r : kAutoRotation)
    ForRange(r, [](TypeDefaults& d) { d.autoRotation = 1; });
  for (const IntRanges& v : kRadii)
    ForRange(v.range, [&](TypeDefaults& d) { d.radius = v.value; });
  g_typeDefaultsBuilt = true;
}

// Frames each hero animation row holds, by character (rows 0-34; rows past the list hold none).
// A row plays frames 0 to n - 1; three rows run on fixed lengths whatever the art holds: the deaths
// (14 positions), the unused row 17 (8) and the exit through the door (30).
const signed char kRowFrames[8][35] = {
    // 0  1  2  3  4  5  6  7  8  9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33 34
    {8, 12, 7,  4, 4, 10, 5, 5, 4,  4, 12, 13, 14, 0, 14, 14, 14, 8,
     0, 0,  30, 4, 4, 4,  5, 8, 11, 4, 3,  0,  4,  4, 4,  4,  4},
    {6, 8, 0, 0, 5, 6, 0, 4, 4, 4, 15, 0, 0, 0, 14, 14, 14, 8, 0, 0, 30, 4, 5, 1, 3, 0, 1, 4, 2},
    {8, 6, 1, 1, 5, 7, 0, 4, 8, 0, 11, 0, 0, 0, 14, 14, 14, 8, 0, 0, 30, 6, 6, 1, 4, 0, 1, 6, 0, 0, 6},
    {6, 9, 1, 1, 5, 8, 0, 4, 7, 0, 13, 0, 0, 0, 14, 14, 14, 8, 0, 0, 30, 4, 8, 1, 4, 0, 1, 4},
    {6, 6, 1, 1, 7, 7, 0, 5, 4, 4, 14, 0, 0, 0, 14, 14, 14, 8, 0, 0, 30, 1, 6, 1, 5, 0, 10, 1},
    {8, 5, 1, 1, 4, 6, 0, 4, 6, 0, 25, 0, 0, 0, 14, 14, 14, 8, 0, 0, 30, 4, 5, 1, 4, 0, 1, 4},
    {6, 5, 0, 0, 4, 5, 0, 1, 5, 0, 0, 0, 0, 0, 14, 14, 14, 8, 0, 0, 30, 1, 5, 1, 1, 0, 1, 1},
    {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 14, 14, 14, 8, 0, 0, 30},
};

// Frames per second of each hero row, the same for every character (the running row of the
// characters whose run speed drives it is set while they run).
float RowFps(int row) {
  switch (row) {
  case 0:
    return 10;
  case 1:
    return 15;
  case 2:
  case 3:
    return 20;
  case 4:
    return 10;
  case 5:
  case 6:
    return 30;
  case 7:
    return 10;
  case 8:
  case 9:
    return 20;
  case 10:
  case 11:
  case 12:
    return 15;
  case 14:
  case 15:
  case 16:
    return 20;
  case 20:
    return 20;
  case 21:
  case 22:
  case 23:
  case 24:
  case 25:
    return 12;
  case 26:
    return 15;
  case 27:
    return 15;
  case 28:
    return 20;
  default:
    return 15;
  }
}

void SetupHero(gameRect& r) {
  r.gravity = 1600;
  r.collides = 1;
  r.width = 13;
  r.height = 23;
  r.layer = 5;
  r.animation = 0;
  r.animationOverride = -1;
  if (g_superItemsUnlocked[2] != 0) r.magnet = 1;
  PlaySoundDelayed(0.5f, 37, 0);
  r.characterId = g_characterID;
  r.runFactor = 1.0f;
  r.heroScale = 0.48f;
  r.noIdle = r.speedAnimation = r.jumpFlag = r.drawFlagHero = r.flyAnimation = 0;
  r.pose = 0;
  r.hasSpecial = 0;
  r.specialValue = 0;
  r.airPoseCount = 0;
  r.idleCount = 1;
  switch (r.characterId) {
  case 0:
    r.pose = 3;
    r.flyAnimation = 1;
    r.idleCount = 3;
    r.airPoseCount = 3;
    break;
  case 1:
    r.width = 12, r.height = 19, r.runFactor = 1.1f, r.heroScale = 0.46f;
    r.hasSpecial = 1, r.specialValue = 5, r.flyAnimation = 1;
    break;
  case 2:
    r.width = 12, r.height = 18, r.gravity = 2400, r.runFactor = 1.1f, r.heroScale = 0.39f;
    r.specialValue = 2;
    break;
  case 3:
    r.width = 13, r.height = 19, r.gravity = 1400, r.runFactor = 0.9f, r.heroScale = 0.42f;
    r.hasSpecial = 1, r.specialValue = 2;
    break;
  case 4:
    r.gravity = 800, r.heroScale = 0.7f;
    r.hasSpecial = 1, r.specialValue = 0;
    break;
  case 5:
    r.width = 13, r.height = 19, r.gravity = 1700, r.runFactor = 1.4f, r.heroScale = 0.42f;
    r.hasSpecial = 1, r.specialValue = 1;
    break;
  case 6:
    r.width = 13, r.height = 20, r.gravity = 4000, r.runFactor = 0.9f, r.heroScale = 0.44f;
    r.jumpFlag = 1, r.noIdle = 1, r.drawFlagHero = 1;
    r.flipGravityOnJump = 1;
    break;
  case 7:
    if (g_currentMode == 9)
      r.width = 13, r.height = 8, r.gravity = 3500, r.heroScale = 0.3f;
    else
      r.width = 20, r.height = 15, r.gravity = 3900, r.heroScale = 0.4f;
    break;
  default:
    break;
  }
  if (r.characterId >= 1 && r.characterId <= 6) r.speedAnimation = 1;
  // The special ability's cooldown, in seconds, is the character's special value.
  r.specialCooldownMax = (float)r.specialValue;

  int skin = r.characterId >= 0 && r.characterId < 8 ? r.characterId : 0;
  for (int row = 0; row < HERO_ANIM_ROWS; ++row) {
    int n = row < 35 ? kRowFrames[skin][row] : 0;
    r.animFps[row] = RowFps(row);
    // A row without frames still wraps, showing nothing.
    r.animLength[row] = (n > 0 ? (float)n : 1.0f) - 0.01f;
  }
  // The wall-rest row of the default hero plays four of its five frames.
  if (skin == 0) r.animLength[4] = 3.99f;
}

} // namespace

void gameRect::SetupSprites() {
  if (!g_typeDefaultsBuilt) BuildTypeDefaults();
  if (type >= 0 && type < OBJECT_TYPES) {
    const TypeDefaults& d = g_typeDefaults[type];
    if (d.width) {
      width = d.width;
      height = d.height;
    }
    if (d.noCollision >= 0) noCollision = d.noCollision;
    for (int f = 0; f < FLAG_COUNT; ++f)
      if (d.flags & (1u << f)) this->*kFlagMembers[f] = 1;
    if (d.frameCount >= 0) frameCount = d.frameCount;
    if (d.fps >= 0) fps = d.fps;
    if (d.layer >= 0) layer = d.layer;
    if (d.draw2Point >= 0) draw2Point = d.draw2Point;
    if (d.autoRotation >= 0) autoRotation = d.autoRotation;
    if (d.radius) radius = d.radius;
  }

  // The values single behaviours start from.
  switch (type) {
  case 22:
  case 118:
    auxX = width;
    auxY = height + custom1;
    custom1 = 50;
    break;
  case 116:
    beltSpeed = 700;
    break;
  case 183:
  case 441:
  case 494:
    fireInterval = 2;
    break;
  case 206:
    fireInterval = 5;
    break;
  case 651:
    fireInterval = 2.5f;
    break;
  case 184:
  case 442:
  case 495:
  case 207:
    collides = 1;
    collidesWithHero = 1;
    lifetime = type == 207 ? 7 : 3;
    speed = type == 184 ? 500 : type == 207 ? 300 : 450;
    turnRate = type == 207 ? 1 : 0;
    scale = type == 207 ? 0.7f : 1;
    break;
  case 195:
  case 467:
    speed = 130;
    turnRate = 0.6f;
    drawFlag = 1;
    collidesWithHero = 1;
    collides = type == 195 ? 1 : 0;
    break;
  case 736:
    bladeLength = 160;
    break;
  case 258:
    additive = 1;
    break;
  case 476:
    marginX = -4;
    marginY = -4;
    break;
  case 477:
    marginX = -8;
    break;
  default:
    break;
  }

  if (type == HERO_TYPE) SetupHero(*this);
}
