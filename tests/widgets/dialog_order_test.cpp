// The order a dialog draws in: its background child first, PreDraw right after it, PostDraw before
// the first modal child (or at the end), and the partial walk of DrawZOrder.
#include <gtest/gtest.h>

#include <string>

#include "widget_test_support.h"

namespace {

std::string g_log;

class Logged : public XWidget {
public:
  Logged(CXElement* parent, TTemplate* t, const char* name)
      : XWidget(parent, t, t->GetWidget(name), nullptr) {}
  void Draw() override { g_log += m_pTWidget->name.c_str(); }
};

class LoggedDialog : public XDialog {
public:
  LoggedDialog(CXElement* parent, TTemplate* t) : XDialog(parent, t, t->GetWidget("d"), nullptr) {}
  void PreDraw() override { g_log += "<pre>"; }
  void PostDraw() override { g_log += "<post>"; }
};

struct OrderFixture {
  WidgetApp app;
  std::unique_ptr<TTemplate> t =
      ParseTemplate("dialog: d\n  modal: position\nend\n"
                    "image: a\nend\nimage: b\nend\nimage: c\nend\nimage: m\nend\n");
  LoggedDialog* d = new LoggedDialog(&app, t.get());
  XWidget *bg, *a, *b, *m, *c;
  OrderFixture() {
    bg = new Logged(d, t.get(), "b");
    d->m_pBackground = bg;
    a = new Logged(d, t.get(), "a");
    m = new Logged(d, t.get(), "m");
    m->SetModal(true);
    c = new Logged(d, t.get(), "c");
    g_log.clear();
  }
};

TEST(DialogOrder, DrawCallsPreDrawAfterTheBackgroundAndPostDrawBeforeTheModalChild) {
  OrderFixture f;
  f.d->Draw();
  EXPECT_EQ(g_log, "b<pre>a<post>mc");
  g_log.clear();
  f.m->SetModal(false);
  f.a->Hide();
  f.d->Draw();
  EXPECT_EQ(g_log, "b<pre>mc<post>");
  g_log.clear();
  f.d->Hide();
  f.d->Draw();
  EXPECT_EQ(g_log, "");
}

TEST(DialogOrder, DrawZOrderDrawsPartOfTheList) {
  OrderFixture f;
  f.d->DrawZOrder(f.a, f.c); // from a, stopping before c; the modal rule runs over every child walked
  EXPECT_EQ(g_log, "a<post>m");
  g_log.clear();
  f.d->DrawZOrder(nullptr, nullptr);
  EXPECT_EQ(g_log, "b<pre>a<post>mc");
  g_log.clear();
  f.m->SetModal(false);
  f.d->DrawZOrder(f.m, nullptr);
  EXPECT_EQ(g_log, "mc<post>");
}

} // namespace
