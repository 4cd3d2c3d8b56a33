// The element tree: registration, pointer dispatch with modality, focus traversal, key routing,
// messages and the slide state.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game_base.h"
#include "win_dib_bitmap.h"
#include "xelement.h"

namespace {

// Records what reaches it; type, button role and message handling are configurable.
class Probe : public CXElement {
public:
  Probe(CXElement* parent, int x = 0, int y = 0, int w = 0, int h = 0) : CXElement(parent, nullptr) {
    SetPosition(x, y, w, h);
  }
  int Type() override { return type; }
  bool IsButton() override { return softKey != 0; }
  int GetSoftKeyId() override { return softKey; }
  void OnSetFocus() override { focusCalls++; }
  void Draw() override {
    draws++;
    CXElement::Draw();
  }
  int NotifyPointerEvent(int x, int y, int t) override {
    pointer.push_back({x, y, t});
    CXElement::NotifyPointerEvent(x, y, t);
    return 0; // the parent reports the event handled regardless
  }
  int NotifyMultiTouchPointerEvent(int x, int y, int t, int touch) override {
    touches.push_back(touch);
    return CXElement::NotifyMultiTouchPointerEvent(x, y, t, touch);
  }
  int NotifyKeyEvent(int key, int state) override {
    keys.push_back({key, state});
    if (dialog) return NotifyKeyEventDialogHelper(key, state);
    return keyAnswer;
  }
  int OnMessage(CXElement* sender, int message, intptr_t p1, intptr_t p2) override {
    messages.push_back({sender, message, p1, p2});
    if (endsMessages) return 7;
    return CXElement::OnMessage(sender, message, p1, p2);
  }

  struct Event {
    int a, b, c;
  };
  struct Message {
    CXElement* sender;
    int message;
    intptr_t p1, p2;
  };
  int type = 0;
  int softKey = 0;
  int keyAnswer = 0;
  bool dialog = false;
  bool endsMessages = false;
  int focusCalls = 0;
  int draws = 0;
  std::vector<Event> pointer;
  std::vector<int> touches;
  std::vector<std::pair<int, int>> keys;
  std::vector<Message> messages;
};

// The smallest application object: the element tests need its capture and key locks.
class TestApp : public CGameBase {
public:
  bool Pause() override { return true; }
  bool CreateApplicationData() override { return true; }
  bool ReLoadFonts() override { return true; }
  CommonString GetImagesDirectory() override { return CommonString(); }
  CommonString GetSoundsDirectory() override { return CommonString(); }
  CommonString GetSaveDirectory() override { return CommonString(); }
  CommonString GetCommonGamePackName() override { return CommonString(); }
  CommonString GetResolutionSpecificGamePackName() override { return CommonString(); }
};

TEST(ElementTreeTest, ConstructionRegistersAndDestructionUnregisters) {
  Probe root(nullptr);
  EXPECT_EQ(root.GetParent(), nullptr);
  auto* a = new Probe(&root);
  auto* b = new Probe(&root);
  ASSERT_EQ(root.GetChildCount(), 2);
  EXPECT_EQ(root.GetChildPtrAt(0), a);
  EXPECT_EQ(root.GetChildPtrAt(1), b);
  EXPECT_EQ(root.GetActiveObjectPtr(), b); // the newest child takes the focus
  EXPECT_EQ(b->GetParent(), &root);
  EXPECT_TRUE(root.ContatinsChild(a));
  EXPECT_FALSE(root.ContatinsChild(nullptr));
  for (int bad : {-1, 2, 1000})
    EXPECT_EQ(root.GetChildPtrAt(bad), nullptr) << bad;

  delete b;
  EXPECT_EQ(root.GetChildCount(), 1);
  EXPECT_EQ(root.GetActiveObjectPtr(), nullptr);
  EXPECT_FALSE(root.ContatinsChild(b));
  delete a;
  EXPECT_EQ(root.GetChildCount(), 0);
}

TEST(ElementTreeTest, ChildDeletedAfterItsParentDoesNotTouchIt) {
  auto parent = std::make_unique<Probe>(nullptr);
  auto* child = new Probe(parent.get());
  auto* grandChild = new Probe(child);
  parent.reset();
  EXPECT_EQ(child->GetParent(), nullptr);
  EXPECT_EQ(child->SendMessage(nullptr, 5, 0, 0, false), 0); // no parent to reach any more
  delete child;
  EXPECT_EQ(grandChild->GetParent(), nullptr);
  delete grandChild;
}

TEST(ElementTreeTest, ChildrenShareTheApplicationAndReleaseItsCaptureOnDeletion) {
  TestApp app;
  auto* holder = new Probe(&app);
  auto* bystander = new Probe(holder);
  EXPECT_EQ(holder->GetApp(), &app);
  EXPECT_EQ(bystander->GetApp(), &app);
  app.XSetCapture(holder);
  delete bystander;
  EXPECT_EQ(app.XGetCapture(), holder);
  delete holder;
  EXPECT_EQ(app.XGetCapture(), nullptr);
  EXPECT_EQ(app.GetChildCount(), 0);
}

TEST(ElementTreeTest, RemovalAndDestroyKeepTheListConsistent) {
  Probe root(nullptr);
  Probe a(&root), b(&root), c(&root);
  root.RemoveChildAt(-1);
  root.RemoveChildAt(3);
  ASSERT_EQ(root.GetChildCount(), 3);
  EXPECT_EQ(root.GetActiveObjectPtr(), &c);

  root.RemoveChildAt(2); // the active child
  EXPECT_EQ(root.GetActiveObjectPtr(), nullptr);
  ASSERT_EQ(root.GetChildCount(), 2);

  root.SetFocus(&b);
  root.RemoveChild(&a); // later children move down, focus stays
  EXPECT_EQ(root.GetChildPtrAt(0), &b);
  EXPECT_EQ(root.GetActiveObjectPtr(), &b);
  root.RemoveChild(&c); // absent: unchanged
  EXPECT_EQ(root.GetChildCount(), 1);

  b.Destroy(); // detaches and hides without deleting
  EXPECT_EQ(root.GetChildCount(), 0);
  EXPECT_EQ(root.GetActiveObjectPtr(), nullptr);
  EXPECT_EQ(b.GetParent(), nullptr);
  EXPECT_FALSE(b.IsVisible());
}

// Bottom (0,0)-(100,100) under top (50,50)-(150,150).
class PointerDispatchTest : public ::testing::Test {
protected:
  CXElement root{nullptr, nullptr};
  Probe bottom{&root, 0, 0, 100, 100};
  Probe top{&root, 50, 50, 100, 100};
};

TEST_F(PointerDispatchTest, LaterOverlappingChildWinsAndBecomesActive) {
  root.SetFocus(&bottom);
  EXPECT_EQ(root.NotifyPointerEvent(75, 75, 1), 1);
  ASSERT_EQ(top.pointer.size(), 1u);
  EXPECT_EQ(top.pointer[0].c, 1);
  EXPECT_TRUE(bottom.pointer.empty());
  EXPECT_EQ(root.GetActiveObjectPtr(), &top);

  EXPECT_EQ(root.NotifyPointerEvent(10, 100, 2), 1); // bottom edge counts as inside
  EXPECT_EQ(bottom.pointer.size(), 1u);
  EXPECT_EQ(root.GetActiveObjectPtr(), &bottom);

  EXPECT_EQ(root.NotifyPointerEvent(151, 10, 1), 0);
  EXPECT_EQ(root.GetActiveObjectPtr(), &bottom);
}

TEST_F(PointerDispatchTest, ModalChildBlocksLowerChildrenEvenWhenHidden) {
  Probe modal(&root, 200, 200, 10, 10);
  modal.SetModal(true);
  for (bool hidden : {false, true}) {
    if (hidden) modal.Hide();
    EXPECT_EQ(root.NotifyPointerEvent(75, 75, 1), 1) << hidden;
    EXPECT_EQ(root.NotifyMultiTouchPointerEvent(75, 75, 1, 3), 1) << hidden;
  }
  EXPECT_TRUE(top.pointer.empty());
  EXPECT_TRUE(bottom.pointer.empty());
  EXPECT_TRUE(top.touches.empty());
  EXPECT_TRUE(modal.pointer.empty());

  modal.Show(); // the modal child itself is still reachable
  EXPECT_EQ(root.NotifyPointerEvent(205, 205, 3), 1);
  EXPECT_EQ(modal.pointer.size(), 1u);
}

TEST_F(PointerDispatchTest, HiddenChildIsSkippedButStaysInTheList) {
  top.Hide();
  EXPECT_EQ(root.NotifyPointerEvent(75, 75, 1), 1);
  EXPECT_TRUE(top.pointer.empty());
  EXPECT_EQ(bottom.pointer.size(), 1u);
  EXPECT_EQ(root.GetChildCount(), 2);

  root.Draw();
  EXPECT_EQ(bottom.draws, 1);
  EXPECT_EQ(top.draws, 0);
  root.Hide();
  root.Draw();
  EXPECT_EQ(bottom.draws, 1);
  EXPECT_EQ(root.NotifyPointerEvent(10, 10, 1), 0); // an invisible element takes nothing
}

TEST_F(PointerDispatchTest, MultiTouchReachesHitChildWithoutMovingFocus) {
  root.SetFocus(&bottom);
  EXPECT_EQ(root.NotifyMultiTouchPointerEvent(120, 120, 1, 4), 1);
  ASSERT_EQ(top.touches.size(), 1u);
  EXPECT_EQ(top.touches[0], 4);
  EXPECT_EQ(root.GetActiveObjectPtr(), &bottom);
  EXPECT_EQ(root.NotifyMultiTouchPointerEvent(300, 300, 1, 4), 0);
}

TEST(ElementKeysTest, HidingTheActiveChildLeavesKeysUnhandled) {
  CXElement root(nullptr, nullptr);
  Probe child(&root);
  child.keyAnswer = 1;
  EXPECT_EQ(root.NotifyKeyEvent(5, 1), 1);
  child.Hide();
  EXPECT_EQ(root.GetActiveObjectPtr(), nullptr);
  EXPECT_EQ(root.NotifyKeyEvent(5, 1), 0);
  EXPECT_EQ(child.keys.size(), 1u);

  // Show restores the whole subtree but not the focus.
  Probe grandChild(&child);
  grandChild.Hide();
  root.Hide();
  root.Show();
  EXPECT_TRUE(child.IsVisible());
  EXPECT_TRUE(grandChild.IsVisible());
  EXPECT_EQ(root.GetActiveObjectPtr(), nullptr);
}

struct FocusCase {
  const char* name;
  std::vector<int> kinds; // per child: 0 visible, 1 hidden, 4 or 6 passed over
  int active;             // index of the active child, -1 for none
  bool forward;
  int result;
  int expectActive; // -1 for none
};
std::ostream& operator<<(std::ostream& os, const FocusCase& c) { return os << c.name; }

class FocusTraversalTest : public ::testing::TestWithParam<FocusCase> {};

TEST_P(FocusTraversalTest, MovesToNextEligibleChild) {
  const FocusCase& c = GetParam();
  Probe root(nullptr);
  std::vector<std::unique_ptr<Probe>> children;
  for (int kind : c.kinds) {
    children.push_back(std::make_unique<Probe>(&root));
    if (kind == 1) children.back()->Hide();
    if (kind == 4 || kind == 6) children.back()->type = kind;
  }
  root.SetFocus(c.active >= 0 ? children[c.active].get() : nullptr);
  for (auto& child : children)
    child->focusCalls = 0;
  int result = c.forward ? root.SetNextActiveObject(2) : root.SetPrevActiveObject(1);
  EXPECT_EQ(result, c.result);
  CXElement* expected = c.expectActive >= 0 ? children[c.expectActive].get() : nullptr;
  EXPECT_EQ(root.GetActiveObjectPtr(), expected);
  if (result == 1 && expected) {
    EXPECT_GE(static_cast<Probe*>(expected)->focusCalls, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FocusTraversalTest,
    ::testing::Values(FocusCase{"NoActiveForwardPicksIndex1", {0, 0, 0}, -1, true, 1, 1},
                      FocusCase{"NoActiveBackwardWrapsToLast", {0, 0, 0}, -1, false, 1, 2},
                      FocusCase{"ForwardWraps", {0, 0, 0}, 2, true, 1, 0},
                      FocusCase{"BackwardSteps", {0, 0, 0}, 2, false, 1, 1},
                      FocusCase{"PassesOverSkipTypesAndHidden", {0, 4, 1, 6, 0}, 0, true, 1, 4},
                      FocusCase{"BackwardPassesOverToo", {0, 4, 1, 6, 0}, 4, false, 1, 0},
                      FocusCase{"NothingEligibleKeepsFocus", {0, 1, 4}, 0, true, 0, 0},
                      FocusCase{"SingleChild", {0}, 0, true, 0, 0},
                      FocusCase{"NoChildren", {}, -1, true, 1, -1}),
    [](const ::testing::TestParamInfo<FocusCase>& info) { return std::string(info.param.name); });

TEST(FocusTraversalTest, FocusGroupMovesInsideFirst) {
  Probe root(nullptr);
  Probe group(&root);
  Probe other(&root);
  group.type = 5;
  Probe inner1(&group), inner2(&group);
  root.SetFocus(&group);
  group.SetFocus(&inner1);
  EXPECT_EQ(root.SetNextActiveObject(2), 1);
  EXPECT_EQ(root.GetActiveObjectPtr(), &group);
  EXPECT_EQ(group.GetActiveObjectPtr(), &inner2);

  inner2.Hide(); // the group has nowhere to go: the parent moves on
  group.SetFocus(&inner1);
  EXPECT_EQ(root.SetNextActiveObject(2), 1);
  EXPECT_EQ(root.GetActiveObjectPtr(), &other);
}

TEST(DialogKeysTest, ModalChildThenKeyTakerThenArrows) {
  Probe dialog(nullptr);
  Probe first(&dialog), second(&dialog);
  Probe modal(&dialog);
  modal.SetModal(true);
  modal.keyAnswer = 9;
  EXPECT_EQ(dialog.NotifyKeyEventDialogHelper(4, 1), 9);
  EXPECT_EQ(modal.keys.size(), 1u);

  modal.Hide(); // a hidden modal child no longer takes keys
  dialog.SetFocus(&first);
  first.type = 2;
  first.keyAnswer = 1;
  EXPECT_EQ(dialog.NotifyKeyEventDialogHelper(4, 1), 1);
  EXPECT_EQ(dialog.GetActiveObjectPtr(), &first);

  first.keyAnswer = 0; // declined: the arrow moves the focus
  EXPECT_EQ(dialog.NotifyKeyEventDialogHelper(4, 1), 1);
  EXPECT_EQ(dialog.GetActiveObjectPtr(), &second);
  EXPECT_EQ(dialog.NotifyKeyEventDialogHelper(3, 1), 1);
  EXPECT_EQ(dialog.GetActiveObjectPtr(), &first);
  EXPECT_EQ(dialog.NotifyKeyEventDialogHelper(4, 0), 0); // releases do not move focus
  EXPECT_EQ(dialog.GetActiveObjectPtr(), &first);
}

TEST(DialogKeysTest, ActionKeyGoesToYesButtonBesideItsSoftKeyPartner) {
  for (int partnerType : {0, 6, 7}) {
    Probe dialog(nullptr);
    Probe partner(&dialog);
    Probe yes(&dialog);
    partner.type = partnerType;
    yes.softKey = 1;
    yes.keyAnswer = 1;
    dialog.SetFocus(&partner);
    int result = dialog.NotifyKeyEventDialogHelper(5, 1);
    if (partnerType == 0) {
      EXPECT_EQ(result, 0); // no partner: the key goes to the active child, which declines
      EXPECT_TRUE(yes.keys.empty());
      EXPECT_EQ(partner.keys.size(), 1u);
    } else {
      EXPECT_EQ(result, 1) << partnerType;
      ASSERT_EQ(yes.keys.size(), 1u);
      EXPECT_EQ(yes.keys[0], std::make_pair(5, 1));
      EXPECT_EQ(dialog.GetActiveObjectPtr(), &yes);
    }
  }
}

TEST(DialogKeysTest, LockedActionKeySwallowsPressAndReleaseUnlocks) {
  TestApp app;
  Probe dialog(&app);
  Probe partner(&dialog);
  Probe yes(&dialog);
  partner.type = 7;
  yes.softKey = 1;
  yes.keyAnswer = 1;
  app.LockKey(5);
  app.LockKey(3);
  EXPECT_EQ(dialog.NotifyKeyEventDialogHelper(5, 1), 1);
  EXPECT_TRUE(app.IsKeyLocked(5));
  EXPECT_EQ(dialog.NotifyKeyEventDialogHelper(5, 0), 1);
  EXPECT_FALSE(app.IsKeyLocked(5));
  EXPECT_FALSE(app.IsKeyLocked(3)); // the release unlocks every key
  EXPECT_TRUE(yes.keys.empty());
  EXPECT_EQ(dialog.NotifyKeyEventDialogHelper(5, 1), 1);
  EXPECT_EQ(yes.keys.size(), 1u);
}

TEST(ElementQueriesTest, ModalChildAndStandardButtons) {
  Probe root(nullptr);
  Probe lowModal(&root), plain(&root), highModal(&root), noButton(&root), yesButton(&root);
  lowModal.SetModal(true);
  highModal.SetModal(true);
  noButton.softKey = 2;
  yesButton.softKey = 1;
  EXPECT_EQ(root.FindModalChild(), &highModal);
  highModal.Hide();
  EXPECT_EQ(root.FindModalChild(), &lowModal);
  lowModal.SetModal(false);
  EXPECT_EQ(root.FindModalChild(), nullptr);

  EXPECT_EQ(root.GetStandardButton(1), &yesButton);
  EXPECT_EQ(root.GetStandardButton(2), &noButton);
  EXPECT_EQ(root.GetStandardButton(0), nullptr);
  EXPECT_EQ(root.GetStandardButton(3), nullptr);
}

TEST(ElementMessagesTest, MessagesBubbleUpToTheElementThatEndsThem) {
  Probe root(nullptr);
  root.endsMessages = true;
  Probe middle(&root);
  Probe leaf(&middle);
  EXPECT_EQ(leaf.SendMessage(nullptr, 600, 3, 4, true), 7);
  ASSERT_EQ(middle.messages.size(), 1u);
  ASSERT_EQ(root.messages.size(), 1u);
  EXPECT_EQ(root.messages[0].sender, &leaf); // bubbling keeps the original sender
  EXPECT_EQ(root.messages[0].message, 600);
  EXPECT_EQ(root.messages[0].p1, 3);
  EXPECT_EQ(root.messages[0].p2, 4);

  EXPECT_EQ(leaf.SendMessage(&root, 601, 0, 0, false), 7); // straight to the target
  EXPECT_EQ(middle.messages.size(), 1u);
  EXPECT_EQ(root.messages.size(), 2u);
  Probe lonely(nullptr);
  EXPECT_EQ(lonely.SendMessage(nullptr, 1, 0, 0, false), 0);
}

TEST(ElementMessagesTest, SavedMessageIsSentOnlyWithACode) {
  Probe root(nullptr);
  root.endsMessages = true;
  Probe leaf(&root);
  leaf.SendSavedMessage(); // nothing saved yet
  EXPECT_TRUE(root.messages.empty());
  leaf.SetupSavedMessage(nullptr, 0, 1, 2, false);
  leaf.SendSavedMessage();
  EXPECT_TRUE(root.messages.empty());
  leaf.SetupSavedMessage(nullptr, 1002, 1, 2, true);
  leaf.SendSavedMessage();
  leaf.SendSavedMessage();
  ASSERT_EQ(root.messages.size(), 2u);
  EXPECT_EQ(root.messages[1].message, 1002);
  EXPECT_EQ(root.messages[1].p2, 2);
}

TEST(ElementSlideTest, OneStepSlideEndsAndCountdownStops) {
  Probe e(nullptr);
  e.SetSlideState(1);
  EXPECT_EQ(e.GetSlideCounter(), 1);
  e.ProcessSlideState();
  EXPECT_EQ(e.GetSlideState(), 0);
  EXPECT_EQ(e.GetSlideCounter(), 0);

  e.SetSlideState(2);
  for (int i = 0; i < 3; i++)
    EXPECT_EQ(e.ProcessSlideState(), 0);
  EXPECT_EQ(e.GetSlideState(), 2);
  EXPECT_EQ(e.GetSlideCounter(), 0);

  e.SetSlideState(3); // other states do nothing
  e.ProcessSlideState();
  EXPECT_EQ(e.GetSlideState(), 3);
  EXPECT_EQ(e.GetSlideCounter(), 1);
}

// A 16-bit double buffer of six pixels: white, the three pure channels, a mixed colour, black.
class FastFadeTest : public ::testing::Test {
protected:
  void SetUp() override {
    buffer = std::make_unique<CWinDibBitmap>(&app);
    buffer->SetBitsPerPixel(16);
    ASSERT_EQ(buffer->Create(3, 2), 1);
    Fill();
    app.m_pDoubleBuffer = buffer.get();
  }
  void TearDown() override { app.m_pDoubleBuffer = nullptr; }
  void Fill() {
    for (int i = 0; i < 6; i++)
      Pixels()[i] = kStart[i];
  }
  u16* Pixels() { return (u16*)buffer->GetBits(); }
  static u16 Rgb(int r, int g, int b) { return (u16)((r << 11) | (g << 5) | b); }

  static constexpr u16 kStart[6] = {0xFFFF, 0xF800, 0x07E0, 0x001F, (10 << 11) | (40 << 5) | 3, 0};
  TestApp app;
  std::unique_ptr<CWinDibBitmap> buffer;
};

TEST_F(FastFadeTest, ScalesEveryChannelByLevelOver256) {
  Probe element(&app);
  element.DrawFastFadeDoubleBufferToBlack(128);
  const u16 halved[6] = {Rgb(15, 31, 15), Rgb(15, 0, 0), Rgb(0, 31, 0), Rgb(0, 0, 15), Rgb(5, 20, 1), 0};
  for (int i = 0; i < 6; i++)
    EXPECT_EQ(Pixels()[i], halved[i]) << i;

  const struct {
    int level;
    bool keeps; // else black
  } ends[] = {{256, true}, {300, true}, {0, false}, {-7, false}};
  for (const auto& c : ends) {
    Fill();
    element.DrawFastFadeDoubleBufferToBlackPalmAPI(c.level);
    for (int i = 0; i < 6; i++)
      EXPECT_EQ(Pixels()[i], c.keeps ? kStart[i] : 0) << c.level << " pixel " << i;
  }
}

TEST_F(FastFadeTest, LeavesOtherBuffersAlone) {
  Probe element(&app);
  buffer->SetBitsPerPixel(24); // not a 16-bit buffer: untouched
  element.DrawFastFadeDoubleBufferToBlack(0);
  for (int i = 0; i < 6; i++)
    EXPECT_EQ(Pixels()[i], kStart[i]) << i;

  buffer->SetBitsPerPixel(16);
  Probe orphan(nullptr); // no application object: no buffer to reach
  orphan.DrawFastFadeDoubleBufferToBlack(0);
  app.m_pDoubleBuffer = nullptr;
  element.DrawFastFadeDoubleBufferToBlack(0);
  for (int i = 0; i < 6; i++)
    EXPECT_EQ(Pixels()[i], kStart[i]) << i;
}

} // namespace
