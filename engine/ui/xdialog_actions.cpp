// The dialog's template actions: command routing through the bindings, running actions and their
// create and destroy steps, and showing single widgets from a template or a template file.
#include <new>

#include "app_ui.h"
#include "template_reader.h"
#include "ui_template.h"
#include "xdialog.h"

static CommonString Quoted(const char* name) { return CommonString("\"") + CommonString(name) + "\""; }

int XDialog::OnMessage(CXElement*, int message, intptr_t p1, intptr_t p2) {
  if (message != XMSG_COMMAND) return SendMessage(GetParent(), message, p1, p2, false);
  TDialog* td = GetTDialog();
  const char* command = XMessageText(p1);
  ChildAction* binding =
      td && command ? td->group.GetChildAction(CommonString(command), XMSG_COMMAND) : nullptr;
  if (!binding) {
    SendMessage(GetParent(), XMSG_COMMAND, p1, p2, false);
    return 1;
  }
  CommonString action = binding->action;
  if (action == gc_strBackActionId) {
    DoBackAction();
    SendMessage(this, XMSG_ACTION_DONE, (intptr_t)gc_strBackActionId, 0, false);
  } else if (TAction* a = m_pTemplate ? m_pTemplate->GetAction(action) : nullptr) {
    DoAction(a);
    SendMessage(this, XMSG_ACTION_DONE, (intptr_t)action.c_str(), 0, false);
  }
  return 1;
}

// --- actions ---

int XDialog::DoAction(TAction* action) {
  if (!action) return 0;
  TemplateBuild build(this); // the widgets of all its create steps together
  if (action->name == gc_strBackActionId) {
    for (int i = 0; i < action->steps.GetSize(); i++)
      DoActionStep(action->steps.GetAt(i));
    return 1;
  }
  CQuellarObjPtrArray<WidgetContext*> saved(10);
  for (int i = 0; i < action->steps.GetSize(); i++) {
    ActionStep* step = action->steps.GetAt(i);
    if (!step) continue;
    if (step->type == ACTION_STEP_DESTROY) {
      WidgetContext placement;
      if (GetChildWidgetContext(step->widget, &placement)) {
        WidgetContext* copy = new (std::nothrow) WidgetContext(placement);
        if (!AppendOwned(saved, copy)) return 0;
      }
    }
    DoActionStep(step);
  }
  StoreBackAction(action, saved);
  return 1;
}

int XDialog::DoAction(CommonString name) {
  TAction* action = m_pTemplate ? m_pTemplate->GetAction(name) : nullptr;
  if (!action) return 0;
  int done = DoAction(action);
  SendMessage(this, XMSG_ACTION_DONE, (intptr_t)name.c_str(), 0, false);
  return done;
}

int XDialog::DoAction(CommonString templateFile, CommonString name) {
  if (templateFile.IsEmpty()) return 0;
  CTemplateReader reader;
  TAction* action = reader.ReadAction(m_pApp, templateFile, Quoted(name.c_str()).c_str());
  if (!action) return 0;
  int done = DoAction(action);
  SendMessage(this, XMSG_ACTION_DONE, (intptr_t)name.c_str(), 0, false);
  delete action;
  return done;
}

void XDialog::DoActionStep(ActionStep* step) {
  if (!step) return;
  if (step->type == ACTION_STEP_CREATE)
    DoActionStepCreate(step);
  else if (step->type == ACTION_STEP_DESTROY)
    DoActionStepDestroy(step);
}

void XDialog::DoActionStepCreate(ActionStep* step) {
  TWidget* tw = GetTWidgetPtr(step->widget);
  if (!tw) return;
  // A created widget never schedules its own fade-out.
  step->context.fadeOutDelay = -FIXED_FLOAT_ONE;
  XWidget* child = CreateAndInitChild(tw, &step->context);
  if (!child) return;
  child->ApplyAlignType();
  if (step->context.fadeIn)
    child->SheduleCreateWithEffect(step->context.fadeInDelay, step->context.fadeInDuration);
}

void XDialog::DoActionStepDestroy(ActionStep* step) {
  XWidget* w = FindChildWithWidgetId(step->widget.c_str());
  if (!w) return;
  w->SheduleDestroyWithEffect(0, step->context.fadeOut ? step->context.fadeOutDuration : 0);
}

// --- single widgets ---

XWidget* XDialog::DisplayWidgetWithParams(TWidget* tw, WidgetContext* context) {
  XWidget* child = CreateAndInitChild(tw, context);
  if (!child) return nullptr;
  child->ApplyAlignType();
  if (context && context->fadeIn)
    child->SheduleCreateWithEffect(context->fadeInDelay, context->fadeInDuration);
  if (context && context->fadeOut)
    child->SheduleDestroyWithEffect(context->fadeOutDelay, context->fadeOutDuration);
  return child;
}

static WidgetContext MakePlacement(int x, int y, int alignX, int alignY, int alignXInParent,
                                   int alignYInParent, bool fadeIn, FIXED_FLOAT inDelay,
                                   FIXED_FLOAT inDuration, bool fadeOut, FIXED_FLOAT outDelay,
                                   FIXED_FLOAT outDuration) {
  WidgetContext c;
  c.x = (s16)(u16)x;
  c.y = (s16)(u16)y;
  c.alignX = (u8)alignX;
  c.alignY = (u8)alignY;
  c.alignXInParent = (u8)alignXInParent;
  c.alignYInParent = (u8)alignYInParent;
  if (fadeIn) {
    c.fadeIn = 1;
    c.fadeInDelay = inDelay;
    c.fadeInDuration = inDuration;
  }
  if (fadeOut) {
    c.fadeOut = 1;
    c.fadeOutDelay = outDelay;
    c.fadeOutDuration = outDuration;
  }
  return c;
}

XWidget* XDialog::DisplayWidget(const char* templateFile, const char* name, int x, int y, int alignX,
                                int alignY, int alignXInParent, int alignYInParent, bool fadeIn,
                                FIXED_FLOAT inDelay, FIXED_FLOAT inDuration, bool fadeOut,
                                FIXED_FLOAT outDelay, FIXED_FLOAT outDuration) {
  if (!templateFile || !name) return nullptr;
  CTemplateReader reader;
  TWidget* tw = reader.ReadWidget(m_pApp, templateFile, Quoted(name).c_str());
  if (!tw) return nullptr;
  WidgetContext placement = MakePlacement(x, y, alignX, alignY, alignXInParent, alignYInParent, fadeIn,
                                          inDelay, inDuration, fadeOut, outDelay, outDuration);
  XWidget* child = DisplayWidgetWithParams(tw, &placement);
  if (!child) {
    delete tw;
    return nullptr;
  }
  child->m_bOwnsTWidget = true;
  return child;
}

XWidget* XDialog::DisplayWidgetInCurrentTemplate(CommonString name, int x, int y, int align, bool fadeIn,
                                                 FIXED_FLOAT inDelay, FIXED_FLOAT inDuration, bool fadeOut,
                                                 FIXED_FLOAT outDelay, FIXED_FLOAT outDuration) {
  TWidget* tw = GetTWidgetPtr(name);
  if (!tw) return nullptr;
  WidgetContext placement =
      MakePlacement(x, y, align & 0xFF, (align >> 8) & 0xFF, (align >> 16) & 0xFF, (align >> 24) & 0xFF,
                    fadeIn, inDelay, inDuration, fadeOut, outDelay, outDuration);
  return DisplayWidgetWithParams(tw, &placement);
}
