#include "editors/ui/DlgTaskParPage.h"

#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/model/ExpModelTask.h"
#include "app/settings/SystemSettings.h"
#include "common/ui/WxText.h"
#include "editors/ui/EditorServices.h"
#include "ui/ui/QelNotify.h"

namespace qel {

int EditorLanguage() { return g_Language; }

CDlgTaskParPage::CDlgTaskParPage(wxWindow* parent, const EditorServices& services)
    : wxPanel(parent, wxID_ANY), m_services(services) {
  Bind(QEL_EVT_NOTIFY, [this](CQelNotifyEvent& event) { OnPageNotify(event); });
}

void CDlgTaskParPage::OnPageNotify(CQelNotifyEvent& event) {
  if (event.GetCode() != kNotifyUpdatePage) {
    event.Skip();
    return;
  }
  UpdatePage();
  wxBell();
  event.SetResult(0);
}

void CDlgTaskParPage::SetTask(CExpModelTask* task, ITaskParOwner* taskDialog, ITaskParOwner* modelDialog) {
  m_task = task;
  m_taskDialog = taskDialog;
  m_modelDialog = modelDialog;
  m_editable = task ? task->loaded : 0;
  m_library = task ? task->library : nullptr;
}

void CDlgTaskParPage::UpdatePage() {
  if (m_taskDialog) m_taskDialog->UpdateControls();
  if (m_modelDialog) m_modelDialog->UpdateControls();
}

void CDlgTaskParPage::SetModified(bool flag) {
  if (m_task && m_task->loaded) m_task->modified = flag ? 1 : 0;
}

void CDlgTaskParPage::SaveOwnerEnable() {
  if (m_taskDialog) m_savedTaskDialogCanEdit = m_taskDialog->GetCanEdit();
  if (m_modelDialog) m_savedModelDialogCanEdit = m_modelDialog->GetCanEdit();
}

void CDlgTaskParPage::SetOwnerEnable(bool enable) {
  if (m_taskDialog) m_taskDialog->SetCanEdit(enable ? 1 : 0);
  if (m_modelDialog) m_modelDialog->SetCanEdit(enable ? 1 : 0);
}

void CDlgTaskParPage::RestoreOwnerEnable() {
  if (m_taskDialog) m_taskDialog->SetCanEdit(m_savedTaskDialogCanEdit);
  if (m_modelDialog) m_modelDialog->SetCanEdit(m_savedModelDialogCanEdit);
}

void CDlgTaskParPage::Edited() {
  SetModified(true);
  UpdatePage();
}

std::string CDlgTaskParPage::LoadText(uint32_t id) const { return m_services.LoadText(id); }

void CDlgTaskParPage::ShowControl(int id, bool shown) {
  if (wxWindow* w = FindWindow(id)) w->Show(shown);
}

void CDlgTaskParPage::EnableControl(int id, bool enabled) {
  if (wxWindow* w = FindWindow(id)) w->Enable(enabled);
}

void CDlgTaskParPage::SetText(int id, const std::string& text) {
  wxWindow* w = FindWindow(id);
  if (!w) return;
  if (auto* edit = dynamic_cast<wxTextCtrl*>(w)) {
    if (edit->GetValue() != ToWx(text)) edit->ChangeValue(ToWx(text));
  } else if (w->GetLabel() != ToWx(text)) {
    w->SetLabel(ToWx(text));
  }
}

}  // namespace qel
