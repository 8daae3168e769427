// The score dialog: one score of a testee as lists (basic, Z-score bars,
// norm curve, series, changes between saved versions) with its
// identification, marking of Z variables, the norm graph's age range,
// export, print and saving. It shows a CScoreDocument and forwards the
// operator's choices to it; it never writes to the project.
#pragma once

#include <memory>
#include <cstdint>
#include <string>
#include <vector>

#include <wx/dialog.h>

#include "scores/ScoreDialog.h"
#include "scores/ScoreDocument.h"

class wxListCtrl;
class wxListEvent;
class wxPanel;
class wxRadioButton;
class wxCheckBox;
class wxStaticText;
class wxButton;
class wxSpinButton;
class wxSpinEvent;
class wxTextCtrl;

namespace qel {

class CDlgScore : public wxDialog {
 public:
  CDlgScore(wxWindow* parent, std::unique_ptr<CScoreDocument> document);
  ~CDlgScore() override;

  CScoreDocument& Document() { return *m_doc; }
  ScoreView GetView() const { return m_view; }
  bool NoTesteeName() const;

  // The view switches, as the radio buttons call them.
  void ShowView(ScoreView view);
  void SetListOption(bool groupList, bool longList, bool fullList);
  void SetMarks(bool detailed, bool summary);
  // The operator checks or unchecks a row's box (refused without a value).
  bool CheckRow(int row, bool checked);
  // Selecting a row makes its variable the current Z variable.
  void SelectRow(int row);
  // The age range up-down controls: step -1 or +1.
  void StepAgeLow(int step);
  void StepAgeHigh(int step);
  // Closing: asks whether to save when the score may be saved.
  void CloseAsked();

  wxListCtrl* List() { return m_list; }
  wxPanel* Graph() { return m_graph; }
  wxButton* SaveButton() { return m_save; }
  wxButton* HelpButton() { return m_help; }
  wxButton* ChangesButton() { return m_changes; }
  wxRadioButton* ViewButton(ScoreView view) { return m_views[static_cast<int>(view)]; }
  wxCheckBox* GroupListBox() { return m_groupList; }
  // The program's help texts on the parts of the dialog now on offer, in
  // the Language setting's language; "Help" shows them as one text.
  std::vector<uint32_t> HelpTextIds() const;
  wxButton* ExportButton() { return m_export; }
  // The tool tip of a control, by the control itself.
  std::string ToolTipOf(const wxWindow* control) const;

 private:
  void Build();
  void FillList();
  void UpdateControls();
  void PaintGraph();
  void OnExport();
  void OnPrint();
  void StretchLastColumn();
  void OnQualityCheck();
  void OnHelp();
  void OnChangesList();

  std::unique_ptr<CScoreDocument> m_doc;
  ScoreView m_view = ScoreView::kBasic;
  bool m_filling = false;
  wxListCtrl* m_list = nullptr;
  wxPanel* m_graph = nullptr;
  wxRadioButton* m_views[5] = {};
  wxCheckBox* m_groupList = nullptr;
  wxCheckBox* m_longList = nullptr;
  wxCheckBox* m_fullList = nullptr;
  wxCheckBox* m_detailed = nullptr;
  wxCheckBox* m_summary = nullptr;
  wxCheckBox* m_noTesteeName = nullptr;
  wxStaticText* m_countText = nullptr;
  wxStaticText* m_changeNo = nullptr;
  wxStaticText* m_ageLow = nullptr;
  wxStaticText* m_ageHigh = nullptr;
  wxSpinButton* m_ageLowSpin = nullptr;
  wxSpinButton* m_ageHighSpin = nullptr;
  wxWindow* m_ageBox = nullptr;
  wxWindow* m_markBox = nullptr;
  wxButton* m_save = nullptr;
  wxButton* m_close = nullptr;
  wxButton* m_export = nullptr;
  wxButton* m_print = nullptr;
  wxButton* m_quality = nullptr;
  wxButton* m_changes = nullptr;
  wxButton* m_help = nullptr;
  std::string m_tablePath, m_graphPath;  // remembered export targets
  int m_tableType = 2, m_graphType = 0;
};

// Makes, runs and destroys the score dialog of a finished run. The store
// (the open project's scores, may be null) and the logged-in user are the
// program's.
class CScoreDialogFactory : public IScoreDialogFactory {
 public:
  void SetStore(IScoreStore* store) { m_store = store; }
  void SetUser(const ScoreUser& user) { m_user = user; }
  int RunScoreDialog(const ScoreDialogRequest& request) override;

 private:
  IScoreStore* m_store = nullptr;
  ScoreUser m_user;
};

}  // namespace qel
