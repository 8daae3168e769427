// The "Data" page of the main view: the scores stored in the working
// project for a chosen testee, model and task (or for all of them), the
// score dialog of a stored score, the lists of assessments and of score
// versions, and the raw responses of one stored assessment written to a
// text file.
#pragma once

#include <functional>
#include <string>

#include "ui/DataPageRules.h"
#include "ui/ui/DlgTab.h"

class wxCheckBox;
class wxStaticBox;
class wxStaticText;

namespace qel {

class CComboBoxModels;
class CComboBoxTasks;
class CComboBoxTestees;
class CListCtrlVariables;

class CDlgTabData : public CDlgTab {
 public:
  enum ControlId : int {
    kTemplateId = 193,
    kIdSearch = 1100,
    kIdTesteeCombo = 1108,
    kIdModelCombo = 1109,
    kIdTaskCombo = 1110,
    kIdTesteeLabel = 1139,
    kIdModelLabel = 1141,
    kIdTaskLabel = 1143,
    kIdTaskName = 1165,
    kIdAllTestees = 1225,
    kIdAllModels = 1226,
    kIdAllTasks = 1227,
    kIdModelGroup = 1238,
    kIdTesteeGroup = 1240,
    kIdTaskGroup = 1241,
    kIdDelete = 1251,
    kIdScores = 1252,
    kIdScoreGroup = 1253,
    kIdDeleteAll = 1254,
    kIdExportRaw = 1255,
    kIdAssessments = 1256,
    kIdHelp = 1339,
    kIdResponsesHistory = 1412,
    kIdScoresHistory = 1413,
  };
  static constexpr unsigned kHelpText = 220;

  // Asks for the raw response file: the proposed name in, the chosen path
  // out ("" when cancelled).
  using FileChooser = std::function<std::string(wxWindow* parent, const std::string& proposedName)>;

  CDlgTabData();

  bool CreatePage(wxWindow* parent) override;
  void Refresh() override;
  void UpdateControls() override;

  // The state the controls were last updated from.
  DataPageState GetState() const;
  const DataPageScore& GetSelectedScore() const { return m_selected; }
  const std::string& GetRawFileName() const { return m_rawName; }
  const std::string& GetRawFilePath() const { return m_rawPath; }
  CListCtrlVariables* GetScoreList() const { return m_pScores; }
  CComboBoxTestees* GetTesteeCombo() const { return m_pTesteeCombo; }
  CComboBoxModels* GetModelCombo() const { return m_pModelCombo; }
  CComboBoxTasks* GetTaskCombo() const { return m_pTaskCombo; }
  void SetFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

  // The actions of the controls.
  void SetAllTestees(bool on);
  void SetAllModels(bool on);
  void SetAllTasks(bool on);
  void SearchTestee();
  void ExportRawData();
  void ShowAssessments();
  void ShowScoreHistory();

 protected:
  void OnNotify(CQelNotifyEvent& event) override;

 private:
  void FillTestees();
  void FillModels();
  void FillTasks();
  void FillScores();
  // The filters of the lists: the choosers' Ids, empty where "All" is set.
  DataPageScore Filter() const;
  void OnButton(wxCommandEvent& event);
  void OnCheckBox(wxCommandEvent& event);

  wxStaticBox* m_pTesteeGroup = nullptr;
  wxStaticBox* m_pModelGroup = nullptr;
  wxStaticBox* m_pTaskGroup = nullptr;
  wxStaticBox* m_pScoreGroup = nullptr;
  wxCheckBox* m_pAllTesteesBox = nullptr;
  wxCheckBox* m_pAllModelsBox = nullptr;
  wxCheckBox* m_pAllTasksBox = nullptr;
  bool m_allTestees = false;
  bool m_allModels = false;
  bool m_allTasks = false;
  wxStaticText* m_pTaskName = nullptr;
  CComboBoxTestees* m_pTesteeCombo = nullptr;
  CComboBoxModels* m_pModelCombo = nullptr;
  CComboBoxTasks* m_pTaskCombo = nullptr;
  CListCtrlVariables* m_pScores = nullptr;
  int m_scoreCount = 0;
  DataPageScore m_selected;
  std::string m_rawPath;
  std::string m_rawName;
  FileChooser m_chooser;
};

}  // namespace qel
