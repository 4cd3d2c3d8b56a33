// The object record's set-up and derived geometry, the object table and the operations that
// fill and step it.
#include "game_rect.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "level_data.h"
#include "sprite_tables.h"
#include "surface.h"

gameRect GameRects[GAME_RECTS];
int rectID = 0;
int UIDCounter = 0;
u8 debug_registerSprites[OBJECT_TYPES];

void platformAnimation::Reset() { memset(this, 0, sizeof *this); }

Surface* RectSprite(int type, int frame) {
  if (type < 0 || type >= RECTS_TYPES || frame < 0 || frame >= RECTS_FRAMES) return nullptr;
  return g_rects[type][frame];
}

Surface* CharacterSprite(int row, int frame) {
  if (row < 0 || row >= CHARACTER_ROWS || frame < 0 || frame >= CHARACTER_FRAMES) return nullptr;
  return g_character[row][frame];
}

void gameRect::Init(int slotIndex, int px, int py, int objectType, bool isFrozen) {
  active = 1;
  dead = 0;
  hidden = 0;
  slot = slotIndex;
  x = (float)px;
  y = (float)py;
  startX = pathX = x;
  startY = pathY = y;

  uid = UIDCounter++;
  frozen = isFrozen;
  type = objectType;
  vx = vy = 0;
  width = height = 100;
  auxX = auxY = 0;
  sizeExtraX = sizeExtraY = 0;
  gravity = 0;
  jumped = 0;
  jumpAllowance = 1;
  inputSpeed = followSpeed = kickX = impulseX = impulseY = 0;
  jumpHoldTimer = -1;
  framesInAir = 1000;
  collides = collidesWithHero = 0;
  scale = 1;
  rotated = 0;
  drawFlag = 0;
  noAlphaBlending = autoRotation = 0;
  blockAngle = 0;
  spareValue = 0;

  // Behaviour flags and values: every flag off, the counters at "never".
  autoJump = shrink = grow = fast = ice = teleporter = laser = water = monster = sand = sliding = 0;
  mushroom = secret = door = breakable = bird = bubble = trap = projectile = guns = ufo = brick = 0;
  falling = chainsaw = cannon = lethalCircle = conveyor = balloon = tilt = lethalBox = swarm = 0;
  oneShotAnimation = 0;
  conveyorCounter = waterCounter = sandCounter = -1000;
  behaviourRate = 0;
  updateCounter = 0;
  small = 0;
  behaviourTimer = holdTimer = breakTimer = breakAge = 0;
  rest = 0;
  slideSpeed = 0;
  beltSpeed = 0;
  zoneWidth = zoneDepth = 0;
  birdState = 0;
  fireTimer = fireInterval = 0;
  speed = turnRate = 0;
  trapTime = 0;
  trapState = monsterState = holdState = bubbleState = 0;
  radius = 0;
  electric = fire = rotatingPart = 0;
  additive = 0;
  marginX = marginY = 0;
  bladeLength = 0;
  inBubble = 0;
  inSaucer = 0;
  saucerSlot = 0;
  balloonBounce = 0;
  onIce = conveyorContact = 0;
  collisionPending = fastForward = magnet = outOfPlay = 0;
  noTint = editorSelected = noBlackEdges = 0;

  slowX = shieldX = x;
  slowY = shieldY = y;
  alsoMovePlayer = 1;
  floatTimer = -1;
  flipGravityOnJump = 0;
  draw2Point = drawMode2 = 0;
  customSize = 1;
  noCollision = 0;
  dirX = dirY = 1;
  frameCount = 1;
  fps = 10;
  frame = 0;
  layer = 10;
  age = 0;
  lifetime = 1e9f;
  levelFinished = levelEndStarted = 0;
  finishTime = -1;
  touched = 0;
  attached = 0;
  attachedSlot = 0;
  firstFrame = 0;
  custom1 = custom2 = custom3 = 0;
  notWall = 0;
  flipX = flipY = 0;
  for (int& c : color)
    c = 255;
  boostTimer = -10;
  stepTimer = 0;
  deathKind = 0;
  bindUID = bindSlot = 0;
  specialCooldown = -1;
  teleporting = 0;
  shield = 0;
  shieldTimer = -1;
  timeSlow = 0;
  initShiftX = initShiftY = 0;

  SetupSprites();
  // A two-point object starts spanning its default size rather than a previous occupant's points.
  if (draw2Point) {
    x2 = x + width;
    y2 = y + height;
  }

  spawnTime = 0;
  touchCounter = -1000;
  contactCeiling = contactFloor = contactSide = contactWall = contactWallLevel = -1000;
  airTime = 0;
  screamPlayed = 0;

  UpdateCoordinates();

  baseWidth = width;
  baseHeight = height;
  mushroomTimer = -1;
  move.Reset();
  moveState.Reset();
}

void gameRect::UpdateCoordinates() {
  float left, top, right, bottom;
  if (!draw2Point) {
    float w = rotated ? height : width, h = rotated ? width : height;
    x2 = x + w * customSize;
    y2 = y + h * customSize;
    centerX = x + w / 2 * customSize;
    centerY = y + h / 2 * customSize;
    left = x, top = y, right = x2, bottom = y2;
  } else {
    // Two points: it spans them and nothing collides with it.
    noCollision = 1;
    centerX = (x + x2) / 2;
    centerY = (y + y2) / 2;
    // Whole pixels, as an int would give them, without the int: the points may drift far apart.
    width = std::fabs(std::trunc(x - x2));
    height = std::fabs(std::trunc(y - y2));
    left = std::fmin(x, x2), right = std::fmax(x, x2);
    top = std::fmin(y, y2), bottom = std::fmax(y, y2);
  }
  int ex = rotated ? sizeExtraY : sizeExtraX, ey = rotated ? sizeExtraX : sizeExtraY;
  box.Set(left - ex / 2, top - ey / 2, right + ex / 2, bottom + ey / 2);
}

void ClearGameRects() {
  rectID = 0;
  for (gameRect& r : GameRects)
    r.active = 0;
}

int AddGameRect(int x, int y, int type, bool frozen) {
  if (rectID > GAME_RECTS - 1) return GAME_RECTS - 1;
  int slot = rectID++;
  GameRects[slot].Init(slot, x, y, type, frozen);
  return slot;
}

int AddGameRectInGame(int x, int y, int type, bool frozen) {
  for (int i = 0; i < GAME_RECTS; ++i)
    if (!GameRects[i].active) {
      GameRects[i].Init(i, x, y, type, frozen);
      return i;
    }
  return -1;
}

void ProcessAllRects(float dt) {
  if (g_paused) return;
  gameRect& hero = GameRects[0];
  if (hero.timeSlow) dt *= 0.7f;
  for (int i = 1; i < GAME_RECTS; ++i)
    if (GameRects[i].active) GameRects[i].Process(dt);
  // The hero in six sub-steps keeps its collisions with thin platforms stable.
  for (int i = 0; i < 6 && hero.active; ++i)
    hero.Process(dt / 6);
}

void OutRegisterSprites() {
  for (int t = 0; t < OBJECT_TYPES; ++t)
    if (debug_registerSprites[t]) printf("sprite %i\n", t);
}
