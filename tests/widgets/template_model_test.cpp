// The template model and its records: list growth, removal, lookups by name and type, and deep
// copies that stay independent of their source.
#include <gtest/gtest.h>

#include <memory>

#include "ui_template.h"
#include "widget_test_support.h"

namespace {

TEST(TemplateModel, AnEmptyTemplateFindsNothing) {
  TTemplate t;
  EXPECT_EQ(t.GetFirstRootWidget(), nullptr);
  EXPECT_EQ(t.GetWidget("a"), nullptr);
  EXPECT_EQ(t.GetWidget(nullptr), nullptr);
  EXPECT_EQ(t.GetAction(CommonString("a")), nullptr);
  EXPECT_EQ(t.GetTotalBytes(), 40);
}

TEST(TemplateModel, WidgetsGrowByFiveAndCloseGapsOnRemoval) {
  TTemplate t;
  for (int i = 0; i < 6; i++) {
    ASSERT_TRUE(t.AddWidget(WIDGET_TYPE_IMAGE));
    t.widgets.GetLast()->name.Format("w%d", i);
  }
  EXPECT_EQ(t.widgets.GetCapacity(), 10);
  for (int i = 0; i < 6; i++) {
    CommonString expected;
    expected.Format("w%d", i);
    EXPECT_EQ(t.widgets.GetAt(i)->name, expected);
  }
  ASSERT_TRUE(t.AddAction());
  EXPECT_EQ(t.GetTotalBytes(), 40 + 6 * 32 + 32);

  t.RemoveWidget(6); // out of range: nothing
  t.RemoveWidget(-1);
  EXPECT_EQ(t.widgets.GetSize(), 6);
  t.RemoveWidget(5); // the last: nothing moves
  t.RemoveWidget(1);
  ASSERT_EQ(t.widgets.GetSize(), 4);
  EXPECT_EQ(t.widgets.GetAt(1)->name, "w2");
  EXPECT_EQ(t.widgets.GetAt(3)->name, "w4");
  EXPECT_EQ(t.widgets.GetCapacity(), 10);
  t.RemoveAction(0);
  EXPECT_EQ(t.actions.GetSize(), 0);
}

TEST(TemplateModel, LookupsReturnTheFirstMatch) {
  TTemplate t;
  t.AddWidget(WIDGET_TYPE_DIALOG);
  t.widgets.GetLast()->type = WIDGET_TYPE_DIALOG;
  t.widgets.GetLast()->name = "same";
  t.AddWidget(WIDGET_TYPE_ROOT);
  t.widgets.GetLast()->name = "same";
  TWidget* root = t.widgets.GetLast();
  EXPECT_EQ(t.GetWidget("same"), t.widgets.GetAt(0));
  EXPECT_EQ(t.GetWidget("Same"), nullptr);
  EXPECT_EQ(t.GetFirstRootWidget(), root);
  t.RemoveWidget(0);
  EXPECT_EQ(t.GetWidget("same"), root);
}

TEST(TemplateModel, CreateWidgetMakesEachTypesClassWithTypeStillZero) {
  EXPECT_EQ(TTemplate::CreateWidget(WIDGET_TYPE_COUNT), nullptr);
  EXPECT_EQ(TTemplate::CreateWidget(-1), nullptr);
  for (int type = 0; type < WIDGET_TYPE_COUNT; type++) {
    std::unique_ptr<TWidget> w(TTemplate::CreateWidget(type));
    ASSERT_NE(w, nullptr) << type;
    EXPECT_EQ(w->type, 0);
    w->type = (s8)type;
    std::unique_ptr<TWidget> copy(TTemplate::CopyWidget(w.get()));
    ASSERT_NE(copy, nullptr) << type;
    TWidget &copied = *copy, &source = *w;
    EXPECT_EQ(typeid(copied), typeid(source)) << WidgetTypeName(type);
    EXPECT_EQ(copy->type, type);
  }
  std::unique_ptr<TWidget> root(TTemplate::CreateWidget(0));
  std::unique_ptr<TWidget> dialog(TTemplate::CreateWidget(4));
  EXPECT_NE(dynamic_cast<TRoot*>(root.get()), nullptr);
  EXPECT_EQ(dynamic_cast<TRoot*>(dialog.get()), nullptr);
  EXPECT_NE(dynamic_cast<TDialog*>(dialog.get()), nullptr);
  // A type field that names another class copies nothing.
  dialog->type = WIDGET_TYPE_CHECKBOX;
  EXPECT_EQ(TTemplate::CopyWidget(dialog.get()), nullptr);
}

TEST(TemplateModel, TypeNamesAndKeywords) {
  EXPECT_STREQ(WidgetTypeNameForFile(8), "text_multi");
  EXPECT_STREQ(WidgetTypeName(8), "TextMulti");
  EXPECT_STREQ(WidgetTypeName(5), "ProgressBar");
  EXPECT_STREQ(WidgetTypeName(11), "");
  EXPECT_TRUE(CTemplateReader::IsAWidgetType("text_multi"));
  EXPECT_FALSE(CTemplateReader::IsAWidgetType("Text_multi"));
  EXPECT_FALSE(CTemplateReader::IsAWidgetType("TextMulti"));
}

TEST(TemplateModel, DefaultsOfTheDescriptions) {
  TCheckBox check;
  EXPECT_EQ(check.textAlign, 1);
  EXPECT_EQ(check.textOffset, -10000);
  TRoot root;
  TDialog dialog;
  EXPECT_EQ(root.size_method, 0);
  EXPECT_EQ(dialog.size_method, 1);
  EXPECT_EQ(root.bgCenterTilesX, 1);
  EXPECT_EQ(dialog.bgCenterTilesY, 1);
  EXPECT_EQ(root.modal, 0);
  TTuner tuner;
  EXPECT_EQ(tuner.step, 5);
  EXPECT_EQ(tuner.max, 100);
  TTextMulti multi;
  EXPECT_EQ(multi.mt_align, 1);
  ActionStep step;
  EXPECT_EQ(step.type, ACTION_STEP_CREATE);
  EXPECT_EQ(step.context.x, 0);
  EXPECT_EQ(step.context.alignX + step.context.alignYInParent + step.context.fadeIn + step.context.fadeOut,
            0);
}

TEST(TemplateRecords, ListsGrowByOneAndLookupsMatchExactly) {
  Group g;
  for (int i = 0; i < 3; i++) {
    AppendOwned(g.children, new WidgetContext());
    EXPECT_EQ(g.children.GetCapacity(), i + 1);
  }
  g.children.GetAt(0)->name = "a";
  g.children.GetAt(1)->name = "a";
  g.children.GetAt(1)->x = 5;
  EXPECT_EQ(g.GetWidgetContext(CommonString("a")), g.children.GetAt(0));
  EXPECT_EQ(g.GetWidgetContext(CommonString("b")), nullptr);
  ChildAction* binding = new ChildAction();
  binding->command = "ok";
  binding->message = XMSG_COMMAND;
  AppendOwned(g.commands, binding);
  EXPECT_EQ(g.GetChildAction(CommonString("ok"), XMSG_COMMAND), binding);
  EXPECT_EQ(g.GetChildAction(CommonString("ok"), 601), nullptr);

  TAction a;
  for (int i = 0; i < 3; i++) {
    ASSERT_TRUE(a.AddStep(i % 2));
    EXPECT_EQ(a.steps.GetCapacity(), i + 1);
  }
  EXPECT_EQ(a.steps.GetAt(1)->type, ACTION_STEP_DESTROY);
}

TEST(TemplateRecords, DeepCopiesAreIndependent) {
  auto t = ParseTemplate("dialog: d\n"
                         "  child: a\n  position: 1, 2\n  end\n  child: b\n  end\n  child: c\n  end\n"
                         "  actions\n  onCommand: a, go\n  onCommand: b, actionBack\n  end\n"
                         "end\n"
                         "checkBox: box\n  file: box.png, 2, 3\n  force_4444_texture\n  caption: Hi\nend\n"
                         "action: go\n  create: a, 1, 2\n  destroy: b\n  create: c\nend\n");
  std::unique_ptr<TWidget> copy(TTemplate::CopyWidget(t->GetWidget("d")));
  std::unique_ptr<TWidget> boxCopy(TTemplate::CopyWidget(t->GetWidget("box")));
  TAction* source = t->GetAction(CommonString("go"));
  ASSERT_NE(source, nullptr);
  std::unique_ptr<TAction> actionCopy(new TAction(*source));
  t.reset(); // the sources go

  TDialog* d = dynamic_cast<TDialog*>(copy.get());
  ASSERT_NE(d, nullptr);
  ASSERT_EQ(d->group.children.GetSize(), 3);
  ASSERT_EQ(d->group.commands.GetSize(), 2);
  EXPECT_EQ(d->group.children.GetAt(0)->y, 2);
  EXPECT_EQ(d->group.commands.GetAt(1)->action, "actionBack");
  TCheckBox* box = dynamic_cast<TCheckBox*>(boxCopy.get());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->image.file, "box.png");
  EXPECT_EQ(box->image.framesY, 3);
  EXPECT_EQ(box->image.forceTexture, FORCE_TEXTURE_4444);
  EXPECT_EQ(box->text.caption, "Hi");
  ASSERT_EQ(actionCopy->steps.GetSize(), 3);
  EXPECT_EQ(actionCopy->name, "go");
  EXPECT_EQ(actionCopy->steps.GetAt(1)->widget, "b");
  EXPECT_EQ(actionCopy->steps.GetAt(1)->type, ACTION_STEP_DESTROY);

  // Group assignment appends copies.
  Group more;
  more = d->group;
  more = d->group;
  EXPECT_EQ(more.children.GetSize(), 6);
  more.children.GetAt(0)->x = 99;
  EXPECT_EQ(d->group.children.GetAt(0)->x, 1);
}

} // namespace
