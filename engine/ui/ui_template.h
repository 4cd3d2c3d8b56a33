// TTemplate, the in-memory UI template: the widget descriptions and actions of one template file,
// owned, in file order; with the type-name tables and the back action's name.
#pragma once

#include "common_string.h"
#include "quellar_array.h"
#include "template_records.h"
#include "widget_desc.h"

// Indexed by widget type: the keyword that opens a block in a file, and the display name.
extern const char* const g_WidgetTypeNamesForFile[WIDGET_TYPE_COUNT];
extern const char* const g_WidgetTypeNames[WIDGET_TYPE_COUNT];
// Empty for an index outside the table.
const char* WidgetTypeName(int type);
const char* WidgetTypeNameForFile(int type);

// The action name that runs a root dialog's back action.
extern const char* const gc_strBackActionId;

class TTemplate {
public:
  TTemplate() = default;
  TTemplate(const TTemplate&) = delete;
  TTemplate& operator=(const TTemplate&) = delete;
  // Deletes the descriptions, then the actions, each in list order.
  ~TTemplate();

  // A default description of that type's class (its type field still 0), or null.
  static TWidget* CreateWidget(int type);
  // A deep copy by the source's type field, or null (also when the object is not of that class).
  static TWidget* CopyWidget(TWidget* source);

  // Appends a new description (type field still 0) or an empty action: 1, or 0 when not stored.
  int AddWidget(int type);
  int AddAction();
  // Deletes the entry and closes the gap; an index out of range does nothing.
  void RemoveWidget(int index);
  void RemoveAction(int index);

  // The first match, compared exactly; null for none.
  TWidget* GetWidget(const char* name);
  TAction* GetAction(CommonString name);
  TWidget* GetFirstRootWidget();
  int GetTotalBytes();

  CQuellarArray<TWidget*> widgets{5};
  CQuellarArray<TAction*> actions{5};
};
