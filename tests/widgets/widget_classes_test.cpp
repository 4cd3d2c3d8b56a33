// The template widgets built by a root from one template: images with their sprite sets, buttons
// and check boxes, texts, progress bars, tiled backgrounds and tuners; what each draws (recorded
// by its frame bitmaps), how it sizes and hit-tests, and the messages scripted input makes.
#include <gtest/gtest.h>

#include <memory>

#include "temp_dir.h"
#include "text_format.h"
#include "ui_template.h"
#include "widget_button.h"
#include "widget_progress.h"
#include "widget_sets_support.h"
#include "widget_text.h"
#include "widget_tuner.h"

namespace {

const char* kAll = R"(root: all
  size: 480, 320
  child: pic
    position: 0, 0
  end
  child: btn
    position: 100, 0
  end
  child: box
    position: 200, 0
  end
  child: label
    position: 0, 100
  end
  child: para
    position: 0, 150
  end
  child: info
    position: 0, 250
  end
  child: bar
    position: 100, 100
  end
  child: slider
    position: 100, 200
  end
  child: panel
    position: 300, 100
  end
end
image: pic
  set: pic
end
button: btn
  set: btn
  caption: Go
end
checkBox: box
  set: box
  set_checked: boxOn
  caption: Sound
end
text: label
  caption: Hello
  style: red
  color: 0, 255, 0
end
text_multi: para
  size: 50, 0
  caption: "aaaa bbbb cccc"
  row_add_dy: 4
end
textInfo: info
  infoType: buildDate
end
progress: bar
  set_empty: empty
  set_full: full
end
tuner: slider
  tunerId: track
  fullId: fill
  handleId: knob
  offsetLeft: 10
  offsetRight: 10
end
dialog: panel
  modal: position
  background: tiles
  bgCenterTilesX: 3
end
tiledBG: tiles
  single_set: 1
  center: nine
end
root: edges
  size: 480, 320
  child: two
    position: 0, 0
  end
  child: tie
    position: 0, 100
  end
  child: lone
    position: 0, 200
  end
  child: missing
    position: 300, 0
  end
  child: tight
    position: 300, 100
  end
  child: wide
    position: 300, 200
  end
  child: zero
    position: 300, 250
  end
  child: sides
    position: 400, 0
  end
  child: bare
    position: 400, 100
  end
end
button: two
  set: two
end
tuner: tie
  tunerId: track
  offsetLeft: 10
  offsetRight: 10
  step: 10
end
checkBox: lone
  set: box
  set_checked: boxOn
  caption: Sound
  textOffset: 0
end
image: missing
  set: nothing
  size: 7, 9
end
text: tight
end
text_multi: wide
  caption: "aaaa bbbb cccc"
end
tiledBG: zero
  single_set: 1
  center: nine
  own_tiles: 0, 1
end
tiledBG: bare
  size: 33, 44
  left: nope
  center: nope
end
tiledBG: sides
  center: c
  top: t
  bottom: b
end
)";

struct Tree {
  ScopedTempDir dir;
  SetsApp app;
  XRoot* root = nullptr;

  explicit Tree(const char* name = "all") {
    app.m_pDoubleBuffer = new CWinDibBitmap(&app); // the application deletes it
    app.m_pDoubleBuffer->Create(480, 320);
    app.AddFont(20);
    app.m_BuildDateText = "Dec 10 2026";
    app.AddSet("pic", {{30, 20}, {30, 20}, {0, 0}, {0, 0}});
    app.AddSet("btn", {{40, 20}, {40, 20}, {40, 20}});
    app.AddSet("two", {{40, 20}, {20, 10}});
    app.AddSet("box", {{16, 16}});
    app.AddSet("boxOn", {{16, 16}, {16, 16}, {16, 16}});
    app.AddSet("empty", {{200, 10}});
    app.AddSet("full", {{200, 10}});
    app.AddSet("track", {{200, 20}});
    app.AddSet("fill", {{200, 20}});
    app.AddSet("knob", {{10, 10}, {10, 10}, {10, 10}});
    // The nine slices in reading order: sides 10 wide, the centre column 16; rows 8, 16, 8 high.
    app.AddSet("nine", {{10, 8}, {16, 8}, {10, 8}, {10, 16}, {16, 16}, {10, 16}, {10, 8}, {16, 8}, {10, 8}});
    app.AddSet("c", {{16, 16}});
    app.AddSet("t", {{16, 8}});
    app.AddSet("b", {{16, 8}});
    WriteUiFile("all.txt", kAll);
    root = new XRoot(&app);
    ok = root->InitRoot("all.txt", name);
  }
  ~Tree() { delete root; } // before the sets the widgets reference go

  template <class T> T* Find(const char* name) { return dynamic_cast<T*>(root->FindChildWithWidgetId(name)); }
  void Pointer(int x, int y, int type) { app.NotifyPointerEvent(x, y, type); }
  // The codes, names and values of the messages since the last call.
  std::vector<std::tuple<int, std::string, intptr_t>> Messages() {
    std::vector<std::tuple<int, std::string, intptr_t>> out;
    for (size_t i = 0; i < app.messages.size(); i++)
      if (app.messages[i].code >= XMSG_COMMAND && app.messages[i].code <= XMSG_CHECKBOX_TOGGLED)
        out.emplace_back(app.messages[i].code, app.messages[i].text, app.values[i]);
    app.messages.clear();
    app.values.clear();
    return out;
  }
  std::vector<DrawCall> DrawOnce() {
    app.draws.clear();
    root->Draw();
    return app.draws;
  }

  bool ok = false;
};

bool Same(const DrawCall& d, const DrawCall& e) {
  return d.tag == e.tag && d.blit == e.blit && d.x == e.x && d.y == e.y && d.w == e.w && d.h == e.h &&
         d.sx == e.sx && d.sy == e.sy && d.alpha == e.alpha;
}

std::string Show(const std::vector<DrawCall>& draws) {
  std::string s;
  for (const DrawCall& d : draws)
    s += d.tag + (d.blit ? " blit " : " draw ") + std::to_string(d.x) + "," + std::to_string(d.y) + " " +
         std::to_string(d.w) + "x" + std::to_string(d.h) + " from " + std::to_string(d.sx) + "," +
         std::to_string(d.sy) + " a" + std::to_string(d.alpha) + "\n";
  return s;
}

TEST(WidgetClasses, ARootBuildsEveryWidgetTypeAndTheirDrawsAreRecorded) {
  Tree t;
  ASSERT_TRUE(t.ok);
  EXPECT_NE(t.Find<XImage>("pic"), nullptr);
  EXPECT_NE(t.Find<XButton>("btn"), nullptr);
  EXPECT_NE(t.Find<XCheckBox>("box"), nullptr);
  EXPECT_NE(t.Find<XText>("label"), nullptr);
  EXPECT_NE(t.Find<XTextMulti>("para"), nullptr);
  EXPECT_NE(t.Find<XTextInfo>("info"), nullptr);
  EXPECT_NE(t.Find<XProgress>("bar"), nullptr);
  EXPECT_NE(t.Find<XTuner>("slider"), nullptr);
  ASSERT_NE(t.Find<XDialog>("panel"), nullptr);
  XTiledBG* tiles = t.Find<XTiledBG>("tiles");
  ASSERT_NE(tiles, nullptr);
  EXPECT_EQ(t.Find<XDialog>("panel")->GetBackgroundChild(), tiles);
  EXPECT_EQ(tiles->GetSize().x, 68); // the dialog's three centre tiles across
  EXPECT_EQ(t.Find<XDialog>("panel")->GetSize().x, 68);

  std::vector<DrawCall> draws = t.DrawOnce();
  // The focus starts on the first interactive child, the button: its frame 1, centred.
  std::vector<DrawCall> expected = {
      {"pic0", false, 0, 0, 30, 20, 0, 0, 0},         {"btn1", false, 100, 0, 40, 20, 0, 0, 0},
      {"box0", false, 200, 0, 16, 16, 0, 0, 0},       {"empty0", true, 100, 100, 200, 10, 0, 0, 0},
      {"track0", true, 200, 200, 100, 20, 100, 0, 0}, {"fill0", true, 100, 200, 100, 20, 0, 0, 0},
      {"knob0", false, 195, 205, 10, 10, 0, 0, 0},
  };
  for (const DrawCall& e : expected) {
    int found = 0;
    for (const DrawCall& d : draws)
      found += Same(d, e);
    EXPECT_EQ(found, 1) << e.tag << "\n" << Show(draws);
  }
  EXPECT_TRUE(t.app.DrawsOf("full0").empty()); // an empty bar draws no full part
  // The tiled background: top row 0,1,1,1,2; the middle row; the bottom row.
  std::vector<DrawCall> top;
  for (const DrawCall& d : draws)
    if (d.y == 100 && d.tag.rfind("nine", 0) == 0) top.push_back(d);
  ASSERT_EQ(top.size(), 5u) << Show(draws);
  int xs[] = {300, 310, 326, 342, 358};
  const char* tags[] = {"nine0", "nine1", "nine1", "nine1", "nine2"};
  for (int i = 0; i < 5; i++) {
    EXPECT_EQ(top[i].x, xs[i]);
    EXPECT_EQ(top[i].tag, tags[i]);
  }
  EXPECT_EQ(t.app.DrawsOf("nine4").size(), 3u);
  EXPECT_EQ(t.app.DrawsOf("nine8")[0].y, 124);
}

TEST(WidgetClasses, ScriptedPointerAndKeyEventsSendEachMessage) {
  Tree t;
  ASSERT_TRUE(t.ok);
  t.Messages();
  using M = std::tuple<int, std::string, intptr_t>;
  t.Pointer(110, 5, 1);
  t.Pointer(110, 5, 2);
  EXPECT_EQ(t.Messages(), (std::vector<M>{{601, "btn", 0}, {600, "btn", 0}}));

  t.Pointer(205, 5, 1);
  t.Pointer(205, 5, 2);
  EXPECT_EQ(t.Messages(), (std::vector<M>{{601, "box", 0}, {604, "box", 1}}));
  EXPECT_TRUE(t.Find<XCheckBox>("box")->m_bChecked);

  // The tuner at 100, 200: r = 91 snaps to 50, a drag to r = 180 gives the maximum.
  t.Pointer(100 + 10 + 91, 205, 1);
  t.Pointer(100 + 10 + 180, 205, 3);
  t.Pointer(100 + 10 + 180, 205, 2);
  EXPECT_EQ(t.Messages(), (std::vector<M>{{603, "slider", 50}, {603, "slider", 100}, {602, "slider", 100}}));
  // The tuner has the focus now: key 1 steps it down by its step.
  t.app.NotifyKeyEvent(1, 1);
  t.app.NotifyKeyEvent(1, 0);
  EXPECT_EQ(t.Messages(), (std::vector<M>{{602, "slider", 95}}));
  EXPECT_EQ(t.app.XGetCapture(), nullptr);
}

TEST(WidgetClasses, ButtonFramesHitTestAndPressThatLeaves) {
  Tree t("edges");
  ASSERT_TRUE(t.ok);
  XButton* two = t.Find<XButton>("two");
  ASSERT_NE(two, nullptr);
  two->m_bPressed = 1;
  // Pressed, a 2-frame button draws frame 0 (2 is not below the count) but sizes by frame 1.
  EXPECT_EQ(two->GetSize().x, 20);
  std::vector<DrawCall> draws = t.DrawOnce();
  ASSERT_EQ(t.app.DrawsOf("two0").size(), 1u) << Show(draws);
  EXPECT_TRUE(t.app.DrawsOf("two1").empty());
  // Centred on the frame-1 box of 20 x 10 at 0, 0: from 0..19 across, 0..9 down.
  EXPECT_TRUE(two->Contains(0, 0));
  EXPECT_TRUE(two->Contains(19, 9));
  EXPECT_FALSE(two->Contains(20, 5));
  EXPECT_FALSE(two->Contains(5, 10));
  two->m_bPressed = 0;

  // Down inside, out, up outside: pressed only, and the button is left unpressed.
  t.Messages();
  t.Pointer(5, 5, 1);
  EXPECT_TRUE(two->m_bPressed);
  t.Pointer(150, 150, 3);
  EXPECT_FALSE(two->m_bPressed);
  t.Pointer(150, 150, 2);
  using M = std::tuple<int, std::string, intptr_t>;
  EXPECT_EQ(t.Messages(), (std::vector<M>{{601, "two", 0}}));
  EXPECT_FALSE(two->m_bPressed);
  EXPECT_EQ(t.app.XGetCapture(), nullptr);

  // The state frame comes from the box image: with one frame there, a pressed box shows frame 0
  // of its checked image although that one has a pressed frame (2).
  XCheckBox* lone = t.Find<XCheckBox>("lone");
  ASSERT_NE(lone, nullptr);
  ASSERT_EQ(lone->m_CheckedImage.FrameCount(), 3);
  lone->Check(true);
  lone->m_bPressed = 1;
  draws = t.DrawOnce();
  EXPECT_EQ(t.app.DrawsOf("boxOn0").size(), 1u) << Show(draws);
  EXPECT_TRUE(t.app.DrawsOf("boxOn2").empty()) << Show(draws);
  EXPECT_EQ(lone->m_CheckedImage.frame, 0);
}

TEST(WidgetClasses, CheckBoxToggleOnReleaseAndTextOffset) {
  Tree t("edges");
  ASSERT_TRUE(t.ok);
  XCheckBox* lone = t.Find<XCheckBox>("lone");
  ASSERT_NE(lone, nullptr);
  // A key-5 release without a press before it still toggles.
  t.Messages();
  EXPECT_EQ(lone->NotifyKeyEvent(5, 0), 1);
  using M = std::tuple<int, std::string, intptr_t>;
  EXPECT_EQ(t.Messages(), (std::vector<M>{{604, "lone", 1}}));
  EXPECT_TRUE(lone->m_bChecked);
  EXPECT_EQ(lone->NotifyKeyEvent(5, 0), 1);
  EXPECT_EQ(t.Messages(), (std::vector<M>{{604, "lone", 0}}));
  // An explicit offset of 0: the caption (5 x 10) right after the 16-wide box, no gap.
  EXPECT_EQ(lone->CalcTextOffset(), 0);
  EXPECT_EQ(lone->GetSize().x, 16 + 50);
  EXPECT_EQ(lone->GetSize().y, 20);
  // Automatic: one space beside the box, none when centred.
  lone->m_nTextOffset = CHECKBOX_AUTO_TEXT_OFFSET;
  EXPECT_EQ(lone->CalcTextOffset(), 10);
  EXPECT_EQ(lone->GetSize().x, 16 + 50 + 10);
  lone->m_nTextAlign = 0;
  EXPECT_EQ(lone->CalcTextOffset(), 0);
  EXPECT_EQ(lone->GetSize().x, 50);
  // Hidden, it takes no input and keeps its state.
  lone->Hide();
  EXPECT_EQ(lone->NotifyKeyEvent(5, 0), 0);
  EXPECT_FALSE(lone->m_bChecked);
}

TEST(WidgetClasses, TextSizesStylesAndInformationTexts) {
  Tree t;
  ASSERT_TRUE(t.ok);
  // "aaaa bbbb cccc" in a 50-wide box: three lines of 20 plus 4 each.
  XTextMulti* para = t.Find<XTextMulti>("para");
  ASSERT_NE(para, nullptr);
  EXPECT_EQ(para->m_pFormatter->GetNumStrings(), 3);
  EXPECT_EQ(para->GetSize().x, 50);
  EXPECT_EQ(para->GetSize().y, 72);
  // The given colour replaces the style's, the style's effect stays.
  XText* label = t.Find<XText>("label");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->m_Style.r, 0);
  EXPECT_EQ(label->m_Style.g, 255);
  EXPECT_EQ(label->m_Style.effect, TEXT_EFFECT_SHADOW);
  EXPECT_EQ(label->GetSize().x, 50);
  EXPECT_STREQ(t.Find<XTextInfo>("info")->m_Caption.c_str(), "Dec 10 2026");

  Tree e("edges");
  ASSERT_TRUE(e.ok);
  // No size and no caption: the template minimum across, the font's height down.
  XText* tight = e.Find<XText>("tight");
  ASSERT_NE(tight, nullptr);
  EXPECT_EQ(tight->GetSize().x, 1);
  EXPECT_EQ(tight->GetSize().y, 20);
  EXPECT_EQ(tight->m_Style.r, 255); // the default style
  // Without a width the box is 100 wide: "aaaa bbbb" fits on one line.
  XTextMulti* wide = e.Find<XTextMulti>("wide");
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(wide->GetSize().x, 100);
  EXPECT_EQ(wide->GetSize().y, 40);
}

struct InfoCase {
  const char* value;
  const char* shows;
};

class TextInfoTypes : public ::testing::TestWithParam<InfoCase> {};

TEST_P(TextInfoTypes, TheTypeWordPicksTheApplicationsText) {
  ScopedTempDir dir;
  SetsApp app;
  app.m_VersionText = "1.0.4";
  app.m_BuildDateText = "Dec 10 2026";
  app.m_ShopLink = "shop one";
  app.m_ShopLink2 = "shop two";
  WriteUiFile("info.txt", std::string("root: r\n  child: i\n  end\nend\ntextInfo: i\n  infoType: ") +
                              GetParam().value + "\nend\n");
  XRoot* root = new XRoot(&app);
  ASSERT_TRUE(root->InitRoot("info.txt", "r"));
  auto* info = dynamic_cast<XTextInfo*>(root->FindChildWithWidgetId("i"));
  ASSERT_NE(info, nullptr);
  EXPECT_STREQ(info->m_Caption.c_str(), GetParam().shows);
  delete root;
}

INSTANTIATE_TEST_SUITE_P(Widgets, TextInfoTypes,
                         ::testing::Values(InfoCase{"buildDate", "Dec 10 2026"}, InfoCase{"1", "Dec 10 2026"},
                                           InfoCase{"shopLink", "shop one"},
                                           InfoCase{"shopLink2", "shop two"}, InfoCase{"4", "shop two"},
                                           InfoCase{"version", "1.0.4"}));

TEST(WidgetClasses, ProgressFillsByPercentAndClamps) {
  Tree t;
  ASSERT_TRUE(t.ok);
  XProgress* bar = t.Find<XProgress>("bar");
  ASSERT_NE(bar, nullptr);
  bar->SetPercent(50);
  EXPECT_EQ(bar->m_nProgress, 128);
  EXPECT_EQ(bar->m_nFilledWidth, 100);
  t.DrawOnce();
  ASSERT_EQ(t.app.DrawsOf("full0").size(), 1u);
  EXPECT_TRUE(Same(t.app.DrawsOf("full0")[0], {"full0", true, 100, 100, 100, 10, 0, 0, 0}));
  bar->SetProgress(300);
  EXPECT_EQ(bar->m_nProgress, 256);
  EXPECT_EQ(bar->m_nFilledWidth, 200);
  bar->SetProgress(-5);
  EXPECT_EQ(bar->m_nProgress, 0);
  EXPECT_EQ(bar->m_nFilledWidth, 0);
  // The empty part only beyond the filled one when asked.
  bar->SetPercent(25);
  bar->m_bEmptyAfterFull = 1;
  t.DrawOnce();
  ASSERT_EQ(t.app.DrawsOf("empty0").size(), 1u);
  EXPECT_TRUE(Same(t.app.DrawsOf("empty0")[0], {"empty0", true, 150, 100, 150, 10, 50, 0, 0}));
  EXPECT_EQ(bar->GetSize().x, 200);
  EXPECT_EQ(bar->GetSize().y, 10);
}

TEST(WidgetClasses, TiledBackgroundCountsAndMissingColumns) {
  Tree t("edges");
  ASSERT_TRUE(t.ok);
  XTiledBG* zero = t.Find<XTiledBG>("zero");
  ASSERT_NE(zero, nullptr);
  // No centre tiles across: left and right only, the centre column never drawn.
  EXPECT_EQ(zero->GetSize().x, 20);
  EXPECT_EQ(zero->GetSize().y, 8 + 8 + 16);
  t.DrawOnce();
  int centre = 0;
  for (const char* tag : {"nine1", "nine4", "nine7"})
    centre += (int)t.app.DrawsOf(tag).size();
  EXPECT_EQ(centre, 0);
  std::vector<DrawCall> right = t.app.DrawsOf("nine2");
  ASSERT_EQ(right.size(), 1u);
  EXPECT_EQ(right[0].x, 310);
  // Only centre, top and bottom named: the middle column alone, its width times the count.
  XTiledBG* sides = t.Find<XTiledBG>("sides");
  ASSERT_NE(sides, nullptr);
  EXPECT_EQ(sides->GetSize().x, 16);
  EXPECT_EQ(sides->GetSize().y, 32);
  EXPECT_EQ(t.app.DrawsOf("c0").size(), 1u);
  EXPECT_EQ(t.app.DrawsOf("b0")[0].y, 24);
  // Every tile missing: nothing drawn, the template's size reported.
  XTiledBG* bare = t.Find<XTiledBG>("bare");
  ASSERT_NE(bare, nullptr);
  EXPECT_EQ(bare->GetSize().x, 33);
  EXPECT_EQ(bare->GetSize().y, 44);
  EXPECT_GT(bare->m_nFirstRow, bare->m_nLastRow);
}

TEST(WidgetClasses, TunerPlacesSnapsAndSteps) {
  Tree t;
  ASSERT_TRUE(t.ok);
  XTuner* slider = t.Find<XTuner>("slider");
  ASSERT_NE(slider, nullptr);
  EXPECT_EQ(slider->GetTotalSlidingWidth(), 180);
  EXPECT_EQ(slider->m_nHandlePos, 90);
  EXPECT_EQ(slider->GetSize().x, 200);
  EXPECT_EQ(slider->GetSize().y, 20);
  struct {
    int r, value, pos;
  } snaps[] = {{0, 0, 0}, {91, 50, 90}, {96, 55, 99}, {180, 100, 180}, {250, 100, 180}};
  for (auto s : snaps) {
    slider->AdjustToClosestValue(s.r + 10);
    EXPECT_EQ(slider->GetValue(), s.value) << s.r;
    EXPECT_EQ(slider->m_nHandlePos, s.pos) << s.r;
  }
  // Key steps keep what is not a multiple of the step and stop at the ends.
  slider->SetCurrent(52);
  EXPECT_EQ(slider->SetNextActiveObject(2), 1);
  EXPECT_EQ(slider->GetValue(), 57);
  slider->SetCurrent(98);
  slider->SetNextActiveObject(2);
  EXPECT_EQ(slider->GetValue(), 100);
  slider->SetCurrent(3);
  slider->SetPrevActiveObject(1);
  EXPECT_EQ(slider->GetValue(), 0);
  EXPECT_EQ(slider->SetNextActiveObject(4), 0); // not a horizontal tuner's key
  slider->m_bVertical = 1;
  EXPECT_EQ(slider->SetPrevActiveObject(1), 0);
  EXPECT_EQ(slider->SetNextActiveObject(2), 0);
  EXPECT_EQ(slider->SetNextActiveObject(4), 1);
  slider->m_bVertical = 0;
  slider->SetMax(0);
  EXPECT_EQ(slider->m_nMax, 1);
  EXPECT_EQ(slider->GetValue(), 1);

  // Step 10: r = 99 lies half-way between 50 (90) and 60 (108), and goes up.
  Tree e("edges");
  ASSERT_TRUE(e.ok);
  XTuner* tie = e.Find<XTuner>("tie");
  ASSERT_NE(tie, nullptr);
  tie->AdjustToClosestValue(99 + 10);
  EXPECT_EQ(tie->GetValue(), 60);
  EXPECT_EQ(tie->m_nHandlePos, 108);
}

TEST(WidgetClasses, TunerRaisesAStepOrMaximumBelowOne) {
  Tree t("edges");
  ASSERT_TRUE(t.ok);
  // A description made in code is not checked by the reader: the widget raises both to 1.
  TTuner desc;
  desc.name = "bad";
  desc.type = WIDGET_TYPE_TUNER;
  desc.tunerId = "track";
  desc.step = 0;
  desc.max = -3;
  XTuner* bad = dynamic_cast<XTuner*>(t.root->CreateAndInitChild(&desc, nullptr));
  ASSERT_NE(bad, nullptr);
  EXPECT_EQ(bad->m_nStep, 1);
  EXPECT_EQ(bad->m_nMax, 1);
  // No offsets: 200 to slide; half-way between 0 and 1 goes up.
  bad->AdjustToClosestValue(100);
  EXPECT_EQ(bad->GetValue(), 1);
  EXPECT_EQ(bad->m_nHandlePos, 200);
  // Neither a track nor a full part: not built.
  desc.tunerId = "";
  EXPECT_EQ(t.root->CreateAndInitChild(&desc, nullptr), nullptr);
  delete bad;
}

TEST(WidgetClasses, ImagesWithoutASetOrBitmapDrawNothing) {
  Tree t("edges");
  ASSERT_TRUE(t.ok);
  XImage* missing = t.Find<XImage>("missing");
  ASSERT_NE(missing, nullptr); // an unregistered set is no failure
  EXPECT_EQ(missing->GetSize().x, 7);
  EXPECT_EQ(missing->GetSize().y, 9);
  EXPECT_EQ(missing->m_Image.set, nullptr);

  Tree a;
  ASSERT_TRUE(a.ok);
  XImage* pic = a.Find<XImage>("pic");
  ASSERT_NE(pic, nullptr);
  // Frame 3 has no bitmap: Size falls back to frame 0, Draw draws nothing.
  pic->m_Image.frame = 3;
  EXPECT_EQ(pic->m_Image.Size(3).x, 30);
  EXPECT_EQ(pic->m_Image.CurrentBitmap(), nullptr);
  // No frame of the set at all: neither frame 0 nor another one that has a bitmap.
  for (const DrawCall& d : a.DrawOnce())
    EXPECT_NE(d.tag.rfind("pic", 0), 0u) << d.tag;
  // Fully faded: nothing.
  pic->m_Image.frame = 1;
  pic->ApplyOpacity(0);
  a.DrawOnce();
  EXPECT_TRUE(a.app.DrawsOf("pic1").empty());
  pic->ApplyOpacity(XWIDGET_OPAQUE);
  a.DrawOnce();
  ASSERT_EQ(a.app.DrawsOf("pic1").size(), 1u);
  EXPECT_EQ(a.app.DrawsOf("pic1")[0].alpha, 0);
  // Each widget holds one reference on the shared set: the test's and the image's.
  CSpriteSet* set = a.app.manager.GetSpriteSetNamed("pic");
  EXPECT_EQ(set->m_nRefCount, 2);
  delete a.root;
  a.root = nullptr;
  EXPECT_EQ(set->m_nRefCount, 1);
}

struct PathCase {
  const char* file;
  const char* afile;
  int result;
  const char* outFile;
  const char* outAfile;
};

class FilePaths : public ::testing::TestWithParam<PathCase> {};

TEST_P(FilePaths, ExtensionsAreCutExactlyAndNamesCompleted) {
  const PathCase& c = GetParam();
  CommonString file(c.file), afile(c.afile);
  EXPECT_EQ(PrepareFileAFilePaths(file, afile), c.result);
  EXPECT_STREQ(file.c_str(), c.outFile);
  EXPECT_STREQ(afile.c_str(), c.outAfile);
}

INSTANTIATE_TEST_SUITE_P(Widgets, FilePaths,
                         ::testing::Values(PathCase{"pic.png", "", 1, "pic", "pic"},
                                           PathCase{"", "mask.jpg", 1, "mask", "mask"},
                                           PathCase{"pic.PNG", "", 1, "pic.PNG", "pic.PNG"},
                                           PathCase{"a.png", "a_a.jpg", 1, "a", "a_a"},
                                           PathCase{"png", "", 1, "png", "png"},
                                           PathCase{".jpg", "", 1, "", ""}, PathCase{"", "", 0, "", ""}));

TEST(WidgetClasses, CopyWidgetRefusesATypeFieldNamingAnotherClass) {
  TCheckBox box;
  box.type = WIDGET_TYPE_BUTTON; // a base class of the object: it would copy only that part
  EXPECT_EQ(TTemplate::CopyWidget(&box), nullptr);
  box.type = WIDGET_TYPE_CHECKBOX;
  box.textOffset = 3;
  std::unique_ptr<TWidget> copy(TTemplate::CopyWidget(&box));
  ASSERT_NE(dynamic_cast<TCheckBox*>(copy.get()), nullptr);
  EXPECT_EQ(static_cast<TCheckBox*>(copy.get())->textOffset, 3);
  TButton button;
  button.type = WIDGET_TYPE_BUTTON;
  std::unique_ptr<TWidget> buttonCopy(TTemplate::CopyWidget(&button));
  EXPECT_NE(dynamic_cast<TButton*>(buttonCopy.get()), nullptr);
}

} // namespace
