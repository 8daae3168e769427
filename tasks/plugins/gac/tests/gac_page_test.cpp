// The cue-timing page of Gaze-Arrow Cueing (dialog 153), made inside a
// window of this program as the task-parameter dialog makes it.
#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <vector>

#include "tasks/tests/support/LoadedTask.h"
#include "tests/support/gui/WxControls.h"

namespace qel {

namespace {

using test::FindControl;
using test::LoadedTask;

constexpr int kIdCueStart = 1001;
constexpr int kIdCueEnd = 1002;
constexpr int kIdPostCatch = 1003;

// The texts of the page's static texts, in order.
std::vector<wxString> Labels(wxWindow* window) {
  std::vector<wxString> labels;
  for (wxWindow* child : window->GetChildren()) {
    if (auto* text = dynamic_cast<wxStaticText*>(child)) labels.push_back(text->GetLabel());
    for (const wxString& inner : Labels(child)) labels.push_back(inner);
  }
  return labels;
}

// Typing into an edit: the text and the change event.
void Type(wxTextCtrl* edit, const wxString& text) { edit->SetValue(text); }

TEST(GazeCueingPage, EditsAreTheTimingWords) {
  LoadedTask t("GAC");
  ASSERT_TRUE(t.Loaded());
  ASSERT_NE(t.m_library.page, nullptr);
  EXPECT_EQ(t.m_task.TaskParam[0], 150u) << "the default model task";
  EXPECT_EQ(t.m_task.TaskParam[1], 150u);
  EXPECT_EQ(t.m_task.TaskParam[2], 1200u);
  auto* frame = new wxFrame(nullptr, wxID_ANY, "task parameters");
  t.m_task.modified = 0;
  t.m_library.page->SetModelTask(&t.m_task, true);
  auto* page = static_cast<wxWindow*>(t.m_library.page->CreateInModule(frame));
  ASSERT_NE(page, nullptr);
  auto* cueStart = FindControl<wxTextCtrl>(page, kIdCueStart);
  auto* cueEnd = FindControl<wxTextCtrl>(page, kIdCueEnd);
  auto* postCatch = FindControl<wxTextCtrl>(page, kIdPostCatch);
  ASSERT_TRUE(cueStart && cueEnd && postCatch);
  auto* group = dynamic_cast<wxStaticBox*>(cueStart->GetParent());
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->GetLabelText(), "Cue timing");
  const std::vector<wxString> labels = Labels(page);
  const std::vector<wxString> expected = {"CueStart, ms",    "Min-Max=50-2000",           "CueEnd, ms",
                                          "Min-Max=50-2000", "PostCatchCue interval, ms", "Min-Max=1000-5000"};
  EXPECT_EQ(labels, expected);
  EXPECT_EQ(cueStart->GetValue(), "150");
  EXPECT_EQ(cueEnd->GetValue(), "150");
  EXPECT_EQ(postCatch->GetValue(), "1200");
  EXPECT_TRUE(cueStart->IsEnabled());

  // Every change that holds a number is written at once.
  Type(cueStart, "2");
  EXPECT_EQ(t.m_task.TaskParam[0], 2u);
  EXPECT_EQ(t.m_task.modified, 1);
  Type(cueStart, "250");
  EXPECT_EQ(t.m_task.TaskParam[0], 250u);
  EXPECT_EQ(cueStart->GetValue(), "250") << "the edit keeps what was typed";
  Type(postCatch, "3000");
  EXPECT_EQ(t.m_task.TaskParam[2], 3000u);
  // Something else than a number changes nothing.
  Type(cueEnd, "");
  Type(cueEnd, "12a");
  EXPECT_EQ(t.m_task.TaskParam[1], 150u);

  // A model task read from elsewhere: the edits follow it; a task that may
  // not be edited disables them.
  t.m_task.TaskParam[1] = 400;
  t.m_library.page->SetModelTask(&t.m_task, false);
  EXPECT_EQ(cueEnd->GetValue(), "400");
  EXPECT_FALSE(cueStart->IsEnabled());
  EXPECT_FALSE(postCatch->IsEnabled());
  delete frame;
}

TEST(GazeCueingPage, NotMadeWithoutAModelTask) {
  LoadedTask t("GAC");
  ASSERT_TRUE(t.Loaded());
  auto* frame = new wxFrame(nullptr, wxID_ANY, "task parameters");
  t.m_library.page->SetModelTask(nullptr, true);
  EXPECT_EQ(t.m_library.page->CreateInModule(frame), nullptr);
  delete frame;
}

}  // namespace

}  // namespace qel
