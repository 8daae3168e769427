// Tapping's parameter page as the task-parameter dialog makes it: the
// plug-in of the program folder loaded by the program's loader, its page
// created inside a window of this program for a model task.
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/slider.h>
#include <wx/stattext.h>

#include "app/model/ExpModelTask.h"
#include "engine/library/TaskLibrary.h"
#include "tests/support/gui/WxControls.h"

namespace qel {

using qel::test::FindControl;
using qel::test::Slide;

namespace {

constexpr int kIdCounters = 1136;
constexpr int kIdAltSlider = 1008;
constexpr int kIdSyncSlider = 1009;
constexpr int kIdAltLabel = 1004;
constexpr int kIdSyncLabel = 1014;
constexpr int kIdAltPicture = 1210;
constexpr int kIdSyncPicture = 1211;

class TappingPage : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_record.Load(QEL_OUTPUT_DIR "/QelTP.qet", false));
    ASSERT_NE(m_record.page, nullptr);
    m_task.SetFromModelTask(m_record.modelDefault);
    m_task.library = &m_record;
    m_task.loaded = 1;
    m_frame = new wxFrame(nullptr, wxID_ANY, "task parameters");
  }
  void TearDown() override {
    delete m_frame;
    m_record.Unload();
  }
  wxWindow* Create(bool editable) {
    m_record.page->SetModelTask(&m_task, editable);
    return static_cast<wxWindow*>(m_record.page->CreateInModule(m_frame));
  }

  CTaskLibrary m_record;
  CExpModelTask m_task;
  wxFrame* m_frame = nullptr;
};

TEST_F(TappingPage, ShowsTheThreeWords) {
  m_task.TaskParam[0] = 1;
  m_task.TaskParam[1] = 33;
  m_task.TaskParam[2] = 75;
  wxWindow* page = Create(true);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->GetParent(), m_frame);
  auto* counters = FindControl<wxCheckBox>(page, kIdCounters);
  auto* alt = FindControl<wxSlider>(page, kIdAltSlider);
  auto* sync = FindControl<wxSlider>(page, kIdSyncSlider);
  auto* altLabel = FindControl<wxStaticText>(page, kIdAltLabel);
  auto* syncLabel = FindControl<wxStaticText>(page, kIdSyncLabel);
  ASSERT_TRUE(counters && alt && sync && altLabel && syncLabel);
  EXPECT_EQ(counters->GetLabel(), "Show Alt/Sync taps counter");
  EXPECT_TRUE(counters->GetValue());
  EXPECT_EQ(alt->GetMin(), 0);
  EXPECT_EQ(alt->GetMax(), 40);
  EXPECT_EQ(alt->GetValue(), 33);
  EXPECT_EQ(sync->GetMin(), 60);
  EXPECT_EQ(sync->GetMax(), 100);
  EXPECT_EQ(sync->GetValue(), 75);
  EXPECT_EQ(altLabel->GetLabel(), "33");
  EXPECT_EQ(syncLabel->GetLabel(), "75");
  EXPECT_TRUE(counters->IsEnabled() && alt->IsEnabled() && sync->IsEnabled());
  ASSERT_NE(page->FindWindow(kIdAltPicture), nullptr);
  ASSERT_NE(page->FindWindow(kIdSyncPicture), nullptr);
  EXPECT_EQ(page->FindWindow(kIdAltPicture)->GetSize(), wxSize(90, 24));
}

TEST_F(TappingPage, TheModelDefaultShowsTheInitialPositions) {
  wxWindow* page = Create(true);
  ASSERT_NE(page, nullptr);
  EXPECT_FALSE(FindControl<wxCheckBox>(page, kIdCounters)->GetValue());
  EXPECT_EQ(FindControl<wxSlider>(page, kIdAltSlider)->GetValue(), 20);
  EXPECT_EQ(FindControl<wxSlider>(page, kIdSyncSlider)->GetValue(), 60);
}

TEST_F(TappingPage, ChangesAreStoredAndMarkTheModelModified) {
  wxWindow* page = Create(true);
  ASSERT_NE(page, nullptr);
  auto* counters = FindControl<wxCheckBox>(page, kIdCounters);
  counters->SetValue(true);
  wxCommandEvent click(wxEVT_CHECKBOX, kIdCounters);
  click.SetEventObject(counters);
  click.SetInt(1);
  counters->ProcessWindowEvent(click);
  EXPECT_EQ(m_task.TaskParam[0], 1u);
  EXPECT_EQ(m_task.modified, 1);

  m_task.modified = 0;
  Slide(FindControl<wxSlider>(page, kIdAltSlider), 12);
  EXPECT_EQ(m_task.TaskParam[1], 12u);
  EXPECT_EQ(m_task.modified, 1);
  EXPECT_EQ(FindControl<wxStaticText>(page, kIdAltLabel)->GetLabel(), "12");

  Slide(FindControl<wxSlider>(page, kIdSyncSlider), 90);
  EXPECT_EQ(m_task.TaskParam[2], 90u);
  EXPECT_EQ(FindControl<wxStaticText>(page, kIdSyncLabel)->GetLabel(), "90");
  EXPECT_EQ(m_task.TaskParam[1], 12u);
  EXPECT_EQ(m_task.TaskParam[0], 1u);
}

TEST_F(TappingPage, ReadOnlyWhenTheModelMayNotBeEdited) {
  wxWindow* page = Create(false);
  ASSERT_NE(page, nullptr);
  EXPECT_FALSE(FindControl<wxCheckBox>(page, kIdCounters)->IsEnabled());
  EXPECT_FALSE(FindControl<wxSlider>(page, kIdAltSlider)->IsEnabled());
  EXPECT_FALSE(FindControl<wxSlider>(page, kIdSyncSlider)->IsEnabled());
  m_record.page->SetModelTask(&m_task, true);
  EXPECT_TRUE(FindControl<wxSlider>(page, kIdSyncSlider)->IsEnabled());
}

TEST_F(TappingPage, WordsOutsideTheRangesShowTheNearestEnd) {
  m_task.TaskParam[1] = 55;
  m_task.TaskParam[2] = 7;
  wxWindow* page = Create(true);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(FindControl<wxSlider>(page, kIdAltSlider)->GetValue(), 40);
  EXPECT_EQ(FindControl<wxStaticText>(page, kIdAltLabel)->GetLabel(), "40");
  EXPECT_EQ(FindControl<wxSlider>(page, kIdSyncSlider)->GetValue(), 60);
  // Showing changes nothing in the model.
  EXPECT_EQ(m_task.TaskParam[1], 55u);
  EXPECT_EQ(m_task.modified, 0);
}

TEST_F(TappingPage, EachDialogGetsAFreshPage) {
  wxWindow* first = Create(true);
  ASSERT_NE(first, nullptr);
  // A second window while the first lives is refused.
  EXPECT_EQ(m_record.page->CreateInModule(m_frame), nullptr);
  first->Destroy();
  wxFrame* second = new wxFrame(nullptr, wxID_ANY, "task parameters again");
  auto* page = static_cast<wxWindow*>(m_record.page->CreateInModule(second));
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->GetParent(), second);
  delete second;
}

TEST_F(TappingPage, NoPageWithoutAModelTask) {
  m_record.page->SetModelTask(nullptr, true);
  EXPECT_EQ(m_record.page->CreateInModule(m_frame), nullptr);
}

}  // namespace

}  // namespace qel
