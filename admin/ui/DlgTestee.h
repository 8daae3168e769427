// The testee dialog: a new testee entered, an existing one edited (birth
// date, preference and comment only) or one shown read-only. It validates
// and collects; after OK ("Save") the caller writes Record() through the
// project object.
#pragma once

#include <wx/dialog.h>

#include <functional>
#include <string>

#include "admin/TesteeForms.h"
#include "admin/ui/AdminDialogSupport.h"

class wxButton;
class wxComboBox;
class wxDateEvent;
class wxDatePickerCtrl;
class wxStaticBitmap;
class wxStaticText;
class wxTextCtrl;

namespace qel {

class CListCtrlQel;
class CQelNotifyEvent;
class IAdminProject;

class CDlgTestee : public wxDialog {
 public:
  enum ControlId : int {
    kIdTestee = 1114,
    kIdFirstName = 1109,
    kIdSurname = 1110,
    kIdSex = 1113,
    kIdPreference = 1115,
    kIdComment = 1155,
    kIdCodes = 1176,
    kIdBirthDate = 1198,
    kIdNotice = 1361,
    kIdPutComment = 1364,
    kIdGetComment = 1365,
    kIdNoticeIcon = 1424,
    kIdChanges = 1428,
  };
  // Opens the change history of a testee (the testee updates dialog).
  using ChangesOpener = std::function<void(wxWindow* parent, const std::string& testee)>;

  // A new testee (mode kNew, record from NewTesteeRecord()), an edited one
  // (kEdit) or a viewed one (kView) of the project.
  CDlgTestee(wxWindow* parent, IAdminProject* project, RecordMode mode, const CTesteeInfo& record);

  const CTesteeInfo& Record() const { return m_form.Info(); }
  const CTesteeForm& Form() const { return m_form; }
  bool IsComplete() const { return m_complete; }

  void SetChangesOpener(ChangesOpener opener) { m_changesOpener = std::move(opener); }
  void SetFileChooser(CommentFileChooser chooser) { m_chooser = std::move(chooser); }

 private:
  void FillCodes();
  void ShowFields();
  void TakeFields();
  void UpdateControls();
  void Edited();
  void Save();
  void OnText(wxCommandEvent& event);
  void OnCombo(wxCommandEvent& event);
  void OnDate(wxDateEvent& event);
  void OnNotify(CQelNotifyEvent& event);
  void OnOk(wxCommandEvent& event);
  void OnCancel(wxCommandEvent& event);
  void OnClose(wxCloseEvent& event);
  void OnGetComment(wxCommandEvent& event);
  void OnPutComment(wxCommandEvent& event);
  void OnChanges(wxCommandEvent& event);
  void AskAndClose();

  IAdminProject* m_pProject;
  CTesteeForm m_form;
  bool m_codesReady = false;
  bool m_complete = false;
  bool m_codeRowSelected = false;
  int m_codeNotices = 0;  // row-selected notices of the codes list so far
  int m_showing = 0;      // fields being shown: their change events are ours
  ChangesOpener m_changesOpener;
  CommentFileChooser m_chooser = ChooseCommentFile;

  wxTextCtrl* m_pTestee = nullptr;
  wxTextCtrl* m_pFirstName = nullptr;
  wxTextCtrl* m_pSurname = nullptr;
  wxDatePickerCtrl* m_pBirth = nullptr;
  wxComboBox* m_pPreference = nullptr;
  wxComboBox* m_pSex = nullptr;
  CListCtrlQel* m_pCodes = nullptr;
  wxTextCtrl* m_pComment = nullptr;
};

}  // namespace qel
