#include "editors/ui/DlgTaskParTab.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/sizer.h>

#include <algorithm>

#include "app/model/ExpModelTask.h"
#include "editors/TaskTextHelpers.h"
#include "editors/TimingRules.h"
#include "editors/ui/DlgTaskParFbk.h"
#include "editors/ui/DlgTaskParGen.h"
#include "editors/ui/DlgTaskParIns.h"
#include "editors/ui/DlgTaskParTim.h"
#include "editors/ui/DlgTaskParTrl.h"
#include "editors/ui/DlgTaskParVar.h"
#include "editors/ui/EditorServices.h"
#include "editors/ui/RtfView.h"
#include "app/rundata/TaskRunData.h"
#include "include/qel/TaskLibraryInterface.h"

namespace qel {

namespace {
const char* const kTabNames[] = {"Instruction", "General", "Feedback", "Timing", "Trials", "Variables", "Parameters"};
constexpr int kHelpScreenPercent = 70;
}  // namespace

CDlgTaskParTab::CDlgTaskParTab(const EditorServices& services) : m_services(services) {}

void CDlgTaskParTab::Init(wxNotebook* notebook, CExpModelTask* task, ITaskParOwner* taskDialog,
                          ITaskParOwner* modelDialog) {
  m_notebook = notebook;
  m_task = task;
  m_taskDialog = taskDialog;
  m_modelDialog = modelDialog;
  m_ins = new CDlgTaskParIns(notebook, m_services);
  m_gen = new CDlgTaskParGen(notebook, m_services);
  m_fbk = new CDlgTaskParFbk(notebook, m_services);
  m_tim = new CDlgTaskParTim(notebook, m_services);
  m_trl = new CDlgTaskParTrl(notebook, m_services);
  m_var = new CDlgTaskParVar(notebook, m_services);
  CDlgTaskParPage* pages[] = {m_ins, m_gen, m_fbk, m_tim, m_trl, m_var};
  for (int i = 0; i < kTabParameters; ++i) {
    pages[i]->SetTask(task, taskDialog, modelDialog);
    notebook->AddPage(pages[i], kTabNames[i], i == 0);
  }
  const bool pluginPage = task && task->GetPluginObject();
  if (pluginPage || !task) {
    m_pluginHost = new wxPanel(notebook);
    m_pluginHost->SetSizer(new wxBoxSizer(wxVERTICAL));
    notebook->AddPage(m_pluginHost, kTabNames[kTabParameters]);
  }
  m_currentTab = kTabInstruction;
  notebook->Bind(wxEVT_NOTEBOOK_PAGE_CHANGING, &CDlgTaskParTab::OnPageChanging, this);
  notebook->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &CDlgTaskParTab::OnPageChanged, this);
  UpdateControls(true);
  m_trl->UpdateControls();
}

int CDlgTaskParTab::GetTabCount() const { return m_notebook ? static_cast<int>(m_notebook->GetPageCount()) : 0; }

CDlgTaskParPage* CDlgTaskParTab::Page(int tab) const {
  switch (tab) {
    case kTabInstruction:
      return m_ins;
    case kTabGeneral:
      return m_gen;
    case kTabFeedback:
      return m_fbk;
    case kTabTiming:
      return m_tim;
    case kTabTrials:
      return m_trl;
    case kTabVariables:
      return m_var;
    default:
      return nullptr;
  }
}

void CDlgTaskParTab::UpdateControls(bool refreshVariables) {
  if (!m_notebook) return;
  if (m_task && m_services.runData) m_task->PrepareRun(m_services.runData);
  switch (m_currentTab) {
    case kTabTrials:
      m_trl->SetTask(m_task, m_taskDialog, m_modelDialog);
      m_trl->UpdateControls();
      m_trl->UpdatePage();
      m_trl->DrawPreview(0);
      break;
    case kTabVariables:
      m_var->SetTask(m_task, m_taskDialog, m_modelDialog);
      // A task the list was not filled for (another task chosen meanwhile) refills it too.
      m_var->Fill(refreshVariables || m_var->FilledTask() != m_task);
      m_var->UpdatePage();
      break;
    case kTabParameters:
      ShowPluginPage();
      break;
    default:
      if (CDlgTaskParPage* page = Page(m_currentTab)) {
        page->SetTask(m_task, m_taskDialog, m_modelDialog);
        page->UpdatePage();
      }
  }
}

void CDlgTaskParTab::ShowPluginPage() {
  if (!m_pluginHost) return;
  IQelTaskPage* page = m_task ? m_task->GetPluginObject() : nullptr;
  const bool editable = m_task && m_task->loaded;
  if (page && page == m_pluginPage && m_task == m_pluginTask && m_pluginWindow) {
    page->SetModelTask(m_task, editable);
    page->Refresh();
    return;
  }
  if (m_pluginWindow) {
    m_pluginWindow->Destroy();
    m_pluginWindow = nullptr;
  }
  m_pluginPage = page;
  m_pluginTask = m_task;
  if (!page) return;
  page->SetModelTask(m_task, editable);
  m_pluginWindow = static_cast<wxWindow*>(page->CreateInModule(m_pluginHost));
  if (!m_pluginWindow) return;
  m_pluginWindow->Bind(wxEVT_DESTROY, [this, w = m_pluginWindow](wxWindowDestroyEvent& event) {
    if (event.GetEventObject() == w && m_pluginWindow == w) m_pluginWindow = nullptr;
    event.Skip();
  });
  m_pluginHost->GetSizer()->Add(m_pluginWindow, 1, wxEXPAND | wxALL, 2);
  m_pluginHost->Layout();
}

wxWindow* CDlgTaskParTab::PluginWindow() const { return m_pluginWindow; }

void CDlgTaskParTab::HideCurrentPage() {
  if (CDlgTaskParPage* page = Page(m_currentTab)) page->OnPageHidden();
}

void CDlgTaskParTab::HideAllPages() {
  for (int tab = 0; tab < kTabParameters; ++tab) {
    if (CDlgTaskParPage* page = Page(tab)) page->OnPageHidden();
  }
}

void CDlgTaskParTab::SelectTab(int tab) {
  if (!m_notebook || tab < 0 || tab >= GetTabCount() || tab == m_currentTab) return;
  m_notebook->SetSelection(static_cast<size_t>(tab));  // sends the changing and changed events
}

void CDlgTaskParTab::OnPageChanging(wxBookCtrlEvent& event) {
  if (event.GetEventObject() == m_notebook) HideCurrentPage();
  event.Skip();
}

void CDlgTaskParTab::OnPageChanged(wxBookCtrlEvent& event) {
  event.Skip();
  if (event.GetEventObject() != m_notebook) return;
  m_currentTab = event.GetSelection();
  UpdateControls(false);
  if (CDlgTaskParPage* page = Page(m_currentTab)) page->OnPageShown();
}

void CDlgTaskParTab::ShowHelp(wxWindow* over) {
  const bool timing = m_task && TimingApplies(m_task->w.TaskType, m_task->w.TaskFlags);
  const bool hasPluginPage = m_task && m_task->GetPluginObject();
  const uint32_t id =
      TaskParHelpTextId(m_currentTab, EditorLanguage(), timing, m_var && m_var->IsGraphShown(), hasPluginPage);
  std::string text = id ? m_services.LoadText(id) : m_task->GetParametersHelp();
  if (text.empty() || text.rfind("{\\rtf", 0) != 0) text = BuildRtfText(text, true);
  ShowHelpText(over, kTaskParHelpTitle, text);
}

void FitWithinScreen(wxWindow* dialog) {
  dialog->Fit();
  const int display = wxDisplay::GetFromWindow(dialog);
  const wxRect area = wxDisplay(display != wxNOT_FOUND ? static_cast<unsigned>(display) : 0u).GetClientArea();
  const wxSize fitted = dialog->GetSize();
  const wxSize size(std::min(fitted.x, area.width), std::min(fitted.y, area.height));
  dialog->SetMinSize(wxSize(std::min(size.x, 640), std::min(size.y, 480)));
  dialog->SetSize(size);
}

void ShowHelpText(wxWindow* over, const std::string& title, const std::string& rtf) {
  wxDialog dialog(over, wxID_ANY, wxString::FromUTF8(title), wxDefaultPosition, wxDefaultSize,
                  wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
  const int display = over ? wxDisplay::GetFromWindow(over) : 0;
  const wxRect area = wxDisplay(display != wxNOT_FOUND ? display : 0).GetClientArea();
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  auto* view = new CRtfView(&dialog, wxID_ANY,
                            wxSize(area.width * kHelpScreenPercent / 100, area.height * kHelpScreenPercent / 100));
  view->SetRtf(rtf);
  sizer->Add(view, 1, wxEXPAND | wxALL, 4);
  sizer->Add(new wxButton(&dialog, wxID_OK, "Close"), 0, wxALIGN_RIGHT | wxALL, 4);
  dialog.SetSizerAndFit(sizer);
  dialog.CentreOnParent();
  dialog.ShowModal();
}

}  // namespace qel
