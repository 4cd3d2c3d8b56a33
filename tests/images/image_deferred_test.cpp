// PNG pictures decoded on worker threads end as the same bitmaps as the loader's own decoding, in
// every pixel format, with premultiplied colour and halving; damaged files are told at the finish,
// refused ones at once; a decode dropped before its bitmap is deleted leaves the others finishing.
#include <cstring>
#include <filesystem>
#include <ostream>
#include <vector>

#include "image_loaders.h"
#include "image_test_support.h"

namespace {

struct DeferredCase {
  const char* file;
  int bytesPerPixel;
  bool premultiply;
};
std::ostream& operator<<(std::ostream& os, const DeferredCase& c) {
  return os << c.file << ", " << c.bytesPerPixel << " bytes" << (c.premultiply ? ", premultiplied" : "");
}

std::vector<IDibBitmap*> g_failed;
void NoteFailed(IDibBitmap* bitmap) { g_failed.push_back(bitmap); }

class DeferredPngTest : public ImageTest, public ::testing::WithParamInterface<DeferredCase> {
protected:
  void SetUp() override {
    ImageTest::SetUp();
    g_failed.clear();
  }
};

bool SameBytes(const unsigned char* a, const unsigned char* b, size_t n) {
  return (a == nullptr) == (b == nullptr) && (!a || memcmp(a, b, n) == 0);
}

TEST_P(DeferredPngTest, GivesTheBitmapTheLoaderGives) {
  const DeferredCase& c = GetParam();
  game.m_bTrueColorImages = c.bytesPerPixel == 3;
  game.m_bPremultiplyAlpha = c.premultiply;
  IDibBitmap* want = ImageLoad_PNG(&game, c.file, nullptr);
  ASSERT_NE(want, nullptr);
  // Several at once, as an atlas's pages go.
  IDibBitmap* got[3];
  for (IDibBitmap*& b : got) {
    b = ImageLoad_PNG_Deferred(&game, c.file);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetWidth(), want->GetWidth()); // known before the decode ends
    EXPECT_EQ(b->GetHeight(), want->GetHeight());
  }
  EXPECT_TRUE(ImageDecodesPending());
  EXPECT_EQ(FinishImageDecodes(&game, NoteFailed), 0);
  EXPECT_FALSE(ImageDecodesPending());
  EXPECT_TRUE(g_failed.empty());
  size_t pixels = (size_t)want->GetStoredWidth() * (size_t)want->GetStoredHeight();
  for (IDibBitmap* b : got) {
    EXPECT_STREQ(b->m_ImageFileName.c_str(), c.file);
    EXPECT_EQ(b->m_b2xImage, want->m_b2xImage);
    ASSERT_EQ(b->GetBytesPerPixel(), want->GetBytesPerPixel());
    ASSERT_EQ(b->GetStoredWidth(), want->GetStoredWidth());
    ASSERT_EQ(b->GetStoredHeight(), want->GetStoredHeight());
    EXPECT_TRUE(SameBytes(b->GetBits(), want->GetBits(), pixels * (size_t)want->GetBytesPerPixel()));
    EXPECT_TRUE(SameBytes(b->GetAlphaBits(), want->GetAlphaBits(), pixels)) << "alpha map";
    delete b;
  }
  delete want;
}

INSTANTIATE_TEST_SUITE_P(Pictures, DeferredPngTest,
                         ::testing::Values(DeferredCase{"images\\gradient.png", 2, false},
                                           DeferredCase{"images\\gradient.png", 3, false},
                                           DeferredCase{"images\\gradient.png", 3, true},
                                           DeferredCase{"images\\premul.png", 3, true},
                                           DeferredCase{"images\\opaque.png", 3, true},
                                           DeferredCase{"images\\greyalpha.png", 3, true},
                                           DeferredCase{"images\\palette.png", 3, false},
                                           DeferredCase{"images\\deep.png", 3, true},
                                           DeferredCase{"images\\sheet.png", 3, true},
                                           DeferredCase{"images\\half.png", 3, true},
                                           DeferredCase{"images\\half.png", 2, false}));

class DeferredFailureTest : public ImageTest {
protected:
  void SetUp() override {
    ImageTest::SetUp();
    g_failed.clear();
    game.m_bTrueColorImages = 1;
    game.m_bRegisterBitmaps = 1;
  }
};

// A file whose header is refused gives nothing at once, and no bitmap is left behind.
TEST_F(DeferredFailureTest, RefusedFilesGiveNoBitmap) {
  int before = game.m_CreatedBitmaps.GetSize();
  for (const char* file : {"images\\notimage.png", "images\\absent.png", "images\\wide.png",
                           "images\\tall.png", "images\\interlaced.png", "images\\tiny.png"}) {
    EXPECT_EQ(ImageLoad_PNG_Deferred(&game, file), nullptr) << file;
    EXPECT_EQ(game.m_CreatedBitmaps.GetSize(), before) << file;
  }
  EXPECT_FALSE(ImageDecodesPending());
}

// A file cut short after its header decodes into a bitmap that the finish names as failed; the
// pictures begun beside it are made as usual.
TEST_F(DeferredFailureTest, DamagedFileIsToldAtTheFinish) {
  ASSERT_EQ(ImageLoad_PNG(&game, "images\\truncated.png", nullptr), nullptr);
  IDibBitmap* good = ImageLoad_PNG_Deferred(&game, "images\\gradient.png");
  IDibBitmap* damaged = ImageLoad_PNG_Deferred(&game, "images\\truncated.png");
  ASSERT_NE(good, nullptr);
  ASSERT_NE(damaged, nullptr);
  EXPECT_EQ(FinishImageDecodes(&game, NoteFailed), 1);
  ASSERT_EQ(g_failed.size(), 1u);
  EXPECT_EQ(g_failed[0], damaged);
  EXPECT_EQ(ColourAt(good, 1, 1).r, GradientPixel(1, 1).r);
  delete good;
  delete damaged;
}

// A decode dropped before its bitmap goes is never finished or reported; the others are.
TEST_F(DeferredFailureTest, AbandonedDecodeIsLeftOut) {
  std::vector<IDibBitmap*> begun;
  for (int i = 0; i < 6; ++i)
    begun.push_back(ImageLoad_PNG_Deferred(&game, i % 2 ? "images\\sheet.png" : "images\\truncated.png"));
  for (IDibBitmap* b : begun)
    ASSERT_NE(b, nullptr);
  for (int i : {0, 3}) {
    AbandonImageDecode(begun[(size_t)i]);
    delete begun[(size_t)i];
  }
  AbandonImageDecode(begun[0]); // no longer known: nothing happens
  EXPECT_EQ(FinishImageDecodes(&game, NoteFailed), 2);
  EXPECT_EQ(g_failed, (std::vector<IDibBitmap*>{begun[2], begun[4]}));
  for (int i : {1, 2, 4, 5})
    delete begun[(size_t)i];
  EXPECT_EQ(FinishImageDecodes(&game, NoteFailed), 0);
}

int ThreadsOfThisProcess() {
  int n = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task")) {
    (void)entry;
    ++n;
  }
  return n;
}

// A run that ends during a load (decodes begun, never finished) leaves no worker running: the end
// lets them decode what is queued and joins them, and the pictures can then be let go.
TEST_F(DeferredFailureTest, TheEndOfARunJoinsTheWorkersOfUnfinishedDecodes) {
  int before = ThreadsOfThisProcess();
  std::vector<IDibBitmap*> begun;
  // Enough of them that the workers are still at it when the end comes: a worker that has emptied
  // the queue leaves the task list whether it is joined or not.
  for (int i = 0; i < 32; ++i)
    begun.push_back(ImageLoad_PNG_Deferred(&game, "images\\sheet.png"));
  for (IDibBitmap* b : begun)
    ASSERT_NE(b, nullptr);
  EndImageDecodes();
  EXPECT_EQ(ThreadsOfThisProcess(), before);
  EXPECT_TRUE(ImageDecodesPending()) << "ending the workers finishes no picture";
  for (IDibBitmap* b : begun) {
    AbandonImageDecode(b);
    delete b;
  }
  EXPECT_FALSE(ImageDecodesPending());
}

} // namespace
