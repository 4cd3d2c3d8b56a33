// The level file on the object table: save and load keep every stored word, the reading rules and
// their corrections, the start shift and the binding, the writer's rules, atomic saves, damaged files
// that change nothing, and the quick save.
#include <cmath>
#include <limits>

#include "level_fixture.h"
#include "spikes.h"

namespace {

const int kAll = kLaidOut;

const int kDefinedWords[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17,
                             18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 32, 33, 34, 36, 37, 38,
                             39, 40, 41, 43, 45, 46, 47, 48, 49, 50, 51, 52, 53, 61, 62, 63};

TEST_F(LevelTest, SaveThenLoadKeepsEveryStoredWordInSlotOrder) {
  g_currentMode = 10; // no start shift, so the positions come back as stored
  ClearGameRects();
  AddGameRect(0, 0, HERO_TYPE, false);
  const int types[] = {1, 15, 57, 58, 22, 183, 420, 651};
  std::vector<gameRectData> saved;
  for (int i = 0; i < 8; ++i) {
    int slot = AddGameRect(5000 + 100 * i, 5200 - 10 * i, types[i], true);
    gameRect& o = GameRects[slot];
    // Every stored field off its default, each with its own value.
    o.layer = 3 + i;
    o.x2 = o.x + 33.5f;
    o.y2 = o.y + 17.25f;
    o.flipX = i % 2;
    o.flipY = 1 - i % 2;
    o.noCollision = types[i] == 15 ? 0 : i % 2;
    o.rotated = i % 3 == 0;
    o.fps = 4.5f + i;
    o.move.moveXOrientation = -1 - i % 2;
    o.move.moveYOrientation = 2;
    o.customSize = 0.5f + 0.25f * i;
    o.move.moveXRespawn = 1;
    o.move.moveYRespawn = i;
    o.draw2Point = 0;
    o.alsoMovePlayer = i % 2;
    o.move.trigger = 1 + i;
    o.move.triggerDistanceX = 100 + i;
    o.move.triggerDistanceY = 200 + i;
    o.sizeExtraX = 4 + i;
    o.sizeExtraY = 6 + i;
    o.move.pendulum = i % 2;
    o.move.pendulumAmplitude = 0.3f * i;
    o.blockAngle = 0.1f * i;
    o.noAlphaBlending = 1;
    o.autoRotation = i % 2;
    o.bindUID = 0;
    o.spareValue = 777 + i;
    o.move.moveXTime = 1.5f + i;
    o.move.moveXPause = 0.25f * i;
    o.move.moveXSpeed = 40.0f + i;
    o.move.moveYTime = 2.5f;
    o.move.moveYPause = 0.75f;
    o.move.moveYSpeed = 60.0f - i;
    o.move.circlingPhase = 0.5f * i;
    o.move.circlingSpeed = 1.25f;
    o.move.circlingRadius = 30.0f + i;
    o.color[0] = 200 + i;
    o.color[1] = 10 * i;
    o.color[2] = 20 + i;
    o.color[3] = 250 - i;
    o.custom1 = 1000.0f + i;
    o.custom2 = 30.0f + i;
    o.custom3 = -5.0f * i;
    o.drawMode2 = i % 2;
    o.initShiftX = 150 - 40 * i;
    o.initShiftY = -300 + 60 * i;
    o.UpdateCoordinates(); // the second point of a one-point object is derived
    gameRectData r;
    GameRectDataSet(r, slot);
    saved.push_back(r);
  }
  ASSERT_TRUE(EditorSaveAsText("level7.txt"));
  EXPECT_EQ(ReadFile("level7.txt").size(), LevelFileSize(8));

  ResetObjectTable();
  ASSERT_EQ(EditorLoad("level7.txt"), 1);
  ASSERT_EQ(ActiveCount(), 9);
  for (int i = 0; i < 8; ++i) {
    gameRectData back;
    GameRectDataSet(back, 1 + i);
    for (int w : kDefinedWords)
      EXPECT_EQ(back.words[w], saved[i].words[w]) << "object " << i << ", word " << w;
  }
}

// The level file as its layout documents it, independent of the code's word numbers: a count,
// records of 284 bytes, then the 540-byte header, every value little-endian.
void Put32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i)
    b[at + i] = (unsigned char)(v >> (8 * i));
}
void PutFloat(Bytes& b, size_t at, float f) {
  uint32_t v;
  memcpy(&v, &f, 4);
  Put32(b, at, v);
}

// A word at its byte offset: an int or a float.
struct Word {
  int offset;
  bool isFloat;
  double value;
};
void Lay(Bytes& b, size_t base, std::initializer_list<Word> words) {
  for (const Word& w : words)
    if (w.isFloat)
      PutFloat(b, base + w.offset, (float)w.value);
    else
      Put32(b, base + w.offset, (uint32_t)(int32_t)w.value);
}
const bool kI = false, kF = true; // the word's kind

// A field: its byte offset in the record or header, the value the file gives it and where the
// loaded object holds it. The values are all different, so two fields read from each other's
// place show.
template <class T> struct Field {
  int offset;
  bool isFloat;
  double value;
  double (*held)(const T&);
};
template <class T> void LayFields(Bytes& b, size_t base, const T& fields) {
  for (const auto& f : fields)
    Lay(b, base, {{f.offset, f.isFloat, f.value}});
}

const Field<gameRect> kPlaced[] = {
    {4, kI, 1, [](const gameRect& o) -> double { return o.type; }},
    {8, kI, 701, [](const gameRect& o) -> double { return o.uid; }},
    {12, kI, 7, [](const gameRect& o) -> double { return o.layer; }},
    {16, kF, 5123.5f, [](const gameRect& o) -> double { return o.x; }},
    {20, kF, 5234.25f, [](const gameRect& o) -> double { return o.y; }},
    {24, kF, 5345.75f, [](const gameRect& o) -> double { return o.x2; }},
    {28, kF, 5456.5f, [](const gameRect& o) -> double { return o.y2; }},
    {32, kI, 1, [](const gameRect& o) -> double { return o.flipX; }},
    {36, kI, 0, [](const gameRect& o) -> double { return o.flipY; }},
    {40, kI, 1, [](const gameRect& o) -> double { return o.noCollision; }},
    {44, kI, 1, [](const gameRect& o) -> double { return o.rotated; }},
    {48, kF, 7.5f, [](const gameRect& o) -> double { return o.fps; }},
    {52, kI, -1, [](const gameRect& o) -> double { return o.move.moveXOrientation; }},
    {56, kI, -2, [](const gameRect& o) -> double { return o.move.moveYOrientation; }},
    {60, kF, 1.75f, [](const gameRect& o) -> double { return o.customSize; }},
    {64, kI, 1, [](const gameRect& o) -> double { return o.move.moveXRespawn; }},
    {68, kI, 0, [](const gameRect& o) -> double { return o.move.moveYRespawn; }},
    {72, kI, 1, [](const gameRect& o) -> double { return o.draw2Point; }}, // the second point as stored
    {76, kI, 1, [](const gameRect& o) -> double { return o.alsoMovePlayer; }},
    {80, kI, 3, [](const gameRect& o) -> double { return o.move.trigger; }},
    {84, kI, 120, [](const gameRect& o) -> double { return o.move.triggerDistanceX; }},
    {88, kI, 230, [](const gameRect& o) -> double { return o.move.triggerDistanceY; }},
    {92, kI, 6, [](const gameRect& o) -> double { return o.sizeExtraX; }},
    {96, kI, 9, [](const gameRect& o) -> double { return o.sizeExtraY; }},
    {100, kI, 1, [](const gameRect& o) -> double { return o.move.pendulum; }},
    {104, kF, 0.375f, [](const gameRect& o) -> double { return o.move.pendulumAmplitude; }},
    {108, kF, 0.625f, [](const gameRect& o) -> double { return o.blockAngle; }},
    {112, kI, 1, [](const gameRect& o) -> double { return o.noAlphaBlending; }},
    {128, kI, 1, [](const gameRect& o) -> double { return o.autoRotation; }},
    {132, kI, 702, [](const gameRect& o) -> double { return o.bindUID; }},
    {136, kI, 4242, [](const gameRect& o) -> double { return o.spareValue; }},
    {144, kF, 1.25f, [](const gameRect& o) -> double { return o.move.moveXTime; }},
    {148, kF, 0.5f, [](const gameRect& o) -> double { return o.move.moveXPause; }},
    {152, kF, 44.5f, [](const gameRect& o) -> double { return o.move.moveXSpeed; }},
    {156, kF, 2.25f, [](const gameRect& o) -> double { return o.move.moveYTime; }},
    {160, kF, 0.75f, [](const gameRect& o) -> double { return o.move.moveYPause; }},
    {164, kF, 55.5f, [](const gameRect& o) -> double { return o.move.moveYSpeed; }},
    {172, kF, 0.875f, [](const gameRect& o) -> double { return o.move.circlingPhase; }},
    {180, kF, 1.5f, [](const gameRect& o) -> double { return o.move.circlingSpeed; }},
    {184, kF, 33.5f, [](const gameRect& o) -> double { return o.move.circlingRadius; }},
    {188, kI, 201, [](const gameRect& o) -> double { return o.color[1]; }}, // red
    {192, kI, 102, [](const gameRect& o) -> double { return o.color[2]; }}, // green
    {196, kI, 53, [](const gameRect& o) -> double { return o.color[3]; }},  // blue
    {200, kI, 244, [](const gameRect& o) -> double { return o.color[0]; }}, // alpha
    {204, kF, 1001.5f, [](const gameRect& o) -> double { return o.custom1; }},
    {208, kF, 31.25f, [](const gameRect& o) -> double { return o.custom2; }},
    {212, kF, -6.5f, [](const gameRect& o) -> double { return o.custom3; }},
    {244, kI, 1, [](const gameRect& o) -> double { return o.drawMode2; }},
    {248, kI, 120, [](const gameRect& o) -> double { return o.initShiftX; }},
    {252, kI, -140, [](const gameRect& o) -> double { return o.initShiftY; }},
};

// Words the reader ignores and the writer writes as zero.
const int kReservedOffsets[] = {116, 120, 124, 140, 168, 176, 216, 220, 224, 228,
                                232, 236, 240, 256, 260, 264, 268, 272, 276, 280};

#define HEADER_FIELD(offset, kind, value, name)                                                              \
  Field<levelHeader> {                                                                                       \
    offset, kind, value, [](const levelHeader& h) -> double { return h.name; }                               \
  }
const Field<levelHeader> kHeaderFields[] = {
    HEADER_FIELD(36, kI, -1, background),     HEADER_FIELD(40, kI, 10, backgroundR),
    HEADER_FIELD(44, kI, 20, backgroundG),    HEADER_FIELD(48, kI, 30, backgroundB),
    HEADER_FIELD(52, kI, 40, backgroundA),    HEADER_FIELD(56, kI, 5100, startX),
    HEADER_FIELD(60, kI, 5150, startY),       HEADER_FIELD(112, kI, 3, weatherKind),
    HEADER_FIELD(128, kI, 12, weatherAmount), HEADER_FIELD(132, kI, -250, weatherVelX),
    HEADER_FIELD(136, kI, 300, weatherVelY),  HEADER_FIELD(140, kI, 255, characterA),
    HEADER_FIELD(144, kI, 128, characterR),   HEADER_FIELD(148, kI, 64, characterG),
    HEADER_FIELD(152, kI, 32, characterB),    HEADER_FIELD(156, kF, 1.5, weatherSize),
    HEADER_FIELD(160, kF, 10.5, rankTime4),   HEADER_FIELD(164, kF, 15.5, rankTime3),
    HEADER_FIELD(168, kF, 20.5, rankTime2),   HEADER_FIELD(172, kF, 25.5, rankTime1),
    HEADER_FIELD(180, kF, 0.75, ipadZoom),    HEADER_FIELD(184, kI, 1, noBackgroundScroll),
    HEADER_FIELD(188, kI, 200, particlesA),   HEADER_FIELD(192, kI, 150, particlesR),
    HEADER_FIELD(196, kI, 100, particlesG),   HEADER_FIELD(200, kI, 50, particlesB),
};
#undef HEADER_FIELD

TEST_F(LevelTest, AFileBuiltByteByByteFromTheLayoutLoadsIntoItsFieldsAndIsWrittenBackAlike) {
  const size_t first = 4, second = 4 + 284, header = 4 + 2 * 284;
  Bytes file(header + 540, 0);
  Lay(file, 0, {{0, kI, 2}});
  Lay(file, first, {{0, kI, 2096}});
  LayFields(file, first, kPlaced);
  for (int at : kReservedOffsets)
    Lay(file, first, {{at, kI, 0x5a5a5a5a}});
  // A one-point object the first is bound to; it keeps its "No Collision" of its own.
  Lay(file, second,
      {{0, kI, 2096},
       {4, kI, 1},
       {8, kI, 702},
       {16, kF, 5600},
       {20, kF, 5300},
       {40, kI, 1},
       {52, kI, 1},
       {56, kI, 1},
       {60, kF, 1.0}});
  // The header's named fields, and reserved bytes at both ends that travel with it.
  LayFields(file, header, kHeaderFields);
  Lay(file, header, {{0, kI, 0x11223344}, {536, kI, 0x55667788}});

  g_currentMode = 10; // the editor: no start shift
  ASSERT_EQ(Load(file), 1);
  ASSERT_EQ(ActiveCount(), 3);
  const gameRect& o = GameRects[1];
  for (const auto& f : kPlaced)
    EXPECT_EQ(f.held(o), f.value) << "the record's field at byte " << f.offset;
  EXPECT_EQ(GameRects[2].uid, 702);
  EXPECT_EQ(GameRects[2].noCollision, 1);
  EXPECT_EQ(o.bindSlot, 2);
  for (const auto& f : kHeaderFields)
    EXPECT_EQ(f.held(g_levelCur), f.value) << "the header's field at byte " << f.offset;

  // Written back: the same bytes, but zeroes in the reserved words and the second point the
  // one-point object derives from its size.
  ASSERT_TRUE(EditorSaveAsText("level8.txt"));
  Bytes saved = ReadFile("level8.txt");
  ASSERT_EQ(saved.size(), file.size());
  Bytes expected = file;
  for (int at : kReservedOffsets)
    Put32(expected, first + at, 0);
  std::string differ;
  for (size_t i = 0; i < saved.size(); ++i)
    if (saved[i] != expected[i] && !(i >= second + 24 && i < second + 32)) differ += " " + std::to_string(i);
  EXPECT_EQ(differ, "") << "bytes written otherwise than the layout says";
}

// A record with one word changed, and what the loaded object holds for it.
struct ReadingCase {
  const char* name;
  int type;
  int word;
  float value; // stored as a float word unless isInt
  bool isInt;
  float expected;
};

class ReadingRule : public LevelTest, public ::testing::WithParamInterface<ReadingCase> {};

float LoadedField(const gameRect& o, int word) {
  switch (word) {
  case LW_CUSTOM_SIZE:
    return o.customSize;
  case LW_MOVE_X_ORIENTATION:
    return (float)o.move.moveXOrientation;
  case LW_MOVE_Y_ORIENTATION:
    return (float)o.move.moveYOrientation;
  case LW_NO_COLLISION:
    return (float)o.noCollision;
  case LW_COLOR_R:
    return (float)o.color[1];
  case LW_COLOR_A:
    return (float)o.color[0];
  case LW_X:
    return o.x;
  case LW_FPS:
    return o.fps;
  default:
    return NAN;
  }
}

TEST_P(ReadingRule, TheLoadedObjectHoldsTheCorrectedValue) {
  const ReadingCase& c = GetParam();
  gameRectData r = Record(c.type, 5000, 5000);
  if (c.isInt)
    r.SetInt(c.word, (int)c.value);
  else
    r.SetFloat(c.word, c.value);
  ASSERT_EQ(Load(RawFile({r}, Header())), 1);
  ASSERT_TRUE(GameRects[1].active);
  EXPECT_FLOAT_EQ(LoadedField(GameRects[1], c.word), c.expected);
}

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Words, ReadingRule,
    ::testing::Values(ReadingCase{"SizeZero", 1, LW_CUSTOM_SIZE, 0, false, 1.0f},
                      ReadingCase{"SizeTiny", 1, LW_CUSTOM_SIZE, 0.05f, false, 1.0f},
                      ReadingCase{"SizeTenth", 1, LW_CUSTOM_SIZE, 0.1f, false, 0.1f},
                      ReadingCase{"SizeHuge", 1, LW_CUSTOM_SIZE, 7, false, 5.0f},
                      ReadingCase{"SizeNaN", 1, LW_CUSTOM_SIZE, kNaN, false, 1.0f},
                      ReadingCase{"OrientationZero", 1, LW_MOVE_X_ORIENTATION, 0, true, 1},
                      ReadingCase{"OrientationMinusOne", 1, LW_MOVE_X_ORIENTATION, -1, true, -1},
                      ReadingCase{"OrientationMinusTwo", 1, LW_MOVE_Y_ORIENTATION, -2, true, -2},
                      ReadingCase{"BrickStaysSolid", 15, LW_NO_COLLISION, 1, true, 0},
                      ReadingCase{"OtherTypePassesThrough", 1, LW_NO_COLLISION, 1, true, 1},
                      ReadingCase{"ChannelAbove255", 1, LW_COLOR_R, 1000, true, 255},
                      ReadingCase{"ChannelNegative", 1, LW_COLOR_A, -4, true, 0},
                      ReadingCase{"XNaNKeepsThePlaceholder", 1, LW_X, kNaN, false, 11},
                      ReadingCase{"XInfiniteKeepsThePlaceholder", 1, LW_X, -kInf, false, 11},
                      ReadingCase{"XFarOutsideKeepsThePlaceholder", 1, LW_X, 3e38f, false, 11},
                      ReadingCase{"XAtAMillionIsKept", 1, LW_X, 1e6f, false, 1e6f},
                      ReadingCase{"FpsInfiniteKeepsTheTypeDefault", 58, LW_FPS, kInf, false, 12}),
    [](const ::testing::TestParamInfo<ReadingCase>& info) { return std::string(info.param.name); });

TEST_F(LevelTest, AWrongTagGivesTheTypeDefaultsOnly) {
  gameRectData r = Record(58, 6000, 6100);
  r.SetInt(LW_TAG, 2095);
  r.SetInt(LW_LAYER, 2);
  ASSERT_EQ(Load(RawFile({r}, Header())), 1);
  const gameRect& door = GameRects[1];
  ASSERT_TRUE(door.active);
  EXPECT_EQ(door.type, 58);
  EXPECT_EQ(door.x, 11);
  EXPECT_EQ(door.y, 12);
  EXPECT_EQ(door.layer, 10);
  EXPECT_EQ(door.width, 64);
  EXPECT_TRUE(door.door);
}

TEST_F(LevelTest, TheStartShiftMovesObjectsInPlayOnlyAndBindingsUseShiftedPositions) {
  gameRectData moved = Record(1, 5000, 5000);
  moved.SetInt(LW_INIT_SHIFT_X, 40);
  moved.SetInt(LW_INIT_SHIFT_Y, -25);
  moved.SetInt(LW_UID, 500);
  gameRectData bound = Record(1, 5100, 5000);
  bound.SetInt(LW_BIND_UID, 500);
  Bytes file = RawFile({moved, bound}, Header());

  g_currentMode = 10;
  ASSERT_EQ(Load(file), 1);
  EXPECT_EQ(GameRects[1].x, 5000);
  EXPECT_EQ(GameRects[2].bindOffsetX, 100);

  g_currentMode = 9;
  ASSERT_EQ(Load(file), 1);
  const gameRect& o = GameRects[1];
  EXPECT_EQ(o.x, 5040);
  EXPECT_EQ(o.pathX, 5040);
  EXPECT_EQ(o.y, 4975);
  EXPECT_EQ(o.startX, 5000); // the start point stays where the file put it
  EXPECT_EQ(GameRects[2].bindSlot, 1);
  EXPECT_EQ(GameRects[2].bindOffsetX, 60);
  EXPECT_EQ(GameRects[2].bindOffsetY, 25);

  // A shift the writer would not keep is not applied either.
  moved.SetInt(LW_INIT_SHIFT_X, 301);
  moved.SetInt(LW_INIT_SHIFT_Y, 2000000000);
  ASSERT_EQ(Load(RawFile({moved}, Header())), 1);
  EXPECT_EQ(GameRects[1].x, 5000);
  EXPECT_EQ(GameRects[1].y, 5000);
}

TEST_F(LevelTest, BindingTakesTheLastMatchAmongTheLevelsOwnObjects) {
  // An earlier, longer level leaves uid 9 in slot 6.
  std::vector<gameRectData> earlier;
  for (int i = 0; i < 6; ++i)
    earlier.push_back(Record(1, 5000 + 100 * (float)i, 5000));
  earlier[5].SetInt(LW_UID, 9);
  ASSERT_EQ(Load(RawFile(earlier, Header())), 1);

  gameRectData a = Record(1, 5000, 5000), b = Record(1, 5200, 5000), bound = Record(1, 5300, 5100);
  a.SetInt(LW_UID, 9);
  b.SetInt(LW_UID, 9);
  bound.SetInt(LW_BIND_UID, 9);
  ASSERT_EQ(Load(RawFile({a, bound, b}, Header())), 1);
  EXPECT_FALSE(GameRects[6].active);
  EXPECT_EQ(GameRects[6].uid, 9);
  EXPECT_EQ(GameRects[2].bindSlot, 3);
  EXPECT_EQ(GameRects[2].bindOffsetX, 100);
  EXPECT_EQ(GameRects[2].bindOffsetY, 100);
}

TEST_F(LevelTest, AnEmptyLevelHoldsTheSlot0PlaceholderAndItsHeader) {
  AddSpikes(5000, 5000, 0);
  ASSERT_EQ(Load(RawFile({}, Header(7000, 6500))), 1);
  EXPECT_EQ(ActiveCount(), 1);
  EXPECT_EQ(GameRects[0].type, 1);
  EXPECT_EQ(g_levelCurrentData.levelBottom, 0);
  EXPECT_EQ(g_levelCurrentData.levelTop, 100000);
  EXPECT_EQ(g_levelCur.startX, 7000);
  EXPECT_EQ(g_levelCur.startY, 6500);
  EXPECT_FALSE(Spikies[0].active);
}

TEST_F(LevelTest, TheLevelsExtentComesFromItsObjects) {
  ASSERT_EQ(
      Load(RawFile({Record(1, 5000, 5300.7f), Record(1, 5100, 4800.2f), Record(1, 5200, 5000)}, Header())),
      1);
  EXPECT_EQ(g_levelCurrentData.levelBottom, 5300);
  EXPECT_EQ(g_levelCurrentData.levelTop, 4800);
}

TEST_F(LevelTest, TheWriterDropsObjectsOutsideTheFieldAndZeroesLargeShifts) {
  g_currentMode = 10;
  ClearGameRects();
  AddGameRect(0, 0, HERO_TYPE, false);
  int left = AddGameRect(0, 5000, 1, true);
  GameRects[left].x = 999.9f;
  int top = AddGameRect(5000, 0, 1, true);
  GameRects[top].y = 999.9f;
  int edge = AddGameRect(1000, 1000, 1, true);
  int far = AddGameRect(5000, 5000, 1, true);
  GameRects[far].initShiftX = 301;
  GameRects[far].initShiftY = 0;
  int near = AddGameRect(5100, 5000, 1, true);
  GameRects[near].initShiftX = 300;
  GameRects[near].initShiftY = -300;

  ASSERT_TRUE(EditorSaveAsText("level7.txt"));
  EXPECT_FALSE(GameRects[left].active);
  EXPECT_FALSE(GameRects[top].active);
  EXPECT_TRUE(GameRects[edge].active);
  EXPECT_EQ(GameRects[far].initShiftX, 0);
  EXPECT_EQ(GameRects[far].initShiftY, 0);

  Bytes file = ReadFile("level7.txt");
  int count = 0;
  ASSERT_TRUE(CheckLevelFile(file.data(), file.size(), &count, nullptr));
  ASSERT_EQ(count, 3);
  EXPECT_EQ(LevelRecordAt(file.data(), 0).Float(LW_X), 1000.0f);
  EXPECT_EQ(LevelRecordAt(file.data(), 1).Int(LW_INIT_SHIFT_X), 0);
  EXPECT_EQ(LevelRecordAt(file.data(), 2).Int(LW_INIT_SHIFT_X), 300);
  EXPECT_EQ(LevelRecordAt(file.data(), 2).Int(LW_INIT_SHIFT_Y), -300);
  for (int i = 0; i < count; ++i)
    for (int w = 0; w < LEVEL_FILE_WORDS; ++w)
      if (!IsLevelWordDefined(w)) {
        EXPECT_EQ(LevelRecordAt(file.data(), i).words[w], 0) << w;
      }
}

TEST_F(LevelTest, AFailedSaveKeepsTheOldFileAndSaysSo) {
  ASSERT_EQ(Load(RawFile({Record(1, 5000, 5000)}, Header())), 1);
  // A directory where the file should go: the rename over it fails.
  std::filesystem::create_directories(SavePath("level8.txt") + "/inside");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(EditorSaveAsText("level8.txt"));
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("previous file is kept"), std::string::npos) << err;
  EXPECT_TRUE(std::filesystem::is_directory(SavePath("level8.txt") + "/inside"));
}

TEST_F(LevelTest, AReleaseBuildReadsLevelsFromThePacksLevelsDirectory) {
  app.Add("levels\\level12.txt",
          RawFile({Record(1, 5000, 5000), Record(58, 5200, 5136)}, Header(5010, 5020)));
  ASSERT_TRUE(app.OpenPack());
  ASSERT_EQ(EditorLoad("level12"), 1);
  EXPECT_EQ(GameRects[2].type, 58);
  EXPECT_EQ(g_levelCur.startX, 5010);
  EXPECT_EQ(EditorLoad("level13"), 0);
}

// A damaged file and what loading it gives.
struct DamageCase {
  const char* name;
  int records;     // records laid out
  int count;       // the count word, or kLaidOut
  int extraBytes;  // bytes cut (negative) or added at the end
  bool applies;    // loaded, else nothing changes
  int activeAfter; // active slots after a load
};

class DamagedFile : public LevelTest, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(DamagedFile, LoadsAsTheMendsSayOrChangesNothing) {
  const DamageCase& c = GetParam();
  // The level already in play: three objects and its header.
  ASSERT_EQ(Load(RawFile({Record(1, 5000, 5000), Record(1, 5100, 5000), Record(1, 5200, 5000)},
                         Header(4321, 5000))),
            1);
  std::vector<gameRectData> records;
  for (int i = 0; i < c.records; ++i)
    records.push_back(Record(1, 5000 + (float)i, 5000));
  Bytes file = RawFile(records, Header(6000, 6000), c.count);
  if (c.extraBytes < 0)
    file.resize(file.size() - (size_t)(-c.extraBytes));
  else
    file.insert(file.end(), (size_t)c.extraBytes, 0);

  testing::internal::CaptureStderr();
  int loaded = Load(file);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(loaded, c.applies ? 1 : 0);
  EXPECT_EQ(ActiveCount(), c.activeAfter);
  EXPECT_EQ(g_levelCur.startX, c.applies ? 6000 : 4321);
  if (!c.applies) {
    EXPECT_NE(err.find("is not used"), std::string::npos) << err;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedFile,
    ::testing::Values(DamageCase{"Whole", 5, kAll, 0, true, 6},
                      DamageCase{"MoreRecordsThanTheTableHolds", 750, kAll, 0, true, 700},
                      DamageCase{"FarLongerThanAnyLevel", 7000, kAll, 0, false, 4},
                      DamageCase{"NegativeCount", 0, -1, 0, false, 4},
                      DamageCase{"CountFarBelowZero", 2, INT_MIN + 1, 0, false, 4},
                      DamageCase{"CountAboveTheRecords", 5, 6, 0, false, 4},
                      DamageCase{"CountOfAHugeFile", 5, 0x7fffffff, 0, false, 4},
                      DamageCase{"TruncatedRecord", 5, kAll, -300, false, 4},
                      DamageCase{"TruncatedHeader", 5, kAll, -1, false, 4},
                      DamageCase{"TrailingBytes", 5, kAll, 1, false, 4},
                      DamageCase{"EmptyFile", 0, kAll, -544, false, 4}),
    [](const ::testing::TestParamInfo<DamageCase>& info) { return std::string(info.param.name); });

TEST_F(LevelTest, ANegativeCountIsRefusedThoughTheSizeWouldMatchNothing) {
  Bytes file = RawFile({}, Header(), -1);
  int count = 0;
  const char* why = "";
  EXPECT_FALSE(CheckLevelFile(file.data(), file.size(), &count, &why));
  EXPECT_STREQ(why, "its record count is negative");
}

TEST_F(LevelTest, UnknownTypesKeepTheirSlotButAreNothingInPlay) {
  gameRectData low = Record(-5, 5000, 5000), high = Record(800, 5100, 5000), huge = Record(99999, 5200, 5000);
  gameRectData after = Record(1, 5300, 5000);
  ASSERT_EQ(Load(RawFile({low, high, huge, after}, Header())), 1);
  for (int slot : {1, 2, 3}) {
    const gameRect& o = GameRects[slot];
    EXPECT_TRUE(o.active);
    EXPECT_TRUE(o.hidden);
    EXPECT_TRUE(o.noCollision);
    EXPECT_FALSE(o.collides);
  }
  EXPECT_EQ(GameRects[3].type, 99999); // written back as it came
  EXPECT_EQ(GameRects[4].type, 1);
  EXPECT_FALSE(GameRects[4].hidden);
}

TEST_F(LevelTest, AHeroRecordTakesNoSlotAndLeavesNoGap) {
  ASSERT_EQ(
      Load(RawFile({Record(1, 5000, 5000), Record(HERO_TYPE, 5100, 5000), Record(58, 5200, 5000)}, Header())),
      1);
  EXPECT_EQ(ActiveCount(), 3);
  EXPECT_EQ(GameRects[2].type, 58);
  EXPECT_EQ(GameRects[2].slot, 2);
  EXPECT_EQ(GameRects[2].x, 5200);
  EXPECT_FALSE(GameRects[3].active);
}

TEST_F(LevelTest, NonFiniteCoordinatesTakeDefaultsAndAreReportedOnce) {
  gameRectData r = Record(1, 5000, 5000);
  r.SetFloat(LW_X, kNaN);
  r.SetFloat(LW_Y, kInf);
  testing::internal::CaptureStderr();
  ASSERT_EQ(Load(RawFile({r, Record(1, 5100, 5050)}, Header())), 1);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(GameRects[1].x, 11);
  EXPECT_EQ(GameRects[1].y, 12);
  EXPECT_TRUE(std::isfinite(GameRects[1].centerX));
  EXPECT_EQ(g_levelCurrentData.levelBottom, 5050); // the infinite y did not count
  EXPECT_NE(err.find("2 values are not a finite number"), std::string::npos) << err;
}

TEST_F(LevelTest, QuickLoadRestoresOnlyAWholeQuickSave) {
  ASSERT_EQ(Load(RawFile({Record(1, 5000, 5000)}, Header())), 1);
  GameRects[1].x = 1234;
  g_levelCurrentData.levelTime = 7.5f;
  QSave();
  EXPECT_EQ(g_levelCurrentData.quickSaved, 1);
  GameRects[1].x = 1;
  g_levelCurrentData.levelTime = 0;
  QLoad();
  EXPECT_EQ(GameRects[1].x, 1234);
  EXPECT_EQ(g_levelCurrentData.levelTime, 7.5f);

  Bytes image = ReadFile("qsave.1");
  for (long delta : {-1L, 1L}) {
    Bytes wrong = image;
    wrong.resize((size_t)((long)image.size() + delta));
    WriteFile("qsave.1", wrong);
    GameRects[1].x = 99;
    testing::internal::CaptureStderr();
    QLoad();
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(GameRects[1].x, 99) << delta;
  }
  // Without a quick save in this run nothing is read.
  WriteFile("qsave.1", image);
  g_levelCurrentData.quickSaved = 0;
  QLoad();
  EXPECT_EQ(GameRects[1].x, 99);
}

} // namespace
