#include "taskfw/ui/TaskPage.h"

#include <optional>

#include <wx/window.h>

#include "include/qel/Resources.h"

namespace qel {

CTaskPage::CTaskPage(int templateId, wxWindow* parent) : CTaskDialog(templateId, parent) {}

void CTaskPage::SetModelTask(IExpModelTask* task, bool editable) {
  m_modelTask = task;
  m_editable = editable ? 1 : 0;
  if (GetWindow()) RefreshControls();
}

void* CTaskPage::CreateInModule(void* parentWindow) {
  if (!m_modelTask) return nullptr;
  // Pictures and texts the controls load come from the plug-in's own table.
  std::optional<QelScopedResourceModule> scope;
  if (m_modelTask->library && m_modelTask->library->resources) scope.emplace(m_modelTask->library->resources);
  if (!CreateWindow(static_cast<wxWindow*>(parentWindow), m_templateId)) return nullptr;
  return GetWindow();
}

void CTaskPage::Refresh() {
  if (GetWindow()) RefreshControls();
}

intptr_t CTaskPage::OnUserUpdate(intptr_t code) {
  if (code == kUpdateRefresh && GetWindow()) RefreshControls();
  return 0;
}

bool CTaskPage::StoreParamWord(int index, uint32_t value) {
  if (!m_modelTask || index < 0 || index >= 32) return false;
  m_modelTask->TaskParam[index] = value;
  SetModelModified(true);
  Refresh();
  return true;
}

uint32_t CTaskPage::ParamWord(int index) const {
  if (!m_modelTask || index < 0 || index >= 32) return 0;
  return m_modelTask->TaskParam[index];
}

}  // namespace qel
