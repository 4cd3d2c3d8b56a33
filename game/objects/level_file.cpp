// The level file on the object table: EditorLoad validates a whole file before it clears anything,
// EditorSaveAsText writes the live objects through the shared encoder, and the quick save.
#include "level_file.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "catalogue.h"
#include "files.h"
#include "game_base.h"
#include "game_files.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "level_data.h"
#include "level_format.h"
#include "level_header.h"
#include "platform_services.h"
#include "progress_files.h"
#include "resources.h"
#include "spikes.h"
#include "trunc_int.h"

int g_levelNonFiniteValues = 0;
bool g_levelUnreadable = false;

namespace {

int Channel(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

bool EndsWith(const char* s, const char* tail) {
  size_t n = strlen(s), m = strlen(tail);
  return n >= m && strcmp(s + n - m, tail) == 0;
}

// Where a level name is read from. A release build asks the pack's levels directory for
// name + ".txt"; the developer build's full names are looked for where its editor writes them
// (the save directory), then in the pack's levels directory.
std::vector<CommonString> Candidates(const char* name) {
  std::vector<CommonString> paths;
  if (!g_pGame) return paths;
  if (EndsWith(name, ".txt")) {
    paths.push_back(g_pGame->GetSaveDirectory() + name);
    paths.push_back(g_pGame->GetModuleDirectory() + "levels\\" + name);
  } else {
    CommonString path = pathForResource(CommonString(name), CommonString("txt"));
    if (!path.IsEmpty()) paths.push_back(path);
  }
  return paths;
}

// The editor writes at most 699 records; a file many times that long is no level, and is not read
// further than that.
const size_t kLevelFileLimit = LevelFileSize(10 * LEVEL_MAX_RECORDS);

// One place a level name is looked for, as the disk showed it just before the read: a level
// starting again reads its file again only when one of them changed.
struct Place {
  std::string disk;
  bool there = false;
  struct stat seen {};
};

Place Look(const char* path) {
  Place p;
  p.disk = DiskPathFromEnginePath(path).c_str();
  p.there = stat(p.disk.c_str(), &p.seen) == 0;
  return p;
}

bool Unchanged(const Place& p) {
  struct stat now;
  bool there = stat(p.disk.c_str(), &now) == 0;
  if (there != p.there) return false;
  return !there ||
         (now.st_dev == p.seen.st_dev && now.st_ino == p.seen.st_ino && now.st_size == p.seen.st_size &&
          now.st_mtim.tv_sec == p.seen.st_mtim.tv_sec && now.st_mtim.tv_nsec == p.seen.st_mtim.tv_nsec);
}

// The first of the name's candidates that opens and holds a whole level file, in data and used;
// false when there is none, with the reason in why. Each candidate that opens but is refused is
// named in refused, with its reason. places, when given, gets every candidate looked at, the used
// one last.
bool FindLevelFile(const char* name, std::vector<unsigned char>* data, CommonString* used, std::string* why,
                   std::string* refused, std::vector<Place>* places = nullptr) {
  std::string last;
  if (places) places->clear();
  for (const CommonString& path : Candidates(name)) {
    // Looked at before the read: a file that changes in between is read again at the next restart.
    if (places) places->push_back(Look(path.c_str()));
    if (!ReadGameOrPackFile(path.c_str(), kLevelFileLimit + 1, data)) continue;
    int count = 0;
    const char* reason = "longer than any level file";
    if (data->size() <= kLevelFileLimit && CheckLevelFile(data->data(), data->size(), &count, &reason)) {
      *used = path;
      return true;
    }
    last = std::string("level file ") + path.c_str() + " is not used (" + reason + ")";
    if (refused->empty()) *refused = last;
  }
  *why = !last.empty() ? last
                       : std::string("no level file ") + name +
                             (EndsWith(name, ".txt") ? " in data/ or the pack" : " in the pack");
  return false;
}

// The level file last applied: its bytes, where it came from, its line and the places looked at,
// for the same game and packs. The buffers keep their room from one read to the next.
struct HeldLevel {
  bool valid = false;
  const CAppCore* game = nullptr;
  const void* packs[3] = {};
  u8 usePacks = 0;
  std::string name, path, line;
  std::vector<Place> places;
  std::vector<unsigned char> bytes;
};

HeldLevel& Held() {
  static HeldLevel held;
  return held;
}

bool HeldFor(const HeldLevel& h, const char* name) {
  if (!h.valid || h.game != g_pGame || !g_pGame || h.name != name || h.usePacks != g_pGame->m_bUsePacks ||
      h.packs[0] != g_pGame->m_pCommonPack || h.packs[1] != g_pGame->m_pResolutionPack ||
      h.packs[2] != g_pGame->m_pOptionalPack)
    return false;
  for (const Place& p : h.places)
    if (!Unchanged(p)) return false;
  return true;
}

// A line said again only when it changed: a level starts again at every death.
void SayOnce(const std::string& line) {
  static std::string said;
  if (line == said) return;
  said = line;
  if (!line.empty()) fprintf(stderr, "sprocklet: %s\n", line.c_str());
}

void ApplyInt(const gameRectData& r, int word, int* field) { *field = r.Int(word); }

// A float word onto its field; a value that is not a finite number keeps the field's default.
void ApplyFloat(const gameRectData& r, int word, float* field) {
  float v = r.Float(word);
  if (std::isfinite(v))
    *field = v;
  else
    ++g_levelNonFiniteValues;
}

// Levels lie around 5000; a point a thousand levels away is no position (the physics turn such
// values into whole numbers), and keeps the default like a value that is not a number.
const float kFarOutside = 1.0e6f;

void ApplyPosition(const gameRectData& r, int word, float* field) {
  float v = r.Float(word);
  if (std::isfinite(v) && std::fabs(v) <= kFarOutside)
    *field = v;
  else
    ++g_levelNonFiniteValues;
}

// Start shifts beyond what the writer keeps are not applied.
int UsableShift(int shift) {
  return shift >= -LEVEL_MAX_START_SHIFT && shift <= LEVEL_MAX_START_SHIFT ? shift : 0;
}

} // namespace

void GameRectDataGet(gameRectData r, int slot) {
  if (slot < 0 || slot >= GAME_RECTS) return;
  if (r.Int(LW_TAG) != LEVEL_RECORD_TAG) return;
  gameRect& o = GameRects[slot];
  platformAnimation& m = o.move;
  ApplyInt(r, LW_TYPE, &o.type);
  ApplyInt(r, LW_UID, &o.uid);
  ApplyInt(r, LW_LAYER, &o.layer);
  ApplyPosition(r, LW_X, &o.x);
  ApplyPosition(r, LW_Y, &o.y);
  o.startX = o.pathX = o.x;
  o.startY = o.pathY = o.y;
  ApplyPosition(r, LW_X2, &o.x2);
  ApplyPosition(r, LW_Y2, &o.y2);
  ApplyInt(r, LW_FLIP_X, &o.flipX);
  ApplyInt(r, LW_FLIP_Y, &o.flipY);
  ApplyInt(r, LW_NO_COLLISION, &o.noCollision);
  ApplyInt(r, LW_ROTATED, &o.rotated);
  ApplyFloat(r, LW_FPS, &o.fps);
  ApplyInt(r, LW_MOVE_X_ORIENTATION, &m.moveXOrientation);
  ApplyInt(r, LW_MOVE_Y_ORIENTATION, &m.moveYOrientation);
  if (m.moveXOrientation == 0) m.moveXOrientation = 1;
  if (m.moveYOrientation == 0) m.moveYOrientation = 1;
  ApplyFloat(r, LW_CUSTOM_SIZE, &o.customSize);
  if (o.customSize < 0.1f) o.customSize = 1.0f;
  if (o.customSize > 5.0f) o.customSize = 5.0f;
  ApplyInt(r, LW_MOVE_X_RESPAWN, &m.moveXRespawn);
  ApplyInt(r, LW_MOVE_Y_RESPAWN, &m.moveYRespawn);
  ApplyInt(r, LW_DRAW_2POINT, &o.draw2Point);
  ApplyInt(r, LW_ALSO_MOVE_PLAYER, &o.alsoMovePlayer);
  ApplyInt(r, LW_TRIGGER, &m.trigger);
  ApplyInt(r, LW_TRIGGER_DISTANCE_X, &m.triggerDistanceX);
  ApplyInt(r, LW_TRIGGER_DISTANCE_Y, &m.triggerDistanceY);
  ApplyInt(r, LW_SIZE_EXTRA_X, &o.sizeExtraX);
  ApplyInt(r, LW_SIZE_EXTRA_Y, &o.sizeExtraY);
  ApplyInt(r, LW_PENDULUM, &m.pendulum);
  ApplyFloat(r, LW_PENDULUM_AMPLITUDE, &m.pendulumAmplitude);
  ApplyFloat(r, LW_BLOCK_ANGLE, &o.blockAngle);
  ApplyInt(r, LW_NO_ALPHA_BLENDING, &o.noAlphaBlending);
  ApplyInt(r, LW_AUTO_ROTATION, &o.autoRotation);
  ApplyInt(r, LW_BIND_UID, &o.bindUID);
  ApplyInt(r, LW_SPARE_VALUE, &o.spareValue);
  ApplyFloat(r, LW_MOVE_X_TIME, &m.moveXTime);
  ApplyFloat(r, LW_MOVE_X_PAUSE, &m.moveXPause);
  ApplyFloat(r, LW_MOVE_X_SPEED, &m.moveXSpeed);
  ApplyFloat(r, LW_MOVE_Y_TIME, &m.moveYTime);
  ApplyFloat(r, LW_MOVE_Y_PAUSE, &m.moveYPause);
  ApplyFloat(r, LW_MOVE_Y_SPEED, &m.moveYSpeed);
  ApplyFloat(r, LW_CIRCLING_PHASE, &m.circlingPhase);
  ApplyFloat(r, LW_CIRCLING_SPEED, &m.circlingSpeed);
  ApplyFloat(r, LW_CIRCLING_RADIUS, &m.circlingRadius);
  // The tint is kept alpha first, as the drawing hands it on.
  o.color[1] = Channel(r.Int(LW_COLOR_R));
  o.color[2] = Channel(r.Int(LW_COLOR_G));
  o.color[3] = Channel(r.Int(LW_COLOR_B));
  o.color[0] = Channel(r.Int(LW_COLOR_A));
  ApplyFloat(r, LW_CUSTOM1, &o.custom1);
  ApplyFloat(r, LW_CUSTOM2, &o.custom2);
  ApplyFloat(r, LW_CUSTOM3, &o.custom3);
  ApplyInt(r, LW_DRAW_MODE2, &o.drawMode2);
  ApplyInt(r, LW_INIT_SHIFT_X, &o.initShiftX);
  ApplyInt(r, LW_INIT_SHIFT_Y, &o.initShiftY);
  if (o.brick) o.noCollision = 0;
}

void GameRectDataSet(gameRectData& r, int slot) {
  memset(&r, 0, sizeof r);
  if (slot < 0 || slot >= GAME_RECTS) return;
  gameRect& o = GameRects[slot];
  const platformAnimation& m = o.move;
  r.SetInt(LW_TAG, LEVEL_RECORD_TAG);
  r.SetInt(LW_TYPE, o.type);
  r.SetInt(LW_UID, o.uid);
  r.SetInt(LW_LAYER, o.layer);
  r.SetFloat(LW_X, o.x);
  r.SetFloat(LW_Y, o.y);
  r.SetFloat(LW_X2, o.x2);
  r.SetFloat(LW_Y2, o.y2);
  r.SetInt(LW_FLIP_X, o.flipX);
  r.SetInt(LW_FLIP_Y, o.flipY);
  r.SetInt(LW_NO_COLLISION, o.noCollision);
  r.SetInt(LW_ROTATED, o.rotated);
  r.SetFloat(LW_FPS, o.fps);
  r.SetInt(LW_MOVE_X_ORIENTATION, m.moveXOrientation);
  r.SetInt(LW_MOVE_Y_ORIENTATION, m.moveYOrientation);
  r.SetFloat(LW_CUSTOM_SIZE, o.customSize);
  r.SetInt(LW_MOVE_X_RESPAWN, m.moveXRespawn);
  r.SetInt(LW_MOVE_Y_RESPAWN, m.moveYRespawn);
  r.SetInt(LW_DRAW_2POINT, o.draw2Point);
  r.SetInt(LW_ALSO_MOVE_PLAYER, o.alsoMovePlayer);
  r.SetInt(LW_TRIGGER, m.trigger);
  r.SetInt(LW_TRIGGER_DISTANCE_X, m.triggerDistanceX);
  r.SetInt(LW_TRIGGER_DISTANCE_Y, m.triggerDistanceY);
  r.SetInt(LW_SIZE_EXTRA_X, o.sizeExtraX);
  r.SetInt(LW_SIZE_EXTRA_Y, o.sizeExtraY);
  r.SetInt(LW_PENDULUM, m.pendulum);
  r.SetFloat(LW_PENDULUM_AMPLITUDE, m.pendulumAmplitude);
  r.SetFloat(LW_BLOCK_ANGLE, o.blockAngle);
  r.SetInt(LW_NO_ALPHA_BLENDING, o.noAlphaBlending);
  r.SetInt(LW_AUTO_ROTATION, o.autoRotation);
  r.SetInt(LW_BIND_UID, o.bindUID);
  r.SetInt(LW_SPARE_VALUE, o.spareValue);
  r.SetFloat(LW_MOVE_X_TIME, m.moveXTime);
  r.SetFloat(LW_MOVE_X_PAUSE, m.moveXPause);
  r.SetFloat(LW_MOVE_X_SPEED, m.moveXSpeed);
  r.SetFloat(LW_MOVE_Y_TIME, m.moveYTime);
  r.SetFloat(LW_MOVE_Y_PAUSE, m.moveYPause);
  r.SetFloat(LW_MOVE_Y_SPEED, m.moveYSpeed);
  r.SetFloat(LW_CIRCLING_PHASE, m.circlingPhase);
  r.SetFloat(LW_CIRCLING_SPEED, m.circlingSpeed);
  r.SetFloat(LW_CIRCLING_RADIUS, m.circlingRadius);
  r.SetInt(LW_COLOR_R, o.color[1]);
  r.SetInt(LW_COLOR_G, o.color[2]);
  r.SetInt(LW_COLOR_B, o.color[3]);
  r.SetInt(LW_COLOR_A, o.color[0]);
  r.SetFloat(LW_CUSTOM1, o.custom1);
  r.SetFloat(LW_CUSTOM2, o.custom2);
  r.SetFloat(LW_CUSTOM3, o.custom3);
  r.SetInt(LW_DRAW_MODE2, o.drawMode2);
  ClampLevelStartShift(&o.initShiftX, &o.initShiftY);
  r.SetInt(LW_INIT_SHIFT_X, o.initShiftX);
  r.SetInt(LW_INIT_SHIFT_Y, o.initShiftY);
}

int EditorLoad(const char* name) {
  if (!name) return 0;
  HeldLevel& h = Held();
  h.valid = false;
  CommonString path;
  std::string why, refused;
  if (!FindLevelFile(name, &h.bytes, &path, &why, &refused, &h.places)) {
    SayOnce(why);
    return 0;
  }
  // A developer's damaged copy gives way to the pack's level of that number.
  h.line = refused.empty() ? refused : refused + "; " + path.c_str() + " is played instead";
  SayOnce(h.line);
  if (!ApplyLevelFile(h.bytes.data(), h.bytes.size(), path.c_str())) return 0;
  h.name = name;
  h.path = path.c_str();
  h.game = g_pGame;
  h.usePacks = g_pGame ? g_pGame->m_bUsePacks : 0;
  h.packs[0] = g_pGame ? g_pGame->m_pCommonPack : nullptr;
  h.packs[1] = g_pGame ? g_pGame->m_pResolutionPack : nullptr;
  h.packs[2] = g_pGame ? g_pGame->m_pOptionalPack : nullptr;
  h.valid = true;
  return 1;
}

int EditorLoadAgain(const char* name) {
  if (!name) return 0;
  HeldLevel& h = Held();
  if (!HeldFor(h, name)) return EditorLoad(name);
  SayOnce(h.line);
  // Checked again like any read: the bytes are applied only through the same reader.
  return ApplyLevelFile(h.bytes.data(), h.bytes.size(), h.path.c_str());
}

void ForgetHeldLevel() { Held().valid = false; }

bool LevelFileReadable(int level, std::string* why) {
  char name[32];
  snprintf(name, sizeof name, g_finalRelease ? "level%i" : "level%i.txt", level);
  std::vector<unsigned char> data;
  CommonString path;
  std::string refused;
  return FindLevelFile(name, &data, &path, why, &refused);
}

int ApplyLevelFile(const unsigned char* data, size_t size, const char* path) {
  int count = 0;
  const char* why = "";
  if (!CheckLevelFile(data, size, &count, &why)) {
    fprintf(stderr, "sprocklet: level file %s is not used (%s); the level in memory is kept\n", path, why);
    return 0;
  }

  ClearGameRects();
  ClearSpikes();
  g_levelNonFiniteValues = 0;
  AddGameRect(0, 0, 1, true);
  g_levelCurrentData.levelBottom = 0;
  g_levelCurrentData.levelTop = 100000;
  int ignored = 0;
  for (int n = 0; n < count; ++n) {
    gameRectData r = LevelRecordAt(data, n);
    if (r.Int(LW_TYPE) == HERO_TYPE) continue;
    // The table holds 699 level objects; the rest of a longer file is not applied.
    if (rectID > GAME_RECTS - 1) {
      ++ignored;
      continue;
    }
    int slot = AddGameRect(11, 12, r.Int(LW_TYPE), true);
    GameRectDataGet(r, slot);
    gameRect& o = GameRects[slot];
    // A type the tables do not know keeps its slot and its words, but is nothing in play.
    if (o.type < 0 || o.type >= OBJECT_TYPES) {
      o.hidden = 1;
      o.noCollision = 1;
      o.collides = o.collidesWithHero = 0;
      o.frozen = 1;
    }
    o.UpdateCoordinates();
    o.UpdateParametersAfterLoad();
    float y = r.Float(LW_Y);
    if (std::isfinite(y)) {
      if (y > (float)g_levelCurrentData.levelBottom) g_levelCurrentData.levelBottom = TruncToInt(y);
      if (y < (float)g_levelCurrentData.levelTop) g_levelCurrentData.levelTop = TruncToInt(y);
    }
  }
  if (ignored)
    fprintf(stderr,
            "sprocklet: level file %s holds more objects than the level has room for; %d are left out\n",
            path, ignored);
  if (g_levelNonFiniteValues)
    fprintf(
        stderr,
        "sprocklet: level file %s: %d value%s not a finite number (or a position far outside any level) and "
        "keep%s the default\n",
        path, g_levelNonFiniteValues, g_levelNonFiniteValues == 1 ? " is" : "s are",
        g_levelNonFiniteValues == 1 ? "s" : "");

  // The start shift moves objects for play only; the editor sees the layout as stored.
  if (g_currentMode == 9)
    for (int i = 1; i < GAME_RECTS; ++i) {
      gameRect& o = GameRects[i];
      if (!o.active) continue;
      float sx = (float)UsableShift(o.initShiftX), sy = (float)UsableShift(o.initShiftY);
      o.x += sx;
      o.pathX += sx;
      o.x2 += sx;
      o.y += sy;
      o.pathY += sy;
      o.y2 += sy;
      o.UpdateCoordinates();
    }

  // Bindings look among the objects of this level only: inactive slots hold an earlier level's data.
  for (int i = 1; i < GAME_RECTS; ++i) {
    gameRect& o = GameRects[i];
    if (!o.active || o.bindUID <= 0) continue;
    for (int j = 1; j < GAME_RECTS; ++j) {
      const gameRect& p = GameRects[j];
      if (j == i || !p.active || p.uid != o.bindUID) continue;
      o.bindSlot = j;
      o.bindOffsetX = TruncToInt(o.x - p.x);
      o.bindOffsetY = TruncToInt(o.y - p.y);
    }
  }

  LevelHeaderAt(data, count, &g_levelCur);
  LoadBGSprites();
  return 1;
}

bool EditorSaveAsText(const char* name) {
  char path[300];
  if (!name || !GetFileFromDocuments(name, path)) {
    fprintf(stderr, "sprocklet: no level file name to save under\n");
    return false;
  }
  int count = 0;
  for (int i = 1; i < GAME_RECTS; ++i) {
    gameRect& o = GameRects[i];
    if (o.type == HERO_TYPE || !o.active) continue;
    if (!LevelRecordKept(o.x, o.y)) {
      o.active = 0;
      continue;
    }
    ++count;
  }
  std::vector<gameRectData> records;
  records.reserve((size_t)count);
  for (int i = 1; i < GAME_RECTS; ++i) {
    const gameRect& o = GameRects[i];
    if (!o.active || o.type == HERO_TYPE) continue;
    gameRectData r;
    GameRectDataSet(r, i);
    records.push_back(r);
  }
  std::vector<unsigned char> bytes = EncodeLevelFile(records, g_levelCur);
  // What is held may be this level as it was: the next start of any level reads its file.
  ForgetHeldLevel();
  return SaveGameFile(path, bytes.data(), bytes.size());
}

namespace {

const size_t kQuickSaveSize = sizeof GameRects + sizeof g_levelCurrentData;

} // namespace

void QSave() {
  char path[300];
  if (!GetFileFromDocuments("qsave.1", path)) return;
  g_levelCurrentData.quickSaved = 1;
  std::vector<unsigned char> image(kQuickSaveSize);
  memcpy(image.data(), GameRects, sizeof GameRects);
  memcpy(image.data() + sizeof GameRects, &g_levelCurrentData, sizeof g_levelCurrentData);
  SaveGameFile(path, image.data(), image.size());
}

void QLoad() {
  if (g_levelCurrentData.quickSaved != 1) return;
  char path[300];
  if (!GetFileFromDocuments("qsave.1", path)) return;
  // One byte more than the image tells a longer file from a whole one.
  std::vector<unsigned char> image;
  if (ReadGameFile(path, kQuickSaveSize + 1, &image) != GAME_FILE_READ) return;
  if (image.size() != kQuickSaveSize) {
    fprintf(stderr, "sprocklet: %s is not a quick save of this build; nothing is restored\n", path);
    return;
  }
  memcpy(GameRects, image.data(), sizeof GameRects);
  memcpy(&g_levelCurrentData, image.data() + sizeof GameRects, sizeof g_levelCurrentData);
}
