// The parameter page of Sustained Attention Objects 2 keys as the
// task-parameter dialog makes it: the switch of the series number.
#include <gtest/gtest.h>
#include <wx/checkbox.h>

#include "tasks/tests/support/LoadedPage.h"
#include "tests/support/gui/WxControls.h"

namespace qel {

namespace {

using test::FindControl;
using test::LoadedPage;

constexpr int kShowSeries = 1136;

TEST(ObjectsPage, TheSeriesSwitchIsStored) {
  LoadedPage p("SAO2");
  ASSERT_TRUE(p.Loaded());
  wxWindow* page = p.Create(true);
  ASSERT_NE(page, nullptr);
  auto* show = FindControl<wxCheckBox>(page, kShowSeries);
  ASSERT_NE(show, nullptr);
  EXPECT_EQ(show->GetLabel(), "Show current series No.");
  EXPECT_TRUE(show->GetValue()) << "on by default";
  EXPECT_TRUE(show->IsEnabled());
  show->SetValue(false);
  wxCommandEvent click(wxEVT_CHECKBOX, kShowSeries);
  click.SetEventObject(show);
  click.SetInt(0);
  show->ProcessWindowEvent(click);
  EXPECT_EQ(p.m_task.TaskParam[0], 0u);
  EXPECT_EQ(p.m_task.modified, 1);
}

TEST(ObjectsPage, ReadOnlyWhenTheModelMayNotBeEdited) {
  LoadedPage p("SAO2");
  ASSERT_TRUE(p.Loaded());
  p.m_task.TaskParam[0] = 0;
  wxWindow* page = p.Create(false);
  ASSERT_NE(page, nullptr);
  auto* show = FindControl<wxCheckBox>(page, kShowSeries);
  EXPECT_FALSE(show->IsEnabled());
  EXPECT_FALSE(show->GetValue());
}

}  // namespace

}  // namespace qel
