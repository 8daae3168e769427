// The project tree window, the left pane of the main window: a tree
// control showing the nodes of ui/ProjectTree.h. Other windows drive it
// with notify codes (refresh parts, filter, relabel, select a named item);
// a double click on a user, testee code, testee, task or score set asks the
// owner's actions to show it, when the operator may act.
#pragma once

#include <wx/treectrl.h>

#include <cstdint>
#include <memory>
#include <string>

#include "project/TesteeFilter.h"
#include "ui/NotifyCodes.h"
#include "ui/ProjectTree.h"

namespace qel {

class CProjectData;

// What the tree asks of the program's state.
class IOperatorState {
 public:
  virtual ~IOperatorState() = default;
  virtual bool IsLoggedIn() const = 0;
  virtual bool IsCfrMode() const = 0;  // the program runs in 21 CFR mode
  virtual bool IsRunInProgress() const = 0;
};

// The dialogs a double click opens (each reads its item from the project).
class IProjectTreeActions {
 public:
  virtual ~IProjectTreeActions() = default;
  virtual void ViewUser(const std::string& user) = 0;
  virtual void ViewTesteeCode(const std::string& code) = 0;
  virtual void ViewTestee(const std::string& testee) = 0;
  virtual void ViewTask(const std::string& model, const std::string& task) = 0;
  virtual void ViewScore(const std::string& testee, const std::string& model, const std::string& task,
                         uint32_t number) = 0;
};

// The tree's notify codes.
enum TreeNotifyCode : int {
  kTreeRefreshUsers = 4,
  kTreeRefreshCodes = 5,
  kTreeRefreshModels = 6,
  kTreeRefreshTestees = 7,
  kTreeRefreshScores = 8,
  kTreeFullTree = 10,
  kTreeRebuild = 11,
  kTreeFilter = 12,         // payload: CTesteeFilter*
  kTreeFilterTestees = 13,  // payload: CTesteeFilter*
  kTreeRefreshUsers2 = 14,
  kTreeRefreshCodes2 = 15,
  kTreeRefreshModels2 = 16,
  kTreeRelabelTestees = 17,
  kTreeRelabelScores = 18,
  kTreeSelectTestee = 20,  // payload: QelAssessmentNotice* (testee)
  kTreeSelectModel = 21,   // (model)
  kTreeSelectTask = 22,    // (model, task)
  kTreeSelectScore = 23,   // (testee, model, task, assessment)
};

class CLeftView : public wxTreeCtrl {
 public:
  CLeftView(wxWindow* parent, wxWindowID id);
  ~CLeftView() override;

  // The open project's cache and path (null: no project); rebuilds from the root.
  void SetProject(CProjectData* cache, const std::string& path);
  // The same project object opened at another path (its cache read anew):
  // rebuilds from the root, without the filter of the project before.
  void ShowProjectAt(const std::string& path);
  const std::string& GetProjectPath() const { return m_strPath; }
  void SetOperatorState(const IOperatorState* state) { m_pState = state; }
  void SetActions(IProjectTreeActions* actions) { m_pActions = actions; }

  void BuildRoot();
  bool Refresh(uint32_t mask, const CTesteeFilter* filter);
  bool RefreshLabels(uint32_t mask);
  // The notify codes above; the reply (1 from the relabel codes when a
  // marked testee has an outdated score set).
  intptr_t OnNotifyCode(int code, intptr_t payload);
  // Acts on a double click on the item (as the activation event does).
  void OpenItem(const wxTreeItemId& item);

  std::string GetToolTipText() const;
  CProjectTree& GetTree() { return m_tree; }
  bool IsFullTree() const { return m_tree.m_fullTree; }

 private:
  // The control as the nodes use it.
  class TreeItems;

  void UpdateToolTip();
  bool CfrMode() const { return m_pState && m_pState->IsCfrMode(); }

  std::unique_ptr<TreeItems> m_items;
  CProjectTree m_tree;
  std::string m_strPath;
  CTesteeFilter m_filter;
  const IOperatorState* m_pState = nullptr;
  IProjectTreeActions* m_pActions = nullptr;
};

// The one tree window of the program (null while there is none).
CLeftView* GetTreeWindow();

}  // namespace qel
