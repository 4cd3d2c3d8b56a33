// The root dialog: template loading, the root's background placement and the back actions.
#include "xroot.h"

#include <new>

#include "template_reader.h"
#include "ui_template.h"

XRoot::XRoot(CXElement* parent) : XDialog(parent, nullptr, nullptr, nullptr) {}

XRoot::~XRoot() {
  ClearRoot();
  // The widgets point into the template: they go first.
  XDialog::DeleteAllChildWidgets();
  DeleteTemplate();
}

void XRoot::DeleteTemplate() {
  m_pTWidget = nullptr;
  delete m_pTemplate;
  m_pTemplate = nullptr;
  m_LoadedTemplateFile = CommonString();
}

void XRoot::RunProcess() { RunProcessChildren(); }

int XRoot::InitRoot(CommonString templateFile, const char* widgetName) {
  ClearRoot();
  DeleteAllChildWidgets();
  TTemplate* tmpl = m_pTemplate;
  bool fresh = !(m_pTemplate && !m_LoadedTemplateFile.IsEmpty() && m_LoadedTemplateFile == templateFile);
  if (fresh) {
    DeleteTemplate();
    CTemplateReader reader;
    tmpl = reader.ReadTemplate(m_pApp, templateFile);
    if (!tmpl) return 0;
  }
  TWidget* root = widgetName ? tmpl->GetWidget(widgetName) : tmpl->GetFirstRootWidget();
  if (!root) {
    if (fresh) delete tmpl;
    return 0;
  }
  if (fresh) {
    m_pTemplate = tmpl;
    m_LoadedTemplateFile = templateFile;
  }
  m_pTWidget = root;
  return OnInitWidget();
}

int XRoot::OnInitWidget() {
  if (!m_pTemplate || !m_pTWidget) return 0;
  if (!XDialog::OnInitWidget()) {
    // Nobody deletes a root that failed: it is left empty rather than half built.
    DeleteAllChildWidgets();
    return 0;
  }
  InitBackground();
  return 1;
}

int XRoot::InitBackground() {
  if (!m_pTWidget) return 0;
  if (!m_pBackground) return 1;
  TRoot* tr = dynamic_cast<TRoot*>(m_pTWidget);
  if (!tr) return 1;
  TCoord2D bg = m_pBackground->GetSize();
  int dx = 0, dy = 0;
  if (tr->alignBg == ALIGN_CENTER) dx = (m_nWidth - bg.x) / 2;
  if (tr->alignBg == ALIGN_FAR) dx = m_nWidth - bg.x;
  if (tr->alignBgV == ALIGN_CENTER) dy = (m_nHeight - bg.y) / 2;
  if (tr->alignBgV == ALIGN_FAR) dy = m_nHeight - bg.y;
  m_pBackground->OffsetWidgetPosition(dx, dy);
  return 1;
}

XRoot* XRoot::FindRoot(CXElement* app) {
  if (!app) return nullptr;
  for (int i = 0; i < app->GetChildCount(); i++) {
    XWidget* w = AsWidget(app->GetChildPtrAt(i));
    if (w && w->IsRoot()) return dynamic_cast<XRoot*>(w);
  }
  return nullptr;
}

// --- back actions ---

void XRoot::ClearRoot() {
  while (GetBackActionCount() > 0)
    PopLastBackAction();
}

void XRoot::PopLastBackAction() {
  TAction* action = nullptr;
  if (m_BackActions.Pop(action)) delete action;
}

void XRoot::DoBackAction() {
  TAction* action = nullptr;
  if (!m_BackActions.Pop(action) || !action) return;
  // Named after the back action, it records nothing when run.
  DoAction(action);
  delete action;
}

bool XRoot::ActionCanBeRaisedByChlid(CommonString action, XWidget* w) {
  if (!w || action.IsEmpty()) return false;
  TDialog* td = GetTDialog();
  if (!td) return false;
  for (int i = 0; i < td->group.commands.GetSize(); i++) {
    ChildAction* binding = td->group.commands.GetAt(i);
    if (binding && binding->action == action && w->FindChildWithWidgetId(binding->command.c_str()))
      return true;
  }
  return false;
}

void XRoot::StoreBackAction(TAction* action, CQuellarObjPtrArray<WidgetContext*>& saved) {
  if (!action || action->steps.GetSize() == 0 || action->name == gc_strBackActionId) return;
  // Only an action that shows something able to go back is undone.
  bool canGoBack = false;
  for (int i = action->steps.GetSize() - 1; i >= 0 && !canGoBack; i--) {
    ActionStep* step = action->steps.GetAt(i);
    if (step && step->type == ACTION_STEP_CREATE)
      canGoBack = ActionCanBeRaisedByChlid(gc_strBackActionId, FindChildWithWidgetId(step->widget.c_str()));
  }
  if (!canGoBack) return;

  TAction* back = new (std::nothrow) TAction();
  if (!back) return;
  back->name = gc_strBackActionId;
  for (int i = 0; i < action->steps.GetSize(); i++) {
    ActionStep* step = action->steps.GetAt(i);
    if (!step) continue;
    if (step->type == ACTION_STEP_CREATE) {
      // Undone by destroying what it made.
      if (!back->AddStep(ACTION_STEP_DESTROY)) {
        delete back;
        return;
      }
      back->steps.GetLast()->widget = step->widget;
      back->steps.GetLast()->context = step->context;
    } else if (step->type == ACTION_STEP_DESTROY) {
      // Undone by making it again where it was.
      WidgetContext* placement = nullptr;
      for (int k = saved.GetSize() - 1; k >= 0 && !placement; k--)
        if (saved.GetAt(k) && saved.GetAt(k)->name == step->widget) placement = saved.GetAt(k);
      if (!placement) continue;
      if (!back->AddStep(ACTION_STEP_CREATE)) {
        delete back;
        return;
      }
      back->steps.GetLast()->widget = step->widget;
      back->steps.GetLast()->context = *placement;
    }
  }
  int before = m_BackActions.GetSize();
  m_BackActions.Push(back);
  if (m_BackActions.GetSize() == before) delete back;
}
