// Fuzzes the UI template reader: any text reads into a template (or single blocks) without reading
// past the file, every description copies, and a root built from it steps, runs its actions and
// commands, shows its widgets, and goes back without touching freed memory or building without end.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "files.h"
#include "template_reader.h"
#include "ui_template.h"
#include "xroot.h"

namespace {

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

  // A root without an application object: the tree is built, stepped and driven by its own data.
  XRoot root(nullptr);
  root.m_pTemplate = t; // the root owns it from here
  root.m_pTWidget = t->GetFirstRootWidget();
  if (root.m_pTWidget && root.OnInitWidget()) {
    for (int i = 0; i < t->actions.GetSize() && i < 8; i++)
      root.DoAction(t->actions.GetAt(i)->name);
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
