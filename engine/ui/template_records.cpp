// Placements, command bindings, their groups and template actions: copies, lookups, ownership.
#include "template_records.h"

#include <new>

template <class T> static void AppendCopies(CQuellarArray<T*>& to, const CQuellarArray<T*>& from) {
  for (int i = 0; i < from.GetSize(); i++)
    if (T* item = from.GetAt(i)) AppendOwned(to, new (std::nothrow) T(*item));
}

Group::Group(const Group& other) { *this = other; }

Group& Group::operator=(const Group& other) {
  if (this == &other) return *this;
  AppendCopies(children, other.children);
  AppendCopies(commands, other.commands);
  return *this;
}

Group::~Group() {
  DeleteOwned(children);
  DeleteOwned(commands);
}

WidgetContext* Group::GetWidgetContext(CommonString name) {
  for (int i = 0; i < children.GetSize(); i++) {
    WidgetContext* c = children.GetAt(i);
    if (c && c->name == name) return c;
  }
  return nullptr;
}

ChildAction* Group::GetChildAction(CommonString command, short message) {
  for (int i = 0; i < commands.GetSize(); i++) {
    ChildAction* a = commands.GetAt(i);
    if (a && a->message == message && a->command == command) return a;
  }
  return nullptr;
}

TAction::TAction(const TAction& other) : name(other.name) { AppendCopies(steps, other.steps); }

TAction::~TAction() { DeleteOwned(steps); }

int TAction::AddStep(int type) {
  ActionStep* step = new (std::nothrow) ActionStep();
  if (!step) return 0;
  step->type = (s16)type;
  return AppendOwned(steps, step);
}
