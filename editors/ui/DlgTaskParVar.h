// The Variables page: the score variables of the task's plug-in with their
// descriptions, and for a variable with a Z-score its norm values over age
// (mean and mean +/- SD, 0 to 80 years in 8 divisions) in place of the list.
#pragma once

#include "editors/ui/DlgTaskParPage.h"

class wxCheckBox;

namespace qel {

class CListCtrlQel;
class CQelNotifyEvent;

class CDlgTaskParVar : public CDlgTaskParPage {
 public:
  enum ControlId : int {
    kIdList = 1150,
    kIdGraph = 1151,
    kIdZnorm = 1225,
    kIdCount = 1283,
    kIdSelectedFormulae = 1372,
    kIdAllFormulae = 1373,
    kIdAllFunctions = 1374,
  };
  // The list's row-selected code (its double-click code stays the family's).
  static constexpr int kCodeRowSelected = 4;
  static constexpr int kAgeLow = 0;
  static constexpr int kAgeHigh = 80;
  static constexpr int kAgeDivisions = 8;

  CDlgTaskParVar(wxWindow* parent, const EditorServices& services);

  void UpdatePage() override;
  void Fill(bool refill);
  bool IsGraphShown() const { return m_graphShown; }
  const CExpModelTask* FilledTask() const { return m_filledTask; }

  // The operator's actions (also driven by tests).
  void SelectRow(int row);
  void OpenGraph(int row);  // a double-click
  void SetGraph(bool on);   // the "Znorm" check
  CListCtrlQel& List() const { return *m_list; }
  int SelectedRow() const { return m_selected; }

 private:
  void UpdateButtons();
  void OnPageNotify(CQelNotifyEvent& event) override;
  // The selected row is selected again in the list.
  void OnPageShown() override;
  void OnPaintGraph(wxPaintEvent& event);
  bool SelectedHasZScore() const;

  CListCtrlQel* m_list = nullptr;
  wxWindow* m_graph = nullptr;
  wxCheckBox* m_znorm = nullptr;
  bool m_graphShown = false;
  int m_selected = -1;
  const CExpModelTask* m_filledTask = nullptr;  // the task the list holds
};

}  // namespace qel
