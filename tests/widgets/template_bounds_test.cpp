// Templates from a file cannot make the engine build without end or compute wrong: the widget limit
// holds for everything one action or one load builds, a child or background naming a root fails the
// build, and a tuner keeps its handle on its track whatever offsets the file gives.
#include <gtest/gtest.h>

#include <string>

#include "temp_dir.h"
#include "ui_template.h"
#include "widget_sets_support.h"
#include "widget_tuner.h"

namespace {

// A root whose tree comes from the given template file text (its first root).
struct Built {
  ScopedTempDir dir;
  SetsApp app;
  XRoot* root = nullptr;
  int ok = 0;

  explicit Built(const std::string& text) {
    app.m_pDoubleBuffer = new CWinDibBitmap(&app); // the application deletes it
    app.m_pDoubleBuffer->Create(480, 320);
    app.AddFont(10);
    app.AddSet("track", {{200, 20}});
    app.AddSet("knob", {{10, 10}});
    WriteUiFile("t.txt", text);
    root = new XRoot(&app);
    ok = root->InitRoot("t.txt", nullptr);
  }
  ~Built() { delete root; }

  // Every widget below the root.
  int Widgets() const { return Count(root); }
  static int Count(CXElement* e) {
    int n = 0;
    for (int i = 0; i < e->GetChildCount(); i++)
      n += 1 + Count(e->GetChildPtrAt(i));
    return n;
  }
};

// A dialog placing `texts` texts, and an action creating it `steps` times.
std::string ManyTexts(int texts, int steps) {
  std::string t = "root: r\n  size: 480, 320\nend\ndialog: many\n  modal: position\n";
  for (int i = 0; i < texts; i++)
    t += "  child: word\n    position: " + std::to_string(i % 400) + ", 0\n  end\n";
  t += "end\ntext: word\n  caption: w\nend\naction: fill\n";
  for (int i = 0; i < steps; i++)
    t += "  create: many, 0, " + std::to_string(i) + "\n";
  return t + "end\n";
}

TEST(TemplateBounds, OneActionBuildsNoMoreWidgetsThanTheLimit) {
  // Each step alone stays within the limit (one dialog and 600 texts); the action as a whole would
  // make 60,100 widgets.
  Built b(ManyTexts(600, 100));
  ASSERT_EQ(b.ok, 1);
  testing::internal::CaptureStderr();
  EXPECT_EQ(b.root->DoAction(CommonString("fill")), 1);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_LE(b.Widgets(), (int)TEMPLATE_MAX_WIDGETS);
  EXPECT_GE(b.Widgets(), 601); // the first step is whole
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err.substr(0, 500);
  EXPECT_NE(err.find("more than 1024 widgets"), std::string::npos) << err.substr(0, 500);
  // The next action is a build of its own.
  int before = b.Widgets();
  testing::internal::CaptureStderr();
  b.root->DoAction(CommonString("fill"));
  testing::internal::GetCapturedStderr();
  EXPECT_GE(b.Widgets(), before + 601);
}

TEST(TemplateBounds, AChildOrBackgroundNamingARootFailsTheBuild) {
  const char* cases[] = {
      "root: r\n  child: inner\n  end\nend\ndialog: inner\n  modal: position\n  child: other\n  end\nend\n"
      "root: other\nend\n",
      "root: r\n  background: other\nend\nroot: other\nend\n",
  };
  for (const char* text : cases) {
    testing::internal::CaptureStderr();
    Built b(text);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(b.ok, 0) << text;
    EXPECT_NE(err.find("\"other\" is a root"), std::string::npos) << err;
  }
  // A name the template lacks is still only skipped.
  Built missing("root: r\n  child: nothere\n  end\nend\n");
  EXPECT_EQ(missing.ok, 1);
}

// Offsets from the file, and the ones the tuner keeps on its 200-pixel track.
struct TunerOffsets {
  int left, right, start, end;
};

class TunerOffsetBounds : public testing::TestWithParam<TunerOffsets> {};

// Whatever 16-bit offsets a file gives, the handle slides on the track: at the maximum it sits at
// the track's end offset, half-way along the sliding part it takes half the maximum.
TEST_P(TunerOffsetBounds, ATunerWithOffsetsAtTheEndsOfTheirRangePlacesItsHandleOnItsTrack) {
  const TunerOffsets& c = GetParam();
  Built b("root: r\n  child: t\n  end\nend\ntuner: t\n  tunerId: track\n  handleId: knob\n  offsetLeft: " +
          std::to_string(c.left) + "\n  offsetRight: " + std::to_string(c.right) +
          "\n  max: 32767\n  step: 1\nend\n");
  ASSERT_EQ(b.ok, 1);
  XTuner* t = dynamic_cast<XTuner*>(b.root->FindChildWithWidgetId("t"));
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->m_nStartOffset, c.start);
  EXPECT_EQ(t->m_nEndOffset, c.end);
  int sw = t->GetTotalSlidingWidth();
  ASSERT_EQ(sw, 200 - c.start - c.end);
  t->SetCurrent(32767);
  EXPECT_EQ(t->m_nStartOffset + t->m_nHandlePos, 200 - c.end);
  t->SetCurrent(0);
  EXPECT_EQ(t->m_nHandlePos, 0);
  if (sw >= 2) {
    t->AdjustToClosestValue(c.start + sw / 2);
    EXPECT_NEAR(t->GetValue(), 16383, 32767 / sw + 1);
    EXPECT_NEAR(t->m_nHandlePos, sw / 2, 1);
  }
  // A pointer past either end of the track stops the handle at that end.
  t->AdjustToClosestValue(-40000);
  EXPECT_EQ(t->m_nHandlePos, 0);
  t->AdjustToClosestValue(40000);
  EXPECT_EQ(t->m_nStartOffset + t->m_nHandlePos, 200 - c.end);
}

INSTANTIATE_TEST_SUITE_P(TemplateBounds, TunerOffsetBounds,
                         testing::Values(TunerOffsets{-32768, -32768, 0, 0},
                                         TunerOffsets{32767, 32767, 200, 0}, TunerOffsets{150, 100, 150, 50},
                                         TunerOffsets{-5, 32767, 0, 200}, TunerOffsets{10, 10, 10, 10}));

} // namespace
