// Broken and refused images: every loader fails cleanly, keeps a bitmap it was given and deletes one
// it created (the sanitizer build checks that nothing leaks or is read out of bounds).
#include <cstring>
#include <ostream>

#include "image_loaders.h"
#include "image_test_support.h"

namespace {

typedef IDibBitmap* (*Loader)(CAppGraphics*, const char*, IDibBitmap*);

struct BadCase {
  const char* what;
  Loader load;
  const char* name;
};
std::ostream& operator<<(std::ostream& os, const BadCase& c) { return os << c.what; }

class BadImageTest : public ImageTest, public ::testing::WithParamInterface<BadCase> {};

TEST_P(BadImageTest, GivenBitmapSurvivesUnchanged) {
  const BadCase& c = GetParam();
  CWinDibBitmap* bitmap = NewBitmap();
  ASSERT_TRUE(bitmap->Create(3, 3));
  bitmap->ClearBitmap(255, 255, 255);
  EXPECT_EQ(c.load(&game, c.name, bitmap), nullptr);
  ASSERT_NE(bitmap->GetBits(), nullptr);
  EXPECT_EQ(bitmap->GetStoredWidth(), 3);
  EXPECT_EQ(bitmap->GetStoredHeight(), 3);
  EXPECT_EQ(ColourAt(bitmap, 2, 2).g, 252u);
  EXPECT_EQ(game.m_bUpdateTextureOnSetBits, 1);
  delete bitmap;
}

TEST_P(BadImageTest, CreatedBitmapIsDeleted) {
  const BadCase& c = GetParam();
  game.m_bRegisterBitmaps = 1;
  int before = game.m_CreatedBitmaps.GetSize();
  // The count below only means something while the factory registers what it makes.
  IDibBitmap* probe = game.CreateBitmapObject();
  ASSERT_NE(probe, nullptr);
  ASSERT_EQ(game.m_CreatedBitmaps.GetSize(), before + 1);
  delete probe;
  ASSERT_EQ(game.m_CreatedBitmaps.GetSize(), before);
  EXPECT_EQ(c.load(&game, c.name, nullptr), nullptr);
  EXPECT_EQ(game.m_CreatedBitmaps.GetSize(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadImageTest,
    ::testing::Values(BadCase{"truncated_png", ImageLoad_PNG, "images\\truncated.png"},
                      BadCase{"not_a_png", ImageLoad_PNG, "images\\notimage.png"},
                      BadCase{"png_wider_than_the_cap", ImageLoad_PNG, "images\\wide.png"},
                      BadCase{"png_taller_than_the_cap", ImageLoad_PNG, "images\\tall.png"},
                      BadCase{"interlaced_png", ImageLoad_PNG, "images\\interlaced.png"},
                      BadCase{"png_halved_to_nothing", ImageLoad_PNG, "images\\tiny.png"},
                      BadCase{"missing_png", ImageLoad_PNG, "images\\absent.png"},
                      BadCase{"truncated_png_alpha", ImageLoad_PNG_Alpha, "images\\truncated.png"},
                      BadCase{"corrupt_jpeg", ImageLoad_JPG, "images\\corrupt.jpg"},
                      BadCase{"cmyk_jpeg", ImageLoad_JPG, "images\\cmyk.jpg"},
                      BadCase{"jpeg_wider_than_the_cap", ImageLoad_JPG, "images\\wide.jpg"},
                      BadCase{"empty_jpeg", ImageLoad_JPG, "images\\empty.jpg"},
                      BadCase{"cmyk_jpeg_alpha", ImageLoad_JPG_Alpha, "images\\cmyk.jpg"},
                      BadCase{"base_with_only_a_refused_jpeg", ImageLoad, "images\\cmyk"},
                      BadCase{"base_with_nothing", ImageLoad_Alpha, "images\\absent"}),
    [](const ::testing::TestParamInfo<BadCase>& info) { return std::string(info.param.what); });

TEST_F(ImageTest, PvrLoadFailsWithoutItsFilesAndDeletesItsBitmap) {
  game.m_bRegisterBitmaps = 1;
  EXPECT_EQ(ImageLoad_PVR(&game, "images\\absent.txt"), nullptr);
  EXPECT_EQ(ImageLoad_PVR(nullptr, "images\\absent.txt"), nullptr);
  EXPECT_EQ(game.m_CreatedBitmaps.GetSize(), 0);
}

TEST_F(ImageTest, DecoderErrorLeavesItsMessage) {
  szJPGLastError[0] = 0;
  EXPECT_EQ(ImageLoad_JPG(&game, "images\\corrupt.jpg", nullptr), nullptr);
  EXPECT_GT(strlen(szJPGLastError), 0u);
}

TEST_F(ImageTest, LoadersRefuseMissingArguments) {
  CWinDibBitmap* bitmap = NewBitmap();
  EXPECT_EQ(ImageLoad(nullptr, "images\\pick", bitmap), nullptr);
  EXPECT_EQ(ImageLoad(&game, nullptr, bitmap), nullptr);
  EXPECT_EQ(ImageLoad_PNG(nullptr, "images\\pick.png", bitmap), nullptr);
  EXPECT_EQ(ImageLoad_JPG(nullptr, "images\\pick.jpg", bitmap), nullptr);
  EXPECT_EQ(ImageLoad_JPG_FromStream(&game, nullptr, bitmap), nullptr);
  EXPECT_EQ(bitmap->GetBits(), nullptr);
  delete bitmap;
}

} // namespace
