// The application's template cache: flushing, and destroying the application, delete every cached
// template with its entry, the last first.
#include <gtest/gtest.h>

#include "widget_test_support.h"

namespace {

std::vector<int> g_deleted;

// A description that notes its deletion.
class Marker : public TWidget {
public:
  explicit Marker(int id) : m_nId(id) {}
  ~Marker() override { g_deleted.push_back(m_nId); }

private:
  int m_nId;
};

void Cache(CAppUI& app, int id) {
  CachedTemplate* entry = new CachedTemplate();
  entry->name = "cached";
  entry->pTemplate = new TTemplate();
  AppendOwned(entry->pTemplate->widgets, static_cast<TWidget*>(new Marker(id)));
  app.m_CachedTemplates.Add(entry);
}

TEST(TemplateCache, FlushDeletesEachTemplateWithItsEntryLastFirst) {
  g_deleted.clear();
  WidgetApp app;
  for (int id = 0; id < 3; id++)
    Cache(app, id);
  app.FlushCachedTemplates();
  EXPECT_EQ(g_deleted, (std::vector<int>{2, 1, 0}));
  EXPECT_EQ(app.m_CachedTemplates.GetSize(), 0);
  app.FlushCachedTemplates(); // an empty cache stays empty
  EXPECT_EQ(g_deleted.size(), 3u);
}

TEST(TemplateCache, TheApplicationFlushesItWhenDestroyed) {
  g_deleted.clear();
  {
    WidgetApp app;
    Cache(app, 7);
    Cache(app, 8);
  }
  EXPECT_EQ(g_deleted, (std::vector<int>{8, 7}));
}

} // namespace
