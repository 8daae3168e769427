// The parameter page of Sustained Attention Dots as the task-parameter
// dialog makes it: the dot set with its pictures, the balance, the series
// switch and the two lengths.
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>

#include "tasks/tests/support/LoadedPage.h"
#include "tests/support/gui/WxControls.h"

namespace qel {

namespace {

using test::FindControl;
using test::LoadedPage;

constexpr int kSet345 = 1131, kSet456 = 1132, kPresentation = 1133, kResponse = 1134;
constexpr int kShowSeries = 1136, kSeriesLength = 1001, kTaskLength = 1002;
constexpr int kDotsGroup = 1137, kBalanceGroup = 1138, kFirstIcon = 1139;

void Click(wxWindow* control, wxEventType type) {
  wxCommandEvent event(type, control->GetId());
  event.SetEventObject(control);
  event.SetInt(1);
  control->ProcessWindowEvent(event);
}

TEST(DotsPage, ShowsTheWordsAndTheLengths) {
  LoadedPage p("SAD");
  ASSERT_TRUE(p.Loaded());
  p.m_task.TaskParam[0] = 0;
  p.m_task.TaskParam[1] = 1;
  p.m_task.TaskParam[2] = 1;
  wxWindow* page = p.Create(true);
  ASSERT_NE(page, nullptr);
  EXPECT_FALSE(FindControl<wxRadioButton>(page, kSet345)->GetValue());
  EXPECT_TRUE(FindControl<wxRadioButton>(page, kSet456)->GetValue());
  EXPECT_FALSE(FindControl<wxRadioButton>(page, kPresentation)->GetValue());
  EXPECT_TRUE(FindControl<wxRadioButton>(page, kResponse)->GetValue());
  EXPECT_EQ(FindControl<wxRadioButton>(page, kSet345)->GetLabel(), "3-4-5");
  EXPECT_EQ(FindControl<wxRadioButton>(page, kResponse)->GetLabel(), "Response");
  auto* show = FindControl<wxCheckBox>(page, kShowSeries);
  ASSERT_NE(show, nullptr);
  EXPECT_EQ(show->GetLabel(), "Show current series No.");
  EXPECT_FALSE(show->GetValue());
  auto* series = FindControl<wxTextCtrl>(page, kSeriesLength);
  auto* task = FindControl<wxTextCtrl>(page, kTaskLength);
  ASSERT_TRUE(series && task);
  EXPECT_EQ(series->GetValue(), "12");
  EXPECT_EQ(task->GetValue(), "25");
  EXPECT_FALSE(series->IsEditable());
  EXPECT_EQ(FindControl<wxStaticBox>(page, kDotsGroup)->GetLabel(), "Number of dots");
  EXPECT_EQ(FindControl<wxStaticBox>(page, kBalanceGroup)->GetLabel(), "Balance");
  // The six pictures: 3, 4, 5 dots beside 3-4-5 and 4, 5, 6 beside 4-5-6.
  for (int i = 0; i < 6; ++i) {
    auto* icon = FindControl<wxStaticBitmap>(page, kFirstIcon + i);
    ASSERT_NE(icon, nullptr) << i;
    EXPECT_TRUE(icon->GetBitmap().IsOk()) << "picture " << i << " from the plug-in's resources";
    EXPECT_EQ(icon->GetBitmap().GetWidth(), 32);
  }
  EXPECT_EQ(p.m_task.modified, 0) << "showing changes nothing";
}

TEST(DotsPage, ChoicesAreStoredAndMarkTheModelModified) {
  LoadedPage p("SAD");
  ASSERT_TRUE(p.Loaded());
  wxWindow* page = p.Create(true);
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(FindControl<wxRadioButton>(page, kSet345)->GetValue()) << "the defaults: 3-4-5 by presentation";
  EXPECT_TRUE(FindControl<wxCheckBox>(page, kShowSeries)->GetValue());

  auto* high = FindControl<wxRadioButton>(page, kSet456);
  high->SetValue(true);
  Click(high, wxEVT_RADIOBUTTON);
  EXPECT_EQ(p.m_task.TaskParam[1], 1u);
  EXPECT_EQ(p.m_task.modified, 1);

  p.m_task.modified = 0;
  auto* response = FindControl<wxRadioButton>(page, kResponse);
  response->SetValue(true);
  Click(response, wxEVT_RADIOBUTTON);
  EXPECT_EQ(p.m_task.TaskParam[2], 1u);
  EXPECT_EQ(p.m_task.modified, 1);

  auto* show = FindControl<wxCheckBox>(page, kShowSeries);
  show->SetValue(false);
  wxCommandEvent off(wxEVT_CHECKBOX, kShowSeries);
  off.SetEventObject(show);
  off.SetInt(0);
  show->ProcessWindowEvent(off);
  EXPECT_EQ(p.m_task.TaskParam[0], 0u);
  EXPECT_EQ(p.m_task.TaskParam[1], 1u);
}

TEST(DotsPage, ReadOnlyWhenTheModelMayNotBeEdited) {
  LoadedPage p("SAD");
  ASSERT_TRUE(p.Loaded());
  wxWindow* page = p.Create(false);
  ASSERT_NE(page, nullptr);
  for (int id : {kSet345, kSet456, kPresentation, kResponse}) {
    EXPECT_FALSE(FindControl<wxRadioButton>(page, id)->IsEnabled()) << id;
  }
  EXPECT_FALSE(FindControl<wxCheckBox>(page, kShowSeries)->IsEnabled());
}

}  // namespace

}  // namespace qel
