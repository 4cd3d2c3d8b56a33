// The level object record gameRect (every platform, hazard, pickup, door and the hero), its
// movement-path record, the object table GameRects and the operations on whole levels of objects.
#pragma once

#include "geometry.h"
#include "quellar_types.h"

class Surface;

enum {
  GAME_RECTS = 700,
  // The hero's type; slot 0 always holds the hero.
  HERO_TYPE = 199,
  OBJECT_TYPES = 800,
  HERO_ANIM_ROWS = 45,
  SWARM_MEMBERS = 20,
};

// Movement parameters of an object (from the level file) or their run-time state. 22 words.
struct platformAnimation {
  int trigger;
  int triggerDistanceX;
  int triggerDistanceY;
  int triggered;
  float moveXTime;
  float moveXSpeed;
  float moveXPause;
  int moveXOrientation;
  int moveXRespawn;
  float moveYTime;
  float moveYSpeed;
  float moveYPause;
  int moveYOrientation;
  int moveYRespawn;
  int reserved1[2];
  float circlingPhase;
  float circlingSpeed;
  float circlingRadius;
  int reserved2;
  int pendulum;
  float pendulumAmplitude;

  void Reset();
};

// Plain record: no base, no virtual operations, all state public; Init gives every field its value.
class gameRect {
public:
  gameRect() {}

  void Init(int slot, int x, int y, int type, bool frozen);
  // The per-type defaults; for the hero type, the hero of g_characterID.
  void SetupSprites();

  // --- frame update and collisions ---
  void Process(float dt);
  void UpdateCoordinates();
  void Collide(float dt);
  void onPlatformHit(bool top, bool bottom, bool left, bool right);

  // --- the hero ---
  void ProcessCharacter(float dt);
  void Jump();
  void PerformSpecial();
  bool CustomJump();
  void Die();

  // --- animation ends and movement paths ---
  void SwitchAnimation(int row);
  void OnEndAnimation();
  void BlockEndAnimation();
  void ProcessAnimation(float dt);

  // --- behaviours ---
  void ProcessCustom(float dt);

  // --- drawing ---
  void Draw();
  // Wholly off screen.
  bool isRejectDraw();
  void DrawPaint() {}
  // Per-type values derived from the level file's custom values.
  void UpdateParametersAfterLoad();
  // Per-type extras drawn before the sprite, and after it.
  void CustomDrawPre();
  void CustomDraw();

  // Identity and state
  int uid;
  u8 active;
  u8 dead;
  u8 hidden;

  // Geometry
  float x, y;
  float x2, y2;
  float vx, vy;
  float prevX, prevY;
  float startX, startY;
  float pathX, pathY;
  float baseWidth, baseHeight;
  float centerX, centerY;
  float width, height;
  float auxX, auxY;
  int sizeExtraX, sizeExtraY;
  int slot;
  myRect box;

  // Physics
  u8 frozen;
  float gravity;
  u8 jumped;
  int jumpAllowance;
  float inputSpeed;
  float followSpeed;
  float kickX;
  float impulseX, impulseY;
  u8 steerable;
  float jumpHoldTimer;
  u8 inAir;
  int framesInAir;
  int type;
  int wallSide;
  int sinceContact;
  u8 collides;
  u8 collidesWithHero;

  // Drawing parameters
  float scale;
  int rotated;
  u8 drawFlag;
  int noAlphaBlending;
  int autoRotation;
  float blockAngle;
  int spareValue;

  // Behaviour flags, with the behaviour values interleaved
  u8 autoJump;
  u8 shrink;
  u8 grow;
  u8 fast;
  u8 ice;
  u8 teleporter;
  u8 laser;
  u8 water;
  int conveyorCounter; // a conveyor touched within the last N updates: above -N
  int waterCounter;
  int sandCounter;
  u8 monster;
  u8 sand;
  u8 sliding;
  u8 mushroom;
  u8 secret;
  u8 door;
  u8 breakable;
  u8 bird;
  u8 bubble;
  u8 trap;
  u8 projectile;
  u8 guns;
  u8 ufo;
  u8 brick;
  u8 falling;
  u8 chainsaw;
  u8 cannon;
  u8 lethalCircle;
  u8 conveyor;
  u8 balloon;
  u8 tilt;
  u8 lethalBox;
  u8 swarm;
  float behaviourRate; // derived from custom2 after loading
  int updateCounter;
  u8 small; // the hero went through a shrink portal
  float behaviourTimer;
  float holdTimer;
  float breakTimer;
  float breakAge;
  u8 rest;
  float slideSpeed;
  int beltSpeed;
  float zoneWidth;
  float zoneDepth;
  int birdState;
  float fireTimer;
  float fireInterval;
  float speed;    // projectiles and monsters, px/s
  float turnRate; // projectiles and monsters
  float trapTime;
  int trapState;
  int monsterState;
  int holdState;   // a carrier of the hero (flying saucer): 2 once it lets go
  int bubbleState; // bubbles and balloons
  int radius;      // a squared reach in px^2 (pickups, door, hazards, projectile blast)
  u8 electric;     // lethal circles: death kind 1
  u8 fire;         // death kind 2
  u8 rotatingPart; // a turning piece drawn over the sprite
  int additive;    // drawn in additive mode
  int marginX, marginY;
  float bladeLength;
  int inBubble; // the hero floats in a bubble
  u8 inSaucer;  // the hero rides a flying saucer
  int saucerSlot;
  float balloonBounce;
  int onIce;
  int conveyorContact;
  u8 collisionPending;
  u8 fastForward; // the level end runs fast
  u8 magnet;      // mushrooms drift to the hero
  u8 outOfPlay;   // dead, or inside the exit door
  u8 noTint;
  u8 editorSelected;
  u8 noBlackEdges;
  int specialValue;

  // Contacts and movement companions
  float slowX, slowY;
  int slowDir;
  float shieldX, shieldY;
  int shieldDir;
  int alsoMovePlayer;
  int contactCeiling;
  int contactFloor;
  int contactSide;
  int contactWall;
  int contactWallLevel;
  int counter6;
  float floatTimer;
  u8 flipGravityOnJump;
  int draw2Point;
  int drawMode2;
  float customSize;
  int noCollision;
  int dirX;
  int dirY;

  // Object animation
  int frameCount;
  float fps;

  // Hero and object timers
  float spin, spinFloor, spinDirection;
  int layer;
  float age;
  float lifetime;
  u8 levelFinished;
  u8 levelEndStarted;
  float finishTime;
  float mushroomTimer;
  int touchCounter;
  u8 touched;
  u8 attached;
  int attachedSlot;
  u8 oneShotAnimation;
  int firstFrame;
  float custom1, custom2, custom3;
  int notWall;
  int flipX, flipY;
  int color[4]; // tint: alpha, red, green, blue
  float frame;
  int animation;
  int animationOverride;
  // Per hero row; a swarm keeps its members' x and y offsets in the first 20 of each.
  float animFps[HERO_ANIM_ROWS];
  float animLength[HERO_ANIM_ROWS];
  float boostTimer;
  float stepTimer;
  int characterId;
  u8 noIdle;
  int idleCount;
  u8 speedAnimation;
  u8 jumpFlag;
  u8 noSteer;
  int deathKind;
  int bindUID;
  int bindSlot;
  int bindOffsetX, bindOffsetY;
  u8 hasSpecial;
  float specialCooldown;
  float specialCooldownMax;
  u8 teleporting;
  float teleportX, teleportY;
  float spawnTime;
  u8 shield;
  float shieldTimer;
  u8 timeSlow;
  float airTime;
  u8 screamPlayed;
  float heroScale;
  float runFactor;
  u8 drawFlagHero;
  u8 flyAnimation;
  int airPoseCount;
  int pose;
  int initShiftX, initShiftY;
  platformAnimation move;
  platformAnimation moveState;
};

extern gameRect GameRects[GAME_RECTS];
// Next slot AddGameRect fills while a level loads.
extern int rectID;
// Next uid; never reset while the program runs.
extern int UIDCounter;
// Types drawn in level 0, for the developer's sprite list.
extern u8 debug_registerSprites[OBJECT_TYPES];

// The sprite tables' entries, or null outside the tables: every look-up by a type, row or frame
// that a file or a clock can push out of range goes through these.
Surface* RectSprite(int type, int frame);
Surface* CharacterSprite(int row, int frame);

// --- the object list ---
void ClearGameRects();
// Init in slot rectID, which then moves on; past the table nothing is added and 699 returned.
int AddGameRect(int x, int y, int type, bool frozen);
// Init in the first free slot; -1 (nothing added) when all are in use.
int AddGameRectInGame(int x, int y, int type, bool frozen);
// Level objects once, then the hero six times at a sixth of the step; nothing while paused.
void ProcessAllRects(float dt);
void OutRegisterSprites();

// (Re)starts the current level. Once the hero has died it starts again from what the level's start
// read (the level file, unless it changed on disk since, and the ghost), allocating nothing.
void RespawnCharacter(bool keepSprites);
// The next RespawnCharacter is a level start, whatever state the hero was left in: the level file
// and the ghost are read. A mode that starts a level says so first.
void StartLevelAnew();
