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
    handle = dlopen(PROBE_PLUGIN, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    entry = reinterpret_cast<TaskEntryFn>(dlsym(handle, kTaskEntryName));
    ASSERT_NE(entry, nullptr);
    record.host = &host;
    ASSERT_TRUE(entry(kCmdInit, reinterpret_cast<intptr_t>(&record), 0, 0, nullptr));
    ASSERT_NE(record.page, nullptr);
    task.library = &record;
    task.loaded = 1;
    frame = new wxFrame(nullptr, wxID_ANY, "task parameters");
  }
  void TearDown() override {
    delete frame;
    Unload();
  }
  void Unload() {
    if (!handle) return;
    entry(kCmdUnload, 0, 0, 0, nullptr);
    dlclose(handle);
    handle = nullptr;
  }

  void* handle = nullptr;
  TaskEntryFn entry = nullptr;
  FakeTaskHost host;
  FakeTaskLibrary record;
  FakeModelTask task;
  wxFrame* frame = nullptr;
};

TEST_F(PluginPage, EditsTheModelTaskWords) {
  task.TaskParam[0] = 0;
  task.TaskParam[1] = 33;
  record.page->SetModelTask(&task, true);
  auto* page = static_cast<wxWindow*>(record.page->CreateInModule(frame));
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->GetParent(), frame);
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
  EXPECT_EQ(task.TaskParam[0], 1u);
  EXPECT_EQ(task.modified, 1);

  slider->SetValue(12);
  wxCommandEvent move(wxEVT_SLIDER, kIdSlider);
  move.SetEventObject(slider);
  move.SetInt(12);
  slider->ProcessWindowEvent(move);
  EXPECT_EQ(task.TaskParam[1], 12u);
  EXPECT_EQ(label->GetLabel(), "12") << "refreshed after the change";

  // A word out of range shows the default; a read-only task disables.
  task.TaskParam[1] = 99;
  record.page->SetModelTask(&task, false);
  EXPECT_EQ(slider->GetValue(), 20);
  EXPECT_FALSE(slider->IsEnabled());
}

TEST_F(PluginPage, HostDialogClosedThenPluginUnloaded) {
  record.page->SetModelTask(&task, true);
  ASSERT_NE(record.page->CreateInModule(frame), nullptr);
  delete frame;
  frame = nullptr;
  record.page->Refresh();  // the page knows its window is gone
  frame = new wxFrame(nullptr, wxID_ANY, "again");
  ASSERT_NE(record.page->CreateInModule(frame), nullptr);
  delete frame;
  frame = nullptr;
  Unload();
}

TEST_F(PluginPage, PluginUnloadedWhileTheWindowLives) {
  record.page->SetModelTask(&task, true);
  ASSERT_NE(record.page->CreateInModule(frame), nullptr);
  Unload();
  EXPECT_EQ(frame->GetChildren().GetCount(), 0u) << "no window of unloaded code is left behind";
}

}  // namespace

}  // namespace qel
