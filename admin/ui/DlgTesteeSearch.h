// The testee search: the open project's testees whose Id, code and surname
// begin with the given texts, to pick one, to mark several (checked in the
// caller's list on OK), or to filter the project tree. The tree filters go
// to the parent as a sent notification (kNotifyFilterTree) carrying the
// dialog's filter: it is handled at once, so nothing refers to the filter
// once the dialog has closed; the receiver copies what it keeps.
#pragma once

#include <wx/dialog.h>

#include <string>
#include <vector>

#include "admin/TesteeSearch.h"

class wxCheckBox;
class wxTextCtrl;

namespace qel {

class CListCtrlQel;
class CQelNotifyEvent;
class IAdminProject;

class CDlgTesteeSearch : public wxDialog {
 public:
  enum ControlId : int {
    kIdPath = 1084,
    kIdSurname = 1110,
    kIdCode = 1112,
    kIdSearch = 1188,
    kIdList = 1189,
    kIdIdPattern = 1190,
    kIdSelected = 1191,
    kIdFound = 1197,
    kIdMarked = 1198,
    kIdFilterMarked = 1200,
    kIdFilterSelected = 1201,
    kIdIgnoreCase = 1205,
    kIdMarkAll = 1230,
    kIdUnmarkAll = 1231,
    kIdSelectedLabel = 1350,
  };

  // project may be null (nothing can be searched); markList, when given, is
  // the caller's list whose rows of the marked testees OK checks.
  CDlgTesteeSearch(wxWindow* parent, IAdminProject* project, const std::string& startId, CListCtrlQel* markList,
                   const CTesteeSearchOptions& options);

  const std::string& GetSelectedId() const { return m_search.Selected(); }
  const CTesteeSearch& Search() const { return m_search; }
  CListCtrlQel& List() { return *m_pList; }

 private:
  bool HasProject() const;
  void UpdateControls(bool focusPattern);
  void TakePatterns();
  void StartSearch();
  void OnPattern(wxCommandEvent& event);
  void OnSearch(wxCommandEvent& event);
  void OnNotify(CQelNotifyEvent& event);
  void OnMark(wxCommandEvent& event);
  void OnFilter(wxCommandEvent& event);
  void OnOk(wxCommandEvent& event);

  wxWindow* m_pParent;
  IAdminProject* m_pProject;
  CListCtrlQel* m_pMarkList;
  CTesteeSearch m_search;
  int m_filling = 0;  // rows being set by the dialog: their notices are ours
  wxTextCtrl* m_pIdPattern = nullptr;
  wxTextCtrl* m_pCode = nullptr;
  wxTextCtrl* m_pSurname = nullptr;
  wxCheckBox* m_pIgnoreCase = nullptr;
  wxTextCtrl* m_pSelected = nullptr;
  CListCtrlQel* m_pList = nullptr;
};

}  // namespace qel
