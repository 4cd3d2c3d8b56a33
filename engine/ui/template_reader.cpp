// The UI template reader: lines, blocks, child placements, command bindings and action steps.
#include "template_reader.h"

#include <cstdio>
#include <new>

#include "app_ui.h"
#include "files.h"
#include "parser.h"
#include "template_values.h"

typedef CTemplateReader::Text Text;

namespace {

using TemplateValue::Items;
using TemplateValue::Low16;
using TemplateValue::Name;
using TemplateValue::Number;

FIXED_FLOAT Time(const Text& value) { return Parser::AToF(value.GetData(), 0); }
u8 Flag(const Text& value) { return Number(value) > 0 ? 1 : 0; }

u8 Alignment(const Text& value, const char* far) {
  if (value == "center") return ALIGN_CENTER;
  if (value == far) return ALIGN_FAR;
  return ALIGN_NONE;
}

int WidgetTypeOfKeyword(const Text& word) {
  for (int i = 0; i < WIDGET_TYPE_COUNT; i++)
    if (word == g_WidgetTypeNamesForFile[i]) return i;
  return -1;
}

// Where a file of the UI directory lies; without an application object the name is the path.
CommonString UIPath(CAppUI* app, const CommonString& fileName) {
  return app ? app->GetUIDirectory() + fileName : fileName;
}

// The dialog part of a root or dialog description, or null.
TDialog* DialogOf(TWidget* widget) {
  if (!widget || (widget->type != WIDGET_TYPE_ROOT && widget->type != WIDGET_TYPE_DIALOG)) return nullptr;
  return dynamic_cast<TDialog*>(widget);
}

} // namespace

bool CTemplateReader::IsAWidgetType(CommonStringRS<50> word) { return WidgetTypeOfKeyword(word) >= 0; }

void CTemplateReader::Warn(const char* what, const Text& key, const Text& value, const char* outcome) {
  // The key names the line; a bare line is shown whole.
  const Text& shown = key.Length() > 0 ? key : value;
  fprintf(stderr, "%s:%d: %s \"%s\" %s\n", m_FileName.c_str(), m_nLine + 1, what, shown.GetData(), outcome);
}

void CTemplateReader::Reset(IFile* file) {
  state = 0;
  inChildEntry = 0;
  inActionList = 0;
  m_nLine = 0;
  m_nCountedPos = 0;
  m_pBlockWidget = nullptr;
  m_pBlockAction = nullptr;
  m_bChildStored = 0;
  if (file) file->Seek(0, FILE_SEEK_BEGIN);
}

bool CTemplateReader::NextLine(IFile* file, Text& key, Text& value, bool& isEnd) {
  Text line;
  if (!Parser::GetNextLine(file, line)) return false;
  // Line numbers for the warnings: the breaks before this line's own end.
  if (file->IsMemoryFile()) {
    const unsigned char* data = static_cast<IMemFile*>(file)->GetBuffer();
    long end = (long)file->GetCurPos() - 1;
    if (end > (long)file->GetSize() - 1) end = (long)file->GetSize() - 1;
    for (; data && m_nCountedPos < end; m_nCountedPos++) {
      unsigned char c = data[m_nCountedPos];
      if (c == '\n' || (c == '\r' && data[m_nCountedPos + 1] != '\n')) m_nLine++;
    }
  }
  isEnd = line == "end";
  key = Text();
  value = Text();
  if (!isEnd) Parser::ReadPropertyFromString(line, key, value);
  return true;
}

IFile* CTemplateReader::OpenFile(CAppUI* app, const CommonString& path) {
  IFile* file = app ? static_cast<IFile*>(app->CreateMemoryFileObject()) : new (std::nothrow) CMemoryFile();
  if (!file) return nullptr;
  if (!file->Open(app, path.c_str(), FILE_MODE_READ)) {
    delete file;
    return nullptr;
  }
  m_FileName = path;
  return file;
}

// --- whole files ---

TTemplate* CTemplateReader::ReadTemplate(CAppUI* app, CommonString fileName) {
  return ReadTemplateAbsolutePath(app, UIPath(app, fileName));
}

TTemplate* CTemplateReader::ReadTemplateAbsolutePath(CAppUI* app, CommonString path) {
  IFile* file = OpenFile(app, path);
  if (!file) return nullptr;
  currentTemplate = new (std::nothrow) TTemplate();
  if (currentTemplate) ReadTemplate(file);
  file->Close();
  delete file;
  TTemplate* read = currentTemplate;
  currentTemplate = nullptr;
  return read;
}

int CTemplateReader::ReadTemplate(IFile* file) {
  Reset(file);
  if (!file || !currentTemplate) return 1;
  Text key, value;
  bool isEnd;
  while (NextLine(file, key, value, isEnd)) {
    if (isEnd) {
      if (state == 1 && inChildEntry)
        inChildEntry = 0;
      else if (state == 1 && inActionList)
        inActionList = 0;
      else
        state = 0;
      continue;
    }
    if (state == 0) {
      if (key == "action") {
        state = 2;
        m_pBlockAction = currentTemplate->AddAction() ? currentTemplate->actions.GetLast() : nullptr;
        if (m_pBlockAction) m_pBlockAction->name = Name(value);
      } else {
        state = 1;
        int type = WidgetTypeOfKeyword(key);
        if (type < 0) {
          if (key.Length() > 0) Warn("unknown widget type", key, value, "read as a root");
          type = WIDGET_TYPE_ROOT;
        }
        m_pBlockWidget = currentTemplate->AddWidget(type) ? currentTemplate->widgets.GetLast() : nullptr;
        if (m_pBlockWidget) {
          m_pBlockWidget->type = (s8)type;
          m_pBlockWidget->name = Name(value);
        }
      }
    } else if (state == 1) {
      // A block whose description could not be stored ignores its lines.
      if (m_pBlockWidget) SetWidgetProperty(key, value, m_pBlockWidget);
    } else if (m_pBlockAction) {
      SetActionProperty(key, value, m_pBlockAction);
    }
  }
  return 1;
}

// --- single blocks ---

template <class Block>
Block* CTemplateReader::ReadBlock(CAppUI* app, const CommonString& fileName, const char* name,
                                  Block* (CTemplateReader::*read)(IFile*, const char*)) {
  if (!name) return nullptr;
  IFile* file = OpenFile(app, UIPath(app, fileName));
  if (!file) return nullptr;
  Block* block = (this->*read)(file, name);
  file->Close();
  delete file;
  return block;
}

TWidget* CTemplateReader::ReadWidget(CAppUI* app, const char* fileName, const char* widgetName) {
  if (!fileName) return nullptr;
  return ReadBlock(app, CommonString(fileName), widgetName, &CTemplateReader::ReadWidget);
}

TWidget* CTemplateReader::ReadWidget(IFile* file, const char* widgetName) {
  if (!widgetName || !file) return nullptr;
  Reset(file);
  Text key, value;
  bool isEnd;
  TWidget* widget = nullptr;
  while (NextLine(file, key, value, isEnd)) {
    if (!widget) {
      int type = isEnd ? -1 : WidgetTypeOfKeyword(key);
      if (type < 0 || !(value == widgetName)) continue;
      widget = TTemplate::CreateWidget(type);
      if (!widget) return nullptr;
      widget->type = (s8)type;
      widget->name = Name(value);
      state = 1;
      continue;
    }
    // The first "end" ends the block, whatever list is open.
    if (isEnd) return widget;
    SetWidgetProperty(key, value, widget);
  }
  delete widget; // no "end": nothing half-read is handed out
  return nullptr;
}

TAction* CTemplateReader::ReadAction(CAppUI* app, CommonString fileName, const char* actionName) {
  return ReadBlock(app, fileName, actionName, &CTemplateReader::ReadAction);
}

TAction* CTemplateReader::ReadAction(IFile* file, const char* actionName) {
  if (!actionName || !file) return nullptr;
  Reset(file);
  Text key, value;
  bool isEnd;
  TAction* action = nullptr;
  while (NextLine(file, key, value, isEnd)) {
    if (!action) {
      if (isEnd || !(key == "action") || !(value == actionName)) continue;
      action = new (std::nothrow) TAction();
      if (!action) return nullptr;
      action->name = Name(value);
      state = 2;
      continue;
    }
    if (isEnd) return action;
    SetActionProperty(key, value, action);
  }
  delete action;
  return nullptr;
}

// --- the lines of a widget block ---

void CTemplateReader::SetWidgetProperty(Text& key, Text& value, TWidget* widget) {
  if (!widget && currentTemplate) widget = currentTemplate->widgets.GetLast();
  if (!widget) return;
  TDialog* dialog = DialogOf(widget);
  if (value == "actions") {
    inActionList = 1;
    inChildEntry = 0;
    if (!dialog) Warn("command list", Text(), value, "outside a dialog ignored");
  } else if (key == "child") {
    inChildEntry = 1;
    inActionList = 0;
    m_bChildStored = 0;
    if (!dialog) {
      Warn("child placement", Text(), value, "outside a dialog ignored");
      return;
    }
    WidgetContext* context = new (std::nothrow) WidgetContext();
    if (context) context->name = Name(value);
    m_bChildStored = (u8)AppendOwned(dialog->group.children, context);
  } else if (inActionList) {
    if (dialog) SetActionListEntry(dialog, key, value);
  } else if (!inChildEntry) {
    if (!widget->SetProperty(key, value)) Warn(key.Length() > 0 ? "unknown key" : "unknown line", key, value);
  } else if (dialog && m_bChildStored) {
    SetWidgetListEntryProperty(dialog, key, value);
  }
}

void CTemplateReader::SetWidgetListEntryProperty(TDialog* dialog, Text& key, Text& value) {
  WidgetContext* c = dialog ? dialog->group.children.GetLast() : nullptr;
  if (!c) return;
  if (value == "centered") {
    c->x = 0;
    c->alignXInParent = ALIGN_CENTER;
  } else if (key == "position") {
    Text items[2];
    if (Items(value, items, 2) != 2) return;
    c->y = Low16(Number(items[1]));
    if (items[0] == "centered") {
      c->x = 0;
      c->alignXInParent = ALIGN_CENTER;
    } else {
      c->x = Low16(Number(items[0]));
    }
  } else if (key == "align" || key == "alignX") {
    c->alignX = Alignment(value, "right");
  } else if (key == "alignY") {
    c->alignY = Alignment(value, "bottom");
  } else if (key == "alignXInParent") {
    c->alignXInParent = Alignment(value, "right");
  } else if (key == "alignYInParent") {
    c->alignYInParent = Alignment(value, "bottom");
  } else if (key == "in" || key == "out") {
    Text items[2];
    int n = Items(value, items, 2);
    if (n < 1) return;
    bool in = key == "in";
    (in ? c->fadeIn : c->fadeOut) = 1;
    (in ? c->fadeInDelay : c->fadeOutDelay) = Time(items[0]);
    if (n >= 2) (in ? c->fadeInDuration : c->fadeOutDuration) = Time(items[1]);
  } else {
    Warn(key.Length() > 0 ? "unknown placement key" : "unknown placement line", key, value);
  }
}

void CTemplateReader::SetActionListEntry(TDialog* dialog, Text& key, Text& value) {
  if (!dialog) return;
  if (!(key == "onCommand")) {
    Warn(key.Length() > 0 ? "unknown command-list key" : "unknown command-list line", key, value);
    return;
  }
  Text items[2];
  if (Items(value, items, 2) < 2) return;
  ChildAction* binding = new (std::nothrow) ChildAction();
  if (!binding) return;
  binding->command = Name(items[0]);
  binding->action = Name(items[1]);
  binding->message = XMSG_COMMAND;
  AppendOwned(dialog->group.commands, binding);
}

// --- the lines of an action block ---

void CTemplateReader::SetActionProperty(Text& key, Text& value, TAction* action) {
  if (!action && currentTemplate) action = currentTemplate->actions.GetLast();
  if (!action) return;
  int max, type;
  if (key == "destroy") {
    max = 3;
    type = ACTION_STEP_DESTROY;
  } else if (key == "create") {
    max = 9;
    type = ACTION_STEP_CREATE;
  } else if (key == "createV2") {
    max = 12;
    type = ACTION_STEP_CREATE;
  } else {
    Warn(key.Length() > 0 ? "unknown action key" : "unknown action line", key, value);
    return;
  }
  if (!action->AddStep(type)) return;
  ActionStep* step = action->steps.GetLast();
  WidgetContext& c = step->context;
  Text it[12];
  int n = Items(value, it, max);
  if (n >= 1) step->widget = Name(it[0]);
  if (key == "destroy") {
    if (n >= 2) c.fadeOut = Flag(it[1]);
    if (n >= 3) c.fadeOutDuration = Time(it[2]);
    return;
  }
  if (n >= 3) {
    c.y = Low16(Number(it[2]));
    if (key == "create" && it[1] == "centered") {
      c.x = 0;
      c.alignXInParent = ALIGN_CENTER;
    } else {
      c.x = Low16(Number(it[1]));
    }
  }
  if (n >= 4) c.alignX = Alignment(it[3], "right");
  if (key == "create") {
    if (n >= 5) c.fadeIn = Flag(it[4]);
    if (n >= 6) c.fadeInDelay = Time(it[5]);
    if (n >= 7) c.fadeInDuration = Time(it[6]);
    if (n >= 8) c.fadeOut = Flag(it[7]);
    if (n >= 9) c.fadeOutDuration = Time(it[8]);
    return;
  }
  if (n >= 5) c.alignXInParent = Alignment(it[4], "right");
  if (n >= 6) c.alignY = Alignment(it[5], "bottom");
  if (n >= 7) c.alignYInParent = Alignment(it[6], "bottom");
  if (n >= 8) c.fadeIn = Flag(it[7]);
  if (n >= 9) c.fadeInDelay = Time(it[8]);
  if (n >= 10) c.fadeInDuration = Time(it[9]);
  if (n >= 11) c.fadeOut = Flag(it[10]);
  if (n >= 12) c.fadeOutDuration = Time(it[11]);
}
