// VisuoSpatial Sequencing's parameter page as the task-parameter dialog
// makes it: the plug-in of the program folder loaded by the program's
// loader, its page created inside a window of this program.
#include <gtest/gtest.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>

#include "tasks/layers/mouse/tests/support/PluginPageTest.h"
#include "tests/support/gui/WxControls.h"

namespace qel {

using qel::test::FindControl;

namespace {

class VssPage : public test::PluginPageTest {
 protected:
  void SetUp() override { Load("VSS"); }
  void Click(wxRadioButton* button) {
    button->SetValue(true);
    Send(button, wxEVT_RADIOBUTTON, 1);
  }
};

TEST_F(VssPage, ShowsPointerTypeAndTimesButNoStopCriterionForTheFirstPart) {
  m_task.TaskParam[1] = 1;
  wxWindow* page = Create(true);
  ASSERT_NE(page, nullptr);
  auto* hand = FindControl<wxRadioButton>(page, 1134);
  auto* popUp = FindControl<wxRadioButton>(page, 1135);
  auto* duration = FindControl<wxTextCtrl>(page, 1002);
  auto* interval = FindControl<wxTextCtrl>(page, 1001);
  auto* stop = FindControl<wxStaticBox>(page, 1004);
  auto* user = FindControl<wxRadioButton>(page, 1003);
  ASSERT_TRUE(hand && popUp && duration && interval && stop && user);
  EXPECT_EQ(hand->GetLabel(), "Hand");
  EXPECT_EQ(popUp->GetLabel(), "Pop Up");
  EXPECT_TRUE(popUp->GetValue());
  EXPECT_EQ(duration->GetValue(), "1000");
  EXPECT_EQ(interval->GetValue(), "750");
  EXPECT_EQ(stop->GetLabel(), "Stop criterium");
  EXPECT_FALSE(stop->IsShown());
  EXPECT_FALSE(user->IsShown());
}

TEST_F(VssPage, ForAnotherPartTheStopCriterionIsShown) {
  m_task.currentPart = 1;
  m_task.TaskParam[4] = 1;
  wxWindow* page = Create(true);
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(FindControl<wxStaticBox>(page, 1004)->IsShown());
  EXPECT_TRUE(FindControl<wxRadioButton>(page, 1005)->GetValue());
  Click(FindControl<wxRadioButton>(page, 1003));
  EXPECT_EQ(m_task.TaskParam[4], 0u);
}

TEST_F(VssPage, ChangesAreStoredAndMarkTheModelModified) {
  wxWindow* page = Create(true);
  ASSERT_NE(page, nullptr);
  Click(FindControl<wxRadioButton>(page, 1135));
  EXPECT_EQ(m_task.TaskParam[1], 1u);
  EXPECT_EQ(m_task.modified, 1);

  m_task.modified = 0;
  auto* duration = FindControl<wxTextCtrl>(page, 1002);
  duration->SetValue("1500");  // sends the text event
  EXPECT_EQ(m_task.TaskParam[2], 1500u);
  EXPECT_EQ(m_task.modified, 1);
  EXPECT_EQ(duration->GetValue(), "1500");
  FindControl<wxTextCtrl>(page, 1001)->SetValue("500");
  EXPECT_EQ(m_task.TaskParam[3], 500u);
  // What is not a number is not stored.
  duration->SetValue("15x");
  EXPECT_EQ(m_task.TaskParam[2], 1500u);
}

TEST_F(VssPage, NotEditableMeansDisabled) {
  wxWindow* page = Create(false);
  ASSERT_NE(page, nullptr);
  EXPECT_FALSE(FindControl<wxRadioButton>(page, 1134)->IsEnabled());
  EXPECT_FALSE(FindControl<wxRadioButton>(page, 1131)->IsEnabled());
  EXPECT_TRUE(FindControl<wxRadioButton>(page, 1134)->GetValue()) << "the hand by default";
}

}  // namespace

}  // namespace qel
