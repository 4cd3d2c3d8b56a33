// The start-up stage on the generated pack: the three atlases, every start-up sprite in its slot
// with its picture, the unfilled slots null, the fonts with their settings and glyphs, and the
// guards of the interface and particle loaders.
#include "catalogue_fixture.h"
#include "hge_font.h"

using catalogue::Target;

namespace {

const catalogue::Set* const kStartupSets[] = {
    &catalogue::StartupSprites(), &catalogue::GuiSprites(),        &catalogue::ParticleSprites(),
    &catalogue::EffectSprites(),  &catalogue::SecretItemSprites(), &catalogue::MissionIconSprites(),
};

std::vector<Surface*> AllStartupSprites() {
  std::vector<Surface*> out;
  for (const catalogue::Set* set : kStartupSets)
    for (const auto& slot : RowSlots(*set))
      out.push_back(*SpriteSlot((Target)std::get<0>(slot), std::get<1>(slot), std::get<2>(slot)));
  return out;
}

TEST_F(CatalogueTest, EveryGlobalSlotTheRowsNameExistsAndNoneBeyond) {
  for (int t = 0; t < (int)Target::Count; ++t) {
    Target target = (Target)t;
    // The front end stores its own rows (and the loader's) into its globals.
    if (target == Target::RectDummies || target == Target::Backgrounds || target == Target::FrontEnd ||
        target == Target::Screen)
      continue;
    const catalogue::TargetShape& shape = catalogue::ShapeOf(target);
    SCOPED_TRACE(shape.name);
    EXPECT_NE(SpriteSlot(target, shape.rows - 1, shape.columns - 1), nullptr);
    EXPECT_EQ(SpriteSlot(target, shape.rows, 0), nullptr);
    EXPECT_EQ(SpriteSlot(target, 0, shape.columns), nullptr);
    EXPECT_EQ(SpriteSlot(target, -1, 0), nullptr);
  }
}

TEST_F(CatalogueTest, StartUpLoadsEverySpriteWithItsPictureAndLeavesTheRestNull) {
  LoadBasicSprites();
  EXPECT_NE(g_commonAtlas, nullptr);
  EXPECT_NE(g_secretItemsAtlas, nullptr);
  EXPECT_NE(g_achievementsAtlas, nullptr);
  SlotSet expected;
  for (const catalogue::Set* set : kStartupSets) {
    SlotSet rows = RowSlots(*set);
    expected.insert(rows.begin(), rows.end());
  }
  EXPECT_EQ(expected.size(), 273u);
  SlotSet filled;
  int missing = 0;
  for (int t = 0; t < (int)Target::Count; ++t) {
    Target target = (Target)t;
    if (target == Target::Rects || target == Target::RectDummies || target == Target::Character ||
        target == Target::Backgrounds)
      continue;
    SlotSet f = Filled(target, &missing);
    filled.insert(f.begin(), f.end());
  }
  EXPECT_EQ(filled, expected);
  EXPECT_EQ(missing, 0) << "start-up sprites without a picture in the pack";
  // One entry, two sprites.
  EXPECT_NE(g_levelEndFXs[7], g_levelEndFXs[37]);
  EXPECT_NE(g_levelEndFXs[21], g_levelEndFXs[42]);
  EXPECT_NE(g_achievementPanel, g_customSmoke[0]);
  SafeDelete(g_levelEndFXs[7]);
  EXPECT_NE(g_levelEndFXs[37]->texture, nullptr);
  // The five control pictures are files of their own, not atlas entries.
  for (Surface* s :
       {g_guiArrows[0][0], g_guiArrows[0][1], g_guiArrows[1][0], g_guiArrows[1][1], g_guiArrowsPod})
    EXPECT_FALSE(s->fromAtlas);
  EXPECT_TRUE(g_guiCross[0]->fromAtlas);
}

TEST_F(CatalogueTest, InterfaceAndParticleLoadersRunOnce) {
  LoadBasicSprites();
  std::vector<Surface*> before = AllStartupSprites();
  LoadGUI();
  LoadParticles();
  EXPECT_EQ(AllStartupSprites(), before);
}

TEST_F(CatalogueTest, FontsComeFromThePackWithTheirSettings) {
  // The loader mode's FontSTD stays the very object, its settings untouched.
  hgeFont* loaderFont = FontSTD = new hgeFont("font_STD", false);
  FontSTD->SetTracking(-2);
  LoadBasicSprites();
  EXPECT_EQ(FontSTD, loaderFont);
  EXPECT_EQ(FontSTD->tracking, -2);

  struct Expected {
    hgeFont* font;
    float tracking;
    int spaceExtra;
  } fonts[] = {{FontInterface, -16, 0}, {FontLevelID, -16, 0},  {FontTime, -14, 0},
               {FontTimeBig, -11, 0},   {FontHintText, -19, 0}, {FontShroom, -13, 6}};
  for (const Expected& e : fonts) {
    ASSERT_NE(e.font, nullptr);
    EXPECT_EQ(e.font->tracking, e.tracking);
    EXPECT_EQ(e.font->spacing, 0.7f);
    EXPECT_EQ(e.font->spaceExtra, e.spaceExtra);
    // The generated page and every printable character: each glyph advances the pen forward
    // however tight the tracking; a space, with the five pixels and the extra space the font
    // adds to it, even at full scale.
    ASSERT_NE(e.font->page, nullptr);
    EXPECT_NE(e.font->page->texture, nullptr);
    EXPECT_GT(e.font->height, 0);
    for (int c = 33; c <= 126; ++c) {
      const myRect& g = e.font->glyph[c];
      ASSERT_GT(g.right - g.left + e.tracking, 0) << "character " << c;
    }
    const myRect& space = e.font->glyph[' '];
    EXPECT_GT(5 + e.spaceExtra + space.right - space.left + e.tracking, 0) << "the space";
  }
  for (char c : std::string("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.:!?-"))
    EXPECT_GT(FontTime->GetStringWidth(std::string(1, c).c_str()), 0) << c;
  EXPECT_GT(FontTime->GetStringWidth("1:23"), FontTime->GetStringWidth("1:2"));

  // The hint font's letter offsets: "ll" is narrower by twice l's lead, "y" leads by -3.
  float ll = FontHintText->GetStringWidth("ll");
  float lead = FontHintText->pre['l'];
  FontHintText->pre['l'] = 0;
  EXPECT_FLOAT_EQ(FontHintText->GetStringWidth("ll") - ll,
                  2 * FontHintText->scale * FontHintText->proportion);
  FontHintText->pre['l'] = lead;
  EXPECT_EQ(FontHintText->pre['y'], -3);
  EXPECT_EQ(FontHintText->post['y'], -1);
  EXPECT_EQ(FontHintText->post['n'], 2);
  EXPECT_EQ(FontHintText->pre['b'], 0);
}

TEST_F(CatalogueTest, AMissingFontSTDIsCreatedWithTheLoadersSettings) {
  LoadBasicSprites();
  ASSERT_NE(FontSTD, nullptr);
  EXPECT_EQ(FontSTD->tracking, -13);
  EXPECT_EQ(FontSTD->spacing, 0.7f);
  EXPECT_EQ(FontSTD->spaceExtra, 6);
  EXPECT_NE(FontSTD->page, nullptr);
}

} // namespace
