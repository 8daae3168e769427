// The probe page of the identification tasks (dialog 153), made inside a
// window of this program as the task-parameter dialog makes it: its
// controls, the words each choice writes at once, the edits each timing
// uses, and a task at a fixed event rate, which cannot wait for the testee.
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/frame.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>

#include "tasks/tests/support/LoadedTask.h"
#include "tests/support/gui/WxControls.h"

namespace qel {

using qel::test::Choose;
using qel::test::FindControl;
using qel::test::Select;
using qel::test::Tick;

namespace {

using test::LoadedTask;

constexpr int kFixed = 1131;
constexpr int kUser = 1132;
constexpr int kStimulus = 1133;
constexpr int kDuration = 1001;
constexpr int kPost = 1002;
constexpr int kProbeStimulus = 1003;
constexpr int kText = 1007;
constexpr int kLanguage = 1008;

// Typing into an edit sends the text event.
void Type(wxTextCtrl* edit, const char* text) { edit->SetValue(text); }

class ProbePage : public testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    m_task = std::make_unique<LoadedTask>(GetParam());
    ASSERT_TRUE(m_task->Loaded());
    ASSERT_NE(m_task->m_library.page, nullptr);
    m_frame = new wxFrame(nullptr, wxID_ANY, "task parameters");
  }
  void TearDown() override { delete m_frame; }

  wxWindow* Make(bool editable = true) {
    m_task->m_library.page->SetModelTask(&m_task->m_task, editable);
    return static_cast<wxWindow*>(m_task->m_library.page->CreateInModule(m_frame));
  }
  uint32_t Word(int n) const { return m_task->m_task.TaskParam[n]; }

  std::unique_ptr<LoadedTask> m_task;
  wxFrame* m_frame = nullptr;
};

TEST_P(ProbePage, ControlsAndTheirWords) {
  // The plug-in's default: user terminated, 1000 / 500 / 1000 ms, a face.
  EXPECT_EQ(Word(0), 1u);
  EXPECT_EQ(Word(1), 1000u);
  EXPECT_EQ(Word(2), 500u);
  EXPECT_EQ(Word(3), 1000u);
  EXPECT_EQ(Word(4), 0u);
  m_task->m_task.modified = 0;
  wxWindow* page = Make();
  ASSERT_NE(page, nullptr);
  auto* fixed = FindControl<wxRadioButton>(page, kFixed);
  auto* user = FindControl<wxRadioButton>(page, kUser);
  auto* stimulus = FindControl<wxRadioButton>(page, kStimulus);
  auto* duration = FindControl<wxTextCtrl>(page, kDuration);
  auto* post = FindControl<wxTextCtrl>(page, kPost);
  auto* probeStimulus = FindControl<wxTextCtrl>(page, kProbeStimulus);
  auto* text = FindControl<wxCheckBox>(page, kText);
  auto* language = FindControl<wxComboBox>(page, kLanguage);
  ASSERT_TRUE(fixed && user && stimulus && duration && post && probeStimulus && text && language);
  EXPECT_EQ(fixed->GetLabelText(), "Fixed");
  EXPECT_EQ(user->GetLabelText(), "User terminated");
  EXPECT_EQ(stimulus->GetLabelText(), "Stimul terminated");
  auto* group = dynamic_cast<wxStaticBox*>(fixed->GetParent());
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->GetLabelText(), "Probe timing option");
  EXPECT_EQ(text->GetLabelText(), "Probe as text");
  ASSERT_EQ(language->GetCount(), 2u);
  EXPECT_EQ(language->GetString(0), "English");
  EXPECT_EQ(language->GetString(1), "Dutch");

  // User terminated: only the post-probe interval is used.
  EXPECT_TRUE(user->GetValue());
  EXPECT_EQ(duration->GetValue(), "1000");
  EXPECT_EQ(post->GetValue(), "500");
  EXPECT_FALSE(duration->IsEnabled());
  EXPECT_TRUE(post->IsEnabled());
  EXPECT_FALSE(probeStimulus->IsEnabled());

  Choose(fixed);
  EXPECT_EQ(Word(0), 0u);
  EXPECT_EQ(m_task->m_task.modified, 1) << "the change is marked at once";
  EXPECT_TRUE(duration->IsEnabled());
  EXPECT_TRUE(post->IsEnabled());
  EXPECT_FALSE(probeStimulus->IsEnabled());
  Choose(stimulus);
  EXPECT_EQ(Word(0), 2u);
  EXPECT_FALSE(duration->IsEnabled());
  EXPECT_FALSE(post->IsEnabled());
  EXPECT_TRUE(probeStimulus->IsEnabled());

  Type(probeStimulus, "1750");
  EXPECT_EQ(Word(3), 1750u);
  Type(probeStimulus, "17x");  // not a number: the word stays
  EXPECT_EQ(Word(3), 1750u);
  Type(probeStimulus, "");
  EXPECT_EQ(Word(3), 1750u);
  Type(duration, "250");
  EXPECT_EQ(Word(1), 250u);
  Type(post, "0");
  EXPECT_EQ(Word(2), 0u);

  // The word and the language share word 4.
  Tick(text, true);
  EXPECT_EQ(Word(4), 0x00000001u);
  Select(language, 1);
  EXPECT_EQ(Word(4), 0x00010001u);
  Tick(text, false);
  EXPECT_EQ(Word(4), 0x00010000u);
  Select(language, 0);
  EXPECT_EQ(Word(4), 0u);

  // A model task read from elsewhere: the controls follow it; one that may
  // not be edited disables them.
  m_task->m_task.TaskParam[0] = 0;
  m_task->m_task.TaskParam[1] = 1200;
  m_task->m_task.TaskParam[4] = 0x00010001;
  m_task->m_library.page->SetModelTask(&m_task->m_task, false);
  EXPECT_TRUE(fixed->GetValue());
  EXPECT_EQ(duration->GetValue(), "1200");
  EXPECT_TRUE(text->GetValue());
  EXPECT_EQ(language->GetSelection(), 1);
  for (wxWindow* control :
       std::initializer_list<wxWindow*>{fixed, user, stimulus, duration, post, probeStimulus, text, language}) {
    EXPECT_FALSE(control->IsEnabled()) << control->GetId();
  }
}

// Events at a fixed rate (TaskControl 1): no waiting for the testee.
TEST_P(ProbePage, FixedEventRateCannotWaitForTheTestee) {
  m_task->m_task.w.TaskControl = 1;
  m_task->m_task.TaskParam[0] = 1;
  wxWindow* page = Make();
  ASSERT_NE(page, nullptr);
  auto* fixed = FindControl<wxRadioButton>(page, kFixed);
  auto* user = FindControl<wxRadioButton>(page, kUser);
  ASSERT_TRUE(fixed && user);
  EXPECT_FALSE(user->IsEnabled());
  EXPECT_EQ(Word(0), 0u) << "a stored 1 becomes 0";
  EXPECT_TRUE(fixed->GetValue());
  EXPECT_TRUE(FindControl<wxTextCtrl>(page, kDuration)->IsEnabled());
}

TEST_P(ProbePage, NotMadeWithoutAModelTask) {
  m_task->m_library.page->SetModelTask(nullptr, true);
  EXPECT_EQ(m_task->m_library.page->CreateInModule(m_frame), nullptr);
}

INSTANTIATE_TEST_SUITE_P(IdentificationTasks, ProbePage, testing::Values("IFE", "IAE"));

}  // namespace

}  // namespace qel
