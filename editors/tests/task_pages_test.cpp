// The task dialog and each page under the X server on real plug-ins: the
// tabs, the fields each page edits reaching the model task (tables of
// action -> word), the owners' OK following the task, closing questions.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/notebook.h>

#include <algorithm>
#include <functional>

#include "editors/GeneralPageRules.h"
#include "editors/tests/EditorFixture.h"
#include "editors/ui/DlgTaskPar.h"
#include "editors/ui/DlgTaskParFbk.h"
#include "editors/ui/DlgTaskParGen.h"
#include "editors/ui/DlgTaskParIns.h"
#include "editors/ui/DlgTaskParTim.h"
#include "editors/ui/DlgTaskParTrl.h"
#include "editors/ui/DlgTaskParVar.h"
#include "app/rundata/TaskRunData.h"
#include "engine/rundlg/tests/RunDlgTestSupport.h"
#include "include/qel/TaskLibraryInterface.h"
#include "tests/support/gui/WxPump.h"
#include "ui/ui/ListCtrlQel.h"
#include "ui/ui/QelNotify.h"
#include "engine/host/ui/TaskHost.h"

namespace qel {

using namespace test;

namespace {

class TaskPages : public EditorFixture {
 protected:
  void TearDown() override {
    if (m_dialog) m_dialog->Destroy();
    EditorFixture::TearDown();
  }
  // The task dialog on a loaded, bound default task of the plug-in.
  CDlgTaskPar& Open(CTaskLibrary* library) {
    m_task = DefaultTask(*library);
    m_task.library = library;
    m_task.loaded = 1;
    m_dialog = new CDlgTaskPar(nullptr, &m_task, "Model", true, m_services);
    m_dialog->Show();
    Pump(30);
    return *m_dialog;
  }
  CExpModelTask m_task;
  CDlgTaskPar* m_dialog = nullptr;
};

TEST_F(TaskPages, SixTabsOrSevenWithThePluginsOwnPage) {
  CTaskLibrary* withPage = nullptr;
  CTaskLibrary* withoutPage = nullptr;
  for (CTaskLibrary* library : ProgramLibraries()) {
    if (library->page && !withPage) withPage = library;
    if (!library->page && !withoutPage) withoutPage = library;
  }
  ASSERT_NE(withPage, nullptr);
  CDlgTaskPar& dlg = Open(withPage);
  EXPECT_EQ(dlg.Tabs().GetTabCount(), 7);
  EXPECT_EQ(dlg.Tabs().Notebook()->GetPageText(6), "Parameters");
  EXPECT_EQ(dlg.GetTitle(), wxString::FromUTF8(m_task.TaskName));
  dlg.Tabs().SelectTab(kTabParameters);
  Pump(30);
  ASSERT_NE(dlg.Tabs().PluginWindow(), nullptr) << "the plug-in's page inside the dialog";
  EXPECT_TRUE(dlg.Tabs().PluginWindow()->IsShownOnScreen());
  if (withoutPage) {
    m_dialog->Destroy();
    Pump(20);
    CDlgTaskPar& other = Open(withoutPage);
    EXPECT_EQ(other.Tabs().GetTabCount(), 6);
  }
}

TEST_F(TaskPages, InstructionShowsTheTaskAndThePartAndFollowsThePart) {
  CTaskLibrary* library = nullptr;
  for (CTaskLibrary* l : ProgramLibraries()) {
    if (l->partCount > 1 && !library) library = l;
  }
  ASSERT_NE(library, nullptr);
  CDlgTaskPar& dlg = Open(library);
  const std::string task = dlg.Tabs().Instruction().TaskText();
  const std::string part1 = dlg.Tabs().Instruction().PartText();
  EXPECT_EQ(task.rfind("{\\rtf", 0), 0u);
  EXPECT_GT(task.size(), 20u);
  EXPECT_EQ(dlg.PartCaption(), "Part 1 from " + std::to_string(library->partCount));
  ASSERT_TRUE(dlg.StepPart(-1));
  EXPECT_EQ(dlg.PartCaption(), "Part 2 from " + std::to_string(library->partCount));
  EXPECT_EQ(dlg.Tabs().Instruction().TaskText(), task) << "the task's instruction stays";
  EXPECT_EQ(dlg.Tabs().Instruction().PartText().rfind("{\\rtf", 0), 0u);
  (void)part1;
}

TEST_F(TaskPages, AnUnboundTaskShowsTheUnavailableText) {
  m_task.TaskIdStr = "ZZ";
  m_task.TaskName = "Gone";
  m_task.loaded = 1;
  m_dialog = new CDlgTaskPar(nullptr, &m_task, "", true, m_services);
  EXPECT_NE(m_dialog->Tabs().Instruction().TaskText().find("Task not available"), std::string::npos);
  EXPECT_EQ(m_dialog->PartCaption(), "");
  EXPECT_FALSE(m_dialog->FindWindow(CDlgTaskPar::kIdSignals)->IsEnabled());
}

// One edit on a page and the word it must leave in the task.
struct EditCase {
  const char* name;
  int tab;
  std::function<void(CDlgTaskParTab&)> edit;
  std::function<bool(const CExpModelTask&)> holds;
};

TEST_F(TaskPages, EachPageEditsItsFieldsAndOkFollows) {
  CTaskLibrary* library = LibraryWithFlags(0x10000 | 0x10, kResponseSingle);
  if (!library) library = LibraryWithFlags(0x10000 | 0x20);
  ASSERT_NE(library, nullptr) << "a plug-in with audio feedback and a timing";
  const EditCase cases[] = {
      {"space bar", kTabGeneral, [](CDlgTaskParTab& t) { t.General().SetSpaceBar(true); },
       [](const CExpModelTask& k) { return (k.w.TaskSSS & kSssKeyboardResponses) != 0; }},
      {"voice enabled", kTabGeneral, [](CDlgTaskParTab& t) { t.General().SetVoiceEnabled(true); },
       [](const CExpModelTask& k) { return (k.w.TaskSSS & kSssVoiceKeyOption) != 0; }},
      {"threshold", kTabGeneral, [](CDlgTaskParTab& t) { t.General().MoveThreshold(kScrollThumbPosition, 40); },
       [](const CExpModelTask& k) { return ((k.w.TaskSSS >> 16) & 0xFF) == 40; }},
      {"feedback audio", kTabFeedback, [](CDlgTaskParTab& t) { t.Feedback().ChooseOption("Audio"); },
       [](const CExpModelTask& k) { return FeedbackTypeOf(k.w.TaskFbk) == kFeedbackAudio; }},
      {"sound 4", kTabFeedback, [](CDlgTaskParTab& t) { t.Feedback().ChooseSound(3); },
       [](const CExpModelTask& k) { return FeedbackSoundOf(k.w.TaskFbk) == 3; }},
      {"signal low", kTabTiming, [](CDlgTaskParTab& t) { t.Timing().EditValue(TimingField::kSdLow, 321); },
       [](const CExpModelTask& k) { return k.w.TaskSDLow == 321; }},
      {"valid high", kTabTiming, [](CDlgTaskParTab& t) { t.Timing().EditValue(TimingField::kVrHigh, 2345); },
       [](const CExpModelTask& k) { return k.w.TaskVRHigh == 2345; }},
      {"interval high", kTabTiming, [](CDlgTaskParTab& t) { t.Timing().EditValue(TimingField::kIntHigh, 4321); },
       [](const CExpModelTask& k) { return k.w.TaskIntHigh == 4321; }},
      {"scale 150%", kTabTrials, [](CDlgTaskParTab& t) { t.Trials().MoveScale(kScrollThumbPosition, 20); },
       [](const CExpModelTask& k) { return (k.w.TaskSSS & kSssScaleMask) == 150; }},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.name);
    CDlgTaskPar& dlg = Open(library);
    EXPECT_FALSE(dlg.FindWindow(wxID_OK)->IsEnabled());
    dlg.Tabs().SelectTab(c.tab);
    Pump(10);
    ASSERT_EQ(dlg.Tabs().GetCurrentTab(), c.tab);
    c.edit(dlg.Tabs());
    EXPECT_TRUE(c.holds(m_task));
    EXPECT_TRUE(m_task.modified);
    EXPECT_TRUE(dlg.FindWindow(wxID_OK)->IsEnabled()) << "OK follows the task at once";
    m_prompts.SetAnswer(kAnswerNo);
    dlg.OnCancel();
    m_dialog->Destroy();
    m_dialog = nullptr;
    Pump(10);
  }
}

TEST_F(TaskPages, TimingPresetsAndTheCheckOnThePage) {
  CTaskLibrary* library = nullptr;
  for (CTaskLibrary* l : ProgramLibraries()) {
    if (l->taskDescription && l->taskDescription->presetCount >= 2 &&
        (l->defaultTaskFlags & 0x70) && ResponseTypeOf(l->defaultTaskType) != 0 && !library) {
      library = l;
    }
  }
  ASSERT_NE(library, nullptr) << "a plug-in with two timing presets";
  CDlgTaskPar& dlg = Open(library);
  dlg.Tabs().SelectTab(kTabTiming);
  Pump(20);
  CDlgTaskParTim& page = dlg.Tabs().Timing();
  EXPECT_TRUE(page.HasTiming());
  ASSERT_EQ(page.PresetCodes().size(), library->taskDescription->presetCount);
  const QelTimingPreset& second = library->taskDescription->presets[1];
  page.ChoosePreset(1);
  EXPECT_EQ(TimingWords::From(m_task.w).sdLow, second.words[QelTimingPreset::kSDLow]);
  EXPECT_EQ(m_task.w.TaskIntHigh, second.words[QelTimingPreset::kIntHigh]);
  EXPECT_EQ(page.SelectedPreset(), library->FindTimingPreset(&m_task));
  EXPECT_NE(page.Description().find("Signal duration"), std::string::npos);
  // A reversed response window: its message replaces the description and OK asks.
  page.EditValue(TimingField::kVrLow, static_cast<int32_t>(m_task.w.TaskVRHigh) + 50);
  EXPECT_TRUE(m_task.HasTimingError());
  EXPECT_NE(page.Description().find("Valid responses error"), std::string::npos);
  m_prompts.SetAnswer(kAnswerNo);
  dlg.OnOk();
  ASSERT_EQ(m_prompts.ShownTexts().size(), 1u);
  EXPECT_EQ(m_prompts.ShownTexts()[0],
            "Task \"" + m_task.TaskName + "\" has errors in parameters!\r\nApply changes in the task?");
  EXPECT_TRUE(dlg.IsShown());
}

TEST_F(TaskPages, TrialsListsPreviewAndTrialCounts) {
  CTaskLibrary* library = nullptr;
  for (CTaskLibrary* l : ProgramLibraries()) {
    CExpModelTask prepared = DefaultTask(*l);  // the plug-in publishes its lists when a run is prepared
    prepared.library = l;
    prepared.PrepareRun(&RunData());
    if ((l->defaultTaskFlags & 3) > 1 && l->practiceTrialCount > 0 && l->taskDescription &&
        l->taskDescription->codeRowCount >= 2 && !library) {
      library = l;
    }
  }
  ASSERT_NE(library, nullptr) << "a plug-in with trial lists and allowed trial counts";
  CDlgTaskPar& dlg = Open(library);
  dlg.Tabs().SelectTab(kTabTrials);
  Pump(30);
  // The plug-in publishes its practice list once a run is prepared: the next refresh lists it.
  dlg.Tabs().UpdateControls(false);
  CDlgTaskParTrl& page = dlg.Tabs().Trials();
  // Each list holds its own codes: as many as the plug-in published for it.
  const uint32_t published[] = {library->practiceTrialCount, library->testTrialCount, library->secondListCount};
  for (int l = CDlgTaskParTrl::kSourcePractice; l <= CDlgTaskParTrl::kSourceDummy; ++l) {
    EXPECT_EQ(page.List(l).GetItemCount(), static_cast<int>(std::min<uint32_t>(published[l], kMaxTrialCodes)))
        << "list " << l;
  }
  EXPECT_GT(page.List(CDlgTaskParTrl::kSourcePractice).GetItemCount(), 0);
  // The lists hold what the plug-in published for the task (at most 2000 codes each).
  int source = -1;
  for (int l = CDlgTaskParTrl::kSourceTest; l >= CDlgTaskParTrl::kSourcePractice && source < 0; --l) {
    EXPECT_LE(page.List(l).GetItemCount(), kMaxTrialCodes);
    if (page.List(l).GetItemCount() > 0) source = l;
  }
  ASSERT_GE(source, 0) << "a list with codes";
  EXPECT_EQ(page.PreviewedCode(), nullptr) << "nothing selected: nothing previewed";
  page.SelectForPreview(source, 0);
  ASSERT_NE(page.PreviewedCode(), nullptr);
  EXPECT_EQ(std::string(page.PreviewedCode()), page.List(source).GetKey(0));
  // The run engine's current trial is the previewed row (the plug-in's preview may publish its own list).
  const uint32_t listed = static_cast<uint32_t>(page.List(source).GetItemCount());
  EXPECT_GT(Host().trialCount, 0u);
  EXPECT_EQ(Host().trialIndex, 0u);
  if (listed > 1) {
    page.SelectForPreview(source, 1);
    EXPECT_EQ(Host().trialIndex, 1u);
    // A refresh clears it and sets it again from the remembered row.
    Host().trialIndex = 0;
    page.UpdatePage();
    EXPECT_EQ(Host().trialIndex, 1u);
    page.SelectForPreview(source, 0);
    EXPECT_EQ(Host().trialIndex, 0u);
  }
  const char* previewed = page.PreviewedCode();
  page.SelectForPreview(source, 100000);  // out of range: the preview is kept
  EXPECT_EQ(page.PreviewedCode(), previewed);
  page.SelectForPreview(source, -1);
  EXPECT_EQ(page.PreviewedCode(), previewed);
  EXPECT_TRUE(page.HasPreviewDisplay());
  const uint32_t before = page.ShownTrials();
  page.StepTrials(1);
  page.StepTrials(-1);
  page.StepTrials(-1);
  const int part = m_task.currentPart;
  EXPECT_EQ(library->FindCodeRow(part, m_task.TaskPartTrials[part]) >= 0 || m_task.TaskPartTrials[part] == 0, true);
  EXPECT_TRUE(m_task.modified || before == 0);
}

TEST_F(TaskPages, VariablesListAndNormGraph) {
  CTaskLibrary* library = nullptr;
  int zRow = -1;
  for (CTaskLibrary* l : ProgramLibraries()) {
    CExpModelTask t = DefaultTask(*l);
    t.library = l;
    for (int i = 0; i < t.GetScoreVariableCount() && zRow < 0; ++i) {
      if (t.HasZScore(i)) zRow = i;
    }
    if (zRow >= 0) {
      library = l;
      break;
    }
  }
  ASSERT_NE(library, nullptr) << "a plug-in with a Z variable";
  CDlgTaskPar& dlg = Open(library);
  dlg.Tabs().SelectTab(kTabVariables);
  Pump(20);
  CDlgTaskParVar& page = dlg.Tabs().Variables();
  EXPECT_EQ(page.List().GetItemCount(), static_cast<int>(library->scoreVariableCount));
  EXPECT_EQ(page.FindWindow(CDlgTaskParVar::kIdCount)->GetLabel(),
            wxString::Format("Variables: %d", static_cast<int>(library->scoreVariableCount)));
  page.OpenGraph(zRow);
  EXPECT_TRUE(page.IsGraphShown());
  EXPECT_FALSE(page.List().IsEnabled());
  page.SetGraph(false);
  EXPECT_FALSE(page.IsGraphShown());
  EXPECT_TRUE(page.List().IsEnabled());

  // Shown again, the page selects its row again, whatever the list held meanwhile.
  SendNotify(&page, CDlgTaskParVar::kCodeRowSelected, zRow);
  EXPECT_EQ(page.SelectedRow(), zRow);
  dlg.Tabs().SelectTab(kTabGeneral);
  Pump(10);
  page.List().SetItemState(zRow, 0, wxLIST_STATE_SELECTED);
  dlg.Tabs().SelectTab(kTabVariables);
  Pump(10);
  EXPECT_EQ(page.List().GetSelectedRow(), zRow);
}

TEST_F(TaskPages, TheUpdateRequestRefillsAPageAndItsOwnersButtons) {
  CDlgTaskPar& dlg = Open(ProgramLibraries().front());
  dlg.Tabs().SelectTab(kTabFeedback);
  Pump(10);
  EXPECT_FALSE(dlg.FindWindow(wxID_OK)->IsEnabled());
  // The task changed outside the page: the request brings the page and OK up to date.
  m_task.modified = 1;
  EXPECT_EQ(SendNotify(&dlg.Tabs().Feedback(), CDlgTaskParPage::kNotifyUpdatePage, 0), 0);
  EXPECT_TRUE(dlg.FindWindow(wxID_OK)->IsEnabled());
  m_prompts.SetAnswer(kAnswerNo);
  dlg.OnCancel();
}

TEST_F(TaskPages, FeedbackOffersWhatThePluginAllows) {
  CTaskLibrary* library = LibraryWithFlags(0x10000);
  ASSERT_NE(library, nullptr);
  CDlgTaskPar& dlg = Open(library);
  dlg.Tabs().SelectTab(kTabFeedback);
  Pump(10);
  CDlgTaskParFbk& page = dlg.Tabs().Feedback();
  std::vector<std::string> expected = {"None", "Audio"};
  if (library->defaultTaskFlags & 0x20000) expected.push_back("Visual");
  EXPECT_EQ(page.OfferedOptions(), expected);
  EXPECT_EQ(page.Description().rfind("{\\rtf", 0), 0u);
}

TEST_F(TaskPages, ClosingAnUnchangedTaskAsksNothing) {
  CDlgTaskPar& dlg = Open(ProgramLibraries()[0]);
  dlg.OnCancel();
  EXPECT_TRUE(m_prompts.ShownTexts().empty());
  EXPECT_EQ(dlg.GetReturnCode(), wxID_CANCEL);
}

}  // namespace

}  // namespace qel
