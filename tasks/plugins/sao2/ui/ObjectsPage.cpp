#include "tasks/plugins/sao2/ui/ObjectsPage.h"

#include <wx/sizer.h>

namespace qel {

bool CTaskPageObjects::BuildControls(wxWindow* panel, int templateId) {
  if (templateId != kTemplate) return false;
  auto* top = new wxBoxSizer(wxVERTICAL);
  AddSeriesControls(panel, top, 0, 0);
  panel->SetSizer(top);
  return true;
}

void CTaskPageObjects::RefreshControls() {
  RefreshSeriesControls();
  CTaskPage::RefreshControls();
}

}  // namespace qel
