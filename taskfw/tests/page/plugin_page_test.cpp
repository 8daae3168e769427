// The test plug-in's parameter page, made inside a window of this program
// the way the host's task-parameter dialog makes it.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/slider.h>
#include <wx/stattext.h>

#include "include/qel/TaskEntry.h"
#include "tests/support/fakes/FakeModelTask.h"
#include "tests/support/fakes/FakeTaskHost.h"
#include "tests/support/fakes/FakeTaskLibrary.h"
#include "tests/support/gui/WxControls.h"

namespace qel {

using qel::test::FindControl;

namespace {

constexpr int kIdCheck = 1136;
constexpr int kIdSlider = 1008;
constexpr int kIdLabel = 1004;

class PluginPage : public ::testing::Test {
 protected:
  void SetUp() override {
    m_handle = dlopen(PROBE_PLUGIN, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(m_handle, nullptr) << dlerror();
    m_entry = reinterpret_cast<TaskEntryFn>(dlsym(m_handle, kTaskEntryName));
    ASSERT_NE(m_entry, nullptr);
    m_record.host = &m_host;
    ASSERT_TRUE(m_entry(kCmdInit, reinterpret_cast<intptr_t>(&m_record), 0, 0, nullptr));
    ASSERT_NE(m_record.page, nullptr);
    m_task.library = &m_record;
    m_task.loaded = 1;
    m_frame = new wxFrame(nullptr, wxID_ANY, "task parameters");
  }
  void TearDown() override {
    delete m_frame;
    Unload();
  }
  void Unload() {
    if (!m_handle) return;
    m_entry(kCmdUnload, 0, 0, 0, nullptr);
    dlclose(m_handle);
    m_handle = nullptr;
  }

  void* m_handle = nullptr;
  TaskEntryFn m_entry = nullptr;
  FakeTaskHost m_host;
  FakeTaskLibrary m_record;
  FakeModelTask m_task;
  wxFrame* m_frame = nullptr;
};

TEST_F(PluginPage, EditsTheModelTaskWords) {
  m_task.TaskParam[0] = 0;
  m_task.TaskParam[1] = 33;
  m_record.page->SetModelTask(&m_task, true);
  auto* page = static_cast<wxWindow*>(m_record.page->CreateInModule(m_frame));
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->GetParent(), m_frame);
  auto* check = FindControl<wxCheckBox>(page, kIdCheck);
  auto* slider = FindControl<wxSlider>(page, kIdSlider);
  auto* label = FindControl<wxStaticText>(page, kIdLabel);
  ASSERT_TRUE(check && slider && label);
  EXPECT_FALSE(check->GetValue());
  EXPECT_EQ(slider->GetValue(), 33);
  EXPECT_EQ(label->GetLabel(), "33");
  EXPECT_TRUE(slider->IsEnabled());

  check->SetValue(true);
  wxCommandEvent click(wxEVT_CHECKBOX, kIdCheck);
  click.SetEventObject(check);
  click.SetInt(1);
  check->ProcessWindowEvent(click);
  EXPECT_EQ(m_task.TaskParam[0], 1u);
  EXPECT_EQ(m_task.modified, 1);

  slider->SetValue(12);
  wxCommandEvent move(wxEVT_SLIDER, kIdSlider);
  move.SetEventObject(slider);
  move.SetInt(12);
  slider->ProcessWindowEvent(move);
  EXPECT_EQ(m_task.TaskParam[1], 12u);
  EXPECT_EQ(label->GetLabel(), "12") << "refreshed after the change";

  // A word out of range shows the default; a read-only task disables.
  m_task.TaskParam[1] = 99;
  m_record.page->SetModelTask(&m_task, false);
  EXPECT_EQ(slider->GetValue(), 20);
  EXPECT_FALSE(slider->IsEnabled());
}

TEST_F(PluginPage, HostDialogClosedThenPluginUnloaded) {
  m_record.page->SetModelTask(&m_task, true);
  ASSERT_NE(m_record.page->CreateInModule(m_frame), nullptr);
  delete m_frame;
  m_frame = nullptr;
  m_record.page->Refresh();  // the page knows its window is gone
  m_frame = new wxFrame(nullptr, wxID_ANY, "again");
  ASSERT_NE(m_record.page->CreateInModule(m_frame), nullptr);
  delete m_frame;
  m_frame = nullptr;
  Unload();
}

TEST_F(PluginPage, PluginUnloadedWhileTheWindowLives) {
  m_record.page->SetModelTask(&m_task, true);
  ASSERT_NE(m_record.page->CreateInModule(m_frame), nullptr);
  Unload();
  EXPECT_EQ(m_frame->GetChildren().GetCount(), 0u) << "no window of unloaded code is left behind";
}

}  // namespace

}  // namespace qel
