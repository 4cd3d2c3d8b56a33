// The root dialog: loading a template file into a tree, placing children and the background, and
// the back actions that undo an action.
#include <gtest/gtest.h>

#include "temp_dir.h"
#include "widget_test_support.h"

namespace {

const char* kMenus = R"(// a menu that opens a panel with a back button
root: main
  size: 480, 320
  child: menu
    position: 10, 20
  end
  actions
    onCommand: openButton, openPanel
    onCommand: otherButton, openOther
    onCommand: backButton, actionBack
  end
end
dialog: menu
  size: 200, 100
  modal: position
  child: openButton
  end
end
dialog: openButton
  size: 50, 20
  modal: position
end
dialog: panel
  size: 300, 200
  modal: position
  child: backButton
    position: 5, 6
  end
end
dialog: backButton
  size: 40, 20
  modal: position
end
dialog: other
  size: 10, 10
  modal: position
end
action: openPanel
  create: panel, 30, 40
  destroy: menu
end
action: openOther
  create: other, 1, 2
end
root: placed
  size: 480, 320
  background: bg
  alignBg: right
  alignBgV: center
  child: centred
    position: centered, 40
    alignX: center
  end
  child: bottom
    alignY: bottom
    alignYInParent: bottom
  end
end
dialog: bg
  size: 100, 50
  modal: position
end
dialog: centred
  size: 100, 50
  modal: position
end
dialog: bottom
  size: 100, 50
  modal: position
end
)";

struct RootFixture {
  ScopedTempDir dir;
  WidgetApp app;
  XRoot* root = new XRoot(&app);
  RootFixture() { WriteUiFile("menus.txt", kMenus); }
  XWidget* Find(const char* name) { return root->FindChildWithWidgetId(name); }
  // A widget's command, as a button sends it.
  void Command(const char* widget) {
    XWidget* w = Find(widget);
    ASSERT_NE(w, nullptr) << widget;
    w->SendMessage(nullptr, XMSG_COMMAND, (intptr_t)w->Id2WParam(), 0, false);
  }
};

TEST(Root, InitRootBuildsTheTreeAndReportsIt) {
  RootFixture f;
  ASSERT_TRUE(f.root->InitRoot("menus.txt", nullptr));
  EXPECT_EQ(XRoot::FindRoot(&f.app), f.root);
  XWidget* menu = f.Find("menu");
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->GetOrigin().x, 10);
  EXPECT_EQ(menu->GetOrigin().y, 20);
  ASSERT_NE(f.Find("openButton"), nullptr);
  EXPECT_EQ(f.Find("openButton")->GetParent(), menu);
  EXPECT_EQ(f.Find("panel"), nullptr); // only placed widgets are built
  // Each dialog reports itself when ready; the dialogs pass the reports on up.
  auto shown = f.app.Received(XMSG_DIALOG_SHOWN);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].text, "openButton");
  EXPECT_EQ(shown[1].text, "menu");
  EXPECT_EQ(shown[2].text, "main");
  EXPECT_EQ(shown[2].sender, f.root);
}

TEST(Root, InitRootTwiceReadsTheFileOnce) {
  RootFixture f;
  ASSERT_TRUE(f.root->InitRoot("menus.txt", "main"));
  TTemplate* held = f.root->GetTemplate();
  f.Find("menu")->OffsetWidgetPosition(1000, 0);               // marks the first tree's menu
  WriteUiFile("menus.txt", "root: main\n  size: 1, 1\nend\n"); // not read again
  ASSERT_TRUE(f.root->InitRoot("menus.txt", "main"));
  EXPECT_EQ(f.root->GetTemplate(), held);
  EXPECT_EQ(f.root->GetChildCount(), 1);
  ASSERT_NE(f.Find("menu"), nullptr);
  EXPECT_EQ(f.Find("menu")->GetOrigin().x, 10); // rebuilt
  EXPECT_EQ(f.root->GetOriginalSize().x, 480);

  // Another root of the held template; then a name it lacks.
  ASSERT_TRUE(f.root->InitRoot("menus.txt", "placed"));
  EXPECT_EQ(f.root->GetTemplate(), held);
  EXPECT_FALSE(f.root->InitRoot("menus.txt", "nosuch"));
  EXPECT_EQ(f.root->GetChildCount(), 0);
}

TEST(Root, AFileThatIsMissingOrHasNoRootGivesNothing) {
  RootFixture f;
  EXPECT_FALSE(f.root->InitRoot("missing.txt", nullptr));
  EXPECT_EQ(f.root->GetTemplate(), nullptr);
  WriteUiFile("noroot.txt", "dialog: lonely\nend\n");
  EXPECT_FALSE(f.root->InitRoot("noroot.txt", nullptr));
  EXPECT_EQ(f.root->GetTemplate(), nullptr);
  // A root that was never initialised steps and draws as an empty dialog.
  f.root->RunProcess();
  f.root->Draw();
}

TEST(Root, ATemplateThatNestsWithoutEndIsRefused) {
  RootFixture f;
  std::string deep = "root: r\n  child: d0\n  end\nend\n";
  for (int i = 0; i < 40; i++)
    deep += "dialog: d" + std::to_string(i) + "\n  modal: position\n  child: d" + std::to_string(i + 1) +
            "\n  end\nend\n";
  WriteUiFile("loops.txt", "root: r\n  child: loop\n  end\nend\n"
                           "dialog: loop\n  modal: position\n  child: inner\n  end\nend\n"
                           "dialog: inner\n  modal: position\n  child: loop\n  end\nend\n"
                           "root: self\n  child: selfish\n  end\nend\n"
                           "dialog: selfish\n  modal: position\n  background: selfish\nend\n");
  WriteUiFile("deep.txt", deep);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(f.root->InitRoot("loops.txt", "r"));
  EXPECT_FALSE(f.root->InitRoot("loops.txt", "self"));
  EXPECT_FALSE(f.root->InitRoot("deep.txt", nullptr));
  std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(said, "template: \"loop\" is placed inside itself; not built\n"
                  "template: \"selfish\" is placed inside itself; not built\n"
                  "template: \"d31\" nests deeper than 32 widgets; not built\n");
  EXPECT_EQ(f.root->GetChildCount(), 0);
}

// The root places d0 twice, and each of d0 .. d(levels - 1) places the next twice: 2^(levels + 2) - 2
// widgets below the root.
std::string FanOut(int levels) {
  std::string text = "root: r\n  child: d0\n  end\n  child: d0\n  end\nend\n";
  for (int i = 0; i < levels; i++) {
    std::string next = "d" + std::to_string(i + 1);
    text += "dialog: d" + std::to_string(i) + "\n  modal: position\n  child: " + next +
            "\n  end\n  child: " + next + "\n  end\nend\n";
  }
  return text + "dialog: d" + std::to_string(levels) + "\n  modal: position\nend\n";
}

int CountWidgets(CXElement* e) {
  int n = 0;
  for (int i = 0; i < e->GetChildCount(); i++)
    n += 1 + CountWidgets(e->GetChildPtrAt(i));
  return n;
}

TEST(Root, ATemplateThatWouldMakeTooManyWidgetsIsRefusedWhole) {
  RootFixture f;
  WriteUiFile("fan8.txt", FanOut(8)); // 1022 widgets
  WriteUiFile("fan9.txt", FanOut(9)); // 2046
  ASSERT_TRUE(f.root->InitRoot("fan8.txt", nullptr));
  EXPECT_EQ(CountWidgets(f.root), 1022);

  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(f.root->InitRoot("fan9.txt", nullptr));
  std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("would make more than 1024 widgets; not built\n"), std::string::npos) << said;
  EXPECT_EQ(said.find('\n'), said.size() - 1) << said; // said once
  EXPECT_EQ(f.root->GetChildCount(), 0);               // nothing half built is left

  // A root whose later child fails keeps none of the earlier ones either.
  WriteUiFile("half.txt", "root: r\n  child: fine\n  end\n  child: loop\n  end\nend\n"
                          "dialog: fine\n  modal: position\nend\n"
                          "dialog: loop\n  modal: position\n  child: loop\n  end\nend\n");
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(f.root->InitRoot("half.txt", nullptr));
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(f.root->GetChildCount(), 0);
}

TEST(Root, AnActionCannotPlaceADialogInsideItself) {
  RootFixture f;
  WriteUiFile("grow.txt", "root: r\n  child: box\n  end\nend\n"
                          "dialog: box\n  modal: position\n  actions\n    onCommand: box, grow\n  end\nend\n"
                          "action: grow\n  create: box, 1, 1\nend\n");
  ASSERT_TRUE(f.root->InitRoot("grow.txt", nullptr));
  XDialog* box = dynamic_cast<XDialog*>(f.Find("box"));
  ASSERT_NE(box, nullptr);
  ::testing::internal::CaptureStderr();
  box->SendMessage(box, XMSG_COMMAND, (intptr_t) "box", 0, false);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "template: \"box\" is placed inside itself; not built\n");
  EXPECT_EQ(box->GetChildCount(), 0);
  // The root may make another one beside it.
  EXPECT_TRUE(f.root->DoAction(CommonString("grow")));
  EXPECT_EQ(f.root->GetChildCount(), 2);
}

TEST(Root, ChildrenAndBackgroundArePlacedByTheirAlignment) {
  RootFixture f;
  ASSERT_TRUE(f.root->InitRoot("menus.txt", "placed"));
  XWidget* centred = f.Find("centred");
  ASSERT_NE(centred, nullptr);
  EXPECT_EQ(centred->GetOrigin().x, (480 - 100) / 2);
  EXPECT_EQ(centred->GetOrigin().y, 40);
  EXPECT_EQ(f.Find("bottom")->GetOrigin().y, 320 - 50);
  XWidget* bg = f.root->GetBackgroundChild();
  ASSERT_NE(bg, nullptr);
  EXPECT_EQ(f.root->GetChildPtrAt(0), bg); // drawn first
  EXPECT_EQ(bg->GetOrigin().x, 380);
  EXPECT_EQ(bg->GetOrigin().y, (320 - 50) / 2);
}

TEST(Root, BackActionRoundTrip) {
  RootFixture f;
  ASSERT_TRUE(f.root->InitRoot("menus.txt", nullptr));
  f.Command("openButton");
  EXPECT_EQ(f.root->GetBackActionCount(), 1);
  ASSERT_EQ(f.app.Received(XMSG_ACTION_DONE).size(), 1u);
  EXPECT_EQ(f.app.Received(XMSG_ACTION_DONE)[0].text, "openPanel");
  ASSERT_NE(f.Find("panel"), nullptr);
  EXPECT_EQ(f.Find("panel")->GetOrigin().x, 30);
  EXPECT_TRUE(f.Find("menu")->IsDestroyPending());
  f.root->RunProcess();
  EXPECT_EQ(f.Find("menu"), nullptr);
  ASSERT_EQ(f.app.Received(XMSG_WIDGET_DESTROYED).size(), 1u);
  EXPECT_EQ(f.app.Received(XMSG_WIDGET_DESTROYED)[0].text, "menu");

  f.Command("backButton");
  EXPECT_EQ(f.root->GetBackActionCount(), 0);
  EXPECT_EQ(f.app.Received(XMSG_ACTION_DONE).back().text, "actionBack");
  f.root->RunProcess();
  EXPECT_EQ(f.Find("panel"), nullptr);
  XWidget* menu = f.Find("menu");
  ASSERT_NE(menu, nullptr); // made again where it was
  EXPECT_EQ(menu->GetOrigin().x, 10);
  EXPECT_EQ(menu->GetOrigin().y, 20);
  EXPECT_EQ(f.root->GetChildCount(), 1);

  // With nothing recorded the back command does nothing.
  f.Command("openButton");
  f.root->RunProcess();
  f.Command("backButton");
  f.Command("backButton");
  f.root->RunProcess();
  EXPECT_EQ(f.root->GetChildCount(), 1);
  EXPECT_NE(f.Find("menu"), nullptr);
}

TEST(Root, AnActionThatShowsNothingAbleToGoBackRecordsNothing) {
  RootFixture f;
  ASSERT_TRUE(f.root->InitRoot("menus.txt", nullptr));
  ASSERT_TRUE(f.root->DoAction(CommonString("openOther")));
  ASSERT_NE(f.Find("other"), nullptr);
  EXPECT_EQ(f.root->GetBackActionCount(), 0);
  EXPECT_FALSE(f.root->DoAction(CommonString("nosuch")));
  // Rebuilding drops recorded back actions with the tree.
  ASSERT_TRUE(f.root->DoAction(CommonString("openPanel")));
  EXPECT_EQ(f.root->GetBackActionCount(), 1);
  ASSERT_TRUE(f.root->InitRoot("menus.txt", nullptr));
  EXPECT_EQ(f.root->GetBackActionCount(), 0);
}

TEST(Root, ActionsAndWidgetsReadFromAFileOnDemand) {
  RootFixture f;
  WriteUiFile("extra.txt", "dialog: \"popup\"\n  size: 60, 30\n  modal: position\nend\n"
                           "action: \"showPopup\"\n  create: popup, 5, 5\nend\n");
  ASSERT_TRUE(f.root->InitRoot("menus.txt", nullptr));
  XWidget* popup =
      f.root->DisplayWidget("extra.txt", "popup", 100, 50, ALIGN_CENTER, 0, 0, 0, false, 0, 0, false, 0, 0);
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(popup->m_bOwnsTWidget); // deleted with the widget
  EXPECT_EQ(popup->GetOrigin().x, 100 - 30);
  EXPECT_EQ(popup->GetOrigin().y, 50);
  EXPECT_EQ(f.root->DisplayWidget("extra.txt", "absent", 0, 0, 0, 0, 0, 0, false, 0, 0, false, 0, 0),
            nullptr);
  // The file's action creates from the root's own template, which has no popup.
  EXPECT_TRUE(f.root->DoAction(CommonString("extra.txt"), CommonString("showPopup")));
  EXPECT_EQ(f.root->GetChildCount(), 2);
  EXPECT_FALSE(f.root->DoAction(CommonString(""), CommonString("showPopup")));
  EXPECT_FALSE(f.root->DoAction(CommonString("extra.txt"), CommonString("absent")));

  XWidget* shown =
      f.root->DisplayWidgetInCurrentTemplate(CommonString("other"), 7, 8, 0, true, 0, 0, false, 0, 0);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->GetOrigin().x, 7);
  EXPECT_EQ(f.root->DisplayWidgetInCurrentTemplate(CommonString("absent"), 0, 0, 0, false, 0, 0, false, 0, 0),
            nullptr);
}

} // namespace
