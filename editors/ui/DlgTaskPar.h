// The "Task" dialog: edits one model task in place with the pages of the
// task-parameter tab container, a part selector, the signal and practice
// runs and help. Callers that may cancel hand in a copy of the task and
// assign it back when the dialog ends with OK.
#pragma once

#include <wx/dialog.h>

#include <memory>
#include <string>

#include "editors/ui/DlgTaskParPage.h"
#include "editors/ui/DlgTaskParTab.h"

class wxSpinButton;
class wxNotebook;

namespace qel {

class CQelNotifyEvent;

class CDlgTaskPar : public wxDialog, public ITaskParOwner {
 public:
  enum ControlId : int {
    kIdTabs = 1086,
    kIdPart = 1049,
    kIdPartSpin = 1045,
    kIdPartName = 1118,
    kIdSignals = 1089,
    kIdPractice = 1090,
    kIdHelp = 1301,
  };

  CDlgTaskPar(wxWindow* parent, CExpModelTask* task, const std::string& modelName, bool canRun,
              const EditorServices& services);
  ~CDlgTaskPar() override;

  // ITaskParOwner: the buttons follow the run state and the task.
  void UpdateControls() override;
  uint8_t GetCanEdit() const override { return m_canEdit; }
  void SetCanEdit(uint8_t canEdit) override { m_canEdit = canEdit; }

  void UpdateTaskTexts();
  // The operator's actions (also driven by tests).
  bool StepPart(int delta);
  void RunSignals();
  void RunPractice();
  void OnOk();
  void OnCancel();

  CDlgTaskParTab& Tabs() { return m_tabs; }
  std::string PartCaption() const { return m_partCaption; }

 private:
  void OnNotify(CQelNotifyEvent& event);
  void EndWith(int code);

  CExpModelTask* m_task;
  std::string m_modelName;
  const EditorServices& m_services;
  CDlgTaskParTab m_tabs;
  wxSpinButton* m_partSpin = nullptr;
  std::string m_partCaption;
  uint8_t m_canEdit = 1;
  bool m_canRun;
  int m_focusAfterRun = 0;
};

}  // namespace qel
