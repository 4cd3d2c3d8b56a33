// XRoot: the dialog at the top of a widget tree. It loads a UI template file, builds its tree from
// one root description, and keeps the back actions that undo the actions run in it.
#pragma once

#include "quellar_array.h"
#include "xdialog.h"

class XRoot : public XDialog {
public:
  explicit XRoot(CXElement* parent);
  // Drops the back actions, deletes the children, then the template.
  ~XRoot() override;

  void RunProcess() override;
  int OnInitWidget() override;
  int IsRoot() override { return 1; }
  void StoreBackAction(TAction* action, CQuellarObjPtrArray<WidgetContext*>& saved) override;
  void DoBackAction() override;

  // Rebuilds the tree from the root description widgetName (or the first root description) of
  // templateFile; the file is read again only when it is not the one held. 1 or 0.
  virtual int InitRoot(CommonString templateFile, const char* widgetName);

  int InitBackground();
  // The first child of the application's element that is a root widget.
  static XRoot* FindRoot(CXElement* app);
  void ClearRoot();
  // Pops the last back action and deletes it without running it.
  void PopLastBackAction();
  // Whether a command bound to action can come from w or a widget below it.
  bool ActionCanBeRaisedByChlid(CommonString action, XWidget* w);

  int GetBackActionCount() { return m_BackActions.GetSize(); }
  const CommonString& GetLoadedTemplateFile() { return m_LoadedTemplateFile; }

  CQuellarStack<TAction*> m_BackActions{1};
  CommonString m_LoadedTemplateFile;

private:
  void DeleteTemplate();
};
