// Binary serialisers (encodings, round trips, refused lengths, short files), CRC-16 and the
// 16-bit-length string record.
#include <gtest/gtest.h>

#include <cstring>

#include "files_test_util.h"
#include "serialize.h"

namespace {

Bytes Written(CMemoryFile& f) { return Bytes(f.GetBuffer(), f.GetBuffer() + f.GetCurPos()); }

// A loaded memory file holding bytes, positioned at the start.
void Load(CMemoryFile& f, const Bytes& bytes) {
  unsigned char* block = (unsigned char*)malloc(bytes.size() + 1);
  if (!bytes.empty()) memcpy(block, bytes.data(), bytes.size());
  f.Attach(block, (int)bytes.size());
}

TEST(Crc16Test, KnownValues) {
  EXPECT_EQ(calc_crc16("abc", 3), 0x259E);
  EXPECT_EQ(calc_crc16("123456789", 9), 0x6E90); // CRC-16/X-25 check value 0x906E, bytes swapped
  EXPECT_EQ(calc_crc16("abc", 0), 0);
}

struct Record {
  int i = 0;
  unsigned int u = 0;
  unsigned long ul = 0;
  short s = 0;
  char c = 0;
  unsigned char uc = 0;
  bool b = false;
  TVector2D v;
  TCoord2D p;
  TRect2D r;
  CommonString text;
  CommonString wide;
};

Record Sample() {
  Record r;
  r.i = -123456;
  r.u = 0xDEADBEEF;
  r.ul = 0x89ABCDEF;
  r.s = -2;
  r.c = 'q';
  r.uc = 200;
  r.b = true;
  r.v.x = 256;
  r.v.y = -384;
  r.p.x = 7;
  r.p.y = -8;
  r.r.x = 1;
  r.r.y = 2;
  r.r.width = 3;
  r.r.height = 4;
  r.text = "BasicDataEnd";
  r.wide = "wide";
  return r;
}

template <class Helper> void Common(Helper& h, Record& r) {
  h.Serialize(r.i);
  h.Serialize(r.u);
  h.Serialize(r.ul);
  h.Serialize(r.s);
  h.Serialize(r.c);
  h.Serialize(r.uc);
  h.Serialize(r.b);
  h.Serialize(r.v);
  h.Serialize(r.p);
  h.Serialize(r.r);
  h.Serialize(r.text);
  h.SerializeW(r.wide);
}

void ExpectSame(const Record& a, const Record& b) {
  EXPECT_EQ(a.i, b.i);
  EXPECT_EQ(a.u, b.u);
  EXPECT_EQ(a.ul, b.ul);
  EXPECT_EQ(a.s, b.s);
  EXPECT_EQ(a.c, b.c);
  EXPECT_EQ(a.uc, b.uc);
  EXPECT_EQ(a.b, b.b);
  EXPECT_EQ(a.v.x, b.v.x);
  EXPECT_EQ(a.v.y, b.v.y);
  EXPECT_EQ(a.p.x, b.p.x);
  EXPECT_EQ(a.p.y, b.p.y);
  EXPECT_EQ(memcmp(&a.r, &b.r, sizeof(a.r)), 0);
  EXPECT_TRUE(a.text == b.text);
  EXPECT_TRUE(a.wide == b.wide);
}

TEST(SerializeTest, BothHelpersRoundTripEveryFieldWithFixedSizes) {
  Record in = Sample();
  CMemoryFile f;
  ASSERT_EQ(f.Create(64), 1);
  SerializeHelper w(&f, true);
  Common(w, in);
  unsigned short us = 65535;
  w.Serialize(us);
  ASSERT_TRUE(w.m_bOk);
  // 4+4+4+2+1+1 + bool as int 4 + 8+8+16 + 4+12 + wide 4+8 + 2
  EXPECT_EQ(f.GetCurPos(), 82);

  Record out;
  unsigned short us2 = 0;
  f.Seek(0, FILE_SEEK_BEGIN);
  SerializeHelper r(&f, false);
  Common(r, out);
  r.Serialize(us2);
  EXPECT_TRUE(r.m_bOk);
  ExpectSame(in, out);
  EXPECT_EQ(us2, 65535);

  ASSERT_EQ(f.Create(64), 1);
  SerializeHelper2 w2(&f, true);
  Common(w2, in);
  float fl = -1.25f;
  double d = 3.5e100;
  FIXED_FLOAT_16 f16 = -65536 * 3;
  TVector2D_16 v16;
  v16.x = 1 << 20;
  v16.y = -5;
  unsigned char block[3] = {9, 8, 7};
  w2.Serialize(fl);
  w2.Serialize(d);
  w2.Serialize(f16);
  w2.Serialize(v16);
  w2.Serialize(block, 3);
  ASSERT_TRUE(w2.Succeeded());
  // as above with a one-byte bool, then 4+8+4+8+3
  EXPECT_EQ(f.GetCurPos(), 77 + 27);

  Record out2;
  float fl2 = 0;
  double d2 = 0;
  FIXED_FLOAT_16 f16b = 0;
  TVector2D_16 v16b;
  unsigned char block2[3] = {};
  f.Seek(0, FILE_SEEK_BEGIN);
  SerializeHelper2 r2(&f, false);
  Common(r2, out2);
  r2.Serialize(fl2);
  r2.Serialize(d2);
  r2.Serialize(f16b);
  r2.Serialize(v16b);
  r2.Serialize(block2, 3);
  EXPECT_TRUE(r2.Succeeded());
  ExpectSame(in, out2);
  EXPECT_EQ(fl2, fl);
  EXPECT_EQ(d2, d);
  EXPECT_EQ(f16b, f16);
  EXPECT_EQ(v16b.x, v16.x);
  EXPECT_EQ(v16b.y, v16.y);
  EXPECT_EQ(memcmp(block, block2, 3), 0);
}

TEST(SerializeTest, StringEncodingsAreLengthThenBytes) {
  CMemoryFile f;
  ASSERT_EQ(f.Create(64), 1);
  SerializeHelper2 h(&f, true);
  CommonString s("BasicDataEnd"), empty, wide("abc");
  h.Serialize(s);
  EXPECT_EQ(Written(f), Bytes({12, 0, 0, 0, 'B', 'a', 's', 'i', 'c', 'D', 'a', 't', 'a', 'E', 'n', 'd'}));
  ASSERT_EQ(f.Create(64), 1);
  h.Serialize(empty);
  h.SerializeW(wide);
  EXPECT_EQ(Written(f), Bytes({0, 0, 0, 0, 3, 0, 0, 0, 'a', 0, 'b', 0, 'c', 0}));
  EXPECT_TRUE(h.Succeeded());

  CommonString back("stale");
  f.Seek(0, FILE_SEEK_BEGIN);
  SerializeHelper2 r(&f, false);
  r.Serialize(back);
  EXPECT_EQ(back.Length(), 0);
  r.SerializeW(back);
  EXPECT_STREQ(back.c_str(), "abc");
  EXPECT_TRUE(r.Succeeded());
}

// A stored string length against the bytes that follow it.
struct StringCase {
  int length;
  int bytesAfter;
  bool ok2; // SerializeHelper2
  bool ok1; // SerializeHelper
};

class SerializedStringLengthTest : public ::testing::TestWithParam<StringCase> {};

TEST_P(SerializedStringLengthTest, LengthIsCheckedBeforeAnythingIsAllocated) {
  const StringCase& c = GetParam();
  Bytes bytes(4 + (size_t)c.bytesAfter, 'z');
  memcpy(bytes.data(), &c.length, 4);
  for (int helper = 1; helper <= 2; helper++) {
    CMemoryFile f;
    Load(f, bytes);
    CommonString s("previous");
    bool ok;
    if (helper == 1) {
      SerializeHelper h(&f, false);
      h.Serialize(s);
      ok = h.m_bOk;
      EXPECT_EQ(ok, c.ok1) << c.length;
      if (!ok) {
        EXPECT_STREQ(s.c_str(), "previous") << "SerializeHelper keeps the old text";
      }
    } else {
      SerializeHelper2 h(&f, false);
      h.Serialize(s);
      ok = h.m_bOk;
      EXPECT_EQ(ok, c.ok2) << c.length;
      if (!ok) {
        EXPECT_EQ(s.Length(), 0) << "SerializeHelper2 empties the text";
      }
    }
    if (ok) {
      EXPECT_EQ(s.Length(), c.length > 0 ? c.length : 0);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SerializedStringLengthTest,
                         ::testing::Values(StringCase{32768, 32768, true, true},
                                           StringCase{32769, 32769, false, true},
                                           StringCase{1000, 10, false, false},
                                           StringCase{0x7FFFFFFF, 3, false, false},
                                           StringCase{-5, 0, true, true}, StringCase{5, 4, false, false}));

TEST(SerializeTest, ShortFilesAndBadInputFailThePass) {
  CMemoryFile f;
  Load(f, Bytes({7, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2}));
  SerializeHelper h(&f, false);
  bool seven = false, minusOne = true;
  h.Serialize(seven);
  h.Serialize(minusOne);
  EXPECT_TRUE(seven);
  EXPECT_FALSE(minusOne);
  EXPECT_TRUE(h.m_bOk);
  int partial = 0;
  h.Serialize(partial);
  EXPECT_FALSE(h.m_bOk);

  f.Seek(8, FILE_SEEK_BEGIN);
  SerializeHelper2 h2(&f, false);
  int i = 0;
  double d = 0;
  h2.Serialize(i);
  h2.Serialize(d);
  EXPECT_TRUE(h2.m_bOk) << "scalars count missing bytes instead";
  EXPECT_EQ(h2.m_nMissing, 2 + 8);
  EXPECT_FALSE(h2.Succeeded());

  CommonString wide("keep");
  Load(f, Bytes({50, 0, 0, 0, 'a', 0}));
  SerializeHelper2 w(&f, false);
  w.SerializeW(wide);
  EXPECT_FALSE(w.m_bOk);

  SerializeHelper none;
  none.Serialize(i);
  EXPECT_FALSE(none.m_bOk);
}

TEST(SerializeTest, SixteenBitLengthStringRecord) {
  CMemoryFile f;
  ASSERT_EQ(f.Create(8), 1);
  CommonString empty, hello("hello"), back("x");
  EXPECT_EQ(WriteString(&f, empty), 1);
  EXPECT_EQ(Written(f), Bytes({0, 0}));
  EXPECT_EQ(WriteString(&f, hello), 1);
  f.Seek(0, FILE_SEEK_BEGIN);
  EXPECT_EQ(ReadString(&f, back), 1);
  EXPECT_EQ(back.Length(), 0);
  EXPECT_EQ(ReadString(&f, back), 1);
  EXPECT_STREQ(back.c_str(), "hello");
  // A record cut short yields what arrived.
  Load(f, Bytes({9, 0, 'a', 'b'}));
  EXPECT_EQ(ReadString(&f, back), 1);
  EXPECT_STREQ(back.c_str(), "ab");
}

} // namespace
