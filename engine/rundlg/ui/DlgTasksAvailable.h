// The list of every loaded task plug-in. Opened from the model editor, it
// adds the checked tasks to the edited model (appended or inserted); opened
// without one, it only shows the list.
#pragma once

#include <wx/dialog.h>

#include <vector>

#include "engine/rundlg/TaskListRows.h"

namespace qel {

class CListCtrlQel;
class CQelNotifyEvent;
class IModelTaskEditor;

class CDlgTasksAvailable : public wxDialog {
 public:
  enum ControlId : int { kIdList = 1004, kIdCount = 1013 };

  // mode: IModelTaskEditor::kAddAppend or kAddInsert. The parent is the
  // owner's window, or the given one without an owner.
  CDlgTasksAvailable(IModelTaskEditor* owner, int mode, wxWindow* parent = nullptr);

  bool IsAnyChecked() const;
  CListCtrlQel& List() { return *m_pList; }
  // Adds the checked tasks to the owner's model (the OK button).
  void AddCheckedTasks();

 private:
  void FillList();
  void OnNotify(CQelNotifyEvent& event);
  void OnOk(wxCommandEvent& event);

  IModelTaskEditor* m_pOwner;
  int m_nMode;
  CListCtrlQel* m_pList = nullptr;
  std::vector<TaskListRow> m_rows;
  int m_nOwnUnchecks = 0;  // check-change notices still to come from our own unchecking
};

}  // namespace qel
