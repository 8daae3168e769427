#include "editors/ui/DlgTaskParIns.h"

#include <wx/notebook.h>
#include <wx/sizer.h>

#include "app/model/ExpModelTask.h"
#include "editors/TaskTextHelpers.h"
#include "editors/ui/RtfView.h"

namespace qel {

CDlgTaskParIns::CDlgTaskParIns(wxWindow* parent, const EditorServices& services) : CDlgTaskParPage(parent, services) {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  m_subTabs = new wxNotebook(this, kIdSubTabs);
  auto* taskPanel = new wxPanel(m_subTabs);
  auto* partPanel = new wxPanel(m_subTabs);
  m_taskText = new CRtfView(taskPanel, kIdText);
  m_partText = new CRtfView(partPanel, kIdText);
  for (auto [panel, view] : {std::pair<wxPanel*, CRtfView*>{taskPanel, m_taskText}, {partPanel, m_partText}}) {
    auto* s = new wxBoxSizer(wxVERTICAL);
    s->Add(view, 1, wxEXPAND | wxALL, 2);
    panel->SetSizer(s);
  }
  m_subTabs->AddPage(taskPanel, "Task", true);
  m_subTabs->AddPage(partPanel, "Part");
  sizer->Add(m_subTabs, 1, wxEXPAND | wxALL, 4);
  SetSizer(sizer);
}

std::string CDlgTaskParIns::InstructionText(bool part) const {
  if (!m_task) return kEmptyRtf;
  if (!m_task->IsLibraryLoaded()) return LoadText(kTextTaskNotAvailable);
  const std::string text = part ? m_task->GetPartInstruction() : m_task->GetTaskInstruction();
  return text.empty() ? std::string(kEmptyRtf) : text;
}

void CDlgTaskParIns::UpdatePage() {
  CDlgTaskParPage::UpdatePage();
  m_taskText->SetRtf(InstructionText(false));
  m_partText->SetRtf(InstructionText(true));
}

const std::string& CDlgTaskParIns::TaskText() const { return m_taskText->GetRtf(); }
const std::string& CDlgTaskParIns::PartText() const { return m_partText->GetRtf(); }

}  // namespace qel
