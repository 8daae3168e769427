// The program's one document: the experiment model with its file (new,
// open, save, save as), the project object, and the model's print
// settings and printing state from the report document. It also hands the
// system configuration sheet and the new-user dialog to the operator and
// asks the project tree to select nodes.
#pragma once

#include <wx/bitmap.h>

#include <memory>
#include <string>

#include "app/DocProject.h"
#include "app/model/ExpModel.h"
#include "app/ui/DocReport.h"

class wxWindow;
class wxUpdateUIEvent;
class wxCommandEvent;

namespace qel {

class CQelDoc : public CDocReport {
 public:
  static constexpr uint32_t kDocumentFormat = 1;

  CQelDoc();
  ~CQelDoc() override;

  bool OnNewDocument() override;
  bool OnOpenDocument(const wxString& path) override;
  bool DeleteContents() override;
  bool IsModified() const override;
  void Modify(bool modified) override;

  CExpModel& GetModel() { return m_model; }
  IDocProject* GetProject() { return m_project; }

  // The model file's title: its name without folder and extension.
  std::string GetTitleFromPath() const;

  // Save dialogs and saving of the model file.
  bool OpenModelFile();
  bool SaveModelFile();
  bool SaveModelFileAs();

  void SetTreeWindow(wxWindow* tree) { m_pTreeView = tree; }
  wxWindow* GetTreeWindow() const { return m_pTreeView; }
  void SetNotifyWindow(wxWindow* window) { m_pNotifyWnd = window; }
  wxWindow* GetNotifyWindow() const { return m_pNotifyWnd; }
  void SetPrintEnabled(bool enabled) { m_bPrintEnabled = enabled; }
  bool IsPrintEnabled() const { return m_bPrintEnabled; }
  void SetLargeIcons(bool large) { m_bLargeIcons = large; }
  bool GetLargeIcons() const { return m_bLargeIcons; }

  // The picture a window hands over for printing (null: none) and the part
  // of it to print.
  void SetPrintSource(const wxBitmap* picture, const wxRect& area) {
    m_pPrintSource = picture;
    m_printArea = area;
  }
  const wxBitmap* GetPrintSource() const { return m_pPrintSource; }
  const wxRect& GetPrintArea() const { return m_printArea; }

  // The model as report lines, one per task.
  std::vector<std::string> ModelReportLines() const;

  // The system configuration sheet on the eight settings; on OK they are
  // taken and the help book follows the language.
  bool OnSystemConfig();
  // Registers a new workstation user; on OK the notify window hears of it.
  bool ShowUserDialog();

  void SelectTesteeInTree(const std::string& testee);
  void SelectModelInTree(const std::string& model);
  void SelectModelTaskInTree(const std::string& model, const std::string& task);
  void SelectAssessmentInTree(const std::string& testee, const std::string& model, const std::string& task,
                              int number);

 protected:
  bool DoOpenDocument(const wxString& path) override;
  bool DoSaveDocument(const wxString& path) override;

 private:
  void AfterLoad();
  void OnUpdateSaveAs(wxUpdateUIEvent& event);
  void OnUpdatePrint(wxUpdateUIEvent& event);
  void OnUpdateContextHelp(wxUpdateUIEvent& event);
  void OnSaveAs(wxCommandEvent& event);
  void OnPageSetup(wxCommandEvent& event);
  void OnFontSetup(wxCommandEvent& event);

  // Sends the tree a selection notice for the keys given.
  void SelectInTree(int code, const std::string& testee, const std::string& model, const std::string& task,
                    int number);

  wxWindow* m_pTreeView = nullptr;
  wxWindow* m_pNotifyWnd = nullptr;
  uint32_t m_format = kDocumentFormat;
  bool m_bPrintEnabled = false;
  bool m_bLargeIcons = false;
  const wxBitmap* m_pPrintSource = nullptr;
  wxRect m_printArea;
  CExpModel m_model;
  IDocProject* m_project;  // the program's one project object

  wxDECLARE_DYNAMIC_CLASS(CQelDoc);
  wxDECLARE_EVENT_TABLE();
};

}  // namespace qel
