// The template model: descriptions and actions by type and by name.
#include "ui_template.h"

#include <cstring>
#include <new>
#include <typeinfo>

const char* const g_WidgetTypeNamesForFile[WIDGET_TYPE_COUNT] = {
    "root",    "image", "text",       "button",   "dialog",  "progress",
    "tiledBG", "tuner", "text_multi", "checkBox", "textInfo"};
const char* const g_WidgetTypeNames[WIDGET_TYPE_COUNT] = {"Root",      "Image",       "Text",    "Button",
                                                          "Dialog",    "ProgressBar", "TiledBG", "Tuner",
                                                          "TextMulti", "CheckBox",    "TextInfo"};
const char* const gc_strBackActionId = "actionBack";

static bool IsWidgetType(int type) { return type >= 0 && type < WIDGET_TYPE_COUNT; }

const char* WidgetTypeName(int type) { return IsWidgetType(type) ? g_WidgetTypeNames[type] : ""; }
const char* WidgetTypeNameForFile(int type) {
  return IsWidgetType(type) ? g_WidgetTypeNamesForFile[type] : "";
}

TTemplate::~TTemplate() {
  DeleteOwned(widgets);
  DeleteOwned(actions);
}

TWidget* TTemplate::CreateWidget(int type) {
  switch (type) {
  case WIDGET_TYPE_ROOT:
    return new (std::nothrow) TRoot();
  case WIDGET_TYPE_IMAGE:
    return new (std::nothrow) TImage();
  case WIDGET_TYPE_TEXT:
    return new (std::nothrow) TWText();
  case WIDGET_TYPE_BUTTON:
    return new (std::nothrow) TButton();
  case WIDGET_TYPE_DIALOG:
    return new (std::nothrow) TDialog();
  case WIDGET_TYPE_PROGRESS:
    return new (std::nothrow) TProgress();
  case WIDGET_TYPE_TILED_BG:
    return new (std::nothrow) TTiledBG();
  case WIDGET_TYPE_TUNER:
    return new (std::nothrow) TTuner();
  case WIDGET_TYPE_TEXT_MULTI:
    return new (std::nothrow) TTextMulti();
  case WIDGET_TYPE_CHECKBOX:
    return new (std::nothrow) TCheckBox();
  case WIDGET_TYPE_TEXT_INFO:
    return new (std::nothrow) TTextInfo();
  default:
    return nullptr;
  }
}

// A copy of source when it is exactly a T: a type field naming a base class (a check box marked as
// a button) would otherwise copy only that base.
template <class T> static TWidget* CopyAs(TWidget* source) {
  if (typeid(*source) != typeid(T)) return nullptr;
  return new (std::nothrow) T(*static_cast<T*>(source));
}

TWidget* TTemplate::CopyWidget(TWidget* source) {
  if (!source) return nullptr;
  switch (source->type) {
  case WIDGET_TYPE_ROOT:
    return CopyAs<TRoot>(source);
  case WIDGET_TYPE_IMAGE:
    return CopyAs<TImage>(source);
  case WIDGET_TYPE_TEXT:
    return CopyAs<TWText>(source);
  case WIDGET_TYPE_BUTTON:
    return CopyAs<TButton>(source);
  case WIDGET_TYPE_DIALOG:
    return CopyAs<TDialog>(source);
  case WIDGET_TYPE_PROGRESS:
    return CopyAs<TProgress>(source);
  case WIDGET_TYPE_TILED_BG:
    return CopyAs<TTiledBG>(source);
  case WIDGET_TYPE_TUNER:
    return CopyAs<TTuner>(source);
  case WIDGET_TYPE_TEXT_MULTI:
    return CopyAs<TTextMulti>(source);
  case WIDGET_TYPE_CHECKBOX:
    return CopyAs<TCheckBox>(source);
  case WIDGET_TYPE_TEXT_INFO:
    return CopyAs<TTextInfo>(source);
  default:
    return nullptr;
  }
}

int TTemplate::AddWidget(int type) { return AppendOwned(widgets, CreateWidget(type)); }

int TTemplate::AddAction() { return AppendOwned(actions, new (std::nothrow) TAction()); }

template <class T> static void RemoveOwnedAt(CQuellarArray<T*>& list, int index) {
  if (index < 0 || index >= list.GetSize()) return;
  T* item = list.GetAt(index);
  list.RemoveAt(index);
  delete item;
}

void TTemplate::RemoveWidget(int index) { RemoveOwnedAt(widgets, index); }

void TTemplate::RemoveAction(int index) { RemoveOwnedAt(actions, index); }

TWidget* TTemplate::GetWidget(const char* name) {
  if (!name) return nullptr;
  for (int i = 0; i < widgets.GetSize(); i++) {
    TWidget* w = widgets.GetAt(i);
    if (w && w->name == name) return w;
  }
  return nullptr;
}

TAction* TTemplate::GetAction(CommonString name) {
  for (int i = 0; i < actions.GetSize(); i++) {
    TAction* a = actions.GetAt(i);
    if (a && a->name == name) return a;
  }
  return nullptr;
}

TWidget* TTemplate::GetFirstRootWidget() {
  for (int i = 0; i < widgets.GetSize(); i++) {
    TWidget* w = widgets.GetAt(i);
    if (w && w->type == WIDGET_TYPE_ROOT) return w;
  }
  return nullptr;
}

int TTemplate::GetTotalBytes() { return 40 + 32 * widgets.GetSize() + 32 * actions.GetSize(); }
