#include "app/ui/QelDoc.h"

#include <wx/app.h>
#include <wx/filedlg.h>
#include <wx/filename.h>

#include <cstdio>

#include "app/modelfile/ModelFile.h"
#include "app/startup/AppStartup.h"
#include "common/Prompt.h"
#include "engine/library/ModelTaskBinding.h"
#include "ui/MainWindowRules.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/ChooserFit.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {
constexpr const char* kModelWildcard = "Qel Experiment Model Files (*.qem)|*.qem";
}  // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CQelDoc, CDocReport);

wxBEGIN_EVENT_TABLE(CQelDoc, CDocReport)
  EVT_UPDATE_UI(wxID_SAVEAS, CQelDoc::OnUpdateSaveAs)
  EVT_UPDATE_UI(wxID_PRINT, CQelDoc::OnUpdatePrint)
  EVT_UPDATE_UI(wxID_PREVIEW, CQelDoc::OnUpdatePrint)
  EVT_UPDATE_UI(wxID_CONTEXT_HELP, CQelDoc::OnUpdateContextHelp)
  EVT_MENU(wxID_SAVEAS, CQelDoc::OnSaveAs)
  EVT_MENU(wxID_PAGE_SETUP, CQelDoc::OnPageSetup)
  EVT_MENU(MenuId(kCmdFontSetup), CQelDoc::OnFontSetup)
wxEND_EVENT_TABLE()

CQelDoc::CQelDoc() : m_project(GetProgramProject()) {
  m_model.Reset();
  m_title = "Qel Model";
}

CQelDoc::~CQelDoc() = default;

void CQelDoc::AfterLoad() {
  m_model.SetLoaded(true, true);
  m_model.m_name = GetTitleFromPath();
  for (wxView* view : GetViewsVector()) view->OnChangeFilename();
}

bool CQelDoc::OnNewDocument() {
  if (!CDocReport::OnNewDocument()) return false;
  AfterLoad();
  return true;
}

bool CQelDoc::OnOpenDocument(const wxString& path) {
  // The model file is the document's file; there is no report file to read.
  if (!wxDocument::OnOpenDocument(path)) return false;
  AfterLoad();
  return true;
}

bool CQelDoc::DoOpenDocument(const wxString& path) {
  std::string error;
  uint32_t format = kDocumentFormat;
  if (!ReadModelFile(path.utf8_string(), &m_model, &format, &error)) {
    m_model.Reset();
    ShowPrompt("Cannot open the model file\n\"" + path.utf8_string() + "\"\n" + error, "Qel", kPromptIconStop);
    return false;
  }
  m_format = format;
  BindModelTasks(&m_model);
  return true;
}

bool CQelDoc::DoSaveDocument(const wxString& path) {
  std::string error;
  if (!WriteModelFile(path.utf8_string(), &m_model, &error)) {
    ShowPrompt("Cannot save the model file\n\"" + path.utf8_string() + "\"\n" + error, "Qel", kPromptIconStop);
    return false;
  }
  m_model.SetModified(false, true);
  return true;
}

bool CQelDoc::DeleteContents() {
  m_model.Reset();
  return CDocReport::DeleteContents();
}

bool CQelDoc::IsModified() const { return wxDocument::IsModified() || m_model.IsModified(); }

void CQelDoc::Modify(bool modified) {
  if (!modified) m_model.SetModified(false, true);
  wxDocument::Modify(modified);
}

std::string CQelDoc::GetTitleFromPath() const {
  // A new document carries a made-up name until it is saved.
  const wxString path = GetFilename();
  return path.empty() || !GetDocumentSaved() ? std::string() : ModelTitleFromPath(path.utf8_string());
}

bool CQelDoc::OpenModelFile() {
  wxFileDialog dialog(wxTheApp ? wxTheApp->GetTopWindow() : nullptr, "Open Qel model", "", "", kModelWildcard,
                      wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  KeepOnScreen(dialog);
  if (dialog.ShowModal() != wxID_OK) return false;
  wxDocManager* manager = GetDocumentManager();
  return manager && manager->CreateDocument(dialog.GetPath(), wxDOC_SILENT) != nullptr;
}

bool CQelDoc::SaveModelFile() {
  // A new document's made-up name is no file: the operator says where it goes.
  if (GetFilename().empty() || !GetDocumentSaved()) return SaveModelFileAs();
  return OnSaveDocument(GetFilename());
}

bool CQelDoc::SaveModelFileAs() {
  wxFileDialog dialog(wxTheApp ? wxTheApp->GetTopWindow() : nullptr, "Save Qel model", "",
                      wxString::FromUTF8(m_model.m_name), kModelWildcard, wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
  KeepOnScreen(dialog);
  if (dialog.ShowModal() != wxID_OK) return false;
  wxString path = dialog.GetPath();
  if (wxFileName(path).GetExt().empty()) path += ".qem";
  if (!OnSaveDocument(path)) return false;
  SetFilename(path, true);
  AfterLoad();
  return true;
}

std::vector<std::string> CQelDoc::ModelReportLines() const {
  std::vector<std::string> lines;
  for (int i = 0; i < m_model.GetTaskCount(); ++i) {
    const CExpModelTask* task = m_model.GetTask(i);
    if (!task) continue;
    char line[200];
    std::snprintf(line, sizeof line, "%2d  %-8s  %s  Ver.%u  Parts %d", i + 1, task->TaskIdStr.c_str(),
                  task->TaskName.c_str(), task->w.TaskVersion, task->GetPartCount());
    lines.emplace_back(line);
  }
  return lines;
}

bool CQelDoc::OnSystemConfig() { return RunSystemConfig(GetAppServices().systemConfig); }

bool CQelDoc::ShowUserDialog() {
  IUserDialogs* dialogs = GetAppServices().userDialogs;
  if (!dialogs) return false;
  CUserRecord user;
  if (!dialogs->RegisterUser(&user)) return false;
  if (m_pNotifyWnd) PostNotify(m_pNotifyWnd, kNotifyViewRefresh);
  return true;
}

void CQelDoc::SelectInTree(int code, const std::string& testee, const std::string& model, const std::string& task,
                          int number) {
  if (!m_pTreeView) return;
  // The tree reads the notice during this call.
  QelAssessmentNotice notice;
  notice.testeeCode = testee;
  notice.modelName = model;
  notice.taskCode = task;
  notice.assessment = number > 0 ? static_cast<uint32_t>(number) : 0;
  SendNotify(m_pTreeView, code, reinterpret_cast<intptr_t>(&notice));
}

void CQelDoc::SelectTesteeInTree(const std::string& testee) { SelectInTree(kNotifySelectTestee, testee, "", "", 0); }

void CQelDoc::SelectModelInTree(const std::string& model) { SelectInTree(kNotifySelectModel, "", model, "", 0); }

void CQelDoc::SelectModelTaskInTree(const std::string& model, const std::string& task) {
  SelectInTree(kNotifySelectModelTask, "", model, task, 0);
}

void CQelDoc::SelectAssessmentInTree(const std::string& testee, const std::string& model, const std::string& task,
                                     int number) {
  SelectInTree(kNotifySelectAssessment, testee, model, task, number);
}

void CQelDoc::OnUpdateSaveAs(wxUpdateUIEvent& event) { event.Enable(m_model.GetTaskCount() > 0); }
void CQelDoc::OnUpdatePrint(wxUpdateUIEvent& event) { event.Enable(m_bPrintEnabled); }
void CQelDoc::OnUpdateContextHelp(wxUpdateUIEvent& event) { event.Enable(false); }
void CQelDoc::OnSaveAs(wxCommandEvent&) { SaveModelFileAs(); }
void CQelDoc::OnPageSetup(wxCommandEvent&) { PrintSettings().PageSetup(wxTheApp ? wxTheApp->GetTopWindow() : nullptr); }
void CQelDoc::OnFontSetup(wxCommandEvent&) { PrintSettings().FontSetup(wxTheApp ? wxTheApp->GetTopWindow() : nullptr); }

}  // namespace qel
