// The "Models" page of the main view: the models stored in the working
// project above, the model file (the document's experiment model) with its
// tasks below. From here the operator opens, creates, edits, saves and
// clears model files, adds the model file to the project (for good),
// extracts a project model into a new model file, and opens the model
// editor or the task dialog. While the model file has unsaved changes the
// "Save" caption blinks.
#pragma once

#include <wx/timer.h>

#include <string>

#include "ui/ModelsPageRules.h"
#include "ui/ui/DlgTab.h"

class wxButton;
class wxStaticBox;

namespace qel {

class CComboBoxFilePath;
class CListCtrlModels;
class CListCtrlTasks;

class CQelDoc;

// The operator's answer about the document's unsaved model changes (Yes
// saves, No drops, Cancel, the default, keeps them): true when the
// document may be renewed. True for a document without changes or none.
bool SaveModifiedModel(CQelDoc* doc);

class CDlgTabModel : public CDlgTab {
 public:
  enum ControlId : int {
    kTemplateId = 171,
    kIdBrowse = 1094,
    kIdSave = 1100,
    kIdEdit = 1101,
    kIdAddToProject = 1102,
    kIdNew = 1103,
    kIdSaveAs = 1104,
    kIdClear = 1105,
    kIdFilePath = 1109,
    kIdExtract = 1163,
    kIdDelete = 1164,
    kIdModels = 1173,
    kIdTasks = 1175,
    kIdModelsGroup = 1238,
    kIdFileGroup = 1241,
    kIdFileHelp = 1302,
    kIdModelsHelp = 1303,
  };
  static constexpr unsigned kHelpText = 221;
  static constexpr int kBlinkTimerId = 100;
  static constexpr int kBlinkMilliseconds = 500;

  CDlgTabModel();
  ~CDlgTabModel() override;

  bool CreatePage(wxWindow* parent) override;
  void Refresh() override;
  void UpdateControls() override;

  // The state the controls were last updated from.
  ModelsPageState GetState() const;
  const std::string& GetModelFilePath() const { return m_modelFilePath; }
  const std::string& GetCurrentModel() const { return m_modelId; }
  CListCtrlModels* GetModelList() const { return m_pModels; }
  CListCtrlTasks* GetTaskList() const { return m_pTasks; }
  CComboBoxFilePath* GetFileCombo() const { return m_pFiles; }
  bool IsBlinking() const { return m_blinkTimer.IsRunning(); }
  // One blink tick, as the timer gives it.
  void Blink();

  // The actions of the buttons and double clicks.
  void NewModelFile();
  void SaveModelFile();
  void SaveModelFileAs();
  void ClearModelFile();
  void AddModelToProject();
  void ExtractToFile();
  // The model editor on project model row (read-only) or, for -1, on the
  // model file.
  void EditModel(int row);
  // The task dialog on task row of the model file.
  void EditTask(int row);

 protected:
  void OnNotify(CQelNotifyEvent& event) override;

 private:
  void RefillModels();
  void RefillTasks();
  void ModelFileLoaded(bool thenEdit);
  void ModelFileCleared();
  void StartBlinking();
  // File New with the modified flag cleared first; the page follows.
  bool RenewDocument();
  intptr_t SendToTree(int code, intptr_t payload);
  void OnButton(wxCommandEvent& event);
  void OnTimer(wxTimerEvent& event);

  CListCtrlModels* m_pModels = nullptr;
  CComboBoxFilePath* m_pFiles = nullptr;
  CListCtrlTasks* m_pTasks = nullptr;
  wxStaticBox* m_pModelsGroup = nullptr;
  wxStaticBox* m_pFileGroup = nullptr;
  wxButton* m_pSave = nullptr;
  std::string m_modelFilePath;
  int m_blinkCounter = 0;
  wxTimer m_blinkTimer;
  bool m_bSelectingPath = false;
};

}  // namespace qel
