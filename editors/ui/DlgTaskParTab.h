// The tab container of the task-parameter pages, used by the task dialog
// and the model editor: the six pages of the program (Instruction, General,
// Feedback, Timing, Trials, Variables) and, on a seventh tab "Parameters",
// the parameter page of the task's plug-in. It is no window of its own: its
// pages live in the owner's notebook. Only the page shown is refreshed; the
// others are refreshed when they are shown.
#pragma once

#include <wx/notebook.h>

#include "editors/TaskParHelp.h"
#include "editors/ui/DlgTaskParPage.h"

class wxPanel;

namespace qel {

class CDlgTaskParIns;
class CDlgTaskParGen;
class CDlgTaskParFbk;
class CDlgTaskParTim;
class CDlgTaskParTrl;
class CDlgTaskParVar;
class IQelTaskPage;

class CDlgTaskParTab {
 public:
  explicit CDlgTaskParTab(const EditorServices& services);

  // Builds the pages in the owner's notebook and shows the first; the
  // "Parameters" tab is there when the task's plug-in has a page of its own,
  // or when there is no task (the model editor, whose task changes).
  void Init(wxNotebook* notebook, CExpModelTask* task, ITaskParOwner* taskDialog, ITaskParOwner* modelDialog);
  // The task the pages show (the model editor's current task).
  void SetTask(CExpModelTask* task) { m_task = task; }
  CExpModelTask* GetTask() const { return m_task; }
  // Refreshes the page of the current tab.
  void UpdateControls(bool refreshVariables);
  // Shows the help of the current tab over the given window.
  void ShowHelp(wxWindow* over);
  // The current tab's page is going: it stops what it runs.
  void HideCurrentPage();
  // Every page stops what it runs (the dialog ends).
  void HideAllPages();

  int GetCurrentTab() const { return m_currentTab; }
  void SelectTab(int tab);
  int GetTabCount() const;
  wxNotebook* Notebook() const { return m_notebook; }
  CDlgTaskParIns& Instruction() const { return *m_ins; }
  CDlgTaskParGen& General() const { return *m_gen; }
  CDlgTaskParFbk& Feedback() const { return *m_fbk; }
  CDlgTaskParTim& Timing() const { return *m_tim; }
  CDlgTaskParTrl& Trials() const { return *m_trl; }
  CDlgTaskParVar& Variables() const { return *m_var; }
  // The window of the plug-in page shown on the "Parameters" tab, or null.
  wxWindow* PluginWindow() const;

 private:
  CDlgTaskParPage* Page(int tab) const;
  void ShowPluginPage();
  void OnPageChanging(wxBookCtrlEvent& event);
  void OnPageChanged(wxBookCtrlEvent& event);

  const EditorServices& m_services;
  wxNotebook* m_notebook = nullptr;
  CDlgTaskParIns* m_ins = nullptr;
  CDlgTaskParGen* m_gen = nullptr;
  CDlgTaskParFbk* m_fbk = nullptr;
  CDlgTaskParTim* m_tim = nullptr;
  CDlgTaskParTrl* m_trl = nullptr;
  CDlgTaskParVar* m_var = nullptr;
  wxPanel* m_pluginHost = nullptr;
  IQelTaskPage* m_pluginPage = nullptr;     // the plug-in's page object (the plug-in owns it)
  CExpModelTask* m_pluginTask = nullptr;    // the task its window was made for
  wxWindow* m_pluginWindow = nullptr;
  int m_currentTab = 0;
  CExpModelTask* m_task = nullptr;
  ITaskParOwner* m_taskDialog = nullptr;
  ITaskParOwner* m_modelDialog = nullptr;
};

// Sizes a dialog to its contents, within the client area of its display.
void FitWithinScreen(wxWindow* dialog);

// Shows a help text (RTF) in a modal window with the given title, at 70
// percent of the screen, centred over the window.
void ShowHelpText(wxWindow* over, const std::string& title, const std::string& rtf);

}  // namespace qel
