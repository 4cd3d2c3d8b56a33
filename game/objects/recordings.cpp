// Ghost recordings and demo replays.
#include "recordings.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "byte_order.h"
#include "game_files.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "level_data.h"
#include "progress_files.h"
#include "resources.h"
#include "sprite_tables.h"

recording Recordings[2];
int currentTime = 0;
bool shadowRecordingLoaded = false;
bool g_playingRecording = false;
int currentRecording = 0;
int skipRec = 0;

namespace {

// Slot 699 holds the ghost we placed there, under this uid (a level object there keeps its slot).
bool ghostInSlot = false;
int ghostUid = -1;
unsigned char fileBytes[RECORDING_FILE_MAX];
// The level and character whose ghost file LoadShadowRecording last looked for, and whether slot 1
// holds it; level -1 when none.
int ghostReadLevel = -1, ghostReadCharacter = -1;
bool ghostReadOk = false;

s32 GetWord(const unsigned char* p) { return (s32)ReadLe32(p); }
float GetFloat(const unsigned char* p) {
  u32 w = ReadLe32(p);
  float f;
  memcpy(&f, &w, 4);
  return f;
}
void PutWord(unsigned char* p, s32 v) { WriteLe32(p, (u32)v); }
void PutFloat(unsigned char* p, float f) {
  u32 w;
  memcpy(&w, &f, 4);
  WriteLe32(p, w);
}

// A frame index that lies inside the arrays.
bool InFrames(int k) { return k >= 0 && k < RECORDING_FRAMES; }

// The frame's position, speed and flight onto an object (its coordinates are the caller's).
void ApplyMotion(gameRect& o, const recording& r, int k) {
  o.x = r.x[k];
  o.y = r.y[k];
  o.vx = r.vx[k];
  o.vy = r.vy[k];
  o.inAir = r.flying[k];
}

// The frame's fields onto an object.
void ApplyFrame(gameRect& o, const recording& r, int k) {
  ApplyMotion(o, r, k);
  o.animation = r.animation[k];
  o.frame = r.frame[k];
  o.dirX = r.dirX[k];
  o.dirY = r.dirY[k];
  o.spin = r.spin[k];
  o.spinFloor = r.spinFloor[k];
  o.spinDirection = (float)r.spinTarget[k];
  o.layer = r.layer[k];
  o.UpdateCoordinates();
}

char stopReason[120];

// What in a frame's 49 bytes the hero can never have had, or null. The animation picks a row of the
// character table, the directions flip the sprite, the spin target turns it (whole degrees), the
// layer orders the drawing.
const char* FrameFault(const unsigned char* p) {
  for (int at : {0, 4, 8, 12, 21, 33, 37})
    if (!std::isfinite(GetFloat(p + at))) return "holds a value that is not a number";
  if (p[16] > 1) return "has a flying flag other than 0 or 1";
  s32 animation = GetWord(p + 17);
  if (animation < 0 || animation >= CHARACTER_ROWS) return "has an animation outside the character's rows";
  for (int at : {25, 29})
    if (GetWord(p + at) < -1 || GetWord(p + at) > 1) return "has a direction other than -1, 0 or 1";
  if (GetWord(p + 41) < -360 || GetWord(p + 41) > 360) return "has a spin target beyond one turn";
  if (GetWord(p + 45) < 0 || GetWord(p + 45) > RECORDING_LAYER_MAX) return "has a layer the hero never takes";
  return nullptr;
}

} // namespace

void RecordingFileName(int level, int character, char* out, size_t size) {
  snprintf(out, size, "record%i--%i.r", level, character);
}

void recording::Record(float px, float py, float pvx, float pvy, bool fl, int anim, float fr, int dx,
                       int dy) {
  int k = g_levelCurrentData.frames;
  if (k > RECORDING_FRAMES - 1) k = RECORDING_FRAMES - 1;
  if (k < 0) k = 0;
  const gameRect& hero = GameRects[0];
  length = k;
  x[k] = px;
  y[k] = py;
  vx[k] = pvx;
  vy[k] = pvy;
  flying[k] = fl;
  animation[k] = anim;
  frame[k] = fr;
  dirX[k] = dx;
  dirY[k] = dy;
  spin[k] = hero.spin;
  spinFloor[k] = hero.spinFloor;
  spinTarget[k] = (int)hero.spinDirection;
  layer[k] = hero.layer;
  cursor = k + 1;
}

bool ParseRecording(const unsigned char* data, size_t size, recording& rec, const char** why) {
  if (size < 4) {
    *why = "shorter than its frame count";
    return false;
  }
  s32 n = GetWord(data);
  if (n < 0) {
    *why = "a negative frame count";
    return false;
  }
  size_t frames = (size - 4) / RECORDING_FRAME_BYTES;
  if ((size_t)n < frames) frames = (size_t)n;
  if (frames > RECORDING_FRAMES) frames = RECORDING_FRAMES;
  for (size_t k = 0; k < frames; ++k) {
    const unsigned char* p = data + 4 + RECORDING_FRAME_BYTES * k;
    // A frame holding what the hero never has ends the run there: the ghost stops where it went bad.
    const char* bad = FrameFault(p);
    if (bad) {
      snprintf(stopReason, sizeof stopReason, "frame %d %s", (int)k, bad);
      *why = stopReason;
      frames = k;
      break;
    }
    rec.x[k] = GetFloat(p);
    rec.y[k] = GetFloat(p + 4);
    rec.vx[k] = GetFloat(p + 8);
    rec.vy[k] = GetFloat(p + 12);
    rec.flying[k] = p[16];
    rec.animation[k] = GetWord(p + 17);
    rec.frame[k] = GetFloat(p + 21);
    rec.dirX[k] = GetWord(p + 25);
    rec.dirY[k] = GetWord(p + 29);
    rec.spin[k] = GetFloat(p + 33);
    rec.spinFloor[k] = GetFloat(p + 37);
    rec.spinTarget[k] = GetWord(p + 41);
    rec.layer[k] = GetWord(p + 45);
  }
  rec.length = (int)frames;
  rec.loaded = 1;
  return true;
}

void UpdateCurrentRecording(float x, float y, float vx, float vy, int flying, int animation, float frame,
                            int dirX, int dirY) {
  if (GameRects[0].dead) return;
  if (g_playingRecording) {
    PlayRecording();
    return;
  }
  Recordings[0].Record(x, y, vx, vy, flying != 0, animation, frame, dirX, dirY);
}

void RecordingsReset() {
  currentTime = 0;
  Recordings[0].cursor = 0;
}

void SaveRecording() {
  const recording& r = Recordings[0];
  int n = r.length < 0 ? 0 : r.length > RECORDING_FRAMES ? RECORDING_FRAMES : r.length;
  PutWord(fileBytes, n);
  for (int k = 0; k < n; ++k) {
    unsigned char* p = fileBytes + 4 + RECORDING_FRAME_BYTES * k;
    PutFloat(p, r.x[k]);
    PutFloat(p + 4, r.y[k]);
    PutFloat(p + 8, r.vx[k]);
    PutFloat(p + 12, r.vy[k]);
    p[16] = r.flying[k];
    PutWord(p + 17, r.animation[k]);
    PutFloat(p + 21, r.frame[k]);
    PutWord(p + 25, r.dirX[k]);
    PutWord(p + 29, r.dirY[k]);
    PutFloat(p + 33, r.spin[k]);
    PutFloat(p + 37, r.spinFloor[k]);
    PutWord(p + 41, r.spinTarget[k]);
    PutWord(p + 45, r.layer[k]);
  }
  char name[64], path[300];
  RecordingFileName(g_levelSelected, g_characterID, name, sizeof name);
  if (!GetFileFromDocuments(name, path)) {
    SayNotSaved(name, ENAMETOOLONG);
    return;
  }
  ghostReadLevel = -1;
  SaveGameFile(path, fileBytes, 4 + (size_t)RECORDING_FRAME_BYTES * n);
}

int LoadRecording(int slot, bool demo) {
  if (slot < 0 || slot > 1) return 0;
  char name[64], path[300];
  if (demo) {
    snprintf(name, sizeof name, "record%i", g_levelSelected);
    CommonString found = pathForResource(name, "txt");
    if (found.IsEmpty()) return 0;
    snprintf(path, sizeof path, "%s", found.c_str());
  } else {
    RecordingFileName(g_levelSelected, g_characterID, name, sizeof name);
    if (!GetFileFromDocuments(name, path)) return 0;
  }
  // Past the longest run the format holds a file tells nothing more: reading stops there.
  std::vector<unsigned char> bytes;
  if (!ReadGameOrPackFile(path, RECORDING_FILE_MAX, &bytes)) return 0;
  const char* why = "";
  if (!ParseRecording(bytes.data(), bytes.size(), Recordings[slot], &why)) {
    fprintf(stderr, "sprocklet: the run %s is not used (%s)\n", name, why);
    return 0;
  }
  if (*why) fprintf(stderr, "sprocklet: the run %s ends early: %s\n", name, why);
  return 1;
}

namespace {

void ArmShadowRecording() {
  shadowRecordingLoaded = true;
  GameRects[GHOST_SLOT].spawnTime = 1.0f;
  Recordings[1].cursor = 0;
  // For whoever watches a headless run.
  printf("sprocklet: ghost of level %d for character %d with %d frames\n", g_levelSelected, g_characterID,
         Recordings[1].length);
}

} // namespace

void LoadShadowRecording() {
  shadowRecordingLoaded = false;
  ghostInSlot = false;
  // A level that fills the table up to the ghost's slot keeps its object: no ghost then.
  if (!g_ghostMode || GameRects[GHOST_SLOT].active) return;
  ghostReadLevel = g_levelSelected;
  ghostReadCharacter = g_characterID;
  ghostReadOk = LoadRecording(1, false) != 0;
  if (ghostReadOk) ArmShadowRecording();
}

void ShadowRecordingAgain() {
  if (ghostReadLevel != g_levelSelected || ghostReadCharacter != g_characterID) {
    LoadShadowRecording();
    return;
  }
  shadowRecordingLoaded = false;
  ghostInSlot = false;
  if (!g_ghostMode || GameRects[GHOST_SLOT].active) return;
  if (ghostReadOk) ArmShadowRecording();
}

void PlayShadowRecording() {
  if (!shadowRecordingLoaded) return;
  gameRect& ghost = GameRects[GHOST_SLOT];
  int k = g_levelCurrentData.frames;
  // Only the frames read are played: the ghost goes when they run out.
  bool taken = ghost.active && (!ghostInSlot || ghost.uid != ghostUid);
  if (k >= Recordings[1].length || k < 0 || taken) {
    if (ghostInSlot && !taken) ghost.active = 0;
    ghostInSlot = false;
    shadowRecordingLoaded = false;
    return;
  }
  if (!ghost.active) {
    const gameRect& hero = GameRects[0];
    ghost.Init(GHOST_SLOT, (int)hero.x, (int)hero.y, HERO_TYPE, false);
    ghost.color[0] = 95;
    ghost.color[1] = ghost.color[2] = ghost.color[3] = 5;
    ghost.layer = 4;
    ghost.collides = 0;
    ghost.noCollision = 1;
    ghostInSlot = true;
    ghostUid = ghost.uid;
  }
  ghost.active = 1;
  ApplyFrame(ghost, Recordings[1], k);
}

int RecordingsPlayReplay() {
  g_levelCurrentData.Reset();
  GameRects[0].spawnTime = 1.0f;
  int ok = g_finalRelease ? LoadRecording(0, true) : LoadRecording(0, false);
  if (ok) {
    currentTime = 0;
    Recordings[0].cursor = 0;
  }
  g_playingRecording = ok != 0;
  return ok;
}

void PlayRecording() {
  currentTime = g_levelCurrentData.frames;
  recording& r = Recordings[0];
  if (currentTime >= r.length || currentTime < 0) {
    g_playingRecording = false;
    return;
  }
  int k = currentTime;
  if (g_currentMode == 0 && currentTime > 5710) {
    RespawnCharacter(false);
    GameRects[0].spawnTime = 2.0f;
    g_levelCurrentData.frames = 0;
  }
  if (g_currentMode == 16 && currentTime > 4874) g_playingRecording = false;
  gameRect& hero = GameRects[0];
  hero.active = 1;
  ApplyFrame(hero, r, k);
}

void RewindRecording() {
  if (currentRecording < 0 || currentRecording > 1) return;
  recording& r = Recordings[currentRecording];
  --r.cursor;
  --skipRec;
  if (r.cursor < 0) {
    r.cursor = 0;
    g_playingRecording = false;
    return;
  }
  // A cursor past the arrays (never recorded so far) has no frame to show.
  if (!InFrames(r.cursor)) return;
  gameRect& hero = GameRects[0];
  hero.active = 1;
  ApplyMotion(hero, r, r.cursor);
  hero.UpdateCoordinates();
}

void UpdateCurrentRenderingRecordings() {
  for (int s = 0; s < 2; ++s) {
    const recording& r = Recordings[s];
    if (!r.loaded || r.length <= currentTime || !InFrames(currentTime)) continue;
    gameRect& o = GameRects[GHOST_SLOT - s];
    o.active = 1;
    ApplyMotion(o, r, currentTime);
    o.UpdateCoordinates();
  }
  ++currentTime;
}

void NextRecording() {}
