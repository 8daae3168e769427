// The parameter page of the three mental arithmetic plug-ins, made inside a
// window of this program as the task-parameter dialog makes it: the size
// slider is TaskParam word 0, its value shown in percent.
#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/slider.h>
#include <wx/stattext.h>

#include "tasks/tests/support/LoadedTask.h"
#include "tests/support/gui/WxControls.h"

namespace qel {

using qel::test::FindControl;

namespace {

using test::LoadedTask;

constexpr int kIdSlider = 1139;
constexpr int kIdValue = 1140;

void Slide(wxSlider* slider, int value) {
  slider->SetValue(value);
  wxCommandEvent moved(wxEVT_SLIDER, slider->GetId());
  moved.SetEventObject(slider);
  moved.SetInt(value);
  slider->ProcessWindowEvent(moved);
}

TEST(ArithmeticPage, SizeSliderIsTaskParameterZero) {
  for (const char* code : {"MAM1", "MAA1", "MAA2"}) {
    SCOPED_TRACE(code);
    LoadedTask t(code);
    ASSERT_TRUE(t.Loaded());
    ASSERT_NE(t.m_library.page, nullptr);
    EXPECT_EQ(t.m_task.TaskParam[0], 50u) << "the default model task";
    auto* frame = new wxFrame(nullptr, wxID_ANY, "task parameters");
    t.m_task.modified = 0;
    t.m_library.page->SetModelTask(&t.m_task, true);
    auto* page = static_cast<wxWindow*>(t.m_library.page->CreateInModule(frame));
    ASSERT_NE(page, nullptr);
    auto* slider = FindControl<wxSlider>(page, kIdSlider);
    auto* value = FindControl<wxStaticText>(page, kIdValue);
    ASSERT_TRUE(slider && value);
    EXPECT_EQ(slider->GetMin(), 20);
    EXPECT_EQ(slider->GetMax(), 100);
    EXPECT_EQ(slider->GetPageSize(), 10);
    EXPECT_EQ(slider->GetValue(), 50);
    EXPECT_EQ(value->GetLabel(), "50%");
    EXPECT_TRUE(slider->IsEnabled());

    Slide(slider, 80);
    EXPECT_EQ(t.m_task.TaskParam[0], 80u);
    EXPECT_EQ(t.m_task.modified, 1) << "the change is marked at once";
    EXPECT_EQ(value->GetLabel(), "80%");

    // A stored value outside 20..100 is shown as 50; a task that may not be
    // edited disables the slider.
    for (uint32_t stored : {10u, 101u, 1000u}) {
      t.m_task.TaskParam[0] = stored;
      t.m_library.page->SetModelTask(&t.m_task, false);
      EXPECT_EQ(slider->GetValue(), 50) << stored;
      EXPECT_EQ(value->GetLabel(), "50%") << stored;
      EXPECT_FALSE(slider->IsEnabled());
    }
    t.m_task.TaskParam[0] = 30;
    t.m_library.page->SetModelTask(&t.m_task, true);
    EXPECT_EQ(slider->GetValue(), 30);
    EXPECT_EQ(value->GetLabel(), "30%");
    delete frame;
  }
}

TEST(ArithmeticPage, NotMadeWithoutAModelTask) {
  LoadedTask t("MAA2");
  ASSERT_TRUE(t.Loaded());
  auto* frame = new wxFrame(nullptr, wxID_ANY, "task parameters");
  t.m_library.page->SetModelTask(nullptr, true);
  EXPECT_EQ(t.m_library.page->CreateInModule(frame), nullptr);
  delete frame;
}

}  // namespace

}  // namespace qel
