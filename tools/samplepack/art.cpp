// The art rules: which kind of picture each catalogue row makes (by the global it fills and its
// slot, or by the screen whose rows name it) and what it shows, taken from the distinguishing
// word of its name. The drawers are in art_draw.cpp and art_world.cpp.
#include "art.h"

#include "minigame_sides_look.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <vector>

#include <cairo.h>

#include "art_draw.h"
#include "painter.h"

namespace samplepack {

using catalogue::FrontEndGlobal;
using catalogue::Target;

namespace {

bool Has(const std::string& name, const char* word) { return name.find(word) != std::string::npos; }

std::vector<std::string> Tokens(const std::string& name) {
  std::vector<std::string> out;
  std::istringstream in(name);
  std::string t;
  while (std::getline(in, t, '_'))
    if (!t.empty()) out.push_back(t);
  return out;
}

bool IsState(const std::string& t) {
  return t == "pas" || t == "act" || t == "up" || t == "down" || t == "push" || t == "w" || t == "button";
}

// Names whose distinguishing word is not one a player would read.
const std::map<std::string, std::string>& Words() {
  static const std::map<std::string, std::string> words = {
      {"box", "extras"},
      {"world", "more"},
      {"tavenmoor", "more\ngames"},
      {"achievements", "missions"},
      {"items", "secrets"},
      {"secretgame", "mini\ngame"},
      {"gamecenter", "scores"},
      {"heroselect", "hero"},
      {"skiplevel", "skip\nlevel"},
      {"buynow", "buy"},
      {"eula", "EULA"},
      {"privacypolicy", "privacy"},
      {"termsofservice", "terms"},
      {"mobile", "get it"},
      {"sprocklet", "Sprocklet"},
      {"demon", "Demon"},
      {"jario", "Mr. Jario"},
      {"slicker", "Slicker"},
      {"superstar", "Superstar"},
      {"stickman", "Stickman"},
      {"zombie", "Zombie\nBoy"},
      {"possibleguy", "Possible\nGuy"},
  };
  return words;
}

// The word of a button: the last word of its name that is not its state.
std::string WordOf(const std::string& name) {
  std::vector<std::string> t = Tokens(name);
  for (auto it = t.rbegin(); it != t.rend(); ++it) {
    if (IsState(*it)) continue;
    auto found = Words().find(*it);
    return found != Words().end() ? found->second : *it;
  }
  return "";
}

bool Pressed(const std::string& name) {
  for (const std::string& t : Tokens(name))
    if (t == "act" || t == "down" || t == "push") return true;
  return false;
}

uint32_t Hash(const std::string& s) {
  uint32_t h = 2166136261u;
  for (unsigned char c : s)
    h = (h ^ c) * 16777619u;
  return h;
}

// Buttons take their colour from their word, far apart on the colour wheel.
Colour ButtonColour(const std::string& word) {
  static const Colour palette[] = {
      {80, 200, 80, 255},  {235, 130, 40, 255}, {60, 120, 220, 255}, {200, 60, 150, 255}, {40, 160, 170, 255},
      {150, 90, 210, 255}, {210, 170, 30, 255}, {210, 60, 60, 255},  {90, 110, 140, 255},
  };
  if (word == "play" || word == "next" || word == "yes" || word == "ok") return palette[0];
  if (word == "restart") return palette[1];
  if (word == "exit" || word == "back" || word == "no" || word == "cancel") return palette[7];
  return palette[Hash(word) % (sizeof(palette) / sizeof(palette[0]))];
}

// Light tints for plates that dark text is drawn over; white text has a dark outline and reads
// on them too.
const Colour kPaper{252, 244, 222, 255};
const Colour kSkyPlate{214, 234, 250, 255};
const Colour kMint{214, 244, 222, 255};
const Colour kRose{250, 224, 228, 255};
const Colour kLilac{232, 222, 250, 255};
const Colour kSand{246, 226, 176, 255};
const Colour kSlate{96, 104, 124, 255};
const Colour kGold{255, 204, 40, 255};

// The characters' names, as their name plates show them.
const char* const kCharacterNames[8] = {"Sprocklet", "Demon",    "Mr. Jario",   "Slicker",
                                        "Superstar", "Stickman", "Zombie\nBoy", "Possible\nGuy"};

int SkinOf(const std::string& atlas) {
  static const char* atlases[] = {"character_lowres", "character_demon",    "character_jario", "slicker",
                                  "character_star",   "character_stickman", "character_zombie"};
  for (int k = 0; k < 7; ++k)
    if (atlas == atlases[k]) return k;
  return 7; // the mini-game's hero has pictures of its own
}

// The palette of a world set's atlas, of a picture by its name's world.
// The bonus world a name belongs to ("bonus3_...", "map_back_world_bonus3"), 0 for none.
int BonusOf(const std::string& name) {
  const size_t at = name.find("bonus");
  const char digit = at != std::string::npos && at + 5 < name.size() ? name[at + 5] : 0;
  return digit >= '1' && digit <= '9' ? digit - '0' : 0;
}

int WorldOfAtlas(const std::string& atlas, const std::string& name) {
  static const std::pair<const char*, int> atlases[] = {
      {"vudarudiri_tutorial_world", 0},
      {"doodle_world", 1},
      {"industrial_world", 2},
      {"clay_world", 3},
      {"bonus_worlds", 4},
      {"level0sprites", 5},
      {"common_blocks", 6},
  };
  const int bonus = BonusOf(name);
  if (bonus > 0) return kBonusWorld + bonus;
  for (const auto& a : atlases)
    if (atlas == a.first) return a.second;
  return 6;
}

int WorldOfBackground(const std::string& name) {
  if (Has(name, "hidgame")) return 7;
  if (BonusOf(name) > 0) return kBonusWorld + BonusOf(name);
  if (Has(name, "w2") || Has(name, "world2")) return 2;
  if (Has(name, "w3") || Has(name, "world3")) return 3;
  if (Has(name, "wt")) return 0;
  return 1;
}

int TrailingNumber(const std::string& name) {
  size_t end = name.size(), start = end;
  while (start > 0 && name[start - 1] >= '0' && name[start - 1] <= '9')
    --start;
  return start < end ? std::atoi(name.c_str() + start) : 0;
}

int TilesetOf(const std::string& name) {
  const size_t at = name.find("tileset");
  if (at == std::string::npos) return 0;
  const char digit = at + 7 < name.size() ? name[at + 7] : 0;
  return digit >= '1' && digit <= '6' ? digit - '0' : 0;
}

// A screen's own rows (Target::Screen) are told apart by the screen whose set holds the name.
enum class Screen { None, WorldMap, LevelSelection, Shop, Options, Lists, Credits, Help, Dormant, MiniGame };

Screen ScreenOf(const std::string& name) {
  const std::pair<const catalogue::Set*, Screen> sets[] = {
      {&catalogue::WorldMapArt(), Screen::WorldMap},
      {&catalogue::LevelSelectionArt(), Screen::LevelSelection},
      {&catalogue::ShopArt(), Screen::Shop},
      {&catalogue::OptionsScreenArt(), Screen::Options},
      {&catalogue::ListsArt(), Screen::Lists},
      {&catalogue::CreditsArt(), Screen::Credits},
      {&catalogue::HelpArt(), Screen::Help},
      {&catalogue::DormantScreensArt(), Screen::Dormant},
      {&catalogue::MiniGameArt(), Screen::MiniGame},
  };
  char expanded[catalogue::kMaxNameLength];
  for (const auto& s : sets)
    for (int r = 0; r < s.first->runCount; ++r)
      for (int i = 0; i < catalogue::SlotCount(s.first->runs[r]); ++i)
        if (catalogue::ExpandName(s.first->runs[r], i, expanded, sizeof expanded) && name == expanded)
          return s.second;
  return Screen::None;
}

// A text picture's variant: a plate (0), a round badge (1) or a world's card on the map (2).
const int kCard = 2;

Look Make(Kind kind, const std::string& what, Colour colour = Colour{200, 200, 200, 255}, int variant = 0) {
  Look l;
  l.kind = kind;
  l.what = what;
  l.colour = colour;
  l.variant = variant;
  return l;
}

Look ButtonLook(const std::string& name, const std::string& icon = "", bool round = false) {
  Look l = Make(Kind::Button, WordOf(name), ButtonColour(WordOf(name)), round ? 1 : 0);
  l.icon = icon;
  l.pressed = Pressed(name);
  return l;
}

Look IconLook(const std::string& shape, Colour colour, int frame = 0) {
  Look l = Make(Kind::Icon, shape, colour);
  l.detail = frame;
  return l;
}

// A card of the world map: worlds 0-4 of the main list, then its coming-soon and gift pictures;
// or bonus world number - 9 of the bonus list.
Look WorldCard(int number) {
  static const char* const names[] = {"Tutorial",      "World 1",      "World 2", "World 3",
                                      "Bonus\nworlds", "Coming\nsoon", "Gift"};
  static const int palettes[] = {0, 1, 2, 3, 4, 6, 9};
  const bool bonus = number >= 10;
  const std::string text =
      bonus ? "Bonus " + std::to_string(number - 9) : names[std::min(std::max(number, 0), 6)];
  const int world = bonus ? kBonusWorld + number - 9 : palettes[std::min(std::max(number, 0), 6)];
  Look l = Make(Kind::TextPicture, text, WorldColour(world, 0), kCard);
  l.detail = world;
  return l;
}

Look FrontEnd(const ArtRequest& r) {
  const std::string& n = r.name;
  const int frame = r.slot.frame;
  switch (r.slot.index) {
  case catalogue::MainmenuBottom: // the bar, and its two pieces for wide screens
    // The pieces are placed 5 px above the bar: their faces start 10 px down.
    return Make(Kind::Panel, frame ? "barpiece" : "bar", Colour{250, 200, 40, 255}, frame ? 20 : 0);
  case catalogue::MainmenuSub:
    return Make(Kind::Panel, "plate", Colour{250, 214, 90, 255});
  case catalogue::MenuBall:
    return IconLook("dot", frame ? kWhite : Colour{150, 150, 160, 255});
  case catalogue::ButtonMain:
    return ButtonLook(n, "", frame >= 2);
  case catalogue::PickCharPanel:
    return Make(Kind::Panel, "frame", frame ? Colour{150, 150, 160, 255} : kPaper, frame);
  case catalogue::PickedCharIcons: // three a character: its portrait open, closed, its name plate
    if (frame % 3 == 2)
      return Make(Kind::TextPicture, kCharacterNames[frame / 3 % 8], CharacterColour(frame / 3));
    return Make(Kind::Character, frame % 3 ? "locked" : "portrait", kWhite, frame / 3);
  case catalogue::BuyNow:
    return ButtonLook(n);
  case catalogue::MapIcons:
    return IconLook(frame ? "star" : "mushroom", frame ? kGold : Colour{220, 40, 40, 255});
  case catalogue::MapLock:
    return IconLook(frame ? "padlock" : "shackle", kGold);
  case catalogue::MapDot:
    return IconLook("dot", frame ? kWhite : Colour{150, 150, 160, 255});
  case catalogue::EasyButtonRotater:
    return IconLook("turn", kWhite);
  case catalogue::MapButtons:
    return ButtonLook(n, "", true);
  case catalogue::PickCharMask:
    return Make(Kind::Panel, "stretch", Colour{40, 40, 70, 200});
  case catalogue::NewGameBG:
    return Make(Kind::Background, "", kWhite, 8);
  case catalogue::NewGamePanel:
    if (frame == 1) return Make(Kind::Character, "wizard", kWhite, 6);
    if (frame == 2) return Make(Kind::Panel, "hint", kPaper);
    return Make(Kind::Panel, "topstrip", Colour{80, 170, 200, 255}, frame == 3 ? 1 : 0);
  case catalogue::NewGameItems:
    return WorldCard(frame);
  case catalogue::NewGameEyes:
    return IconLook("eyes", kWhite);
  case catalogue::LevelFrame:
    switch (frame) {
    case 0:
      return Make(Kind::Panel, "levelbox", Colour{120, 124, 140, 255}, 0);
    case 1:
      return Make(Kind::Panel, "levelbox", Colour{70, 150, 220, 255}, 1);
    case 2:
      return Make(Kind::Panel, "levelbox", Colour{236, 180, 30, 255}, 2);
    case 3:
      return IconLook("mushroom", Colour{220, 40, 40, 255});
    case 4:
      return IconLook("star", kGold);
    default:
      return Make(Kind::Panel, "levelbox", Colour{130, 200, 120, 255}, 3);
    }
  case catalogue::SelectButtons:
    if (frame == 12) return Make(Kind::Panel, "pod", kPaper);
    if (frame == 9 || frame == 10) {
      Look l = ButtonLook(n);
      l.inX = 0.04; // the hero's picture covers the rest, and the screen's edge cuts it
      l.inW = 0.5;
      return l;
    }
    if (frame >= 4) {
      Look l = ButtonLook(n);
      l.inW = 0.78; // the casual and hardcore toggle: its turning arrows cover its right end
      return l;
    }
    return ButtonLook(n, "", true);
  case catalogue::HelpPanel:
    return Make(Kind::Panel, "bar", kPaper);
  case catalogue::OptSurf:
    switch (frame) {
    case 1:
      return Make(Kind::Panel, "plate", kSand);
    case 2:
      return IconLook("radio", Colour{120, 90, 40, 255});
    case 3:
      return IconLook("switch-off", Colour{220, 60, 50, 255});
    case 4:
      return IconLook("switch-on", Colour{60, 170, 70, 255});
    case 5:
      return Make(Kind::Panel, "plain", Colour{0, 0, 0, 0});
    case 6:
    case 7:
      return Make(Kind::Panel, "track", Colour{160, 120, 70, 255});
    case 8:
      return IconLook("knob", Colour{60, 130, 220, 255});
    case 9:
      return IconLook("close", Colour{220, 60, 50, 255});
    default:
      return IconLook("dot", frame == 12 ? kWhite : Colour{150, 150, 160, 255});
    }
  case catalogue::LoaderBG:
    return Make(Kind::TextPicture, frame == 0 ? "splash" : frame == 1 ? "maker" : "loading", kWhite, frame);
  case catalogue::WhitePicture:
    return Make(Kind::Fill, "", kWhite);
  default:
    return Make(Kind::Panel, "plate", kPaper);
  }
}

// The level end's pictures, by their slot of g_levelEndFXs.
Look LevelEnd(const ArtRequest& r) {
  const std::string& n = r.name;
  switch (r.slot.index) {
  case 0:
  case 40:
    return IconLook("joystick", kGold);
  case 1:
    return Make(Kind::Fill, "", Colour{0, 0, 0, 255});
  case 2:
    return IconLook("beams", kWhite);
  case 3:
    return Make(Kind::Panel, "grass", kWhite);
  case 4:
    return IconLook("streak", Colour{255, 240, 160, 255});
  case 5:
    return Make(Kind::TextPicture, "mushroom!", Colour{220, 60, 60, 255});
  case 6:
    return IconLook("mushroom", Colour{220, 40, 40, 255});
  case 7:
  case 37:
    return Make(Kind::TextPicture, "secret!", Colour{150, 80, 210, 255});
  case 8:
  case 9:
  case 10:
    return IconLook("splash", Hsv(0.12f + 0.3f * r.slot.index, 0.6f, 0.95f), r.slot.index);
  case 11:
    return IconLook("star", kGold);
  case 12:
    return Make(Kind::TextPicture, "Level complete!", Colour{0, 0, 0, 0});
  case 15:
  case 16:
    return Make(Kind::Panel, "shutter", Colour{50, 52, 72, 255}, r.slot.index == 15 ? 0 : 1);
  case 17:
    return Make(Kind::Panel, "pod", kSkyPlate);
  case 24:
    return Make(Kind::TextPicture, "new\nrecord!", Colour{220, 50, 50, 255}, 1);
  case 25:
    return Make(Kind::TextPicture, "your\ntime", Colour{110, 120, 140, 255}, 1);
  case 27:
  case 30:
  case 31:
    return IconLook("rosette", Colour{220, 60, 50, 255});
  case 28:
    return IconLook("rosette", Colour{150, 156, 170, 255});
  case 32:
    return Make(Kind::Panel, "pod", kPaper);
  case 33:
  case 34:
  case 35:
  case 36: {
    static const char* ranks[] = {"good", "great!", "super!", "perfect!"};
    return Make(Kind::TextPicture, ranks[r.slot.index - 33], Colour{0, 0, 0, 0});
  }
  case 38:
    return IconLook("gear", Colour{190, 150, 60, 255});
  case 39:
    return Make(Kind::Panel, "starpanel", kSkyPlate);
  case 41:
    return IconLook("glow", Colour{255, 230, 120, 255});
  case 18:
  case 19:
  case 20:
  case 21:
  case 22:
  case 23:
  case 42:
    return ButtonLook(n);
  default:
    return Make(Kind::Panel, "plate", kPaper);
  }
}

Look Interface(const ArtRequest& r) {
  const std::string& n = r.name;
  const int i = r.slot.index;
  switch (r.slot.target) {
  case Target::LevelEndFXs:
    return LevelEnd(r);
  case Target::Leaderboards:
  case Target::Missions:
    return Make(Kind::Panel, i == 0 ? "tab" : "stretch", kMint);
  case Target::MissionButtons:
    if (i == 1) return IconLook("arrow-left", Colour{220, 70, 60, 255});
    if (i == 2) return IconLook("badge", Colour{220, 50, 50, 255});
    return IconLook("arrow-right",
                    i >= 5 ? Hsv(0.3f, 0.7f, 0.6f + 0.08f * (i - 5)) : Colour{70, 190, 70, 255});
  case Target::Dialog:
    if (i == 0) return Make(Kind::Panel, "plate", kPaper);
    return Make(Kind::Character, "face", kWhite, 0);
  case Target::DialogButCancel:
  case Target::DialogButYes:
  case Target::DialogButNo:
  case Target::DialogButOk:
    return ButtonLook(n);
  case Target::PreloaderAnim:
    return IconLook("spinner", Colour{60, 130, 220, 255}, i);
  case Target::Pixie:
    return IconLook("sparkle", i ? Colour{120, 200, 255, 255} : Colour{255, 230, 90, 255}, r.slot.frame);
  case Target::Smoke: { // leaves, litter, paper, rain, stars, then the third world's weather
    static const char* const shapes[30] = {"leaf",    "leaf",    "leaf",    "leaf",    "paper",   "paper",
                                           "paper",   "paper",   "paper",   "paper",   "paper",   "paper",
                                           "paper",   "drop",    "drop",    "drop",    "drop",    "sparkle",
                                           "sparkle", "sparkle", "sparkle", "sparkle", "sparkle", "sparkle",
                                           "drop",    "stick",   "ball",    "leaf",    "leaf",    "leaf"};
    return IconLook(i >= 0 && i < 30 ? shapes[i] : "ball", Hsv(i * 0.618f, 0.5f, 0.95f), i);
  }
  case Target::SecretItems: {
    Look l = IconLook("relic", Hsv(i * 0.618f, 0.55f, 0.95f));
    l.what = "relic";
    l.icon = n.substr(std::strlen("secret_item_"));
    return l;
  }
  case Target::AchievementIcons:
    if (i >= 57) {
      Look l = IconLook("reward", Colour{220, 40, 40, 255});
      l.icon = "+" + std::to_string(i - 56);
      return l;
    } else {
      Look l = IconLook("medal", Hsv(i * 0.618f, 0.6f, 0.9f));
      l.icon = n.substr(std::strlen("ach_ico_"));
      return l;
    }
  case Target::GuiCross:
    return IconLook("star", i ? kGold : Colour{70, 70, 84, 255});
  case Target::GuiJoystick:
    return IconLook(i ? "ring" : "knob", Colour{120, 160, 220, 255});
  case Target::GuiPause:
    return IconLook("pause", i ? Colour{90, 160, 250, 255} : Colour{50, 110, 210, 255});
  case Target::GuiArrows: {
    Look l = ButtonLook(n, i == 0 ? "arrow-left" : "arrow-right", true);
    l.what = "";
    l.colour = Colour{70, 130, 210, 255};
    return l;
  }
  case Target::GuiArrowsPod:
    return Make(Kind::Panel, "pod", Colour{60, 70, 100, 120});
  case Target::GreenGlow:
    return IconLook("glow", Colour{90, 255, 120, 255});
  case Target::GuiSuper:
    return IconLook("lightning", Colour{200, 60, 200, 255});
  case Target::GuiTime:
    return Make(Kind::Panel, "clockpod", Colour{60, 80, 120, 255});
  case Target::GuiShroom:
    return IconLook("mushroom", Colour{220, 40, 40, 255});
  case Target::GuiAchievement:
  case Target::AchievementPanel:
  case Target::AchievementPanel2:
  case Target::CustomSmoke:
    return Make(Kind::Panel, "pod", kMint);
  case Target::GuiDeaths:
    return Make(Kind::Panel, "skullpod", Colour{60, 80, 120, 255});
  case Target::GoldenStick:
    return IconLook("joystick", kGold);
  case Target::GuiPausePanel:
    if (i == 0) return Make(Kind::Panel, "bar", Colour{60, 100, 110, 255});
    if (i == 4) return Make(Kind::Panel, "barpiece", Colour{60, 100, 110, 255});
    if (i == 1) return Make(Kind::Panel, "plate", kMint);
    if (i == 2) return Make(Kind::Panel, "round", Colour{90, 150, 160, 255});
    return Make(Kind::Panel, "mushroompod", kPaper);
  case Target::ButPauseShield:
  case Target::ButPauseTime: {
    Look l = ButtonLook(n, r.slot.target == Target::ButPauseShield ? "shield" : "clock", true);
    l.what = "";                                       // the stock is written over its lower part
    if (i == 0) l.colour = Colour{150, 150, 160, 255}; // none in stock
    l.pressed = false;
    return l;
  }
  case Target::ButPauseSpecial: {
    Look l = ButtonLook(n, "", true);
    l.inX = 0.36; // it stands half off the screen's left edge
    l.inW = 0.64;
    return l;
  }
  case Target::ButPauseMap:
  case Target::ButPauseOptions:
  case Target::ButPauseRestart:
  case Target::ButPauseSkip:
  case Target::ButPausePlay:
    return ButtonLook(n, "", true);
  case Target::ShroomPanel:
    if (r.slot.frame == 0) return Make(Kind::Panel, "mushroompod", kPaper, i);
    {
      Look l = Make(Kind::Button, "shop", ButtonColour("shop"));
      // The balance's panel covers the tab's upper part (style 0) or its left part (style 1).
      if (i == 0)
        l.inY = 0.45, l.inH = 0.55;
      else
        l.inX = 0.38, l.inW = 0.62;
      return l;
    }
  case Target::Particles:
    if (r.slot.index == 1) return IconLook("splash", Colour{110, 170, 240, 200}, r.slot.frame);
    if (r.slot.index == 2) return IconLook("splash", Colour{226, 196, 120, 220}, r.slot.frame);
    return IconLook("puff", Colour{235, 235, 235, 255}, r.slot.frame);
  default:
    return Make(Kind::Panel, "plate", kPaper);
  }
}

Look ScreenLook(const ArtRequest& r) {
  const std::string& n = r.name;
  const int i = r.slot.index, frame = r.slot.frame;
  switch (ScreenOf(n)) {
  case Screen::WorldMap:
    return WorldCard(10 + frame);
  case Screen::LevelSelection: {
    Look l = Make(Kind::Background, "", kWhite, WorldOfBackground(n));
    l.detail = frame == 1 ? 5 : 0; // the hardcore set's
    return l;
  }
  case Screen::Shop:
    switch (i) {
    case 0:
      return Make(Kind::Background, "", kWhite, 9);
    case 1: // the top and bottom bars, then their pieces for wide screens
      return Make(Kind::Panel, frame >= 2 ? "barpiece" : "bar", frame % 2 ? kSand : Colour{120, 80, 50, 255});
    case 2: {
      Look l = ButtonLook(n);
      l.inY = 0.5; // the price is written over its upper half
      l.inH = 0.5;
      return l;
    }
    case 3:
      return ButtonLook(n, "mushroom", true);
    case 4:
      if (frame == 23) return ButtonLook(n); // sold
      if (frame >= 4 && frame <= 9) {        // the characters for sale
        static const int characters[] = {4, 1, 2, 3, 5, 6};
        return Make(Kind::Character, "portrait", kWhite, characters[frame - 4]);
      }
      if (frame == 0) return IconLook("clock", kWhite);
      if (frame == 1) return IconLook("shield", Colour{80, 140, 230, 255});
      if (frame == 17) return IconLook("magnet", kWhite);
      if (frame == 18) return IconLook("key", kGold);                          // all worlds opened
      if (frame == 24) return IconLook("switch-on", Colour{60, 170, 70, 255}); // owned
      {                                                                        // the bonus worlds 1-5, then 6
        const int world = frame == 25 ? 6 : frame - 11;
        Look l = IconLook("globe", Hsv(world * 0.16f, 0.6f, 0.9f));
        l.icon = std::to_string(world);
        return l;
      }
    default:
      return Make(Kind::Panel, "plate", kSkyPlate);
    }
  case Screen::Options:
    return IconLook("arrow-plate", Colour{230, 120, 40, 255});
  case Screen::Lists:
    if (i == 0 || i == 3) return Make(Kind::Background, "", kWhite, 10);
    if (i == 1 || i == 4) return Make(Kind::Panel, frame ? "barpiece" : "bar", kSkyPlate);
    if (i == 2) return Make(Kind::Panel, "pod", frame ? kMint : Colour{170, 190, 220, 255});
    return Make(Kind::Panel, "plate", frame ? kLilac : Colour{150, 120, 190, 255});
  case Screen::Credits:
    if (i == 0) return Make(Kind::Background, "", kWhite, 0);
    if (i == 1) return Make(Kind::Panel, "plate", kSkyPlate);
    return Make(Kind::Panel, "pod", Colour{90, 120, 180, 255});
  case Screen::Help:
    return Make(Kind::TextPicture, "help", Colour{70, 60, 90, 255});
  case Screen::Dormant:
    if (i == 0) return Make(Kind::Background, "", kWhite, 0);
    if (i == 1) return Make(Kind::Panel, "plate", kSkyPlate);
    if (i == 2 || i == 5) return ButtonLook(n);
    if (i == 3) {
      static const char* pages[] = {"Tilt or use the\narrow keys to run", "Tap to jump", "Reach the door",
                                    "Collect the\nmushroom", "Beat the clock\nfor the stars"};
      return Make(Kind::TextPicture, pages[std::min(std::max(frame, 0), 4)], kSlate);
    }
    return Make(Kind::TextPicture, "Get Sprocklet\non your phone", kSlate);
  case Screen::MiniGame:
    if (i == 0)
      return Make(
          Kind::Panel, "gradient",
          Colour{minigame_sides::kColour[0], minigame_sides::kColour[1], minigame_sides::kColour[2], 255});
    if (frame == 6) return Make(Kind::Panel, "plain", Colour{120, 150, 255, 255}); // the course's line
    return Make(Kind::Tile, "", kWhite, 7);
  case Screen::None:
    break;
  }
  return Make(Kind::Panel, "plate", kPaper);
}

// The pictures no screen but the loader's text draws; plates with words on.
void DrawTextPicture(Painter& p, const Look& l) {
  const double w = p.width(), h = p.height(), lw = LineFor(w, h);
  if (l.what == "splash" || l.what == "loading") {
    Background(p, 0, 3);
    const double size = p.FitText("Sprocklet", w * 0.8, h * 0.3, h * 0.22);
    p.Text("Sprocklet", w / 2, h * 0.26, size, Colour{255, 150, 30, 255}, kInk, size * 0.08);
    if (l.what == "splash") {
      Icon(p, "star", w * 0.2, h * 0.42, h * 0.16, h * 0.16, kGold, 0);
      Icon(p, "mushroom", w * 0.72, h * 0.42, h * 0.16, h * 0.16, Colour{220, 40, 40, 255}, 0);
      return;
    }
    // A loading bar, a third filled; the screen writes "Loading..." under it.
    p.RoundRect(w * 0.2, h * 0.6, w * 0.6, h * 0.08, h * 0.04);
    p.FillStroke(kWhite, kInk, lw);
    p.RoundRect(w * 0.2 + lw, h * 0.6 + lw, w * 0.2, h * 0.08 - 2 * lw, h * 0.03);
    p.Fill(Colour{90, 190, 70, 255});
    return;
  }
  if (l.what == "maker") {
    TextPlate(p, "Tavenmoor\npresents", Colour{90, 70, 130, 255}, false);
    return;
  }
  if (l.what == "help") {
    // The television: a frame around a clear screen where the demo level plays, and how to play
    // written on the frame.
    const double sx0 = w * 124.5 / 960, sy0 = h * 75 / 640, sx1 = w * 844.5 / 960, sy1 = h * 555 / 640;
    cairo_t* cr = p.cr();
    cairo_new_path(cr);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_rectangle(cr, sx0, sy0, sx1 - sx0, sy1 - sy0);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    p.Fill(l.colour);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_new_path(cr);
    p.RoundRect(sx0 - lw, sy0 - lw, sx1 - sx0 + 2 * lw, sy1 - sy0 + 2 * lw, lw * 2);
    p.Stroke(kInk, lw);
    cairo_new_path(cr);
    const double top = p.FitText("Tilt or arrow keys: run    Tap: jump", w * 0.9, sy0 * 0.7, sy0 * 0.55);
    p.Text("Tilt or arrow keys: run    Tap: jump", w / 2, sy0 / 2, top, kWhite, kInk, top * 0.1);
    const double bottom = p.FitText("Reach the door!", w * 0.9, (h - sy1) * 0.7, (h - sy1) * 0.55);
    p.Text("Reach the door!", w / 2, (sy1 + h) / 2, bottom, Colour{255, 220, 80, 255}, kInk, bottom * 0.1);
    return;
  }
  TextPlate(p, l.what, l.colour, l.variant == 1);
}

// A world card of the map: the world's sky and hills, its name on a banner low enough that the
// padlock of a locked world leaves it in sight, and a light top where the statistics go.
void DrawWorldCard(Painter& p, const Look& l) {
  const double w = p.width(), h = p.height(), lw = LineFor(w, h);
  p.RoundRect(lw, lw, w - 2 * lw, h - 2 * lw, w * 0.14);
  p.FillStroke(WorldColour(l.detail, 1), kInk, lw * 1.5);
  cairo_t* cr = p.cr();
  cairo_save(cr);
  p.RoundRect(lw, lw, w - 2 * lw, h - 2 * lw, w * 0.14);
  cairo_clip(cr);
  std::vector<Point> hill{{0, (float)h}};
  for (int k = 0; k <= 12; ++k)
    hill.push_back({(float)(w * k / 12), (float)(h * 0.55 + std::sin(k * 0.9 + l.detail) * h * 0.05)});
  hill.push_back({(float)w, (float)h});
  p.Polygon(hill);
  p.Fill(WorldColour(l.detail, 3));
  p.RoundRect(0, h * 0.8, w, h * 0.2, 0);
  p.Fill(WorldColour(l.detail, 4));
  cairo_restore(cr);
  p.RoundRect(lw, lw, w - 2 * lw, h - 2 * lw, w * 0.14);
  p.Stroke(kInk, lw * 1.5);
  // The banner with the name.
  const double by = h * 0.66, bh = h * 0.2;
  p.RoundRect(w * 0.06, by, w * 0.88, bh, bh * 0.3);
  p.FillStroke(l.colour, kInk, lw);
  const double size = p.FitText(l.what, w * 0.8, bh * 0.9, bh * 0.55);
  p.Lines(l.what, w / 2, by + bh / 2, size, kWhite, kInk, size * 0.1);
}

// Icons that carry a short word: a mission's medal, a secret item, a reward, a bonus world.
void DrawWordIcon(Painter& p, const Look& l) {
  const double w = p.width(), h = p.height(), lw = LineFor(w, h);
  std::string word = l.icon;
  if (l.what == "medal") {
    p.Star(w / 2, h * 0.44, w * 0.42, w * 0.36, 12);
    p.FillStroke(l.colour, kInk, lw);
    p.Circle(w / 2, h * 0.44, w * 0.27);
    p.Fill(Lighter(l.colour, 0.4f));
  } else if (l.what == "relic") {
    // A round treasure in the secret's own colour, a cut gem shining on it.
    p.Circle(w / 2, h / 2, std::min(w, h) * 0.46);
    p.FillStroke(l.colour, kInk, lw);
    p.Polygon({{(float)(w * 0.5), (float)(h * 0.14)},
               {(float)(w * 0.7), (float)(h * 0.32)},
               {(float)(w * 0.5), (float)(h * 0.56)},
               {(float)(w * 0.3), (float)(h * 0.32)}});
    p.FillStroke(Lighter(l.colour, 0.55f), Darker(l.colour, 0.5f), lw * 0.6);
  } else if (l.what == "reward") {
    Icon(p, "mushroom", w * 0.05, 0, w * 0.7, h * 0.7, l.colour, 0);
  } else {
    Icon(p, l.what, 0, 0, w, h, l.colour, 0);
  }
  if (word.empty()) return;
  for (char& c : word)
    if (c == '_') c = ' ';
  const bool low = l.what != "globe";
  const double size = p.FitText(word, w * 0.96, h * (low ? 0.3 : 0.5), h * (low ? 0.26 : 0.46), 6);
  if (size > 0) p.Text(word, w / 2, low ? h * 0.84 : h / 2, size, kWhite, kInk, std::max(1.0, size * 0.12));
}

void DrawIcon(Painter& p, const Look& l) {
  const double w = p.width(), h = p.height();
  if (l.what == "medal" || l.what == "relic" || l.what == "reward" || !l.icon.empty()) {
    DrawWordIcon(p, l);
    return;
  }
  if (l.what == "switch-on" || l.what == "switch-off") {
    // The whole switch lit: green with a tick, red with a cross.
    const double lw = LineFor(w, h);
    p.RoundRect(w * 0.1, h * 0.1, w * 0.8, h * 0.8, std::min(w, h) * 0.18);
    p.FillStroke(l.colour, kInk, lw);
    Icon(p, l.what == "switch-on" ? "check" : "x-mark", w * 0.28, h * 0.28, w * 0.44, h * 0.44, kWhite, 0);
    return;
  }
  if (l.what == "arrow-plate") {
    const double lw = LineFor(w, h), r = std::min(w, h) / 2 - lw;
    p.Circle(w / 2, h / 2, r);
    p.FillStroke(l.colour, kInk, lw);
    Icon(p, "arrow-right", w / 2 - r * 0.5, h / 2 - r * 0.5, r, r, kWhite, 0);
    return;
  }
  Icon(p, l.what, 0, 0, w, h, l.colour, l.detail);
}

void DrawPanel(Painter& p, const Look& l) {
  const double w = p.width(), h = p.height(), lw = LineFor(w, h);
  if (l.what == "track") {
    p.RoundRect(lw, h * 0.25, w - 2 * lw, h * 0.5, h * 0.25);
    p.FillStroke(l.colour, kInk, lw * 0.7);
    return;
  }
  if (l.what == "gradient") {
    // The mini-game's sides (minigame_sides_look.h).
    const double flat = w * minigame_sides::kFlat;
    p.RoundRect(0, 0, flat, h, 0);
    p.Fill(l.colour);
    p.RoundRect(flat - 1, 0, w - flat + 1, h, 0);
    cairo_pattern_t* g = cairo_pattern_create_linear(flat, 0, w, 0);
    cairo_pattern_add_color_stop_rgba(g, 0, l.colour.r / 255.0, l.colour.g / 255.0, l.colour.b / 255.0, 1);
    cairo_pattern_add_color_stop_rgba(g, 1, l.colour.r / 255.0, l.colour.g / 255.0, l.colour.b / 255.0, 0);
    cairo_set_source(p.cr(), g);
    cairo_fill(p.cr());
    cairo_pattern_destroy(g);
    return;
  }
  if (l.what == "starpanel") {
    // The stars' plate: three star holes on its left, where the earned stars land.
    Panel(p, "pod", l.colour, 0);
    for (double offset : {-182.0, -127.0, -71.5}) {
      const double x = w / 2 + offset * 2;
      Icon(p, "star", x - h * 0.32, h * 0.18, h * 0.64, h * 0.64, Colour{190, 200, 214, 255}, 0);
    }
    return;
  }
  if (l.what == "clockpod" || l.what == "skullpod" || l.what == "mushroompod") {
    // A pod with its sign at the left; the screen writes the number right of it.
    Panel(p, "pod", l.colour, 0);
    const double s = h * 0.7;
    if (l.what == "clockpod") return; // the rank's stars cover its left, the clock its right
    const std::string sign = l.what == "skullpod" ? "skull" : "mushroom";
    Icon(p, sign, h * 0.2, (h - s) / 2, s, s, Colour{220, 40, 40, 255}, 0);
    return;
  }
  Panel(p, l.what, l.colour, l.variant);
}

} // namespace

Look LookOf(const ArtRequest& r) {
  const Target t = r.slot.target;
  if (t == Target::Character) return Make(Kind::Character, "pose", kWhite, SkinOf(r.atlas));
  if (t == Target::Backgrounds) {
    Look l = Make(Kind::Background, "", kWhite, WorldOfBackground(r.name));
    l.detail = TrailingNumber(r.name);
    return l;
  }
  if (t == Target::Rects || t == Target::RectDummies) {
    Look l = Make(Kind::Tile, "", kWhite, WorldOfAtlas(r.atlas, r.name));
    l.detail = TilesetOf(r.name);
    return l;
  }
  if (t == Target::FrontEnd) return FrontEnd(r);
  if (t == Target::Screen) return ScreenLook(r);
  return Interface(r);
}

PixelSize ArtSize(const ArtRequest& r) {
  const int kLargest = 2048;
  if (r.slot.width <= 0 || r.slot.height <= 0) return {0, 0};
  return {std::min(r.slot.width, kLargest), std::min(r.slot.height, kLargest)};
}

Canvas DrawArt(const ArtRequest& r, TextRenderer& text) {
  const PixelSize size = ArtSize(r);
  Painter p(size.width, size.height, text);
  const Look l = LookOf(r);
  switch (l.kind) {
  case Kind::Fill:
    p.RoundRect(0, 0, p.width(), p.height(), 0);
    p.Fill(l.colour);
    break;
  case Kind::Button:
    Button(p, l.what, l.icon, l.colour, l.pressed, l.variant == 1, Within{l.inX, l.inY, l.inW, l.inH});
    break;
  case Kind::Icon:
    DrawIcon(p, l);
    break;
  case Kind::Panel:
    DrawPanel(p, l);
    break;
  case Kind::Background:
    Background(p, l.variant, l.detail);
    break;
  case Kind::Tile:
    WorldObject(p, r.name, l.variant, l.detail, r.slot.target == Target::Screen ? 0 : TrailingNumber(r.name));
    break;
  case Kind::Character:
    if (l.what == "pose")
      Character(p, l.variant, r.slot.index, r.slot.frame);
    else if (l.what == "face")
      Character(p, 0, 0, r.slot.index == 2 ? 4 : 0);
    else if (l.what == "wizard") {
      Character(p, l.variant, 0, 0);
      Icon(p, "star", p.width() * 0.6, 0, p.width() * 0.3, p.width() * 0.3, kGold, 0);
    } else
      Portrait(p, l.variant, l.what == "locked");
    break;
  case Kind::TextPicture:
    if (l.variant == kCard)
      DrawWorldCard(p, l);
    else
      DrawTextPicture(p, l);
    break;
  }
  return p.Finish();
}

} // namespace samplepack
