// The testee code dialog: a new testee code entered, or one shown. It
// validates and collects; after OK ("Save") the caller writes Record()
// through the project object. A saved code is never edited again.
#pragma once

#include <wx/dialog.h>

#include "admin/TesteeForms.h"
#include "admin/ui/AdminDialogSupport.h"

class wxTextCtrl;

namespace qel {

class CDlgTesteeCode : public wxDialog {
 public:
  enum ControlId : int {
    kIdCode = 1158,
    kIdLabel = 1085,
    kIdComment = 1254,
    kIdNotice = 1361,
    kIdPutComment = 1364,
    kIdGetComment = 1365,
    kIdNoticeIcon = 1424,
  };

  // mode kNew (an empty record) or kView.
  CDlgTesteeCode(wxWindow* parent, RecordMode mode, const CTesteeCodeInfo& record);

  const CTesteeCodeInfo& Record() const { return m_form.Info(); }
  const CTesteeCodeForm& Form() const { return m_form; }
  void SetFileChooser(CommentFileChooser chooser) { m_chooser = std::move(chooser); }

 private:
  void ShowFields();
  void UpdateControls();
  void Save();
  void AskAndClose();
  void OnText(wxCommandEvent& event);
  void OnOk(wxCommandEvent& event);
  void OnCancel(wxCommandEvent& event);
  void OnClose(wxCloseEvent& event);
  void OnGetComment(wxCommandEvent& event);
  void OnPutComment(wxCommandEvent& event);

  CTesteeCodeForm m_form;
  int m_showing = 0;
  CommentFileChooser m_chooser = ChooseCommentFile;
  wxTextCtrl* m_pCode = nullptr;
  wxTextCtrl* m_pLabel = nullptr;
  wxTextCtrl* m_pComment = nullptr;
};

}  // namespace qel
