// Tracking's parameter page as the task-parameter dialog makes it: the
// plug-in of the program folder loaded by the program's loader, its page
// created inside a window of this program for a model task.
#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/slider.h>

#include "tasks/layers/mouse/tests/support/PluginPageTest.h"
#include "tests/support/gui/WxControls.h"

namespace qel {

using qel::test::FindControl;

namespace {

class TrackingPage : public test::PluginPageTest {
 protected:
  void SetUp() override { Load("TR"); }
};

TEST_F(TrackingPage, ShowsDirectionAndWidthAfterTheMouseControls) {
  m_task.TaskParam[1] = 1;
  m_task.TaskParam[2] = 0;
  wxWindow* page = Create(true);
  ASSERT_NE(page, nullptr);
  auto* clockwise = FindControl<wxRadioButton>(page, 1134);
  auto* counter = FindControl<wxRadioButton>(page, 1135);
  auto* width = FindControl<wxChoice>(page, 1079);
  ASSERT_TRUE(clockwise && counter && width);
  ASSERT_NE(FindControl<wxSlider>(page, 1137), nullptr) << "the mouse controls";
  EXPECT_EQ(clockwise->GetLabel(), "Clockwise");
  EXPECT_EQ(counter->GetLabel(), "Counterclockwise");
  EXPECT_TRUE(counter->GetValue());
  EXPECT_FALSE(clockwise->GetValue());
  EXPECT_EQ(width->GetCount(), 3u);
  EXPECT_EQ(width->GetString(2), "Wide");
  EXPECT_EQ(width->GetSelection(), 0);
  EXPECT_TRUE(width->IsEnabled());
}

TEST_F(TrackingPage, ChangesAreStoredAndMarkTheModelModified) {
  wxWindow* page = Create(true);
  ASSERT_NE(page, nullptr);
  auto* counter = FindControl<wxRadioButton>(page, 1135);
  counter->SetValue(true);
  Send(counter, wxEVT_RADIOBUTTON, 1);
  EXPECT_EQ(m_task.TaskParam[1], 1u);
  EXPECT_EQ(m_task.modified, 1);

  m_task.modified = 0;
  auto* width = FindControl<wxChoice>(page, 1079);
  width->SetSelection(2);
  Send(width, wxEVT_CHOICE, 2);
  EXPECT_EQ(m_task.TaskParam[2], 2u);
  EXPECT_EQ(m_task.modified, 1);
  EXPECT_EQ(m_task.TaskParam[1], 1u);
}

TEST_F(TrackingPage, NotEditableMeansDisabled) {
  wxWindow* page = Create(false);
  ASSERT_NE(page, nullptr);
  EXPECT_FALSE(FindControl<wxChoice>(page, 1079)->IsEnabled());
  EXPECT_FALSE(FindControl<wxRadioButton>(page, 1134)->IsEnabled());
  EXPECT_FALSE(FindControl<wxRadioButton>(page, 1132)->IsEnabled());
  EXPECT_EQ(FindControl<wxChoice>(page, 1079)->GetSelection(), 1) << "medium";
}

}  // namespace

}  // namespace qel
