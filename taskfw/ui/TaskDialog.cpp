#include "taskfw/ui/TaskDialog.h"

#include <wx/panel.h>
#include <wx/tooltip.h>
#include <wx/utils.h>
#include <wx/window.h>

namespace qel {

CTaskDialog::CTaskDialog(int templateId, wxWindow* parent) : m_parent(parent), m_templateId(templateId) {}

CTaskDialog::~CTaskDialog() {
  // The host destroys the window before the plug-in goes; should it still
  // be alive, its handlers must not outlive this object's code.
  if (m_window) {
    wxWindow* window = m_window;
    m_window = nullptr;
    window->Unbind(wxEVT_DESTROY, &CTaskDialog::OnDestroy, this);
    delete window;
  }
}

bool CTaskDialog::Create(wxWindow* parent) { return CreateWindow(parent, kDefaultTemplate); }

bool CTaskDialog::CreateWindow(wxWindow* parent, int templateId) {
  if (!parent || m_window) return false;
  m_parent = parent;
  wxPanel* panel = new wxPanel(parent, wxID_ANY);
  m_window = panel;
  panel->Bind(wxEVT_DESTROY, &CTaskDialog::OnDestroy, this);
  if (!BuildControls(panel, templateId)) {
    m_window = nullptr;
    panel->Unbind(wxEVT_DESTROY, &CTaskDialog::OnDestroy, this);
    delete panel;
    return false;
  }
  OnInitDialog();
  return true;
}

void CTaskDialog::OnDestroy(wxWindowDestroyEvent& event) {
  // Destroy events of the controls travel up to the panel: only the panel's own counts.
  if (m_window && event.GetEventObject() == m_window) {
    m_window = nullptr;
    OnWindowDestroyed();
  }
  event.Skip();
}

bool CTaskDialog::BuildControls(wxWindow*, int) { return true; }

bool CTaskDialog::OnInitDialog() {
  wxToolTip::Enable(true);
  RefreshControls();
  return true;
}

void CTaskDialog::RefreshControls() { RefreshChildren(); }

void CTaskDialog::RefreshChildren() {
  if (m_child1 && m_child1->m_window) m_child1->RefreshControls();
  if (m_child2 && m_child2->m_window) m_child2->RefreshControls();
}

void CTaskDialog::SetModelModified(bool flag) {
  if (m_modelTask && m_modelTask->loaded) m_modelTask->modified = flag ? 1 : 0;
}

intptr_t CTaskDialog::OnUserUpdate(intptr_t code) {
  if (code == kUpdateRefresh) {
    if (m_window) RefreshControls();
    wxBell();
  }
  return 0;
}

void CTaskDialog::PostUpdate() { OnUserUpdate(kUpdateRefresh); }

void CTaskDialog::EnableDialog() {
  if (m_window) m_window->Enable(true);
}

void CTaskDialog::DisableDialog() {
  if (m_window) m_window->Enable(false);
}

}  // namespace qel
