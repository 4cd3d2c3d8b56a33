// The template reader: blocks, child placements, command bindings and action steps, single-block
// reads, and the one-line warnings for what it skips.
#include <gtest/gtest.h>

#include <functional>

#include "temp_dir.h"
#include "widget_test_support.h"

namespace {

TDialog* DialogNamed(TTemplate& t, const char* name) { return dynamic_cast<TDialog*>(t.GetWidget(name)); }

WidgetContext* Placement(TTemplate& t, const char* dialog, int i) {
  TDialog* d = DialogNamed(t, dialog);
  return d ? d->group.children.GetAt(i) : nullptr;
}

ActionStep* Step(TTemplate& t, const char* action, int i) {
  TAction* a = t.GetAction(CommonString(action));
  return a ? a->steps.GetAt(i) : nullptr;
}

struct ReaderCase {
  const char* name;
  const char* text;
  std::function<void(TTemplate&)> check;
};

class TemplateReading : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(TemplateReading, ReadsTheFileAsTheFormatSays) {
  ::testing::internal::CaptureStderr(); // the skipped lines are reported, not checked here
  auto t = ParseTemplate(GetParam().text);
  ::testing::internal::GetCapturedStderr();
  GetParam().check(*t);
}

const ReaderCase kCases[] = {
    {"StrayEndAtTopLevel", "end\nend\nimage: a\nend\n",
     [](TTemplate& t) {
       ASSERT_EQ(t.widgets.GetSize(), 1);
       EXPECT_EQ(t.widgets.GetAt(0)->type, WIDGET_TYPE_IMAGE);
       EXPECT_EQ(t.widgets.GetAt(0)->name, "a");
     }},
    {"BareLineOpensARoot", "actions\n  size: 10, 20\nend\n",
     [](TTemplate& t) {
       TWidget* w = t.GetFirstRootWidget();
       ASSERT_NE(w, nullptr);
       EXPECT_EQ(w->name, "actions");
       EXPECT_EQ(w->width, 10);
     }},
    {"UnknownKeywordOpensARoot", "panel: p\n  size: 3, 4\nend\n",
     [](TTemplate& t) {
       ASSERT_NE(t.GetFirstRootWidget(), nullptr);
       EXPECT_EQ(t.GetWidget("p")->height, 4);
     }},
    {"QuotedNamesLoseTheirQuotes", "dialog: \"d\"\nend\naction: \"go\"\nend\n",
     [](TTemplate& t) {
       EXPECT_NE(t.GetWidget("d"), nullptr);
       EXPECT_NE(t.GetAction(CommonString("go")), nullptr);
     }},
    {"ChildActionsOpensTheBindingList", "dialog: d\n  child: actions\n  onCommand: ok, go\n  end\nend\n",
     [](TTemplate& t) {
       TDialog* d = DialogNamed(t, "d");
       ASSERT_NE(d, nullptr);
       EXPECT_EQ(d->group.children.GetSize(), 0);
       ASSERT_EQ(d->group.commands.GetSize(), 1);
       EXPECT_EQ(d->group.commands.GetAt(0)->command, "ok");
       EXPECT_EQ(d->group.commands.GetAt(0)->action, "go");
       EXPECT_EQ(d->group.commands.GetAt(0)->message, XMSG_COMMAND);
     }},
    {"OnCommandNeedsTwoItems",
     "root: r\n  actions\n  onCommand: lonely\n  onCommand: \"a b\", \"c\"\n  end\nend\n",
     [](TTemplate& t) {
       TDialog* d = DialogNamed(t, "r");
       ASSERT_EQ(d->group.commands.GetSize(), 1);
       EXPECT_EQ(d->group.commands.GetAt(0)->command, "a b");
     }},
    {"PositionCenteredAndANumber", "root: r\n  child: a\n  position: centered, 40\n  end\nend\n",
     [](TTemplate& t) {
       WidgetContext* c = Placement(t, "r", 0);
       ASSERT_NE(c, nullptr);
       EXPECT_EQ(c->x, 0);
       EXPECT_EQ(c->alignXInParent, ALIGN_CENTER);
       EXPECT_EQ(c->y, 40);
     }},
    {"PositionCenteredAloneCentres",
     "root: r\n  child: a\n  position: 7, 8\n  position: centered\n  end\nend\n",
     [](TTemplate& t) {
       WidgetContext* c = Placement(t, "r", 0);
       EXPECT_EQ(c->x, 0); // the value rule comes before the key's
       EXPECT_EQ(c->alignXInParent, ALIGN_CENTER);
       EXPECT_EQ(c->y, 8);
     }},
    {"PositionOfOneNumberLeavesIt", "root: r\n  child: a\n  position: 12\n  end\nend\n",
     [](TTemplate& t) {
       WidgetContext* c = Placement(t, "r", 0);
       EXPECT_EQ(c->x, 0);
       EXPECT_EQ(c->y, 0);
     }},
    {"BareCenteredCentres", "root: r\n  child: a\n  position: 7, 8\n  centered\n  end\nend\n",
     [](TTemplate& t) {
       WidgetContext* c = Placement(t, "r", 0);
       EXPECT_EQ(c->x, 0);
       EXPECT_EQ(c->y, 8);
       EXPECT_EQ(c->alignXInParent, ALIGN_CENTER);
     }},
    {"PlacementAlignmentsAndFades",
     "root: r\n  child: a\n  align: right\n  alignY: bottom\n  alignXInParent: center\n"
     "  alignYInParent: right\n  in: 0.5, 1.25\n  out: 2\n  end\nend\n",
     [](TTemplate& t) {
       WidgetContext* c = Placement(t, "r", 0);
       EXPECT_EQ(c->alignX, ALIGN_FAR);
       EXPECT_EQ(c->alignY, ALIGN_FAR);
       EXPECT_EQ(c->alignXInParent, ALIGN_CENTER);
       EXPECT_EQ(c->alignYInParent, ALIGN_NONE); // "right" is no vertical keyword
       EXPECT_EQ(c->fadeIn, 1);
       EXPECT_EQ(c->fadeInDelay, 128);
       EXPECT_EQ(c->fadeInDuration, 320);
       EXPECT_EQ(c->fadeOut, 1);
       EXPECT_EQ(c->fadeOutDelay, 512);
       EXPECT_EQ(c->fadeOutDuration, 0);
     }},
    {"ChildLinesWithoutEndStartTheNextPlacement",
     "dialog: d\n  child: a\n  position: 1, 2\n  child: b\n  position: 3, 4\n  end\n  size: 9, 9\nend\n",
     [](TTemplate& t) {
       ASSERT_EQ(DialogNamed(t, "d")->group.children.GetSize(), 2);
       EXPECT_EQ(Placement(t, "d", 0)->x, 1);
       EXPECT_EQ(Placement(t, "d", 1)->name, "b");
       EXPECT_EQ(Placement(t, "d", 1)->y, 4);
       EXPECT_EQ(t.GetWidget("d")->width, 9); // after the list's end: the widget's own lines
     }},
    {"ChildLinesOfAnImageAreIgnored", "image: i\n  child: a\n  size: 5, 5\n  end\n  size: 7, 7\nend\n",
     [](TTemplate& t) {
       ASSERT_EQ(t.widgets.GetSize(), 1);
       EXPECT_EQ(t.GetWidget("i")->width, 7);
     }},
    {"CreateWithOneAndWithThreeItems",
     "action: go\n  create: w, 10\n  create: \"w\", 10, 20\n  create: w, centered, 5\nend\n",
     [](TTemplate& t) {
       ActionStep* one = Step(t, "go", 0);
       ASSERT_NE(one, nullptr);
       EXPECT_EQ(one->type, ACTION_STEP_CREATE);
       EXPECT_EQ(one->widget, "w");
       EXPECT_EQ(one->context.x, 0);
       ActionStep* three = Step(t, "go", 1);
       EXPECT_EQ(three->widget, "w");
       EXPECT_EQ(three->context.x, 10);
       EXPECT_EQ(three->context.y, 20);
       EXPECT_EQ(three->context.alignX + three->context.alignXInParent + three->context.fadeIn +
                     three->context.fadeOut,
                 0);
       EXPECT_EQ(Step(t, "go", 2)->context.alignXInParent, ALIGN_CENTER);
     }},
    {"CreateWithEveryItem", "action: go\n  create: w, 1, 2, right, 1, 0.5, 1, 3, 0.25\nend\n",
     [](TTemplate& t) {
       WidgetContext& c = Step(t, "go", 0)->context;
       EXPECT_EQ(c.alignX, ALIGN_FAR);
       EXPECT_EQ(c.fadeIn, 1);
       EXPECT_EQ(c.fadeInDelay, 128);
       EXPECT_EQ(c.fadeInDuration, 256);
       EXPECT_EQ(c.fadeOut, 1);
       EXPECT_EQ(c.fadeOutDuration, 64);
       EXPECT_EQ(c.fadeOutDelay, 0);
     }},
    {"CreateV2WithEveryItem",
     "action: go\n  createV2: w, centered, 2, center, right, bottom, center, 0, 1, 2, -1, 3\nend\n",
     [](TTemplate& t) {
       WidgetContext& c = Step(t, "go", 0)->context;
       EXPECT_EQ(c.x, 0); // a number only
       EXPECT_EQ(c.y, 2);
       EXPECT_EQ(c.alignX, ALIGN_CENTER);
       EXPECT_EQ(c.alignXInParent, ALIGN_FAR);
       EXPECT_EQ(c.alignY, ALIGN_FAR);
       EXPECT_EQ(c.alignYInParent, ALIGN_CENTER);
       EXPECT_EQ(c.fadeIn, 0);
       EXPECT_EQ(c.fadeInDelay, 256);
       EXPECT_EQ(c.fadeInDuration, 512);
       EXPECT_EQ(c.fadeOut, 0); // -1 is not above 0
       EXPECT_EQ(c.fadeOutDuration, 768);
     }},
    {"DestroyWithFlagAndDuration", "action: go\n  destroy: X, 1, 0.5\n  destroy: Y\n  blink: Z\nend\n",
     [](TTemplate& t) {
       ActionStep* s = Step(t, "go", 0);
       EXPECT_EQ(s->type, ACTION_STEP_DESTROY);
       EXPECT_EQ(s->widget, "X");
       EXPECT_EQ(s->context.fadeOut, 1);
       EXPECT_EQ(s->context.fadeOutDuration, 128);
       EXPECT_EQ(Step(t, "go", 1)->context.fadeOut, 0);
       EXPECT_EQ(t.GetAction(CommonString("go"))->steps.GetSize(), 2);
     }},
    {"ModalIgnoredOnARoot",
     "root: r\n  modal: children\nend\ndialog: d\n  modal: children\nend\n"
     "dialog: p\n  modal: position\nend\ndialog: o\n  modal: Children\nend\n",
     [](TTemplate& t) {
       EXPECT_EQ(DialogNamed(t, "r")->modal, DIALOG_MODAL_ALL);
       EXPECT_EQ(DialogNamed(t, "d")->modal, DIALOG_MODAL_CHILDREN);
       EXPECT_EQ(DialogNamed(t, "p")->modal, DIALOG_MODAL_POSITION);
       EXPECT_EQ(DialogNamed(t, "o")->modal, DIALOG_MODAL_ALL);
     }},
    {"ABlockLeftOpenStaysAsRead", "dialog: d\n  size: 4, 4\n  child: a\n",
     [](TTemplate& t) {
       ASSERT_NE(DialogNamed(t, "d"), nullptr);
       EXPECT_EQ(DialogNamed(t, "d")->group.children.GetSize(), 1);
     }},
};

INSTANTIATE_TEST_SUITE_P(Widgets, TemplateReading, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ReaderCase>& info) {
                           return std::string(info.param.name);
                         });

// --- single blocks ---

const char* kBlocks =
    "image: plain\n  size: 1, 1\nend\n"
    "dialog: \"panel\"\n  size: 30, 20\n  child: a\n  position: 1, 2\n  end\n  size: 99, 99\nend\n"
    "text: \"panel2\"\nend\n"
    "action: \"go\"\n  create: a, 1, 2\nend\n"
    "button: \"open\"\n  size: 5, 5\n";

struct BlockFile {
  CMemoryFile file;
  explicit BlockFile(const char* text) {
    size_t n = strlen(text);
    void* copy = malloc(n);
    memcpy(copy, text, n);
    file.Attach(copy, (int)n);
  }
};

TEST(TemplateSingleBlock, AWidgetBlockIsFoundByItsNameAsWritten) {
  BlockFile f(kBlocks);
  CTemplateReader reader;
  std::unique_ptr<TWidget> panel(reader.ReadWidget(&f.file, "\"panel\""));
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->type, WIDGET_TYPE_DIALOG);
  EXPECT_EQ(panel->name, "panel");
  // The first "end" ends the block, even the one meant for the child placement.
  EXPECT_EQ(panel->width, 30);
  EXPECT_EQ(dynamic_cast<TDialog*>(panel.get())->group.children.GetSize(), 1);
  EXPECT_EQ(dynamic_cast<TDialog*>(panel.get())->group.children.GetAt(0)->x, 1);

  CTemplateReader again;
  EXPECT_EQ(again.ReadWidget(&f.file, "\"plain\""), nullptr); // written bare
  EXPECT_EQ(again.ReadWidget(&f.file, "panel"), nullptr);
  EXPECT_EQ(again.ReadWidget(&f.file, "\"go\""), nullptr);   // an action, not a widget
  EXPECT_EQ(again.ReadWidget(&f.file, "\"open\""), nullptr); // no "end" before the file ends
  EXPECT_EQ(again.ReadWidget(&f.file, nullptr), nullptr);
  std::unique_ptr<TWidget> plain(again.ReadWidget(&f.file, "plain"));
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->type, WIDGET_TYPE_IMAGE);
}

TEST(TemplateSingleBlock, AnActionBlockIsFoundByItsNameAsWritten) {
  BlockFile f(kBlocks);
  CTemplateReader reader;
  std::unique_ptr<TAction> go(reader.ReadAction(&f.file, "\"go\""));
  ASSERT_NE(go, nullptr);
  EXPECT_EQ(go->name, "go");
  ASSERT_EQ(go->steps.GetSize(), 1);
  EXPECT_EQ(go->steps.GetAt(0)->context.y, 2);
  EXPECT_EQ(reader.ReadAction(&f.file, "go"), nullptr);
  EXPECT_EQ(reader.ReadAction(&f.file, "\"panel\""), nullptr);
}

// --- files and warnings ---

TEST(TemplateFiles, AMissingFileGivesNothingAndSaysNothing) {
  ScopedTempDir dir;
  WidgetApp app;
  CTemplateReader reader;
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(reader.ReadTemplate(&app, CommonString("absent.txt")), nullptr);
  EXPECT_EQ(reader.ReadWidget(&app, "absent.txt", "\"a\""), nullptr);
  EXPECT_EQ(reader.ReadWidget(&app, nullptr, "\"a\""), nullptr);
  EXPECT_EQ(reader.ReadAction(&app, CommonString("absent.txt"), "\"a\""), nullptr);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST(TemplateFiles, SingleBlocksAreReadFromAFileOfTheUiDirectory) {
  ScopedTempDir dir;
  WidgetApp app;
  WriteUiFile("blocks.txt", kBlocks);
  CTemplateReader reader;
  std::unique_ptr<TWidget> panel(reader.ReadWidget(&app, "blocks.txt", "\"panel\""));
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->type, WIDGET_TYPE_DIALOG);
  std::unique_ptr<TAction> go(reader.ReadAction(&app, CommonString("blocks.txt"), "\"go\""));
  ASSERT_NE(go, nullptr);
  EXPECT_EQ(go->steps.GetSize(), 1);
  EXPECT_EQ(reader.ReadWidget(&app, "blocks.txt", nullptr), nullptr);
  EXPECT_EQ(reader.ReadAction(&app, CommonString("blocks.txt"), nullptr), nullptr);
}

TEST(TemplateFiles, EachSkippedLineIsReportedWithItsFileAndLine) {
  ScopedTempDir dir;
  WidgetApp app;
  WriteUiFile("warn.txt", "// comment\n"
                          "image: i\n"
                          "\n"
                          "  bogus: 1\r\n"
                          "  vertical\n"
                          "  child: c\n"
                          "end // after\n"
                          "end\n"
                          "root: r\n"
                          "  child: a\n"
                          "    wobble: 2\n"
                          "  end\n"
                          "  actions\n"
                          "    onWhatever: x, y\n"
                          "  end\n"
                          "  modal: children\n"
                          "end\n"
                          "action: go\n"
                          "  spin: w\n"
                          "end\n"
                          "widget: w\n"
                          "end\n");
  CTemplateReader reader;
  ::testing::internal::CaptureStderr();
  std::unique_ptr<TTemplate> t(reader.ReadTemplate(&app, CommonString("warn.txt")));
  std::string out = ::testing::internal::GetCapturedStderr();
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->widgets.GetSize(), 3);
  const char* path = "ui\\ui_iphone\\warn.txt";
  std::string expected = std::string(path) + ":4: unknown key \"bogus\" skipped\n" + path +
                         ":5: unknown line \"vertical\" skipped\n" + path +
                         ":6: child placement \"c\" outside a dialog ignored\n" + path +
                         ":11: unknown placement key \"wobble\" skipped\n" + path +
                         ":14: unknown command-list key \"onWhatever\" skipped\n" + path +
                         ":16: unknown key \"modal\" skipped\n" + path +
                         ":19: unknown action key \"spin\" skipped\n" + path +
                         ":21: unknown widget type \"widget\" read as a root\n";
  EXPECT_EQ(out, expected);
}

TEST(TemplateFiles, NumbersThatIndexOrSizeSomethingStayInRange) {
  ::testing::internal::CaptureStderr();
  auto t = ParseTemplate("image: i\n  file: a.png, 0, 9000\n  frame: -3\nend\n"
                         "image: j\n  afile: a_a.png, -4\n  frame: 40000\nend\n"
                         "text: t\n  effect: 9\nend\n"
                         "text: u\n  effect: 6\nend\n"
                         "tuner: n\n  step: 0\n  max: -5\nend\n");
  ::testing::internal::GetCapturedStderr();
  TImage* i = dynamic_cast<TImage*>(t->GetWidget("i"));
  EXPECT_EQ(i->image.framesX, 1);
  EXPECT_EQ(i->image.framesY, TEMPLATE_MAX_FRAMES_PER_AXIS);
  EXPECT_EQ(i->image.frame, 0);
  TImage* j = dynamic_cast<TImage*>(t->GetWidget("j"));
  EXPECT_EQ(j->image.framesX, 1);
  EXPECT_EQ(j->image.framesY, 1);
  EXPECT_EQ(j->image.frame, 0); // 40000 is negative in 16 bits
  TWText* text = dynamic_cast<TWText*>(t->GetWidget("t"));
  EXPECT_EQ(text->text.effect, 0);
  EXPECT_EQ(text->text.flags, 0);
  EXPECT_EQ(dynamic_cast<TWText*>(t->GetWidget("u"))->text.effect, 6);
  TTuner* n = dynamic_cast<TTuner*>(t->GetWidget("n"));
  EXPECT_EQ(n->step, 1);
  EXPECT_EQ(n->max, 1);
}

TEST(TemplateFiles, LongNamesAndValuesAreKeptWhole) {
  std::string name(300, 'n'), caption(500, 'c');
  auto t = ParseTemplate("text: " + name + "\n  caption: \"" + caption + "\"\nend\n");
  TWText* w = dynamic_cast<TWText*>(t->GetWidget(name.c_str()));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->text.caption.Length(), 500);
}

} // namespace
