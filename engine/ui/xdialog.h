// XDialog: the widget that contains widgets. It builds its children from its template through the
// type-to-class factory, fills its background, takes pointer events by its hit-test mode, routes
// focus, keys and commands among its children, runs template actions, and removes children whose
// fade-out has ended.
#pragma once

#include "quellar_array.h"
#include "xwidget.h"

class TAction;
class ActionStep;
class TDialog;

// Widgets a template may nest inside one another, the root included, and widgets one build from a
// template may make (a few lines placing each dialog twice in the next would otherwise make millions).
enum { TEMPLATE_MAX_NESTING = 32, TEMPLATE_MAX_WIDGETS = 1024 };

class XDialog : public XWidget {
public:
  XDialog(CXElement* parent, TTemplate* tmpl, TWidget* tw, WidgetContext* context);
  // Deletes every child, then the widget part goes.
  ~XDialog() override;

  // --- element overrides ---
  void RunProcess() override;
  void Draw() override;
  int NotifyKeyEvent(int key, int state) override;
  int NotifyPointerEvent(int x, int y, int type) override;
  void RemoveChildAt(int index) override;
  bool Contains(int x, int y) override;
  int SetNextActiveObject(int key) override;
  int SetPrevActiveObject(int key) override;
  // Commands go through the template's bindings; everything else on to the parent.
  int OnMessage(CXElement* sender, int message, intptr_t p1, intptr_t p2) override;

  // --- widget overrides ---
  int OnInitWidget() override;
  int IsInteractive() override { return 1; }
  int IsGroupWidget() override { return 1; }
  void OffsetWidgetPosition(int dx, int dy) override;
  TCoord2D GetSize() override;
  void ApplyOpacity(FIXED_FLOAT opacity) override;
  void DeleteAllChildWidgets() override;

  // --- dialog operations, in slot order ---
  // Right after the background child is drawn.
  virtual void PreDraw() {}
  // Before the first modal child, or after the last child when none is modal.
  virtual void PostDraw() {}
  // The live widget for a description, initialised; null when its type has none or it fails.
  virtual XWidget* CreateAndInitChild(TWidget* tw, WidgetContext* context);
  virtual TWidget* GetTWidgetPtr(CommonString& name);
  // Reads the block "name" (in double quotes) from templateFile and shows it; the new widget owns
  // the description. Null when the file, the block or the widget fails.
  virtual XWidget* DisplayWidget(const char* templateFile, const char* name, int x, int y, int alignX,
                                 int alignY, int alignXInParent, int alignYInParent, bool fadeIn,
                                 FIXED_FLOAT inDelay, FIXED_FLOAT inDuration, bool fadeOut,
                                 FIXED_FLOAT outDelay, FIXED_FLOAT outDuration);
  // Runs the action "name" (in double quotes) read from templateFile.
  virtual int DoAction(CommonString templateFile, CommonString name);
  // A plain dialog keeps no back actions.
  virtual void StoreBackAction(TAction*, CQuellarObjPtrArray<WidgetContext*>&) {}
  virtual void DoBackAction() {}
  virtual int CreateAndInitChildren();

  // Runs the action's steps; other than the back action, records what undoes it.
  int DoAction(TAction* action);
  // The template's action of that name.
  int DoAction(CommonString name);
  void DoActionStep(ActionStep* step);
  void DoActionStepCreate(ActionStep* step);
  void DoActionStepDestroy(ActionStep* step);
  XWidget* DisplayWidgetWithParams(TWidget* tw, WidgetContext* context);
  // align holds own X in its lowest byte, then own Y, X in parent, Y in parent.
  XWidget* DisplayWidgetInCurrentTemplate(CommonString name, int x, int y, int align, bool fadeIn,
                                          FIXED_FLOAT inDelay, FIXED_FLOAT inDuration, bool fadeOut,
                                          FIXED_FLOAT outDelay, FIXED_FLOAT outDuration);

  void RunProcessChildren();
  // Draws the children from `from` up to, not including, `to`; no background fill.
  void DrawZOrder(CXElement* from, CXElement* to);
  void DrawBackground();
  int NotifyPointerEventWidgetHelper(int x, int y, int type);
  int NotifyKeyEventWidgetHelper(int key, int state);
  CXElement* GetNextChildWidgetAfter(CXElement* element);
  XWidget* ChildDialogShown();
  int GetChildWidgetContext(CommonString name, WidgetContext* out);
  void RemoveWidget(CommonString name);
  void RemoveAllWidgets();
  void CancelPressedState(CXElement* element);
  int InitDefaultBackground();

  TDialog* GetTDialog();
  // The dialog at or above this one whose build of widgets from the template is under way, or null.
  XDialog* TreeBuilder();
  XWidget* GetBackgroundChild() { return m_pBackground; }
  int GetHitTestMode() { return m_nHitTestMode; }

  u8 m_nHitTestMode = 0; // 0 every point (and modal), 1 inside or on a child, 2 on a child
  u8 m_nCenterTilesX = 1;
  u8 m_nCenterTilesY = 1;
  u8 m_nSizeMethod = 0;
  XWidget* m_pBackground = nullptr;
  bool m_bBackgroundColor = false;
  u8 m_nBackgroundR = 0;
  u8 m_nBackgroundG = 0;
  u8 m_nBackgroundB = 0;
  // While this dialog's build runs: how many widgets it and the dialogs below it have made.
  bool m_bBuildingTree = false;
  int m_nWidgetsBuilt = 0;

protected:
  // Whether a child of that description may be built here: not inside itself, not too deep, not
  // beyond the widgets one build may make.
  bool MayHoldChild(TWidget* tw);
  // Moves focus by step (1 on, -1 back) among the children; see SetNextActiveObject.
  int MoveFocus(int step, int key);
  // From the active child, the next child (wrapping) that is interactive and visible takes focus.
  int TraverseFrom(CXElement* start, int step);
};

// Whether the factory has a live class for a widget type.
bool HasLiveWidgetClass(int type);

// One build of widgets from a template, counted by its outermost dialog: the children of a dialog
// being built, every dialog those build in turn, and every create step of a running action share
// one count, which TEMPLATE_MAX_WIDGETS bounds.
class TemplateBuild {
public:
  explicit TemplateBuild(XDialog* dialog);
  ~TemplateBuild();
  TemplateBuild(const TemplateBuild&) = delete;
  TemplateBuild& operator=(const TemplateBuild&) = delete;
  // Counts one more widget: false once the build would pass its limit (said once, naming what).
  bool Take(const char* name);

private:
  XDialog* m_pOwner;
  bool m_bOutermost = false;
};
