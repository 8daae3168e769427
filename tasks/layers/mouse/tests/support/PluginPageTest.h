// The fixture of the mouse tasks' page tests: a plug-in of the program
// folder loaded by the program's loader, a model task bound to it, and its
// parameter page created inside a window of this program, as the
// task-parameter dialog makes it; and the events a user's clicks send.
#pragma once

#include <gtest/gtest.h>
#include <wx/event.h>
#include <wx/frame.h>

#include <string>

#include "app/model/ExpModelTask.h"
#include "engine/library/TaskLibrary.h"
#include "tests/support/fakes/FakeTaskHost.h"

namespace qel {

namespace test {

class PluginPageTest : public ::testing::Test {
 protected:
  // The plug-in of the program folder by short code ("PU").
  void Load(const std::string& shortCode) {
    m_record.host = &m_host;
    const std::string path = std::string(QEL_OUTPUT_DIR) + "/Qel" + shortCode + ".qet";
    ASSERT_TRUE(m_record.Load(path.c_str(), false));
    ASSERT_NE(m_record.page, nullptr);
    m_task.SetFromModelTask(m_record.modelDefault);
    m_task.library = &m_record;
    m_task.loaded = 1;
    m_frame = new wxFrame(nullptr, wxID_ANY, "task parameters");
  }
  void TearDown() override {
    delete m_frame;
    if (m_record.module) m_record.Unload();
  }
  wxWindow* Create(bool editable) {
    m_record.page->SetModelTask(&m_task, editable);
    return static_cast<wxWindow*>(m_record.page->CreateInModule(m_frame));
  }
  // A command event of a control (a click, a choice, a slider's move).
  static void Send(wxWindow* control, wxEventType type, int value) {
    wxCommandEvent event(type, control->GetId());
    event.SetEventObject(control);
    event.SetInt(value);
    control->ProcessWindowEvent(event);
  }

  FakeTaskHost m_host;
  CTaskLibrary m_record;
  CExpModelTask m_task;
  wxFrame* m_frame = nullptr;
};

}  // namespace test

}  // namespace qel
