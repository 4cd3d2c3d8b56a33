// Fuzzes the UI template reader: any text reads into a template (or single blocks) without reading
// past the file, every description copies, and a root built from it on an application object (with
// small sprite sets named "a" to "e", a font and a double buffer, so images, buttons, check boxes,
// progress bars, tuners and tiled backgrounds initialise and draw) steps, runs its actions and
// commands, shows its widgets, draws, and goes back without touching freed memory, building without
// end or passing the widget limit in one build.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "files.h"
#include "template_reader.h"
#include "ui_template.h"
#include "widget_sets_support.h"
#include "xroot.h"

namespace {

// The application the trees are built on, made once: plain frames (nothing recorded), a set of each
// shape a widget takes (one frame, two, three, nine tiles, and one without a bitmap).
SetsApp& App() {
  static SetsApp* app = [] {
    SetsApp* a = new SetsApp();
    a->makeFrame = [a](const std::string&, int w, int h, int) -> IDibBitmap* {
      auto* bm = new CWinDibBitmap(a);
      bm->Create(w, h);
      return bm;
    };
    a->m_pDoubleBuffer = new CWinDibBitmap(a);
    a->m_pDoubleBuffer->Create(480, 320);
    a->AddFont(10);
    a->AddSet("a", {{8, 8}});
    a->AddSet("b", {{16, 8}, {16, 8}});
    a->AddSet("c", {{40, 10}, {40, 10}, {40, 10}});
    a->AddSet("d", {{4, 4}, {6, 4}, {4, 4}, {4, 6}, {6, 6}, {4, 6}, {4, 4}, {6, 4}, {4, 4}});
    a->AddSet("e", {{0, 0}, {3, 3}});
    return a;
  }();
  return *app;
}

// Widgets below an element.
int Widgets(CXElement* e) {
  int n = 0;
  for (int i = 0; i < e->GetChildCount(); i++)
    n += 1 + Widgets(e->GetChildPtrAt(i));
  return n;
}

void Attach(CMemoryFile& file, const uint8_t* data, size_t size) {
  void* copy = malloc(size ? size : 1);
  if (size) memcpy(copy, data, size);
  file.Attach(copy, (int)size);
}

std::string Quoted(const CommonString& name) { return "\"" + std::string(name.c_str()) + "\""; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CMemoryFile file;
  Attach(file, data, size);
  CTemplateReader reader;
  reader.currentTemplate = new TTemplate();
  reader.ReadTemplate(&file);
  TTemplate* t = reader.currentTemplate;

  for (int i = 0; i < t->widgets.GetSize(); i++)
    delete TTemplate::CopyWidget(t->widgets.GetAt(i));
  if (t->widgets.GetSize() > 0) {
    CTemplateReader single;
    delete single.ReadWidget(&file, Quoted(t->widgets.GetAt(0)->name).c_str());
    delete single.ReadWidget(&file, t->widgets.GetLast()->name.c_str());
  }
  if (t->actions.GetSize() > 0) {
    CTemplateReader single;
    delete single.ReadAction(&file, t->actions.GetAt(0)->name.c_str());
  }

  SetsApp& app = App();
  app.messages.clear();
  app.values.clear();
  XRoot root(&app);
  root.m_pTemplate = t; // the root owns it from here
  root.m_pTWidget = t->GetFirstRootWidget();
  if (root.m_pTWidget && root.OnInitWidget()) {
    if (Widgets(&root) > TEMPLATE_MAX_WIDGETS) abort();
    for (int i = 0; i < t->actions.GetSize() && i < 8; i++) {
      int before = Widgets(&root);
      root.DoAction(t->actions.GetAt(i)->name);
      if (Widgets(&root) - before > TEMPLATE_MAX_WIDGETS) abort();
    }
    TDialog* td = root.GetTDialog();
    for (int i = 0; td && i < td->group.commands.GetSize() && i < 8; i++) {
      ChildAction* binding = td->group.commands.GetAt(i);
      CommonString command = binding->command;
      root.OnMessage(&root, XMSG_COMMAND, (intptr_t)command.c_str(), 0);
      root.RunProcess();
      // The same command as the widget of that name sends it, bubbling through its dialogs.
      if (XWidget* sender = root.FindChildWithWidgetId(command.c_str()))
        sender->SendMessage(nullptr, XMSG_COMMAND, (intptr_t)command.c_str(), 0, false);
      root.RunProcess();
    }
    for (int i = 0; i < t->widgets.GetSize() && i < 4; i++)
      root.DisplayWidgetInCurrentTemplate(t->widgets.GetAt(i)->name, i, i, 0x01000102 * i, i & 1, 0, 64,
                                          i & 2, 32, 0);
    for (int frame = 0; frame < 4; frame++) {
      root.RunProcess();
      root.NotifyPointerEvent(frame * 40, frame * 30, 1 + frame % 3);
      root.NotifyKeyEvent(1 + frame, 1);
    }
    root.Draw();
    root.DoBackAction();
    root.RunProcess();
  }
  return 0;
}
