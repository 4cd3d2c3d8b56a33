// CTemplateReader: reads a UI template file into a TTemplate, or one widget block or one action
// block out of a file. One reader serves one call. Lines no description takes are skipped with a
// one-line warning on stderr naming the file and line.
#pragma once

#include "common_string.h"
#include "quellar_types.h"
#include "ui_template.h"

class CAppUI;
class IFile;

class CTemplateReader {
public:
  typedef TemplateText Text;

  CTemplateReader() = default;
  CTemplateReader(const CTemplateReader&) = delete;
  CTemplateReader& operator=(const CTemplateReader&) = delete;
  // The template belongs to whoever asked for it.
  ~CTemplateReader() { currentTemplate = nullptr; }

  // UI directory + fileName, read whole; a new template the caller owns, or null.
  TTemplate* ReadTemplate(CAppUI* app, CommonString fileName);
  // Without an application object the path is read from disk.
  TTemplate* ReadTemplateAbsolutePath(CAppUI* app, CommonString path);
  // Every line of file into currentTemplate (which the caller has made); 1.
  int ReadTemplate(IFile* file);

  // The widget block whose opening line carries exactly widgetName (quotes included), or null.
  TWidget* ReadWidget(CAppUI* app, const char* fileName, const char* widgetName);
  TWidget* ReadWidget(IFile* file, const char* widgetName);
  // The action block of exactly that name (quotes included), or null.
  TAction* ReadAction(CAppUI* app, CommonString fileName, const char* actionName);
  TAction* ReadAction(IFile* file, const char* actionName);

  // One line of a widget block; a null widget means the last description of currentTemplate.
  void SetWidgetProperty(Text& key, Text& value, TWidget* widget);
  // One line of the dialog's last child placement.
  void SetWidgetListEntryProperty(TDialog* dialog, Text& key, Text& value);
  // One line of the dialog's command-binding list.
  void SetActionListEntry(TDialog* dialog, Text& key, Text& value);
  // One line of an action block; a null action means the last action of currentTemplate.
  void SetActionProperty(Text& key, Text& value, TAction* action);

  // One of the eleven block keywords, exactly.
  static bool IsAWidgetType(CommonStringRS<50> word);

  // The name warnings give the file; set by the reads that open one.
  void SetFileName(CommonString name) { m_FileName = name; }

  TTemplate* currentTemplate = nullptr;
  int state = 0; // 0 top level, 1 in a widget block, 2 in an action block
  u8 inChildEntry = 0;
  u8 inActionList = 0;

private:
  IFile* OpenFile(CAppUI* app, const CommonString& path);
  // The block of that name in a file of the UI directory, read by the one-file read given.
  template <class Block>
  Block* ReadBlock(CAppUI* app, const CommonString& fileName, const char* name,
                   Block* (CTemplateReader::*read)(IFile*, const char*));
  void Reset(IFile* file);
  // The next meaningful line, split; isEnd for a line that is exactly "end". False at the end.
  bool NextLine(IFile* file, Text& key, Text& value, bool& isEnd);
  void Warn(const char* what, const Text& key, const Text& value, const char* outcome = "skipped");

  CommonString m_FileName{"template"};
  int m_nLine = 0;                   // line breaks before the current line
  long m_nCountedPos = 0;            // where counting them stopped
  TWidget* m_pBlockWidget = nullptr; // the open widget block's description (null: not stored)
  TAction* m_pBlockAction = nullptr;
  u8 m_bChildStored = 0; // the last child line made a placement
};
