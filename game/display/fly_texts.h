// Floating texts: short texts that pop up, wobble sideways, rise and fade, from a pool of 24.
#pragma once

class Display;

enum { FLY_TEXTS = 24, FLY_TEXT_LENGTH = 30 };

class flyingtext {
public:
  void Init(int x, int y, int vx, int vy, const char* text, int type);
  void Process(float dt);
  void Draw(Display* display);

  unsigned char active;
  char text[FLY_TEXT_LENGTH + 1];
  float x, y; // screen coordinates for types 0 and 4, level coordinates for 1-3
  float vx, vy;
  float unused1, unused2;
  float wobbleX, wobbleY;
  float alpha; // dies below 32
  float phase;
  float time;
  int type;
  float scale;
  float scaleSpeed;
  float scaleDirection;
  float letterTracking;
};

extern flyingtext FlyText[FLY_TEXTS];
// Alpha lost per second.
extern int fadeSpeed;

// Dropped silently when all 24 are busy; texts are cut to 30 characters.
void AddFlyText(int x, int y, int vx, int vy, const char* text, int type);
void ProcessFlyTexts(float dt);
void DrawFlyTexts(Display* display);
void ClearFlyTexts();
