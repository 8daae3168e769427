// Pursuit's parameter page as the task-parameter dialog makes it: the
// plug-in of the program folder loaded by the program's loader, its page
// created inside a window of this program for a model task.
#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/slider.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "tasks/layers/mouse/tests/support/PluginPageTest.h"
#include "tests/support/gui/WxControls.h"

namespace qel {

using qel::test::FindControl;

namespace {

class PursuitPage : public test::PluginPageTest {
 protected:
  void SetUp() override { Load("PU"); }
  void Spin(wxSpinButton* spin, wxEventType type) {
    wxSpinEvent event(type, spin->GetId());
    event.SetEventObject(spin);
    spin->ProcessWindowEvent(event);
  }
};

TEST_F(PursuitPage, ShowsTheFourWords) {
  m_task.TaskParam[0] = 0x1400002;  // pixel size 320, positive
  m_task.TaskParam[1] = 2;
  m_task.TaskParam[2] = 4;
  m_task.TaskParam[3] = 20;
  wxWindow* page = Create(true);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->GetParent(), m_frame);
  auto* positive = FindControl<wxRadioButton>(page, 1133);
  auto* pixel = FindControl<wxSlider>(page, 1137);
  auto* pixelLabel = FindControl<wxStaticText>(page, 1138);
  auto* speed = FindControl<wxChoice>(page, 1062);
  auto* smoothing = FindControl<wxTextCtrl>(page, 1136);
  auto* spin = FindControl<wxSpinButton>(page, 1135);
  auto* threshold = FindControl<wxSlider>(page, 1139);
  auto* thresholdLabel = FindControl<wxStaticText>(page, 1140);
  ASSERT_TRUE(positive && pixel && pixelLabel && speed && smoothing && spin && threshold && thresholdLabel);
  EXPECT_TRUE(positive->GetValue());
  EXPECT_EQ(positive->GetLabel(), "Positive");
  EXPECT_EQ(pixel->GetMin(), 200);
  EXPECT_EQ(pixel->GetMax(), 400);
  EXPECT_EQ(pixel->GetValue(), 320);
  EXPECT_EQ(pixelLabel->GetLabel(), "0.320");
  EXPECT_EQ(speed->GetCount(), 3u);
  EXPECT_EQ(speed->GetString(0), "Low");
  EXPECT_EQ(speed->GetSelection(), 2);
  EXPECT_EQ(smoothing->GetValue(), "5") << "shown 1..6";
  EXPECT_EQ(threshold->GetMin(), 5);
  EXPECT_EQ(threshold->GetMax(), 30);
  EXPECT_EQ(threshold->GetValue(), 20);
  EXPECT_EQ(thresholdLabel->GetLabel(), "20");
  EXPECT_TRUE(speed->IsEnabled() && spin->IsEnabled() && threshold->IsEnabled() && pixel->IsEnabled());
}

TEST_F(PursuitPage, OutOfRangeWordsShowTheDefaults) {
  m_task.TaskParam[0] = 0x1F40001;  // pixel size 500
  m_task.TaskParam[3] = 40;
  wxWindow* page = Create(false);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(FindControl<wxSlider>(page, 1137)->GetValue(), 290);
  EXPECT_EQ(FindControl<wxStaticText>(page, 1138)->GetLabel(), "0.290");
  EXPECT_EQ(FindControl<wxSlider>(page, 1139)->GetValue(), 12);
  EXPECT_TRUE(FindControl<wxRadioButton>(page, 1132)->GetValue());
  EXPECT_FALSE(FindControl<wxSlider>(page, 1139)->IsEnabled()) << "not editable";
  EXPECT_FALSE(FindControl<wxRadioButton>(page, 1131)->IsEnabled());
}

TEST_F(PursuitPage, ChangesAreStoredAndMarkTheModelModified) {
  wxWindow* page = Create(true);
  ASSERT_NE(page, nullptr);
  auto* negative = FindControl<wxRadioButton>(page, 1131);
  negative->SetValue(true);
  Send(negative, wxEVT_RADIOBUTTON, 1);
  EXPECT_EQ(m_task.TaskParam[0], 0x1220000u);
  EXPECT_EQ(m_task.modified, 1);

  m_task.modified = 0;
  Send(FindControl<wxSlider>(page, 1137), wxEVT_SLIDER, 250);
  EXPECT_EQ(m_task.TaskParam[0], (250u << 16) | 0u);
  EXPECT_EQ(FindControl<wxStaticText>(page, 1138)->GetLabel(), "0.250");
  EXPECT_EQ(m_task.modified, 1);

  auto* speed = FindControl<wxChoice>(page, 1062);
  speed->SetSelection(0);
  Send(speed, wxEVT_CHOICE, 0);
  EXPECT_EQ(m_task.TaskParam[1], 0u);

  auto* spin = FindControl<wxSpinButton>(page, 1135);
  Spin(spin, wxEVT_SPIN_UP);
  Spin(spin, wxEVT_SPIN_UP);
  Spin(spin, wxEVT_SPIN_UP);
  EXPECT_EQ(m_task.TaskParam[2], 5u) << "up to 5";
  EXPECT_EQ(FindControl<wxTextCtrl>(page, 1136)->GetValue(), "6");
  for (int i = 0; i < 8; ++i) Spin(spin, wxEVT_SPIN_DOWN);
  EXPECT_EQ(m_task.TaskParam[2], 0u) << "down to 0";
  EXPECT_EQ(FindControl<wxTextCtrl>(page, 1136)->GetValue(), "1");

  Send(FindControl<wxSlider>(page, 1139), wxEVT_SLIDER, 7);
  EXPECT_EQ(m_task.TaskParam[3], 7u);
  EXPECT_EQ(FindControl<wxStaticText>(page, 1140)->GetLabel(), "7");
}

}  // namespace

}  // namespace qel
