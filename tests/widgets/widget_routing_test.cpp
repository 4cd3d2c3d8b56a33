// Dialog input and commands: hit-test modes, fading widgets passing pointer events on, focus
// traversal, command bubbling, and children deleted while the dialog steps through them.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#include "widget_test_support.h"

namespace {

const char* kTemplate = "dialog: all\n size: 100, 50\nend\n"
                        "dialog: position\n size: 100, 50\n modal: position\nend\n"
                        "dialog: children\n size: 100, 50\n modal: children\nend\n"
                        "image: icon\n size: 20, 20\nend\n";

// A plain widget that records what reaches it.
class Probe : public XWidget {
public:
  Probe(CXElement* parent, TTemplate* t, int x, int y, std::vector<Probe*>* ran = nullptr)
      : XWidget(parent, t, t->GetWidget("icon"), nullptr), m_pRan(ran) {
    OnInitWidget();
    SetPosition(x, y, 20, 20);
  }
  int NotifyPointerEvent(int, int, int type) override {
    pointerEvents.push_back(type);
    return 1;
  }
  void RunProcess() override {
    XWidget::RunProcess();
    if (m_pRan) m_pRan->push_back(this);
    for (CXElement* victim : victims)
      delete victim;
    victims.clear();
    if (deleteSelf) delete this; // the dialog must not touch it afterwards
  }

  std::vector<int> pointerEvents;
  std::vector<CXElement*> victims;
  bool deleteSelf = false;

private:
  std::vector<Probe*>* m_pRan;
};

struct Fixture {
  WidgetApp app;
  std::unique_ptr<TTemplate> tmpl = ParseTemplate(kTemplate);
  XDialog* Dialog(const char* name, int x = 10, int y = 10) {
    XDialog* d = new XDialog(&app, tmpl.get(), tmpl->GetWidget(name), nullptr);
    EXPECT_TRUE(d->OnInitWidget());
    d->OffsetWidgetPosition(x, y);
    return d;
  }
};

struct HitCase {
  const char* dialog;
  int x, y;
  bool onChild; // the point is on a visible child
  bool contained;
};
// Test names show the case, not the bytes of a pointer (which differ from run to run).
void PrintTo(const HitCase& c, std::ostream* os) {
  *os << c.dialog << " at " << c.x << "," << c.y << (c.onChild ? " on a child" : "");
}

class DialogHitTest : public ::testing::TestWithParam<HitCase> {};

TEST_P(DialogHitTest, ContainsFollowsTheModalSetting) {
  const HitCase& c = GetParam();
  Fixture f;
  XDialog* d = f.Dialog(c.dialog);
  Probe* child = new Probe(d, f.tmpl.get(), 300, 300);
  if (!c.onChild) child->Hide();
  EXPECT_EQ(d->Contains(c.x, c.y), c.contained);
  // Without a child taking it, the event is the dialog's when it contains the point or is modal.
  int taken = d->NotifyPointerEvent(c.x, c.y, 1);
  EXPECT_EQ(taken, c.contained ? 1 : 0);
  EXPECT_EQ(child->pointerEvents.size(), c.onChild && c.x >= 300 ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Widgets, DialogHitTest,
    ::testing::Values(HitCase{"all", 1000, -5, false, true},       // setting 0 takes every point
                      HitCase{"position", 10, 10, false, true},    // the top left corner is in
                      HitCase{"position", 109, 59, false, true},   //
                      HitCase{"position", 110, 30, false, false},  // the right edge is out
                      HitCase{"position", 50, 60, false, false},   // and the bottom edge
                      HitCase{"position", 305, 305, true, true},   // on a visible child
                      HitCase{"children", 50, 30, false, false},   // inside, but on no child
                      HitCase{"children", 305, 305, true, true},   //
                      HitCase{"children", 305, 305, false, false}) // the child is hidden
);

TEST(DialogInput, ModalSettingZeroMakesTheDialogModal) {
  Fixture f;
  XDialog* all = f.Dialog("all");
  XDialog* position = f.Dialog("position");
  EXPECT_TRUE(all->IsModal());
  EXPECT_FALSE(position->IsModal());
  EXPECT_EQ(all->GetHitTestMode(), 0);
}

TEST(DialogInput, AFadingWidgetPassesTheEventToTheOneBelow) {
  Fixture f;
  XDialog* d = f.Dialog("position");
  Probe* lower = new Probe(d, f.tmpl.get(), 20, 20);
  Probe* upper = new Probe(d, f.tmpl.get(), 25, 25);
  upper->SheduleCreateWithEffect(0, 128);
  d->RunProcess();
  ASSERT_TRUE(upper->IsFadingIn());

  EXPECT_EQ(d->NotifyPointerEvent(30, 30, 1), 1);
  EXPECT_EQ(lower->pointerEvents, std::vector<int>{1});
  EXPECT_TRUE(upper->pointerEvents.empty());
  EXPECT_EQ(d->GetActiveObjectPtr(), lower);

  // Waiting for a delayed fade-in counts as fading too; once opaque the upper one takes it.
  Steps(d, 30);
  upper->SheduleCreateWithEffect(FIXED_FLOAT_ONE, 0);
  EXPECT_TRUE(upper->IsWaitingForFadeIn());
  d->NotifyPointerEvent(30, 30, 2);
  EXPECT_TRUE(upper->pointerEvents.empty());
  Steps(d, 60);
  d->NotifyPointerEvent(30, 30, 3);
  EXPECT_EQ(upper->pointerEvents, std::vector<int>{3});
  EXPECT_EQ(d->GetActiveObjectPtr(), upper);
}

TEST(DialogInput, AFadingDialogSwallowsFocusKeys) {
  Fixture f;
  XDialog* d = f.Dialog("position");
  d->SheduleCreateWithEffect(0, 128);
  d->RunProcess();
  EXPECT_EQ(d->NotifyKeyEvent(2, 1), 1);
  EXPECT_EQ(d->NotifyKeyEvent(6, 1), 0); // not a focus key: to the (absent) active child
}

TEST(DialogFocus, TraversalWithoutAnInteractiveChildComesBackAndReportsNothing) {
  Fixture f;
  XDialog* d = f.Dialog("position");
  Probe* a = new Probe(d, f.tmpl.get(), 0, 0);
  new Probe(d, f.tmpl.get(), 0, 0);
  d->SetFocus(a);
  EXPECT_EQ(d->SetNextActiveObject(2), 0);
  EXPECT_EQ(d->GetActiveObjectPtr(), a);
  EXPECT_EQ(d->SetPrevActiveObject(1), 0);
  EXPECT_EQ(d->GetActiveObjectPtr(), a);

  // A nested dialog is interactive: focus moves onto it, and back round to it alone.
  XDialog* inner = new XDialog(d, f.tmpl.get(), f.tmpl->GetWidget("position"), nullptr);
  d->SetFocus(a);
  EXPECT_EQ(d->SetNextActiveObject(2), 1);
  EXPECT_EQ(d->GetActiveObjectPtr(), inner);
  EXPECT_EQ(d->SetNextActiveObject(2), 1); // the only taker, already active
  EXPECT_EQ(d->GetActiveObjectPtr(), inner);
  // Hiding the active widget moves the focus on to the one that takes it.
  d->SetFocus(a);
  a->Hide();
  EXPECT_EQ(d->GetActiveObjectPtr(), inner);
}

TEST(DialogCommands, AnUnboundCommandBubblesUpAs600FromEachDialog) {
  Fixture f;
  XDialog* outer = f.Dialog("position");
  XDialog* inner = new XDialog(outer, f.tmpl.get(), f.tmpl->GetWidget("children"), nullptr);
  Probe* button = new Probe(inner, f.tmpl.get(), 0, 0);
  EXPECT_EQ(button->SendMessage(nullptr, XMSG_COMMAND, (intptr_t) "ok", 0, false), 1);
  auto commands = f.app.Received(XMSG_COMMAND);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].sender, outer); // each dialog passes it on as the sender
  EXPECT_EQ(commands[0].text, "ok");
  // Other messages go on unchanged, with the dialog as the sender.
  button->SendMessage(nullptr, XMSG_PRESSED, (intptr_t) "ok", 0, false);
  ASSERT_EQ(f.app.Received(XMSG_PRESSED).size(), 1u);
  EXPECT_EQ(f.app.Received(XMSG_PRESSED)[0].sender, outer);
}

TEST(DialogStep, ChildrenDeletedWhileTheDialogStepsThroughThemAreSafe) {
  Fixture f;
  XDialog* d = f.Dialog("position");
  std::vector<Probe*> ran;
  Probe* a = new Probe(d, f.tmpl.get(), 0, 0, &ran);
  Probe* b = new Probe(d, f.tmpl.get(), 0, 0, &ran);
  Probe* killer = new Probe(d, f.tmpl.get(), 0, 0, &ran);
  Probe* c = new Probe(d, f.tmpl.get(), 0, 0, &ran);
  Probe* suicide = new Probe(d, f.tmpl.get(), 0, 0, &ran);
  suicide->deleteSelf = true;
  killer->victims = {c, b}; // one already stepped, one still due
  b->SheduleDestroyWithEffect(0, 0);

  d->RunProcess();
  // From the last to the first; the deleted ones are not touched again.
  ASSERT_EQ(ran.size(), 4u);
  EXPECT_EQ(ran[0], suicide);
  EXPECT_EQ(ran[1], c);
  EXPECT_EQ(ran[2], killer);
  EXPECT_EQ(ran[3], a);
  EXPECT_EQ(d->GetChildCount(), 2);
  EXPECT_TRUE(d->ContatinsChild(a));
  EXPECT_TRUE(d->ContatinsChild(killer));
  EXPECT_TRUE(f.app.Received(XMSG_WIDGET_DESTROYED).empty()); // b was deleted, not destroyed
}

} // namespace
