// The model picker: the experiment models stored in a project; "View" reads
// the chosen one with its tasks and opens it in the model editor, and the
// picker stays open afterwards.
#pragma once

#include <wx/dialog.h>

#include <functional>
#include <memory>
#include <string>

class wxStaticText;

namespace qel {

class CExpModel;
class CListCtrlQel;
class CQelNotifyEvent;
class IAdminProject;

class CDlgModelsAvailable : public wxDialog {
 public:
  enum ControlId : int { kIdCount = 1013, kIdList = 1173, kIdEmpty = 1422 };
  static constexpr const char* kModeText = "Models available";

  // Runs the model editor modally on the model read, owned by the picker
  // (the program gives the editor with its run flag set).
  using ModelEditorRunner = std::function<void(wxWindow* parent, CExpModel& model)>;

  CDlgModelsAvailable(wxWindow* parent, IAdminProject* project, ModelEditorRunner editor);
  ~CDlgModelsAvailable() override;

  const std::string& GetChosenModel() const { return m_chosen; }
  int GetRowCount() const { return m_rowCount; }
  CListCtrlQel& List() { return *m_pList; }
  // "View": reads the chosen model and runs the editor on it; false when
  // nothing was opened.
  bool ViewChosen();

 private:
  void FillList();
  void OnNotify(CQelNotifyEvent& event);
  void OnView(wxCommandEvent& event);

  IAdminProject* m_pProject;
  ModelEditorRunner m_editor;
  CListCtrlQel* m_pList = nullptr;
  int m_rowCount = 0;
  std::string m_chosen;
};

}  // namespace qel
