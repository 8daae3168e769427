// The Import page of the main view (no tab shows it): laid out for taking
// testees, models and stored scores over from a source project, with
// check-box lists of the source project's testees, models and scores and
// the selection buttons of the testees. How the source project is chosen
// and what "Import checked" does are not settled: the "..." and "Import
// checked" buttons have no action and no source project is set, so the
// lists stay empty.
#pragma once

#include <string>

#include "ui/ImportPageRules.h"
#include "ui/ui/DlgTab.h"

class wxStaticBox;
class wxStaticText;
class wxTextCtrl;

namespace qel {

class CListCtrlModels;
class CListCtrlTestees;
class CListCtrlVariables;
class IAdminProject;

class CDlgTabImport : public CDlgTab {
 public:
  enum ControlId : int {
    kTemplateId = 197,
    kIdSelectFound = 1100,
    kIdModels = 1173,
    kIdTestees = 1189,
    kIdSelectAll = 1230,
    kIdUnselectAll = 1231,
    kIdSelectGroup = 1232,
    kIdModelGroup = 1238,
    kIdTesteeGroup = 1240,
    kIdScores = 1252,
    kIdScoreGroup = 1253,
    kIdSource = 1284,
    kIdBrowse = 1285,
    kIdImportTestees = 1287,
    kIdImportModels = 1288,
    kIdImportScores = 1289,
    kIdScoresTestee = 1290,
    kIdScoresModel = 1291,
  };

  CDlgTabImport();

  bool CreatePage(wxWindow* parent) override;
  void Refresh() override;
  void UpdateControls() override;

  ImportPageState GetState() const;
  CListCtrlTestees* GetTesteeList() const { return m_pTestees; }
  CListCtrlModels* GetModelList() const { return m_pModels; }
  CListCtrlVariables* GetScoreList() const { return m_pScores; }

  // The selection buttons of the testees.
  void SelectAll();
  void UnselectAll();
  void SelectGroup();
  void SelectFound();

 protected:
  void OnNotify(CQelNotifyEvent& event) override;

  // The project the lists show; none is ever set.
  IAdminProject* m_pSource = nullptr;

 private:
  void RefillTestees();
  void RefillModels();
  void RefillScores();
  bool HasSource() const;
  void OnButton(wxCommandEvent& event);

  CListCtrlTestees* m_pTestees = nullptr;
  CListCtrlModels* m_pModels = nullptr;
  CListCtrlVariables* m_pScores = nullptr;
  wxStaticBox* m_pTesteeGroup = nullptr;
  wxStaticBox* m_pModelGroup = nullptr;
  wxStaticBox* m_pScoreGroup = nullptr;
  wxTextCtrl* m_pSourceText = nullptr;
  wxStaticText* m_pScoresTestee = nullptr;
  wxStaticText* m_pScoresModel = nullptr;
  int m_scoreCount = 0;
};

}  // namespace qel
