#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/stattext.h>
#include <wx/testing.h>
#include <wx/utils.h>

#include <chrono>
#include <thread>

#include "engine/timer/ManualTickSource.h"
#include "engine/timer/TimerMs.h"
#include "engine/timer/ui/DlgTimerStatus.h"
#include "engine/timer/ui/TimerStatusButton.h"

namespace qel {

namespace {

void NoOp(intptr_t) {}

class DlgTimerStatusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_frame = new wxFrame(nullptr, wxID_ANY, "run");
    ASSERT_TRUE(m_timer.Start(&NoOp, 0));
  }
  void TearDown() override {
    m_timer.Stop();
    m_frame->Destroy();
    wxTheApp->ProcessPendingEvents();
  }
  wxString Field(wxWindow* dialog, int id) {
    auto* text = dynamic_cast<wxStaticText*>(dialog->FindWindow(id));
    return text != nullptr ? text->GetLabel() : wxString("<missing>");
  }

  ManualTickSource m_clock;
  CTimerMs m_timer{&m_clock};
  wxFrame* m_frame = nullptr;
};

TEST_F(DlgTimerStatusTest, ShowsTheTimerFiguresInItsEightFields) {
  m_clock.RunMs(2);
  m_clock.AdvanceMs(5);  // one beat delayed: gap 5
  m_clock.Beat();
  m_clock.RunMs(1);

  CDlgTimerStatus dialog(m_frame, m_timer);
  EXPECT_EQ(dialog.GetTitle(), "Timer Status");
  EXPECT_EQ(Field(&dialog, CDlgTimerStatus::kIdBeats), "4");
  EXPECT_EQ(Field(&dialog, CDlgTimerStatus::kIdElapsed), "8");
  EXPECT_EQ(Field(&dialog, CDlgTimerStatus::kIdLate), "1");
  EXPECT_EQ(Field(&dialog, CDlgTimerStatus::kIdLargestGap), "5");
  EXPECT_EQ(Field(&dialog, CDlgTimerStatus::kIdIdle), "1");  // sampled outside the callback
  EXPECT_EQ(Field(&dialog, CDlgTimerStatus::kIdBusy), "0");
  EXPECT_EQ(Field(&dialog, CDlgTimerStatus::kIdOverlapped), "0");
  EXPECT_EQ(Field(&dialog, CDlgTimerStatus::kIdLoad), "0");
}

TEST_F(DlgTimerStatusTest, RefreshesOnItsOwnWindowTimer) {
  CDlgTimerStatus dialog(m_frame, m_timer);
  dialog.Show();
  m_clock.RunMs(7);
  for (int i = 0; i < 2000 && Field(&dialog, CDlgTimerStatus::kIdBeats) != "7"; ++i) {
    wxTheApp->Yield(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_EQ(Field(&dialog, CDlgTimerStatus::kIdBeats), "7");
  EXPECT_GT(dialog.Figures().idle, 1u);
  dialog.Hide();
}

class ExpectTimerStatus : public wxExpectModalBase<CDlgTimerStatus, ExpectTimerStatus> {
 public:
  explicit ExpectTimerStatus(uint32_t* beatsSeen) : m_seen(beatsSeen) {}

 protected:
  int OnInvoked(CDlgTimerStatus* dialog) const override {
    *m_seen = dialog->Figures().beats;
    return wxID_OK;
  }

 private:
  uint32_t* m_seen;
};

TEST_F(DlgTimerStatusTest, TheTimerButtonOpensTheDialogModally) {
  auto* button = new CTimerStatusButton(m_frame, m_timer);
  EXPECT_EQ(button->GetId(), 1131);
  m_clock.RunMs(3);
  uint32_t seen = 0;
  wxCommandEvent click(wxEVT_BUTTON, button->GetId());
  click.SetEventObject(button);
  wxTEST_DIALOG(button->ProcessWindowEvent(click), ExpectTimerStatus(&seen));
  EXPECT_EQ(seen, 3u);
}

}  // namespace

}  // namespace qel
