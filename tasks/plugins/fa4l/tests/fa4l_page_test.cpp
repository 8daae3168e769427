// The parameter page of Focused Attention 4 letters, made inside a window
// of this program as the task-parameter dialog makes it.
#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>

#include "tasks/tests/support/LoadedTask.h"
#include "tests/support/gui/WxControls.h"

namespace qel {

using qel::test::Choose;
using qel::test::FindControl;

namespace {

using test::LoadedTask;

constexpr int kIdLeftTop = 1131;
constexpr int kIdRightTop = 1132;

TEST(FocusedAttentionPage, RelevantDiagonalIsTaskParameterZero) {
  LoadedTask t("FA4L");
  ASSERT_TRUE(t.Loaded());
  ASSERT_NE(t.m_library.page, nullptr);
  auto* frame = new wxFrame(nullptr, wxID_ANY, "task parameters");
  t.m_task.TaskParam[0] = 0;
  t.m_task.modified = 0;
  t.m_library.page->SetModelTask(&t.m_task, true);
  auto* page = static_cast<wxWindow*>(t.m_library.page->CreateInModule(frame));
  ASSERT_NE(page, nullptr);
  auto* leftTop = FindControl<wxRadioButton>(page, kIdLeftTop);
  auto* rightTop = FindControl<wxRadioButton>(page, kIdRightTop);
  ASSERT_TRUE(leftTop && rightTop);
  EXPECT_EQ(leftTop->GetLabelText(), "Left/Top & Right/Bottom");
  EXPECT_EQ(rightTop->GetLabelText(), "Right/Top & Left/Bottom");
  auto* group = dynamic_cast<wxStaticBox*>(leftTop->GetParent());
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->GetLabelText(), "Relevant diagonal for letters");
  EXPECT_TRUE(leftTop->GetValue());
  EXPECT_FALSE(rightTop->GetValue());
  EXPECT_TRUE(rightTop->IsEnabled());

  Choose(rightTop);
  EXPECT_EQ(t.m_task.TaskParam[0], 1u);
  EXPECT_EQ(t.m_task.modified, 1) << "the change is marked at once";
  Choose(leftTop);
  EXPECT_EQ(t.m_task.TaskParam[0], 0u);

  // A model task read from elsewhere: the controls follow it; a task that
  // may not be edited disables them.
  t.m_task.TaskParam[0] = 1;
  t.m_library.page->SetModelTask(&t.m_task, false);
  EXPECT_TRUE(rightTop->GetValue());
  EXPECT_FALSE(leftTop->GetValue());
  EXPECT_FALSE(leftTop->IsEnabled());
  EXPECT_FALSE(rightTop->IsEnabled());
  delete frame;
}

TEST(FocusedAttentionPage, NotMadeWithoutAModelTask) {
  LoadedTask t("FA4L");
  ASSERT_TRUE(t.Loaded());
  auto* frame = new wxFrame(nullptr, wxID_ANY, "task parameters");
  t.m_library.page->SetModelTask(nullptr, true);
  EXPECT_EQ(t.m_library.page->CreateInModule(frame), nullptr);
  delete frame;
}

}  // namespace

}  // namespace qel
