// The "Export" page of the main view: the operator chooses a model and a
// task and checks, in the list of the working project's testees, those
// whose stored scores for that task go into one score table; only testees
// with a stored score can be checked. The score export's target, type and
// "No testee name" are kept between two exports of the same selection.
#pragma once

#include <string>
#include <vector>

#include "ui/ExportPageRules.h"
#include "ui/ui/DataPageServices.h"
#include "ui/ui/DlgTab.h"

class wxStaticBox;
class wxStaticText;

namespace qel {

class CComboBoxModels;
class CComboBoxTasks;
class CListCtrlTestees;

class CDlgTabExport : public CDlgTab {
 public:
  enum ControlId : int {
    kTemplateId = 192,
    kIdSelectOne = 1100,
    kIdModelCombo = 1109,
    kIdTaskCombo = 1110,
    kIdModelLabel = 1140,
    kIdTaskLabel = 1142,
    kIdTaskName = 1165,
    kIdTestees = 1189,
    kIdSelectAll = 1230,
    kIdUnselectAll = 1231,
    kIdSelectGroup = 1232,
    kIdExportScore = 1233,
    kIdModelGroup = 1238,
    kIdTesteeGroup = 1240,
    kIdTaskGroup = 1241,
    kIdHelp = 1340,
  };
  static constexpr unsigned kHelpText = 219;

  CDlgTabExport();

  bool CreatePage(wxWindow* parent) override;
  void Refresh() override;
  void UpdateControls() override;

  ExportPageState GetState() const;
  CListCtrlTestees* GetTesteeList() const { return m_pTestees; }
  CComboBoxModels* GetModelCombo() const { return m_pModelCombo; }
  CComboBoxTasks* GetTaskCombo() const { return m_pTaskCombo; }
  const ScoreExportSettings& GetExportSettings() const { return m_settings; }
  const std::string& GetCurrentTestee() const { return m_testeeId; }
  // Whether row's testee has a stored score for the chosen model and task.
  bool IsRowScored(int row) const;

  // The actions of the buttons.
  void SelectAll();
  void UnselectAll();
  void SelectGroup();
  void SelectOne();
  void ExportScore();

 protected:
  void OnNotify(CQelNotifyEvent& event) override;

 private:
  void FillTestees();
  void FillModels();
  void FillTasks();
  // Which testees have a stored score for the model and task: those get an
  // empty check box, the others none.
  void MarkScoredTestees();
  void OnButton(wxCommandEvent& event);

  wxStaticBox* m_pTesteeGroup = nullptr;
  wxStaticBox* m_pModelGroup = nullptr;
  wxStaticBox* m_pTaskGroup = nullptr;
  CListCtrlTestees* m_pTestees = nullptr;
  CComboBoxModels* m_pModelCombo = nullptr;
  CComboBoxTasks* m_pTaskCombo = nullptr;
  ScoreExportSettings m_settings;
  bool m_checkGuard = true;
  int m_scoredCount = 0;
  std::vector<bool> m_scored;  // per list row
  wxStaticText* m_pTaskName = nullptr;
};

}  // namespace qel
