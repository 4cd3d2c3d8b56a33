// The keys of a widget block: each description class takes its own and its base's keys, with the
// value forms the format gives them.
#include <gtest/gtest.h>

#include <functional>

#include "widget_test_support.h"

namespace {

template <class T> T* First(TTemplate& t) { return dynamic_cast<T*>(t.widgets.GetAt(0)); }

struct KeyCase {
  const char* name;
  const char* block;
  std::function<void(TTemplate&)> check;
};

class WidgetKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(WidgetKeys, SetTheFieldsTheFormatNames) {
  ::testing::internal::CaptureStderr();
  auto t = ParseTemplate(GetParam().block);
  ::testing::internal::GetCapturedStderr();
  ASSERT_EQ(t->widgets.GetSize(), 1);
  GetParam().check(*t);
}

const KeyCase kCases[] = {
    {"SizeOfOneNumber", "image: i\n  size: 120\n  txtid: \"T_1\"\nend\n",
     [](TTemplate& t) {
       EXPECT_EQ(First<TImage>(t)->width, 120);
       EXPECT_EQ(First<TImage>(t)->height, 0);
       EXPECT_EQ(First<TImage>(t)->txtid, "T_1");
     }},
    {"ColourByBlanksOrCommas", "dialog: d\n  color: 1 2 3\nend\n",
     [](TTemplate& t) {
       TDialog* d = First<TDialog>(t);
       EXPECT_EQ(d->hasColor, 1);
       EXPECT_EQ(d->colorR + d->colorG * 10 + d->colorB * 100, 321);
     }},
    {"ColourOfTwoNumbersSetsNothing", "dialog: d\n  color: 1, 2\nend\n",
     [](TTemplate& t) {
       EXPECT_EQ(First<TDialog>(t)->hasColor, 0);
       EXPECT_EQ(First<TDialog>(t)->colorR, 0);
     }},
    {"DialogKeys",
     "dialog: d\n  bgCenterTilesX: 3\n  bgCenterTilesY: 260\n  background: \"bg\"\n  size_method: 0\nend\n",
     [](TTemplate& t) {
       TDialog* d = First<TDialog>(t);
       EXPECT_EQ(d->bgCenterTilesX, 3);
       EXPECT_EQ(d->bgCenterTilesY, 4); // the low 8 bits
       EXPECT_EQ(d->background, "bg");
       EXPECT_EQ(d->size_method, 0);
     }},
    {"RootBackgroundAlignment", "root: r\n  alignBg: right\n  alignBgV: 7\nend\n",
     [](TTemplate& t) {
       EXPECT_EQ(First<TRoot>(t)->alignBg, 2);
       EXPECT_EQ(First<TRoot>(t)->alignBgV, 7);
     }},
    {"FileWithOneCount", "image: i\n  file: \"a b.png\", 4\nend\n",
     [](TTemplate& t) {
       ImageDesc& im = First<TImage>(t)->image;
       EXPECT_EQ(im.file, "a b.png");
       EXPECT_EQ(im.framesX, 4);
       EXPECT_EQ(im.framesY, 4);
     }},
    {"FileAlone", "image: i\n  file: a.png\nend\n",
     [](TTemplate& t) {
       EXPECT_EQ(First<TImage>(t)->image.framesX, 1);
       EXPECT_EQ(First<TImage>(t)->image.framesY, 1);
     }},
    {"AlphaFileBeforeFile", "image: i\n  afile: a_a.png, 4, 2\n  file: a.png\nend\n",
     [](TTemplate& t) {
       ImageDesc& im = First<TImage>(t)->image;
       EXPECT_EQ(im.afile, "a_a.png");
       EXPECT_EQ(im.framesX, 4);
       EXPECT_EQ(im.framesY, 2);
     }},
    {"AlphaFileAfterFile", "image: i\n  file: a.png\n  afile: a_a.png, 4, 2\nend\n",
     [](TTemplate& t) {
       EXPECT_EQ(First<TImage>(t)->image.framesX, 1);
       EXPECT_EQ(First<TImage>(t)->image.framesY, 1);
     }},
    {"AlphaFileOfTwoItemsFillsBoth", "image: i\n  afile: a_a.png, 3\nend\n",
     [](TTemplate& t) {
       EXPECT_EQ(First<TImage>(t)->image.framesX, 3);
       EXPECT_EQ(First<TImage>(t)->image.framesY, 3);
     }},
    {"SetAndFrame", "button: b\n  set: \"icons\"\n  frame: 7\nend\n",
     [](TTemplate& t) {
       ImageDesc& im = First<TButton>(t)->image;
       EXPECT_EQ(im.fromSet, 1);
       EXPECT_EQ(im.set, "icons");
       EXPECT_EQ(im.frame, 7);
     }},
    {"TextureKeyWithZeroChangesNothing", "image: i\n  force_4444_texture: 0\nend\n",
     [](TTemplate& t) { EXPECT_EQ(First<TImage>(t)->image.forceTexture, FORCE_TEXTURE_NONE); }},
    {"BareTextureKeyword", "image: i\n  force_4444_texture\nend\n",
     [](TTemplate& t) { EXPECT_EQ(First<TImage>(t)->image.forceTexture, FORCE_TEXTURE_4444); }},
    {"TextureKeywordAsAnyKeysValue", "image: i\n  anything: force_8888_texture\nend\n",
     [](TTemplate& t) { EXPECT_EQ(First<TImage>(t)->image.forceTexture, FORCE_TEXTURE_8888); }},
    {"BareSingleSetIsIgnored", "tiledBG: g\n  single_set\n  top: t\nend\n",
     [](TTemplate& t) {
       TTiledBG* g = First<TTiledBG>(t);
       EXPECT_EQ(g->single_set, 0);
       EXPECT_EQ(g->tilesGiven, 0); // the middle column alone
       EXPECT_EQ(g->top, "t");
     }},
    {"SingleSetWithAValue", "tiledBG: g\n  single_set: 1\nend\n",
     [](TTemplate& t) {
       EXPECT_EQ(First<TTiledBG>(t)->single_set, 1);
       EXPECT_EQ(First<TTiledBG>(t)->tilesGiven, 1);
     }},
    {"SideTilesMarkTheColumns", "tiledBG: g\n  right_bottom: \"rb\"\n  center: c\nend\n",
     [](TTemplate& t) {
       EXPECT_EQ(First<TTiledBG>(t)->right_bottom, "rb");
       EXPECT_EQ(First<TTiledBG>(t)->center, "c");
       EXPECT_EQ(First<TTiledBG>(t)->tilesGiven, 1);
     }},
    {"OwnTilesOfOneValue", "tiledBG: g\n  own_tiles: 3\nend\n",
     [](TTemplate& t) {
       EXPECT_EQ(First<TTiledBG>(t)->own_tiles, 1);
       EXPECT_EQ(First<TTiledBG>(t)->ownTilesX, 0);
     }},
    {"OwnTilesNegativeAndOverflowing", "tiledBG: g\n  own_tiles: -1 200\nend\n",
     [](TTemplate& t) {
       EXPECT_EQ(First<TTiledBG>(t)->ownTilesX, 0);
       EXPECT_EQ(First<TTiledBG>(t)->ownTilesY, 0);
     }},
    {"VerticalOnlyAsAValue", "tuner: n\n  vertical: 1\nend\n",
     [](TTemplate& t) { EXPECT_EQ(First<TTuner>(t)->vertical, 0); }},
    {"BareVertical", "tuner: n\n  vertical\nend\n",
     [](TTemplate& t) { EXPECT_EQ(First<TTuner>(t)->vertical, 1); }},
    {"TunerKeys",
     "tuner: n\n  tunerId: bar\n  tunerFrame: 2\n  fullId: full\n  fullFrame: 3\n  handleId: h\n"
     "  step: 10\n  max: 50\n  offsetLeft: -4\n  offsetRight: 6\nend\n",
     [](TTemplate& t) {
       TTuner* n = First<TTuner>(t);
       EXPECT_EQ(n->tunerId, "bar");
       EXPECT_EQ(n->fullId, "full");
       EXPECT_EQ(n->handleId, "h");
       EXPECT_EQ(n->tunerFrame + n->fullFrame * 10, 32);
       EXPECT_EQ(n->step, 10);
       EXPECT_EQ(n->max, 50);
       EXPECT_EQ(n->offsetLeft, -4);
       EXPECT_EQ(n->offsetRight, 6);
     }},
    {"TextAlignSide", "checkBox: c\n  textAlign: Side\n  textOffset: auto\nend\n",
     [](TTemplate& t) {
       EXPECT_EQ(First<TCheckBox>(t)->textAlign, 1);
       EXPECT_EQ(First<TCheckBox>(t)->textOffset, CHECKBOX_AUTO_TEXT_OFFSET);
     }},
    {"TextAlignTwoAndOffsetZero", "checkBox: c\n  textAlign: 2\n  textOffset: 0\nend\n",
     [](TTemplate& t) {
       EXPECT_EQ(First<TCheckBox>(t)->textAlign, 0);
       EXPECT_EQ(First<TCheckBox>(t)->textOffset, 0);
     }},
    {"CheckedImage", "checkBox: c\n  file_checked: on.png, 2\n  set_checked: s\n  file: off.png\nend\n",
     [](TTemplate& t) {
       TCheckBox* c = First<TCheckBox>(t);
       EXPECT_EQ(c->checkedImage.file, "on.png");
       EXPECT_EQ(c->checkedImage.framesX, 2);
       EXPECT_EQ(c->checkedImage.set, "s");
       EXPECT_EQ(c->image.file, "off.png");
     }},
    {"ShoulderNamingNoSide", "button: b\n  shoulder: center\nend\n",
     [](TTemplate& t) { EXPECT_EQ(First<TButton>(t)->shoulder, 0); }},
    {"ShoulderRight", "button: b\n  shoulder: right\nend\n",
     [](TTemplate& t) { EXPECT_EQ(First<TButton>(t)->shoulder, 2); }},
    {"EffectByName", "text: t\n  effect: glow\nend\n",
     [](TTemplate& t) {
       EXPECT_EQ(First<TWText>(t)->text.effect, 3);
       EXPECT_EQ(First<TWText>(t)->text.flags, TEXTDESC_EFFECT_GIVEN);
     }},
    {"EffectByNumber", "text: t\n  effect: 3\nend\n",
     [](TTemplate& t) {
       EXPECT_EQ(First<TWText>(t)->text.effect, 3);
       EXPECT_EQ(First<TWText>(t)->text.flags, 2);
     }},
    {"EffectOfNoName", "text: t\n  color: 1, 2, 3\n  effect: sparkle\nend\n",
     [](TTemplate& t) {
       EXPECT_EQ(First<TWText>(t)->text.effect, 0);
       EXPECT_EQ(First<TWText>(t)->text.flags, TEXTDESC_COLOR_GIVEN);
     }},
    {"EffectEmpty", "text: t\n  effect:\nend\n",
     [](TTemplate& t) {
       EXPECT_EQ(First<TWText>(t)->text.effect, 0);
       EXPECT_EQ(First<TWText>(t)->text.flags, 0);
     }},
    {"MultiLineAlignKeepsEightBits", "text_multi: m\n  mt_align: 300\n  row_add_dy: -3\nend\n",
     [](TTemplate& t) {
       EXPECT_EQ(First<TTextMulti>(t)->mt_align, 44);
       EXPECT_EQ(First<TTextMulti>(t)->row_add_dy, -3);
     }},
    {"MultiLineAlignByName", "text_multi: m\n  mt_align: left\nend\n",
     [](TTemplate& t) { EXPECT_EQ(First<TTextMulti>(t)->mt_align, 0); }},
    {"CaptionKeepsCommasAndBlanks", "text: t\n  caption: \"Hello, world\"\n  style: \"title\"\nend\n",
     [](TTemplate& t) {
       EXPECT_EQ(First<TWText>(t)->text.caption, "Hello, world");
       EXPECT_EQ(First<TWText>(t)->text.style, "title");
     }},
    {"ColourOnAButtonIsTheCaptions", "button: b\n  color: 9, 8, 7\nend\n",
     [](TTemplate& t) {
       EXPECT_EQ(First<TButton>(t)->text.colorR, 9);
       EXPECT_EQ(First<TButton>(t)->text.flags, TEXTDESC_COLOR_GIVEN);
     }},
    {"InfoTypeByNameOrNumber", "textInfo: i\n  infoType: \"shopLink\"\nend\n",
     [](TTemplate& t) { EXPECT_EQ(First<TTextInfo>(t)->infoType, TEXTINFO_SHOP_LINK); }},
    {"InfoTypeOther", "textInfo: i\n  infoType: 2\nend\n",
     [](TTemplate& t) { EXPECT_EQ(First<TTextInfo>(t)->infoType, 0); }},
    {"ProgressImages",
     "progress: p\n  file_empty: e.png\n  afile_full: f_a.png, 2\n  set_full: s\n  frame_empty: 4\nend\n",
     [](TTemplate& t) {
       TProgress* p = First<TProgress>(t);
       EXPECT_EQ(p->emptyImage.file, "e.png");
       EXPECT_EQ(p->emptyImage.frame, 4);
       EXPECT_EQ(p->fullImage.afile, "f_a.png");
       EXPECT_EQ(p->fullImage.framesX, 2);
       EXPECT_EQ(p->fullImage.set, "s");
     }},
};

INSTANTIATE_TEST_SUITE_P(Widgets, WidgetKeys, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<KeyCase>& info) {
                           return std::string(info.param.name);
                         });

} // namespace
