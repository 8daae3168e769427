#include "tasks/tests/support/LoadedPage.h"

#include <wx/frame.h>

#include "tasks/tests/support/LoadedTask.h"

namespace qel {

namespace test {

LoadedPage::LoadedPage(const std::string& shortCode) {
  if (!m_record.Load(PluginPath(shortCode).c_str(), false)) return;
  m_task.SetFromModelTask(m_record.modelDefault);
  m_task.library = &m_record;
  m_task.loaded = 1;
  m_frame = new wxFrame(nullptr, wxID_ANY, "task parameters");
}

LoadedPage::~LoadedPage() {
  delete m_frame;
  if (m_record.module) m_record.Unload();
}

wxWindow* LoadedPage::Create(bool editable) {
  if (!Loaded()) return nullptr;
  m_record.page->SetModelTask(&m_task, editable);
  return static_cast<wxWindow*>(m_record.page->CreateInModule(m_frame));
}

}  // namespace test

}  // namespace qel
