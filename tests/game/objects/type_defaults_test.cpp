// Per-type defaults, checked type by type against the design's own lists (kept here in their
// written form and parsed), the values single behaviours start from, types without an entry, and
// the hero block of every character.
#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "game_globals.h"
#include "game_modes.h"
#include "progress_files.h"
#include "scenario.h"
#include "sound_table.h"

namespace {

// "a, b-c, d" into the types it names.
std::vector<int> Types(const std::string& list) {
  std::vector<int> out;
  std::stringstream in(list);
  std::string item;
  while (std::getline(in, item, ',')) {
    int a = 0, b = 0;
    if (sscanf(item.c_str(), " %d-%d", &a, &b) == 2)
      for (int t = a; t <= b; ++t)
        out.push_back(t);
    else if (sscanf(item.c_str(), " %d", &a) == 1)
      out.push_back(a);
  }
  return out;
}

// Splits "head: list<sep>head: list..." into (head, types).
std::vector<std::pair<std::string, std::vector<int>>> Entries(const std::string& text, char sep) {
  std::vector<std::pair<std::string, std::vector<int>>> out;
  std::stringstream in(text);
  std::string entry;
  while (std::getline(in, entry, sep)) {
    size_t colon = entry.find(':');
    if (colon == std::string::npos) continue;
    std::string head = entry.substr(0, colon);
    head.erase(0, head.find_first_not_of(' '));
    out.push_back({head, Types(entry.substr(colon + 1))});
  }
  return out;
}

// Sizes as written, except that the runs "400-470" (60 x 30) and "401-471" (60 x 60) are the pairs
// 400, 470 and 401, 471: no type has two sizes apart from 598, which is checked on its own.
const char* kSizes =
    "4 x 150: 571; 6 x 62: 198; 6 x 170: 341; 8 x 8: 442; 9 x 9: 184, 207; 10 x 5: 415; 10 x 20: 414; 10 x "
    "100: "
    "181; 12 x 20: 245, 402, 407; 14 x 42: 509; 16 x 16: 259; 16 x 70: 751; 18 x 30: 521; 18 x 86: 682; 20 x "
    "20: "
    "70, 71, 89, 90, 262, 264, 410, 413, 416, 422, 424, 436-439, 463, 464, 496, 570, 743; 20 x 30: 173, 260; "
    "20 x "
    "40: 235, 236, 503; 20 x 50: 31, 72, 73, 263; 20 x 70: 261; 20 x 100: 200, 201, 221, 222; 20 x 110: 330, "
    "364; "
    "20 x 140: 450; 20 x 200: 91; 22 x 100: 655; 24 x 20: 174, 175; 24 x 38: 656; 24 x 40: 426; 25 x 25: "
    "443; 26 "
    "x 26: 440; 27 x 27: 522; 28 x 68: 657; 30 x 30: 95-97, 177, 204, 205, 331-334, 346, 420, 421, 510, 643, "
    "644, "
    "666, 717; 30 x 34: 611; 30 x 40: 159, 606; 30 x 46: 683; 30 x 50: 494; 30 x 60: 362, 690; 30 x 74: 724; "
    "30 x "
    "90: 112, 335, 342, 343; 30 x 100: 347; 32 x 20: 466; 32 x 40: 635; 32 x 52: 612, 613; 32 x 64: 493; 34 "
    "x 34: "
    "658; 34 x 40: 659; 36 x 36: 195, 705; 36 x 48: 740; 36 x 66: 725; 38 x 20: 481; 38 x 46: 684; 38 x 92: "
    "726; "
    "40 x 20: 15, 23, 115, 176, 179, 348, 403, 408, 469, 504, 603, 636; 40 x 24: 637; 40 x 30: 316, 317, "
    "511; 40 x "
    "40: 4-7, 20, 22, 26, 29, 47, 60-62, 74, 107, 111, 118, 215-219, 237-240, 309-311, 354-357, 391-394, "
    "404, 451, "
    "467, 472, 476, 477, 491, 492, 495, 505, 598, 633, 645, 679, 680; 40 x 60: 37-39, 258, 274; 40 x 65: "
    "241; 40 x "
    "70: 113; 40 x 80: 336, 337, 405; 40 x 84: 660; 40 x 100: 202, 203, 246, 247, 255, 256, 452; 40 x 110: "
    "371; 40 "
    "x 130: 185; 40 x 200: 324, 453; 42 x 16: 485; 42 x 42: 744; 42 x 44: 565; 42 x 84: 566; 44 x 16: 180; "
    "44 x "
    "30: 638; 44 x 40: 745; 44 x 100: 722; 48 x 46: 661; 48 x 48: 13; 49 x 64: 57, 99; 50 x 10: 225; 50 x "
    "20: 32, "
    "33, 46, 153-155, 312-315, 567, 568; 50 x 30: 196, 614, 667; 50 x 40: 150, 358-360, 622, 623; 50 x 50: "
    "9, 11, "
    "12, 320-323, 349, 411, 427-435, 482, 483, 500, 512-520, 629, 646-648, 672, 677, 718, 719; 50 x 60: 43, "
    "98, "
    "318, 654, 695; 50 x 66: 752; 50 x 70: 319, 365, 366; 50 x 80: 572; 50 x 132: 523; 52 x 16: 490; 52 x "
    "32: 639; "
    "52 x 52: 662, 663; 54 x 42: 753; 56 x 46: 746; 56 x 56: 197, 727; 56 x 170: 700; 60 x 20: 117, 350, "
    "423; 60 x "
    "30: 122, 151, 400, 470; 60 x 34: 747; 60 x 40: 506; 60 x 50: 501, 615; 60 x 60: 8, 10, 63-65, 108-110, "
    "120, "
    "121, 183, 223, 224, 395-399, 401, 471, 602, 651; 60 x 70: 329, 640; 60 x 80: 45, 328; 60 x 90: 40-42, "
    "44, "
    "730; 62 x 62: 706-709; 64 x 64: 58; 68 x 20: 486; 68 x 138: 487; 70 x 20: 36; 70 x 24: 441; 70 x 40: "
    "338; 70 "
    "x 50: 339, 344; 70 x 70: 27, 206, 372, 634, 691-694, 738, 739; 70 x 80: 524; 70 x 86: 731; 70 x 100: "
    "351; 71 "
    "x 93: 163; 72 x 42: 616, 617; 72 x 46: 664; 72 x 62: 754; 72 x 72: 123-125, 294; 72 x 112: 701; 78 x "
    "62: 755; "
    "80 x 10: 462; 80 x 20: 412, 489; 80 x 30: 152; 80 x 40: 68, 69, 361, 468, 604, 605; 80 x 60: 275, 276, "
    "652, "
    "653; 80 x 80: 48, 49, 114, 208, 459, 728, 729, 748; 80 x 100: 226-230; 80 x 114: 126, 525, 526; 84 x "
    "30: 702; "
    "86 x 52: 641; 86 x 112: 723; 88 x 32: 461; 90 x 16: 166; 90 x 32: 649; 90 x 40: 182; 90 x 50: 345, 363, "
    "642; "
    "90 x 60: 710; 90 x 70: 340; 90 x 80: 242-244; 90 x 90: 488; 90 x 140: 756; 92 x 42: 168; 93 x 42: 165; "
    "94 x "
    "40: 673; 94 x 62: 668; 96 x 20: 749; 96 x 40: 569; 96 x 70: 127, 528; 96 x 88: 128, 529; 96 x 235: 533; "
    "100 x "
    "20: 34, 56, 352, 484; 100 x 32: 129, 295; 100 x 40: 1, 17, 24, 28, 50, 105, 249, 250, 455, 618, 624; "
    "100 x 50: "
    "52; 100 x 60: 149, 630, 669, 674, 720; 100 x 100: 0, 16, 18, 21, 53-55, 75-88, 100-104, 140, 142-147, "
    "156-158, 186-194, 220, 248, 252, 253, 257, 265-271, 300-308, 353, 367-370, 456, 502, 508, 550-563, 600, "
    "601, "
    "607-610, 626-628, 631, 675, 678, 741, 742; 100 x 170: 685, 757; 104 x 34: 130, 296; 104 x 72: 164; 105 "
    "x 45: "
    "169; 110 x 40: 619; 110 x 60: 711; 110 x 94: 686; 112 x 20: 620, 621, 703; 112 x 46: 131, 136, 530; 112 "
    "x "
    "112: 732; 112 x 122: 170, 171; 118 x 152: 132, 573; 120 x 20: 457; 120 x 38: 133; 120 x 54: 665, 676; "
    "120 x "
    "57: 162; 120 x 120: 473, 535-541, 737; 122 x 40: 750; 124 x 110: 712; 130 x 40: 632, 721; 132 x 50: "
    "134; 132 "
    "x 72: 135; 132 x 132: 758; 133 x 49: 736; 133 x 113: 172; 134 x 100: 574-576; 140 x 20: 2, 19, 35, 116, "
    "507; "
    "140 x 36: 564; 140 x 80: 160; 140 x 110: 733; 146 x 106: 137; 150 x 150: 277-293, 409, 479, 480; 152 x "
    "40: "
    "670, 681; 155 x 155: 577-585; 160 x 40: 474; 160 x 50: 161; 160 x 116: 687; 162 x 122: 734; 170 x 50: "
    "138, "
    "531; 170 x 154: 713-716; 174 x 54: 688; 180 x 60: 325; 185 x 25: 167; 186 x 6: 465; 190 x 190: 587-599; "
    "200 x "
    "30: 92-94; 200 x 40: 3, 14, 25, 30, 51, 106, 458, 478, 625; 200 x 60: 671; 200 x 120: 586; 210 x 64: "
    "735; 216 "
    "x 40: 704; 228 x 44: 689; 230 x 40: 326; 230 x 50: 327; 230 x 90: 139, 532; 300 x 70: 231; 360 x 64: "
    "534; 400 "
    "x 40: 475";

const char* kNoCollision = "9, 11-13, 21-23, 26-51, 56-58, 70-74, 89-99, 111-115, 118, 122-139, 149-177, "
                           "180, 181, 183, 185, 195-198, "
                           "200-208, 215-231, 235-250, 252, 253, 255-271, 274-296, 309-347, 351, 353, "
                           "362-372, 391-399, 402, 403, 405, "
                           "407-409, 411, 413-416, 422-424, 426, 441-443, 459, 461-467, 469, 476, 477, 479, "
                           "480, 482, 483, 488, 490, "
                           "492-495, 500-506, 508-511, 521-526, 528-541, 564-599, 602-606, 611-621, 633-649, "
                           "651-665, 682-695, 700-703, "
                           "705-709, 712-716, 722-758";

const char* kFlags =
    "brick: 15, 440, 481. falling: 20, 68, 69, 468. water: 22. sand: 118. conveyor: 116. sliding: 120. "
    "mushroom: "
    "57. secret: 99. door: 58. guns: 183, 206, 441, 494. monster: 195, 467. trap: 196. bubble: 205. balloon: "
    "177. "
    "ufo: 179. swarm: 220. tilt: 598. teleporter: 654. laser: 651. chainsaw: 736. cannon: 739. ice: 679-681. "
    "shrink: 652. grow: 653. projectile: 184, 207, 442, 495. breakable: 121. lethalCircle: 21, 26, 27, 111, "
    "173, "
    "260, 262, 264, 459, 464, 488, 500, 501, 606, 633, 634. lethalBox: 23, 115, 174-176, 197, 245, 402, 403, "
    "407, "
    "408, 413, 416, 424, 463, 469, 476, 477, 486, 491, 496, 570, 603, 740. oneShotAnimation: 58, 177, 195, "
    "196, "
    "205, 420, 467";

const char* kFrameCounts = "0: 58, 196. 1: 9-20, 23, 47, 245, 420, 440, 481. 2: 195, 459, 467. 3: 21, 26, "
                           "27, 30, 111, 116, 173, 177, "
                           "197, 262, 328, 413, 414, 500, 501, 503, 504, 506. 4: 74, 260, 329, 464, 606, "
                           "652-654, 695. 5: 28, 204, 205, "
                           "264, 736. 6: 70-73. 7: 29. 9: 118. 10: 22, 491";
const char* kFps =
    "5: 28-30. 7: 116, 177, 204, 205. 8: 70-74. 10: 195, 467, 500, 501, 606. 12: 58. 15: 21, 26, 27, 111";
const char* kLayers = "0: 13, 43-45. 5: 22, 118";
const char* kDraw2Point = "13, 34-36, 43-45, 92-94, 200-203, 221, 222, 242-244, 364, 604, 605";
const char* kRadii = "25: 464. 100: 262, 264. 169: 57, 99. 225: 173, 260. 324: 184, 207. 361: 500. 400: 111, "
                     "633, 736. 441: 442. "
                     "484: 26, 606. 529: 195, 467. 625: 501. 900: 459. 1024: 58, 634. 1369: 27. 2025: 488. "
                     "2704: 21. 5041: 495";
const char* kWithoutEntry =
    "59, 66, 67, 119, 141, 148, 209-214, 272, 273, 297-299, 373-390, 497-499, 527, 542-549, 650, 696-699";

const std::map<std::string, u8 gameRect::*> kFlagFields = {
    {"brick", &gameRect::brick},
    {"falling", &gameRect::falling},
    {"water", &gameRect::water},
    {"sand", &gameRect::sand},
    {"conveyor", &gameRect::conveyor},
    {"sliding", &gameRect::sliding},
    {"mushroom", &gameRect::mushroom},
    {"secret", &gameRect::secret},
    {"door", &gameRect::door},
    {"guns", &gameRect::guns},
    {"monster", &gameRect::monster},
    {"trap", &gameRect::trap},
    {"bubble", &gameRect::bubble},
    {"balloon", &gameRect::balloon},
    {"ufo", &gameRect::ufo},
    {"swarm", &gameRect::swarm},
    {"tilt", &gameRect::tilt},
    {"teleporter", &gameRect::teleporter},
    {"laser", &gameRect::laser},
    {"chainsaw", &gameRect::chainsaw},
    {"cannon", &gameRect::cannon},
    {"ice", &gameRect::ice},
    {"shrink", &gameRect::shrink},
    {"grow", &gameRect::grow},
    {"projectile", &gameRect::projectile},
    {"breakable", &gameRect::breakable},
    {"lethalCircle", &gameRect::lethalCircle},
    {"lethalBox", &gameRect::lethalBox},
    {"oneShotAnimation", &gameRect::oneShotAnimation},
};

class TypeDefaultsTest : public Scenario {
protected:
  gameRect& Make(int type) {
    gameRect& r = GameRects[1];
    r.Init(1, 5000, 5000, type, true);
    return r;
  }
};

TEST_F(TypeDefaultsTest, EveryListedSizeFlagAndAnimationValue) {
  std::map<int, std::pair<float, float>> sizes;
  for (auto& e : Entries(kSizes, ';')) {
    float w = 0, h = 0;
    ASSERT_EQ(sscanf(e.first.c_str(), "%f x %f", &w, &h), 2) << e.first;
    for (int t : e.second)
      if (t != 598) {
        ASSERT_EQ(sizes.count(t), 0u) << "type " << t << " has two sizes";
        sizes[t] = {w, h};
      }
  }
  std::vector<int> passThrough = Types(kNoCollision);
  std::map<int, std::vector<std::string>> flags;
  for (auto& e : Entries(kFlags, '.'))
    for (int t : e.second)
      flags[t].push_back(e.first);
  std::map<int, int> frameCounts, fps, layers, radii;
  for (auto& e : Entries(kFrameCounts, '.'))
    for (int t : e.second)
      frameCounts[t] = std::stoi(e.first);
  for (auto& e : Entries(kFps, '.'))
    for (int t : e.second)
      fps[t] = std::stoi(e.first);
  for (auto& e : Entries(kLayers, '.'))
    for (int t : e.second)
      layers[t] = std::stoi(e.first);
  for (auto& e : Entries(kRadii, '.'))
    for (int t : e.second)
      radii[t] = std::stoi(e.first);
  std::vector<int> twoPoint = Types(kDraw2Point);
  auto in = [](const std::vector<int>& v, int t) { return std::find(v.begin(), v.end(), t) != v.end(); };

  for (int t = 0; t < OBJECT_TYPES; ++t) {
    if (t == HERO_TYPE || t == 598) continue;
    gameRect& r = Make(t);
    SCOPED_TRACE("type " + std::to_string(t));
    std::pair<float, float> size = sizes.count(t) ? sizes[t] : std::make_pair(100.0f, 100.0f);
    EXPECT_EQ(r.width, size.first);
    EXPECT_EQ(r.height, size.second);
    if (!in(twoPoint, t)) {
      EXPECT_EQ(r.noCollision, in(passThrough, t) ? 1 : 0);
    }
    const std::vector<std::string>& named = flags[t];
    for (auto& f : kFlagFields)
      EXPECT_EQ(r.*f.second, std::count(named.begin(), named.end(), f.first) ? 1 : 0) << f.first;
    EXPECT_EQ(r.frameCount, frameCounts.count(t) ? frameCounts[t] : 1);
    EXPECT_EQ(r.fps, fps.count(t) ? fps[t] : 10);
    EXPECT_EQ(r.layer, layers.count(t) ? layers[t] : 10);
    EXPECT_EQ(r.draw2Point, in(twoPoint, t) ? 1 : 0);
    EXPECT_EQ(r.autoRotation, t == 633 || t == 634 ? 1 : 0);
    EXPECT_EQ(r.radius, radii.count(t) ? radii[t] : 0);
  }
}

TEST_F(TypeDefaultsTest, TheTiltZoneIsFortyPixelsSquareInsideTheLargeRun) {
  gameRect& r = Make(598);
  EXPECT_EQ(r.width, 40);
  EXPECT_EQ(r.height, 40);
  EXPECT_EQ(r.tilt, 1);
  EXPECT_EQ(Make(597).width, 190);
  EXPECT_EQ(Make(599).width, 190);
}

TEST_F(TypeDefaultsTest, TypesWithoutAnEntryKeepTheGeneralDefaults) {
  std::vector<int> types = Types(kWithoutEntry);
  for (int t : {-1, -800, 800, 5000})
    types.push_back(t); // outside the table: nothing to look up
  for (int t : types) {
    gameRect& r = Make(t);
    SCOPED_TRACE("type " + std::to_string(t));
    EXPECT_EQ(r.type, t);
    EXPECT_EQ(r.width, 100);
    EXPECT_EQ(r.height, 100);
    EXPECT_EQ(r.noCollision, 0);
    EXPECT_EQ(r.frameCount, 1);
    EXPECT_EQ(r.fps, 10);
    EXPECT_EQ(r.layer, 10);
    EXPECT_EQ(r.collides, 0);
    EXPECT_FLOAT_EQ(r.x2, 5100);
  }
}

TEST_F(TypeDefaultsTest, SingleBehavioursStartFromTheirValues) {
  gameRect& water = Make(22);
  EXPECT_EQ(water.auxX, 40);
  EXPECT_EQ(water.auxY, 40);
  EXPECT_EQ(water.custom1, 50);
  EXPECT_EQ(Make(118).custom1, 50);
  EXPECT_EQ(Make(116).beltSpeed, 700);
  EXPECT_EQ(Make(116).noCollision, 0) << "the conveyor is solid";
  for (int t : {183, 441, 494})
    EXPECT_EQ(Make(t).fireInterval, 2) << t;
  EXPECT_EQ(Make(206).fireInterval, 5);
  EXPECT_EQ(Make(651).fireInterval, 2.5f);

  struct Shot {
    int type;
    float lifetime, speed, turnRate, scale;
    int radius;
  };
  for (Shot s : {Shot{184, 3, 500, 0, 1, 324}, Shot{442, 3, 450, 0, 1, 441}, Shot{495, 3, 450, 0, 1, 5041},
                 Shot{207, 7, 300, 1, 0.7f, 324}}) {
    gameRect& r = Make(s.type);
    SCOPED_TRACE(s.type);
    EXPECT_EQ(r.collides, 1);
    EXPECT_EQ(r.collidesWithHero, 1);
    EXPECT_EQ(r.lifetime, s.lifetime);
    EXPECT_EQ(r.speed, s.speed);
    EXPECT_EQ(r.turnRate, s.turnRate);
    EXPECT_FLOAT_EQ(r.scale, s.scale);
    EXPECT_EQ(r.radius, s.radius);
  }
  for (int t : {195, 467}) {
    gameRect& m = Make(t);
    EXPECT_EQ(m.speed, 130);
    EXPECT_FLOAT_EQ(m.turnRate, 0.6f);
    EXPECT_EQ(m.drawFlag, 1);
    EXPECT_EQ(m.collidesWithHero, 1);
    EXPECT_EQ(m.collides, t == 195 ? 1 : 0);
  }
  EXPECT_EQ(Make(736).bladeLength, 160);
  for (int t : {47, 95, 96, 97, 223, 224, 505, 602})
    EXPECT_EQ(Make(t).rotatingPart, 1) << t;
  EXPECT_EQ(Make(48).rotatingPart, 0);
  for (int t : {262, 264})
    EXPECT_EQ(Make(t).electric, 1) << t;
  for (int t : {173, 260, 413})
    EXPECT_EQ(Make(t).fire, 1) << t;
  EXPECT_EQ(Make(21).electric + Make(21).fire, 0);
  EXPECT_EQ(Make(258).additive, 1);
  EXPECT_EQ(Make(476).marginX, -4);
  EXPECT_EQ(Make(476).marginY, -4);
  EXPECT_EQ(Make(477).marginX, -8);
  // A two-point object spans its points and nothing collides with it.
  gameRect& span = Make(13);
  EXPECT_EQ(span.noCollision, 1);
  EXPECT_EQ(span.layer, 0);
}

TEST_F(TypeDefaultsTest, InitGivesEveryObjectAFreshUidAndItsStartingPlace) {
  gameRect& a = Make(5);
  int first = a.uid;
  gameRect& b = GameRects[2];
  b.Init(2, 5100, 5200, 5, false);
  EXPECT_EQ(b.uid, first + 1);
  EXPECT_EQ(b.startX, 5100);
  EXPECT_EQ(b.pathY, 5200);
  EXPECT_EQ(b.slowX, 5100);
  EXPECT_EQ(b.shieldY, 5200);
  EXPECT_EQ(b.baseWidth, 40);
  for (int c : b.color)
    EXPECT_EQ(c, 255);
  EXPECT_EQ(b.mushroomTimer, -1);
  EXPECT_EQ(b.move.moveXTime, 0);
  // A level object never becomes a character.
  b.characterId = 0;
  g_characterID = 4;
  b.Init(2, 5100, 5200, 5, false);
  EXPECT_EQ(b.characterId, 0);
  EXPECT_EQ(b.runFactor, 0);
}

struct HeroCase {
  int character;
  float width, height, gravity, runFactor, heroScale;
  int hasSpecial, speedAnimation, idleCount, flyAnimation, jumpFlag;
};

class HeroBlockTest : public Scenario, public ::testing::WithParamInterface<HeroCase> {};

TEST_P(HeroBlockTest, EachCharacterHasItsBodyAndPhysics) {
  const HeroCase& c = GetParam();
  g_characterID = c.character;
  soundMustPlay = 0;
  soundMustPlayID = -1;
  gameRect& h = Hero(5000, 5000, false);
  EXPECT_EQ(h.characterId, c.character);
  EXPECT_EQ(h.width, c.width);
  EXPECT_EQ(h.height, c.height);
  EXPECT_EQ(h.gravity, c.gravity);
  EXPECT_FLOAT_EQ(h.runFactor, c.runFactor);
  EXPECT_FLOAT_EQ(h.heroScale, c.heroScale);
  EXPECT_EQ(h.hasSpecial, c.hasSpecial);
  EXPECT_EQ(h.speedAnimation, c.speedAnimation);
  EXPECT_EQ(h.idleCount, c.idleCount);
  EXPECT_EQ(h.flyAnimation, c.flyAnimation);
  EXPECT_EQ(h.jumpFlag, c.jumpFlag);
  EXPECT_EQ(h.flipGravityOnJump, c.character == 6 ? 1 : 0);
  EXPECT_EQ(h.collides, 1);
  EXPECT_EQ(h.layer, 5);
  EXPECT_EQ(h.animation, 0);
  EXPECT_EQ(h.animationOverride, -1);
  // Every row ends on its last frame: the door row runs 30 positions for everyone.
  EXPECT_FLOAT_EQ(h.animLength[20], 29.99f);
  EXPECT_FLOAT_EQ(h.animLength[14], 13.99f);
  // Its arrival sound half a second after the start.
  EXPECT_EQ(soundMustPlay, 1);
  EXPECT_EQ(soundMustPlayID, 37);
  EXPECT_FLOAT_EQ(soundDelay, 0.5f);
}

INSTANTIATE_TEST_SUITE_P(Characters, HeroBlockTest,
                         ::testing::Values(HeroCase{0, 13, 23, 1600, 1.0f, 0.48f, 0, 0, 3, 1, 0},
                                           HeroCase{1, 12, 19, 1600, 1.1f, 0.46f, 1, 1, 1, 1, 0},
                                           HeroCase{2, 12, 18, 2400, 1.1f, 0.39f, 0, 1, 1, 0, 0},
                                           HeroCase{3, 13, 19, 1400, 0.9f, 0.42f, 1, 1, 1, 0, 0},
                                           HeroCase{4, 13, 23, 800, 1.0f, 0.7f, 1, 1, 1, 0, 0},
                                           HeroCase{5, 13, 19, 1700, 1.4f, 0.42f, 1, 1, 1, 0, 0},
                                           HeroCase{6, 13, 20, 4000, 0.9f, 0.44f, 0, 1, 1, 0, 1},
                                           HeroCase{7, 13, 8, 3500, 1.0f, 0.3f, 0, 0, 1, 0, 0}));

TEST_F(TypeDefaultsTest, TheMiniGameHeroIsSmallerInPlayThanInMenus) {
  g_characterID = 7;
  g_currentMode = 0;
  gameRect& menu = Hero(5000, 5000, false);
  EXPECT_EQ(menu.width, 20);
  EXPECT_EQ(menu.height, 15);
  EXPECT_EQ(menu.gravity, 3900);
  g_currentMode = 9;
  gameRect& play = Hero(5000, 5000, false);
  EXPECT_EQ(play.width, 13);
  EXPECT_EQ(play.height, 8);
  EXPECT_EQ(play.gravity, 3500);
}

TEST_F(TypeDefaultsTest, TheDefaultHeroPlaysEachRowToItsLastFrame) {
  gameRect& h = Hero(5000, 5000, false);
  const std::map<int, float> limits = {
      {0, 7.99f},   {1, 11.99f},  {2, 6.99f},   {3, 3.99f},   {4, 3.99f},   {5, 9.99f},   {6, 4.99f},
      {7, 4.99f},   {8, 3.99f},   {9, 3.99f},   {10, 11.99f}, {11, 12.99f}, {12, 13.99f}, {14, 13.99f},
      {15, 13.99f}, {16, 13.99f}, {17, 7.99f},  {20, 29.99f}, {21, 3.99f},  {22, 3.99f},  {23, 3.99f},
      {24, 4.99f},  {25, 7.99f},  {26, 10.99f}, {27, 3.99f},  {28, 2.99f}};
  for (auto& l : limits)
    EXPECT_FLOAT_EQ(h.animLength[l.first], l.second) << "row " << l.first;
  EXPECT_EQ(h.airPoseCount, 3);
  EXPECT_EQ(h.pose, 3);
}

TEST_F(TypeDefaultsTest, OtherCharactersPlayTheFramesTheirArtHolds) {
  struct Row {
    int character, row;
    float limit;
  };
  for (Row r :
       {Row{4, 1, 5.99f}, Row{4, 10, 13.99f}, Row{1, 28, 1.99f}, Row{1, 10, 14.99f}, Row{2, 30, 5.99f},
        Row{2, 27, 5.99f}, Row{5, 10, 24.99f}, Row{3, 22, 7.99f}, Row{6, 7, 0.99f}, Row{7, 0, 1.99f}}) {
    g_characterID = r.character;
    EXPECT_FLOAT_EQ(Hero(5000, 5000, false).animLength[r.row], r.limit) << r.character << " row " << r.row;
  }
}

TEST_F(TypeDefaultsTest, TheMushroomMagnetComesWithItsSuperItem) {
  g_superItemsUnlocked[2] = 1;
  EXPECT_EQ(Hero(5000, 5000, false).magnet, 1);
  g_superItemsUnlocked[2] = 0;
  EXPECT_EQ(Hero(5000, 5000, false).magnet, 0);
}

} // namespace
