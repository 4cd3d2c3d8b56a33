// Ghost recordings and demo replays: every level frame samples the hero; a new best run is saved
// as the ghost file "record<level>--<character>.r" and replayed beside the hero next time; demo
// runs from the pack drive the hero behind the menus.
#pragma once

#include <cstddef>

#include "quellar_types.h"

enum {
  RECORDING_FRAMES = 7200,
  RECORDING_FRAME_BYTES = 49,
  RECORDING_FILE_MAX = 4 + RECORDING_FRAME_BYTES * RECORDING_FRAMES,
  GHOST_SLOT = 699,
  // The dead hero is drawn on top of everything at this layer.
  RECORDING_LAYER_MAX = 10000,
};

struct recording {
  int cursor; // the next frame to record
  float x[RECORDING_FRAMES];
  float y[RECORDING_FRAMES];
  float vx[RECORDING_FRAMES];
  float vy[RECORDING_FRAMES];
  u8 flying[RECORDING_FRAMES];
  int animation[RECORDING_FRAMES];
  float frame[RECORDING_FRAMES];
  int dirX[RECORDING_FRAMES];
  int dirY[RECORDING_FRAMES];
  float spin[RECORDING_FRAMES];
  float spinFloor[RECORDING_FRAMES];
  int spinTarget[RECORDING_FRAMES];
  int layer[RECORDING_FRAMES];
  int length; // the last recorded index, or the frames read
  u8 loaded;

  void Record(float x, float y, float vx, float vy, bool flying, int animation, float frame, int dirX,
              int dirY);
};

// 0: the run being recorded or the demo being played; 1: the loaded ghost.
extern recording Recordings[2];
extern int currentTime;
extern bool shadowRecordingLoaded;
extern bool g_playingRecording;
// The slot RewindRecording steps back through, and how many frames it has stepped back.
extern int currentRecording;
extern int skipRec;

// The ghost file's name for a level and character: "record12--3.r".
void RecordingFileName(int level, int character, char* out, size_t size);
// Reads a ghost or demo file's bytes into rec: N (refused when negative), then up to N frames of 49
// bytes, at most 7,200, no further than the bytes hold and up to the first frame holding what the hero
// never has (a number that is not finite, an animation outside the character's rows, a direction other
// than -1, 0 or 1, a spin target beyond a turn, a layer outside 0..10000, a flying flag other than 0
// or 1), which sets why; length = the frames read. False (rec unchanged, why set) when refused.
bool ParseRecording(const unsigned char* data, size_t size, recording& rec, const char** why);

void UpdateCurrentRecording(float x, float y, float vx, float vy, int flying, int animation, float frame,
                            int dirX, int dirY);
void RecordingsReset();
// Slot 0 as the ghost of g_levelSelected and g_characterID, replacing the file atomically.
void SaveRecording();
int LoadRecording(int slot, bool demo);
void LoadShadowRecording();
// LoadShadowRecording for the level starting again after a death: the ghost last read for this
// level and character plays again from its start without a read (a new best run is saved only at
// the level's end, which starts the level anew).
void ShadowRecordingAgain();
void PlayShadowRecording();
int RecordingsPlayReplay();
void PlayRecording();
// Nothing in the game's flow calls these three.
// One frame back through slot currentRecording onto the hero; before the first frame the cursor
// stays at 0 and a playing demo ends.
void RewindRecording();
// Every loaded slot that still has a frame at currentTime onto object slot 699 (slot 0) or 698
// (slot 1), then currentTime moves on.
void UpdateCurrentRenderingRecordings();
void NextRecording();
