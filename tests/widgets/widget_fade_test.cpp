// Widget fades and opacity: frames from seconds at the application's frame rate, fade-in timing,
// fade-out ending in removal by the parent dialog, and the opacity children draw with.
#include <gtest/gtest.h>

#include "widget_test_support.h"

namespace {

const char* kPanel =
    "dialog: panel\n size: 100, 50\n modal: position\nend\nimage: icon\n size: 20, 20\nend\n";

struct FadeCase {
  const char* name;
  int fps;
  FIXED_FLOAT delay, duration; // seconds
  int opaqueAfter;             // steps of the parent until the widget is opaque
};

class FadeInTiming : public ::testing::TestWithParam<FadeCase> {};

TEST_P(FadeInTiming, ReachesOpaqueOnTheExpectedStep) {
  const FadeCase& c = GetParam();
  WidgetApp app;
  app.m_nFps = c.fps;
  auto tmpl = ParseTemplate(kPanel);
  XDialog* panel = new XDialog(&app, tmpl.get(), tmpl->GetWidget("panel"), nullptr);
  ASSERT_TRUE(panel->OnInitWidget());
  WidgetContext placement;
  placement.fadeIn = 1;
  placement.fadeInDelay = c.delay;
  placement.fadeInDuration = c.duration;
  XWidget* icon = new XWidget(panel, tmpl.get(), tmpl->GetWidget("icon"), &placement);
  ASSERT_TRUE(icon->OnInitWidget());
  EXPECT_EQ(icon->GetOwnOpacity(), 0);

  Steps(panel, c.opaqueAfter - 1);
  EXPECT_LT(icon->GetOwnOpacity(), XWIDGET_OPAQUE);
  if (c.delay > 0) {
    EXPECT_TRUE(icon->IsFadingThisOrParentNow());
  }
  Steps(panel, 1);
  EXPECT_EQ(icon->GetOwnOpacity(), XWIDGET_OPAQUE);
  EXPECT_FALSE(icon->IsFadingNow());
}

INSTANTIATE_TEST_SUITE_P(
    Widgets, FadeInTiming,
    ::testing::Values(FadeCase{"HalfSecondAt60", 60, 0, 128, 30},        // step 0xFF000 / 480 = 2176
                      FadeCase{"OneSecondAt30", 30, 0, 256, 30},         //
                      FadeCase{"NoDurationOnTheFirstStep", 60, 0, 0, 1}, //
                      FadeCase{"ShorterThanAFrame", 60, 0, 3, 1},        //
                      FadeCase{"HalfSecondDelayThenAQuarter", 60, 128, 64, 44}),
    [](const ::testing::TestParamInfo<FadeCase>& info) { return std::string(info.param.name); });

TEST(WidgetFade, HalfSecondAt60FramesStepsBy2176) {
  WidgetApp app;
  auto tmpl = ParseTemplate(kPanel);
  XDialog* panel = new XDialog(&app, tmpl.get(), tmpl->GetWidget("panel"), nullptr);
  XWidget* icon = new XWidget(panel, tmpl.get(), tmpl->GetWidget("icon"), nullptr);
  icon->SheduleCreateWithEffect(0, 128);
  EXPECT_EQ(icon->m_nFadeInStep, 2176);
  EXPECT_EQ(icon->GetOwnOpacity(), 0);
  Steps(panel, 29);
  EXPECT_EQ(icon->GetOwnOpacity(), 29 * 2176);
}

TEST(WidgetFade, DestroyWithoutEffectGoesAtTheParentsNextStep) {
  WidgetApp app;
  auto tmpl = ParseTemplate(kPanel);
  XDialog* panel = new XDialog(&app, tmpl.get(), tmpl->GetWidget("panel"), nullptr);
  XWidget* icon = new XWidget(panel, tmpl.get(), tmpl->GetWidget("icon"), nullptr);
  icon->SheduleDestroyWithEffect(0, 0);
  EXPECT_TRUE(icon->IsDestroyPending());
  EXPECT_EQ(panel->GetChildCount(), 1);
  Steps(panel, 1);
  EXPECT_EQ(panel->GetChildCount(), 0);
  // Reported through the dialog to its parent, with the widget's template name.
  auto destroyed = app.Received(XMSG_WIDGET_DESTROYED);
  ASSERT_EQ(destroyed.size(), 1u);
  EXPECT_EQ(destroyed[0].sender, panel);
  EXPECT_EQ(destroyed[0].text, "icon");
}

TEST(WidgetFade, FadeOutEndsOneStepAfterTransparent) {
  WidgetApp app;
  auto tmpl = ParseTemplate(kPanel);
  XDialog* panel = new XDialog(&app, tmpl.get(), tmpl->GetWidget("panel"), nullptr);
  XWidget* icon = new XWidget(panel, tmpl.get(), tmpl->GetWidget("icon"), nullptr);
  Steps(panel, 5);
  icon->SheduleDestroyWithEffect(FIXED_FLOAT_ONE / 2, 64); // after 30 frames, over 15
  Steps(panel, 29);
  EXPECT_EQ(icon->GetOwnOpacity(), XWIDGET_OPAQUE);
  EXPECT_FALSE(icon->IsFadingOutThisOrParentNow());
  Steps(panel, 15); // 15 steps down to 0 from frame 35 on
  EXPECT_EQ(icon->GetOwnOpacity(), 0);
  EXPECT_TRUE(icon->IsFadingOutThisOrParentNow());
  EXPECT_EQ(panel->GetChildCount(), 1);
  Steps(panel, 1);
  EXPECT_EQ(panel->GetChildCount(), 0);
}

TEST(WidgetFade, AFadeOutDueWinsOverAFadeIn) {
  WidgetApp app;
  auto tmpl = ParseTemplate(kPanel);
  XDialog* panel = new XDialog(&app, tmpl.get(), tmpl->GetWidget("panel"), nullptr);
  WidgetContext placement;
  placement.fadeIn = placement.fadeOut = 1;
  placement.fadeInDuration = 128;
  placement.fadeOutDelay = FIXED_FLOAT_ONE / 4; // frame 15
  placement.fadeOutDuration = 0;
  XWidget* icon = new XWidget(panel, tmpl.get(), tmpl->GetWidget("icon"), &placement);
  ASSERT_TRUE(icon->OnInitWidget());
  Steps(panel, 14);
  EXPECT_EQ(icon->GetOwnOpacity(), 14 * 2176);
  EXPECT_TRUE(icon->IsFadingInThisOrParentNow());
  Steps(panel, 1); // the fade-out takes over and drops it to 0 at once
  EXPECT_EQ(icon->GetOwnOpacity(), 0);
  EXPECT_FALSE(icon->IsFadingInThisOrParentNow());
  Steps(panel, 1);
  EXPECT_EQ(panel->GetChildCount(), 0);
}

TEST(WidgetOpacity, ChildrenDrawWithTheirDialogsOpacity) {
  WidgetApp app;
  auto tmpl = ParseTemplate(kPanel);
  XDialog* panel = new XDialog(&app, tmpl.get(), tmpl->GetWidget("panel"), nullptr);
  XWidget* icon = new XWidget(panel, tmpl.get(), tmpl->GetWidget("icon"), nullptr);
  EXPECT_EQ(icon->GetOpacity(), XWIDGET_OPAQUE);

  panel->ApplyOpacity(0x8000);
  EXPECT_EQ(panel->GetOpacity(), 0x8000); // a dialog's total is its own
  EXPECT_EQ(icon->GetOwnOpacity(), XWIDGET_OPAQUE);
  EXPECT_EQ(icon->GetOpacity(), 0x7F80);
  icon->ApplyOpacity(0x8000);
  EXPECT_EQ(icon->GetOpacity(), 0x4000);

  panel->ApplyOpacity(XWIDGET_OPAQUE);
  EXPECT_EQ(icon->GetOpacity(), 0x8000);

  // The whole subtree takes the same opacity.
  XDialog* inner = new XDialog(panel, tmpl.get(), tmpl->GetWidget("panel"), nullptr);
  XWidget* deep = new XWidget(inner, tmpl.get(), tmpl->GetWidget("icon"), nullptr);
  panel->ApplySimilarOpacityToAllChildren(0x1000);
  EXPECT_EQ(inner->GetOwnOpacity(), 0x1000);
  EXPECT_EQ(deep->GetOwnOpacity(), 0x1000);
  EXPECT_EQ(icon->GetOwnOpacity(), 0x1000);
}

} // namespace
