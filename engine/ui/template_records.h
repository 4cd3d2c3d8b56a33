// The records a UI template places and runs widgets with: WidgetContext (a placement), ChildAction
// (a command binding), Group (a dialog's placements and bindings), ActionStep and TAction.
#pragma once

#include "common_string.h"
#include "quellar_array.h"
#include "quellar_types.h"

// Alignment values: own X and X in parent 0 none, 1 centre, 2 right; Y the same with 2 bottom.
enum { ALIGN_NONE = 0, ALIGN_CENTER = 1, ALIGN_FAR = 2 };

// The message code of the bindings read from onCommand lines (a widget's command).
enum { XMSG_COMMAND = 600 };

struct WidgetContext {
  CommonString name;
  s16 x = 0;
  s16 y = 0;
  // In this order: own X, own Y, X in parent, Y in parent.
  u8 alignX = 0;
  u8 alignY = 0;
  u8 alignXInParent = 0;
  u8 alignYInParent = 0;
  u8 fadeIn = 0;
  FIXED_FLOAT fadeInDelay = 0; // seconds
  FIXED_FLOAT fadeInDuration = 0;
  u8 fadeOut = 0;
  FIXED_FLOAT fadeOutDelay = 0;
  FIXED_FLOAT fadeOutDuration = 0;
};

struct ChildAction {
  CommonString action;  // the action to run
  CommonString command; // the name of the widget whose command triggers it
  s16 message = 0;
};

// Owns every placement and binding it lists.
class Group {
public:
  Group() = default;
  // Deep copies; an entry that cannot be copied is left out.
  Group(const Group& other);
  // Appends deep copies of the other group's entries.
  Group& operator=(const Group& other);
  ~Group();

  // The first match, or null.
  WidgetContext* GetWidgetContext(CommonString name);
  ChildAction* GetChildAction(CommonString command, short message);

  CQuellarArray<WidgetContext*> children{1};
  CQuellarArray<ChildAction*> commands{1};
};

enum { ACTION_STEP_CREATE = 0, ACTION_STEP_DESTROY = 1 };

class ActionStep {
public:
  ActionStep() = default;
  ActionStep(const ActionStep&) = default;
  ActionStep& operator=(const ActionStep&) = default;
  virtual ~ActionStep() {}

  s16 type = ACTION_STEP_CREATE;
  CommonString widget;
  WidgetContext context;
};

// Owns its steps.
class TAction {
public:
  TAction() = default;
  // Deep copy, name included; a step that cannot be copied is left out.
  TAction(const TAction& other);
  TAction& operator=(const TAction&) = delete;
  ~TAction();

  // Appends a default step of that type: 1, or 0 when it cannot be stored.
  int AddStep(int type);

  CommonString name;
  CQuellarArray<ActionStep*> steps{1};
};

// Appends a copy of item to list, or deletes the copy when the list cannot grow: 1 or 0.
template <class T> int AppendOwned(CQuellarArray<T*>& list, T* item) {
  if (!item) return 0;
  int before = list.GetSize();
  list.Add(item);
  if (list.GetSize() != before) return 1;
  delete item;
  return 0;
}

// Deletes every element of list and empties it.
template <class T> void DeleteOwned(CQuellarArray<T*>& list) {
  for (int i = 0; i < list.GetSize(); i++)
    delete list.GetAt(i);
  list.RemoveAll();
}
