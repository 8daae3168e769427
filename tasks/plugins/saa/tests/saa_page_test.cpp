// The parameter page of Sustained Attention Auditory as the task-parameter
// dialog makes it: the three pitches, the series switch and the lengths;
// a pitch the host cannot play is refused with a message, never stored.
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "tasks/tests/support/LoadedPage.h"
#include "tests/support/gui/WxControls.h"

namespace qel {

namespace {

using test::FindControl;
using test::LoadedPage;

constexpr int kLow = 1001, kHigh = 1002, kMiddle = 1003;
constexpr int kSeriesLength = 1004, kTaskLength = 1005, kMessage = 1006, kShowSeries = 1136;

// What the operator types: the edit's text changes and it says so.
void Type(wxWindow* page, int id, const char* text) { FindControl<wxTextCtrl>(page, id)->SetValue(text); }

std::string Message(wxWindow* page) { return FindControl<wxStaticText>(page, kMessage)->GetLabel().ToStdString(); }

TEST(AuditoryPage, ShowsTheWordsAndTheLengths) {
  LoadedPage p("SAA");
  ASSERT_TRUE(p.Loaded());
  wxWindow* page = p.Create(true);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(FindControl<wxTextCtrl>(page, kLow)->GetValue(), "400");
  EXPECT_EQ(FindControl<wxTextCtrl>(page, kMiddle)->GetValue(), "550");
  EXPECT_EQ(FindControl<wxTextCtrl>(page, kHigh)->GetValue(), "700");
  EXPECT_TRUE(FindControl<wxCheckBox>(page, kShowSeries)->GetValue());
  EXPECT_EQ(FindControl<wxTextCtrl>(page, kSeriesLength)->GetValue(), "36");
  EXPECT_EQ(FindControl<wxTextCtrl>(page, kTaskLength)->GetValue(), "10");
  EXPECT_EQ(Message(page), "");
  EXPECT_EQ(p.m_task.modified, 0) << "showing changes nothing";
}

// Pitches from 100 to 5512 Hz are stored as they are typed; anything else
// leaves the model's word and says why.
TEST(AuditoryPage, PlayablePitchesAreStoredOthersRefused) {
  LoadedPage p("SAA");
  ASSERT_TRUE(p.Loaded());
  wxWindow* page = p.Create(true);
  ASSERT_NE(page, nullptr);
  struct Case {
    int id;
    const char* text;
    int word;
    uint32_t stored;
    const char* message;
  };
  const std::string low = "Low pitch: enter a whole number from 100 to 5512 Hz; the computer cannot play other tones.";
  const std::string high =
      "High pitch: enter a whole number from 100 to 5512 Hz; the computer cannot play other tones.";
  const Case cases[] = {
      {kLow, "600", 1, 600, ""},
      {kLow, "50", 1, 600, low.c_str()},
      {kLow, "abc", 1, 600, low.c_str()},
      {kLow, "", 1, 600, low.c_str()},
      {kLow, "100", 1, 100, ""},
      {kHigh, "5512", 3, 5512, ""},
      {kHigh, "5513", 3, 5512, high.c_str()},
      {kHigh, "-700", 3, 5512, high.c_str()},
      {kMiddle, "1234", 2, 1234, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.id << " \"" << c.text << "\"");
    p.m_task.modified = 0;
    Type(page, c.id, c.text);
    EXPECT_EQ(p.m_task.TaskParam[c.word], c.stored);
    EXPECT_EQ(p.m_task.modified, std::string(c.message).empty() ? 1 : 0);
    EXPECT_EQ(Message(page), c.message);
  }
}

// A model task that holds a pitch the host cannot play (written elsewhere):
// the page says so as it opens.
TEST(AuditoryPage, AStoredPitchTheHostCannotPlayIsShown) {
  LoadedPage p("SAA");
  ASSERT_TRUE(p.Loaded());
  p.m_task.TaskParam[3] = 9000;
  wxWindow* page = p.Create(true);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(FindControl<wxTextCtrl>(page, kHigh)->GetValue(), "9000");
  EXPECT_EQ(Message(page).rfind("High pitch: ", 0), 0u) << Message(page);
  Type(page, kHigh, "900");
  EXPECT_EQ(p.m_task.TaskParam[3], 900u);
  EXPECT_EQ(Message(page), "");
}

TEST(AuditoryPage, ReadOnlyWhenTheModelMayNotBeEdited) {
  LoadedPage p("SAA");
  ASSERT_TRUE(p.Loaded());
  wxWindow* page = p.Create(false);
  ASSERT_NE(page, nullptr);
  for (int id : {kLow, kMiddle, kHigh}) EXPECT_FALSE(FindControl<wxTextCtrl>(page, id)->IsEnabled()) << id;
  EXPECT_FALSE(FindControl<wxCheckBox>(page, kShowSeries)->IsEnabled());
}

}  // namespace

}  // namespace qel
