// The in-level game mode (id 9) and its frame: input, timer, objects, draw order, effects, HUD,
// pause panel, the easing camera and the run recording.
#pragma once

#include "game_modes.h"

// A small spring value; only constructed and released.
struct Bouncer {
  u8 flag = 0;
  int value = 0;
  float position = 0;
  float target;
  float speed = 0;
  float velocity = 0;
  float scale = 1.0f;
};

class questGame : public gamemode {
public:
  ~questGame() override;
  void InitMode() override;
  void DeInitMode() override;
  void Draw(float dt) override;
  void StylusDown(myPoint* points, int count) override;
  void StylusUp(myPoint* points, int count) override;
  void StylusMove(myPoint* points, int count) override;
  void KeyboardEvent(int key, int state) override;
  void StylusHover(myPoint* points, int count) override;

  void* owned = nullptr;
  Bouncer bouncers[2];
  int counter = 0;
  int spare = 0;
  int touchesBegunHere = 0; // fingers down now that touched down in play
};

// The frame's effect animators and pause panel, given the real step even while play is paused:
// ProcessEffectAnimators and DrawPausePanel unless a test has put its own here.
extern void (*g_questAnimatorsHook)(float dt);
extern void (*g_questPausePanelHook)(float dt);

// Camera far off, the level start, and a start point of 0 read as 5000.
void InitQuest();
// One level frame; noHud shows the level behind a menu (no HUD, buttons or particles, a slower
// camera).
void DrawQuestMode(float dt, bool noHud);
// The top-right corner.
bool PtInMobile(int x, int y);
// The camera step of one frame (shifts truncated to whole pixels).
void UpdateQuestCamera(float step, bool noHud);
