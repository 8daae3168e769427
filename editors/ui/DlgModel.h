// The "Model" dialog: composes one experiment model in place, the ordered
// list of its tasks (at most 40, no task number twice) and, through the
// task-parameter pages, every parameter of the selected task; it starts
// the signal and practice runs of the selected task. It keeps no copy: the
// caller decides from the result and the model's modified flag whether the
// model is saved or read again.
#pragma once

#include <wx/dialog.h>

#include <string>
#include <vector>

#include "editors/ModelEditing.h"
#include "editors/ModelTaskEditor.h"
#include "editors/ui/DlgTaskParPage.h"
#include "editors/ui/DlgTaskParTab.h"

class wxSpinButton;

namespace qel {

class CExpModel;
class CListCtrlQel;
class CQelNotifyEvent;

class CDlgModel : public wxDialog, public ITaskParOwner, public IModelTaskEditor {
 public:
  enum ControlId : int {
    kIdTaskList = 1004,
    kIdAdd = 1005,
    kIdInsert = 1006,
    kIdDelete = 1007,
    kIdCurrentTask = 1016,
    kIdPartSpin = 1045,
    kIdPart = 1049,
    kIdTabs = 1086,
    kIdSignals = 1089,
    kIdPractice = 1090,
    kIdPartName = 1118,
    kIdMoveUp = 1120,
    kIdMoveDown = 1121,
    kIdHelp = 1301,
  };

  // The model may be null (the dialog then shows empty controls).
  CDlgModel(wxWindow* parent, CExpModel* model, bool canRun, const EditorServices& services);
  ~CDlgModel() override;

  // ITaskParOwner
  void UpdateControls() override;
  uint8_t GetCanEdit() const override { return m_canEdit; }
  void SetCanEdit(uint8_t canEdit) override { m_canEdit = canEdit; }
  // IModelTaskEditor (the tasks-available dialog)
  bool AddTask(int mode, const CExpModelTask& task) override;
  void RefreshModelList() override;
  wxWindow* GetEditorWindow() override { return this; }
  wxWindow* GetModelListWindow() override;

  void SelectCurrentTask();
  bool InsertTask(int index, const CExpModelTask& task);
  void DeleteTaskAsk(int index);
  bool MoveTask(int direction);
  bool StepPart(int delta);
  void SelectRow(int row);
  void RunSignals();
  void RunPractice();
  // Opens the tasks-available dialog (append or insert) when there is room.
  void OpenTasksAvailable(int mode);
  void OnOk();
  void OnCancel();

  CDlgTaskParTab& Tabs() { return m_tabs; }
  CListCtrlQel& TaskList() const { return *m_list; }
  CModelEditing& Editing() { return m_editing; }
  std::string PartCaption() const { return m_partCaption; }
  std::string CurrentTaskCaption() const { return m_currentCaption; }
  // The run notifications received (started, ended), in order.
  const std::vector<int>& RunNotices() const { return m_runNotices; }

 private:
  void FillList(int select);
  void SetRow(int row);
  void OnNotify(CQelNotifyEvent& event);
  void EndWith(int code);

  CExpModel* m_model;
  const EditorServices& m_services;
  CModelEditing m_editing;
  CDlgTaskParTab m_tabs;
  CListCtrlQel* m_list = nullptr;
  wxSpinButton* m_partSpin = nullptr;
  std::string m_currentCaption;
  std::string m_partCaption;
  uint8_t m_canEdit = 1;
  bool m_canRun;
  bool m_initialised = false;
  int m_focusAfterRun = 0;
  std::vector<int> m_runNotices;
};

}  // namespace qel
