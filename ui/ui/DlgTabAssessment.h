// The "Assessments" page of the main view: the operator chooses the current
// testee, model, task, part and assessment number, starts the task's
// signals, practice and test runs, stops a run, lists the filed assessments
// of the current testee, model and task, creates and searches testees and
// points the project tree at the current items.
#pragma once

#include <cstdint>
#include <string>

#include "app/model/ExpModel.h"
#include "project/TesteeFilter.h"
#include "project/TesteeInfo.h"
#include "ui/AssessmentsPageRules.h"
#include "ui/ui/DlgTab.h"

class wxSpinButton;
class wxSpinEvent;
class wxStaticBox;
class wxStaticText;
class wxTextCtrl;

namespace qel {

class CComboBoxModels;
class CComboBoxTasks;
class CComboBoxTestees;
class CListCtrlAssessments;

class CDlgTabAssessment : public CDlgTab {
 public:
  enum ControlId : int {
    kTemplateId = 170,
    kIdTest = 1008,
    kIdStop = 1009,
    kIdViewScore = 1010,
    kIdBuildScore = 1011,
    kIdPartSpin = 1045,
    kIdAssessmentSpin = 1046,
    kIdInstruct = 1089,
    kIdPractice = 1090,
    kIdViewTask = 1091,
    kIdViewModel = 1092,
    kIdViewTestee = 1095,
    kIdNewTestee = 1098,
    kIdSearch = 1100,
    kIdFindTestee = 1101,
    kIdFindModel = 1102,
    kIdFindTask = 1103,
    kIdFindAssessment = 1104,
    kIdFilterTree = 1105,
    kIdTestees = 1108,
    kIdModels = 1109,
    kIdTasks = 1110,
    kIdPartName = 1118,
    kIdAssessment = 1119,
    kIdVersionName = 1143,
    kIdPart = 1162,
    kIdTaskName = 1165,
    kIdAssessmentLabel = 1193,
    kIdPartLabel = 1231,
    kIdList = 1235,
    kIdTaskAssessments = 1256,
    kIdTaskScores = 1257,
    kIdModelGroup = 1238,
    kIdTesteeGroup = 1240,
    kIdTaskGroup = 1241,
    kIdAssessmentGroup = 1242,
    kIdKeysMapping = 1243,
    kIdHelp = 1338,
  };
  static constexpr unsigned kHelpText = 217;

  CDlgTabAssessment();

  bool CreatePage(wxWindow* parent) override;
  void Refresh() override;
  void UpdateControls() override;

  // The state the controls were last updated from.
  AssessmentsPageState GetState() const;
  const std::string& GetCurrentTestee() const { return m_testeeId; }
  const std::string& GetCurrentModel() const { return m_modelId; }
  const std::string& GetCurrentTask() const { return m_taskId; }
  int GetPartNumber() const { return m_partNumber; }
  uint32_t GetAssessmentNumber() const { return m_assessment; }
  int GetFiledCount() const { return m_filed; }
  const CTesteeInfo& GetTesteeRecord() const { return m_testee; }
  const CTesteeFilter& GetTreeFilter() const { return m_filter; }
  CExpModel& GetPageModel() { return m_model; }
  CComboBoxTestees* GetTesteeCombo() const { return m_pTestees; }
  CComboBoxModels* GetModelCombo() const { return m_pModels; }
  CComboBoxTasks* GetTaskCombo() const { return m_pTasks; }
  CListCtrlAssessments* GetList() const { return m_pList; }

  // The actions of the buttons and spins.
  void RunSignals();
  void RunPractice();
  void RunTest();
  void StopRun();
  void StepPart(int delta);
  bool StepAssessment(int delta);
  void NewTestee();
  void SearchTestee();
  void ViewTestee();
  void ViewModel();
  void ViewScore();
  void BuildScore();
  // The assessments (or scores) list of the current testee, model and task.
  void ShowTaskList(bool scores);
  void FilterTree();
  void FindInTree(int id);

 protected:
  void OnNotify(CQelNotifyEvent& event) override;

 private:
  void MakeTesteeGroup(wxSizer* page);
  void MakeModelGroup(wxSizer* page);
  void MakeTaskGroup(wxSizer* page);
  void MakeAssessmentGroup(wxSizer* page);
  void FillTestees();
  void FillModels();
  void FillTasks();
  void LoadModel();
  void LoadTestee();
  void FillList();
  void SyncTask(bool reset);
  void ChooseTestee(int index);
  void ChooseModel(int index);
  void ChooseTask(int index);
  void ChooseListRow(int row);
  void RunEnded();
  void SendFilterToTree(int code);
  intptr_t SendToTree(int code, intptr_t payload);
  void OnButton(wxCommandEvent& event);
  void OnSpin(wxSpinEvent& event);
  void SetText(wxStaticText* text, const std::string& value);

  CComboBoxTestees* m_pTestees = nullptr;
  CComboBoxModels* m_pModels = nullptr;
  CComboBoxTasks* m_pTasks = nullptr;
  CListCtrlAssessments* m_pList = nullptr;
  wxStaticBox* m_pTesteeGroup = nullptr;
  wxStaticBox* m_pModelGroup = nullptr;
  wxStaticBox* m_pTaskGroup = nullptr;
  wxStaticBox* m_pAssessmentGroup = nullptr;
  wxStaticText* m_pTaskName = nullptr;
  wxStaticText* m_pKeysMapping = nullptr;
  wxStaticText* m_pVersionName = nullptr;
  wxStaticText* m_pPartName = nullptr;
  wxTextCtrl* m_pPart = nullptr;
  wxTextCtrl* m_pAssessment = nullptr;

  int m_version = 0;
  int m_partNumber = 0;
  uint32_t m_assessment = 0;
  int m_filed = 0;
  int m_refocusId = 0;
  CTesteeFilter m_filter;
  CTesteeInfo m_testee;
  CExpModel m_model;
  AssessmentsPageState m_state;
};

}  // namespace qel
