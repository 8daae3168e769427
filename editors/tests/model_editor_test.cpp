// The model editor under the X server: a model of every loaded task is
// composed (append, insert before the selection, move, delete, part steps,
// a duplicate refused, the 40-task limit), its parameters edited on the
// pages, saved through the model file and read back byte for byte.
#include <gtest/gtest.h>
#include <wx/button.h>

#include <cstring>
#include <vector>

#include "app/modelfile/ModelFile.h"
#include "editors/tests/EditorFixture.h"
#include "editors/ui/DlgModel.h"
#include "editors/ui/DlgTaskParFbk.h"
#include "editors/ui/DlgTaskParTim.h"
#include "tests/support/common/TempFolder.h"
#include "tests/support/gui/WxPump.h"
#include "ui/ui/ListCtrlQel.h"

namespace qel {

using namespace test;

namespace {

std::vector<std::string> ListKeys(CListCtrlQel& list) {
  std::vector<std::string> keys;
  for (int i = 0; i < list.GetItemCount(); ++i) keys.push_back(list.GetKey(i));
  return keys;
}

std::vector<std::string> ModelCodes(const CExpModel& model) {
  std::vector<std::string> codes;
  for (int i = 0; i < model.GetTaskCount(); ++i) codes.push_back(model.GetTask(i)->TaskIdStr);
  return codes;
}

bool Enabled(wxWindow* dialog, int id) { return dialog->FindWindow(id) && dialog->FindWindow(id)->IsEnabled(); }

// Every stored field of two tasks.
void ExpectSameTask(const CExpModelTask& a, const CExpModelTask& b) {
  EXPECT_EQ(a.TaskId, b.TaskId);
  EXPECT_EQ(a.TaskIdStr, b.TaskIdStr);
  EXPECT_EQ(a.TaskName, b.TaskName);
  EXPECT_EQ(std::memcmp(&a.w, &b.w, sizeof a.w), 0) << a.TaskIdStr;
  EXPECT_EQ(std::memcmp(a.TaskPartTrials, b.TaskPartTrials, sizeof a.TaskPartTrials), 0) << a.TaskIdStr;
  EXPECT_EQ(std::memcmp(a.TaskParam, b.TaskParam, sizeof a.TaskParam), 0) << a.TaskIdStr;
}

class ModelEditor : public EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    m_model.m_name = "Battery";
    m_model.m_loaded = 1;
  }
  void TearDown() override {
    if (m_dialog) m_dialog->Destroy();
    EditorFixture::TearDown();
  }
  CDlgModel& Open() {
    m_dialog = new CDlgModel(nullptr, &m_model, true, m_services);
    m_dialog->Show();
    Pump(50);
    return *m_dialog;
  }
  CExpModel m_model;
  CDlgModel* m_dialog = nullptr;
};

TEST_F(ModelEditor, ComposesEveryLoadedTaskSavesAndReadsItBackByteForByte) {
  CDlgModel& dlg = Open();
  const TaskLibraryList& libraries = ProgramLibraries();
  EXPECT_FALSE(Enabled(&dlg, CDlgModel::kIdInsert)) << "nothing to insert before";
  EXPECT_FALSE(dlg.FindWindow(wxID_OK)->IsEnabled());
  for (CTaskLibrary* library : libraries) ASSERT_TRUE(dlg.AddTask(IModelTaskEditor::kAddAppend, DefaultTask(*library)));
  const int n = static_cast<int>(libraries.size());
  ASSERT_EQ(m_model.GetTaskCount(), n);
  EXPECT_EQ(ListKeys(dlg.TaskList()), ModelCodes(m_model));
  EXPECT_TRUE(m_model.IsModified());
  EXPECT_TRUE(dlg.FindWindow(wxID_OK)->IsEnabled());
  for (int i = 0; i < n; ++i) EXPECT_EQ(m_model.GetTask(i)->library, libraries[i]) << "bound by short code";
  EXPECT_EQ(dlg.TaskList().GetSelectedRow(), n - 1);
  EXPECT_EQ(dlg.CurrentTaskCaption(), "Current Task " + std::to_string(n));

  // A task already in the model is refused with its message.
  EXPECT_FALSE(dlg.AddTask(IModelTaskEditor::kAddAppend, DefaultTask(*libraries[0])));
  ASSERT_EQ(m_prompts.ShownTexts().size(), 1u);
  EXPECT_EQ(m_prompts.ShownTexts()[0],
            "Task \"" + m_model.GetTask(0)->TaskIdStr + "\" already exists in model \"Battery\"!");
  EXPECT_EQ(m_model.GetTaskCount(), n);

  // Move the third task up, then down again.
  const std::vector<std::string> before = ModelCodes(m_model);
  dlg.SelectRow(2);
  EXPECT_TRUE(Enabled(&dlg, CDlgModel::kIdMoveUp));
  ASSERT_TRUE(dlg.MoveTask(-1));
  EXPECT_EQ(m_model.GetTask(1)->TaskIdStr, before[2]);
  EXPECT_EQ(m_model.GetTask(2)->TaskIdStr, before[1]);
  EXPECT_EQ(dlg.TaskList().GetSelectedRow(), 1);
  EXPECT_EQ(ListKeys(dlg.TaskList()), ModelCodes(m_model));
  ASSERT_TRUE(dlg.MoveTask(1));
  EXPECT_EQ(ModelCodes(m_model), before);
  dlg.SelectRow(0);
  EXPECT_FALSE(Enabled(&dlg, CDlgModel::kIdMoveUp));
  EXPECT_FALSE(dlg.MoveTask(-1));
  dlg.SelectRow(n - 1);
  EXPECT_FALSE(Enabled(&dlg, CDlgModel::kIdMoveDown));

  // Delete the first task (Yes), then insert it again before the fourth row.
  const CExpModelTask first = *m_model.GetTask(0);
  dlg.SelectRow(0);
  m_prompts.SetAnswer(kAnswerNo);
  dlg.DeleteTaskAsk(0);
  EXPECT_EQ(m_model.GetTaskCount(), n) << "No keeps the task";
  m_prompts.SetAnswer(kAnswerYes);
  dlg.DeleteTaskAsk(0);
  ASSERT_EQ(m_model.GetTaskCount(), n - 1);
  EXPECT_EQ(m_prompts.ShownTexts().back(),
            "Task \"" + first.TaskName + "\"\r\nmodel \"Battery\".\r\nDELETE task from model?\n");
  EXPECT_EQ(dlg.TaskList().GetSelectedRow(), 0);
  dlg.SelectRow(3);
  ASSERT_TRUE(dlg.AddTask(IModelTaskEditor::kAddInsert, DefaultTask(*libraries[0])));
  EXPECT_EQ(m_model.GetTask(3)->TaskIdStr, first.TaskIdStr);
  EXPECT_EQ(dlg.TaskList().GetSelectedRow(), 3);
  EXPECT_EQ(ListKeys(dlg.TaskList()), ModelCodes(m_model));

  // Step the parts of a task with more than one part.
  int multi = -1;
  for (int i = 0; i < m_model.GetTaskCount() && multi < 0; ++i) {
    if (m_model.GetTask(i)->GetPartCount() > 1) multi = i;
  }
  ASSERT_GE(multi, 0) << "a plug-in with parts";
  dlg.SelectRow(multi);
  CExpModelTask* task = m_model.GetTask(multi);
  const int parts = task->GetPartCount();
  EXPECT_EQ(dlg.PartCaption(), "Part 1 from " + std::to_string(parts));
  EXPECT_TRUE(dlg.FindWindow(CDlgModel::kIdPartSpin)->IsShown());
  EXPECT_FALSE(dlg.StepPart(1)) << "no part before the first";
  ASSERT_TRUE(dlg.StepPart(-1));
  EXPECT_EQ(task->currentPart, 1);
  EXPECT_EQ(dlg.PartCaption(), "Part 2 from " + std::to_string(parts));

  // Edit parameters on the pages of two tasks.
  CTaskLibrary* feedback = LibraryWithFlags(0x10000);
  ASSERT_NE(feedback, nullptr);
  const int fbIndex = dlg.Editing().FindTask(feedback->modelDefault->TaskId);
  dlg.SelectRow(fbIndex);
  dlg.Tabs().SelectTab(kTabFeedback);
  Pump(20);
  dlg.Tabs().Feedback().ChooseOption("Audio");
  dlg.Tabs().Feedback().ChooseSound(4);
  EXPECT_EQ(m_model.GetTask(fbIndex)->w.TaskFbk, FeedbackWord(kFeedbackAudio, 4));
  CTaskLibrary* timed = LibraryWithFlags(0x10, kResponseSingle);
  if (!timed) timed = LibraryWithFlags(0x20);
  ASSERT_NE(timed, nullptr);
  const int timIndex = dlg.Editing().FindTask(timed->modelDefault->TaskId);
  dlg.SelectRow(timIndex);
  dlg.Tabs().SelectTab(kTabTiming);
  Pump(20);
  dlg.Tabs().Timing().EditValue(TimingField::kVrHigh, 1777);
  EXPECT_EQ(m_model.GetTask(timIndex)->w.TaskVRHigh, 1777u);

  // Save, read back, save again: the same bytes and every parameter kept.
  TempFolder folder;
  const std::string path = folder.File("Battery.qem");
  std::string error;
  ASSERT_TRUE(WriteModelFile(path, &m_model, &error)) << error;
  CExpModel reopened;
  uint32_t format = 0;
  ASSERT_TRUE(ReadModelFile(path, &reopened, &format, &error)) << error;
  ASSERT_EQ(reopened.GetTaskCount(), m_model.GetTaskCount());
  for (int i = 0; i < reopened.GetTaskCount(); ++i) ExpectSameTask(*reopened.GetTask(i), *m_model.GetTask(i));
  const std::string again = folder.File("Again.qem");
  ASSERT_TRUE(WriteModelFile(again, &reopened, &error)) << error;
  std::FILE* a = std::fopen(path.c_str(), "rb");
  std::FILE* b = std::fopen(again.c_str(), "rb");
  ASSERT_TRUE(a && b);
  std::vector<char> bytesA(1 << 20), bytesB(1 << 20);
  bytesA.resize(std::fread(bytesA.data(), 1, bytesA.size(), a));
  bytesB.resize(std::fread(bytesB.data(), 1, bytesB.size(), b));
  std::fclose(a);
  std::fclose(b);
  EXPECT_GT(bytesA.size(), 100u);
  EXPECT_EQ(bytesA, bytesB);
  // The reopened model opens in the editor, bound to the plug-ins, with the same tasks.
  CDlgModel second(nullptr, &reopened, false, m_services);
  EXPECT_EQ(ListKeys(second.TaskList()), ModelCodes(m_model));
  EXPECT_FALSE(second.FindWindow(CDlgModel::kIdSignals)->IsShown()) << "opened without runs";
}

// The tasks list shows every task's Id and name whole, however it came
// into the list (added, or the model's own when the editor opens).
TEST_F(ModelEditor, TheTasksListShowsIdsAndNamesWhole) {
  const TaskLibraryList& libraries = ProgramLibraries();
  ASSERT_FALSE(libraries.empty());
  m_model.AddTask(DefaultTask(*libraries[0]));
  CDlgModel& dlg = Open();
  for (size_t i = 1; i < libraries.size(); ++i) dlg.AddTask(IModelTaskEditor::kAddAppend, DefaultTask(*libraries[i]));
  CListCtrlQel& list = dlg.TaskList();
  constexpr int kIdColumn = 1;
  constexpr int kNameColumn = 2;
  for (int row = 0; row < list.GetItemCount(); ++row) {
    for (int column : {kIdColumn, kNameColumn}) {
      const wxString text = list.GetItemText(row, column);
      EXPECT_LT(list.GetTextExtent(text).x, list.GetColumnWidth(column)) << "\"" << text << "\" is cut";
    }
  }
}

TEST_F(ModelEditor, FortyTasksAtMostAndAddAndInsertOffNoLonger) {
  CDlgModel& dlg = Open();
  const CTaskLibrary& library = *ProgramLibraries()[0];
  for (uint32_t i = 0; i < 40; ++i) {
    CExpModelTask task = DefaultTask(library);
    task.TaskId = 1000 + i;  // distinct numbers on one plug-in's defaults
    ASSERT_TRUE(dlg.AddTask(IModelTaskEditor::kAddAppend, task)) << i;
  }
  dlg.SelectRow(5);
  EXPECT_FALSE(Enabled(&dlg, CDlgModel::kIdAdd));
  EXPECT_FALSE(Enabled(&dlg, CDlgModel::kIdInsert));
  EXPECT_TRUE(Enabled(&dlg, CDlgModel::kIdDelete));
  CExpModelTask more = DefaultTask(library);
  more.TaskId = 2000;
  EXPECT_FALSE(dlg.AddTask(IModelTaskEditor::kAddAppend, more));
  EXPECT_FALSE(dlg.AddTask(IModelTaskEditor::kAddInsert, more));
  EXPECT_EQ(m_model.GetTaskCount(), 40);
  EXPECT_EQ(dlg.TaskList().GetItemCount(), 40);
  dlg.OpenTasksAvailable(IModelTaskEditor::kAddAppend);  // opens nothing when full
  EXPECT_TRUE(m_prompts.ShownTexts().empty());
}

TEST_F(ModelEditor, DeletingTheLastAndTheOnlyTask) {
  CDlgModel& dlg = Open();
  const TaskLibraryList& libraries = ProgramLibraries();
  for (int i = 0; i < 3; ++i) dlg.AddTask(IModelTaskEditor::kAddAppend, DefaultTask(*libraries[i]));
  dlg.SelectRow(2);
  dlg.DeleteTaskAsk(2);
  EXPECT_EQ(dlg.TaskList().GetSelectedRow(), 1) << "the new last task";
  EXPECT_EQ(m_model.GetCurrentTaskIndex(), 1);
  dlg.DeleteTaskAsk(0);
  dlg.DeleteTaskAsk(0);
  EXPECT_EQ(m_model.GetTaskCount(), 0);
  EXPECT_EQ(dlg.TaskList().GetItemCount(), 0);
  EXPECT_EQ(dlg.CurrentTaskCaption(), "Current Task");
  EXPECT_FALSE(Enabled(&dlg, CDlgModel::kIdDelete));
  EXPECT_FALSE(Enabled(&dlg, CDlgModel::kIdSignals));
}

TEST_F(ModelEditor, ClosingAsksWithCancelKeepingTheDialog) {
  CDlgModel& dlg = Open();
  dlg.AddTask(IModelTaskEditor::kAddAppend, DefaultTask(*ProgramLibraries()[0]));
  m_prompts.SetAnswer(kAnswerCancel);
  dlg.OnCancel();
  ASSERT_EQ(m_prompts.Shown().size(), 1u);
  EXPECT_EQ(m_prompts.Shown()[0].text, "Apply changes in the model?\nBattery");
  EXPECT_EQ(m_prompts.Shown()[0].style, unsigned(kPromptYesNoCancel | kPromptIconQuestion | kPromptDefault3));
  EXPECT_TRUE(dlg.IsShown()) << "Cancel keeps the editor open";
  m_prompts.SetAnswer(kAnswerNo);
  dlg.OnCancel();
  EXPECT_EQ(dlg.GetReturnCode(), wxID_CANCEL);
  EXPECT_EQ(m_model.GetTaskCount(), 1) << "the model stays as edited; the caller reads it again";
}

TEST_F(ModelEditor, ATimingErrorIsAskedAboutAtOk) {
  CDlgModel& dlg = Open();
  CTaskLibrary* timed = LibraryWithFlags(0x20);
  ASSERT_NE(timed, nullptr);
  dlg.AddTask(IModelTaskEditor::kAddAppend, DefaultTask(*timed));
  dlg.Tabs().SelectTab(kTabTiming);
  Pump(20);
  CExpModelTask* task = m_model.GetTask(0);
  dlg.Tabs().Timing().EditValue(TimingField::kVrLow, static_cast<int32_t>(task->w.TaskVRHigh) + 100);
  EXPECT_TRUE(task->HasTimingError());
  m_prompts.SetAnswer(kAnswerNo);
  dlg.OnOk();
  ASSERT_EQ(m_prompts.ShownTexts().size(), 1u);
  EXPECT_EQ(m_prompts.ShownTexts()[0], "Model \"Battery\" has errors in parameters!\r\nApply changes in the model?");
  EXPECT_TRUE(dlg.IsShown());
  dlg.Tabs().Timing().EditValue(TimingField::kVrLow, 0);
  EXPECT_FALSE(task->HasTimingError());
  dlg.OnOk();
  EXPECT_EQ(dlg.GetReturnCode(), wxID_OK);
}

TEST_F(ModelEditor, WithoutAModelEverythingIsOffAndOkHidden) {
  m_dialog = new CDlgModel(nullptr, nullptr, true, m_services);
  m_dialog->Show();
  Pump(20);
  for (int id : {CDlgModel::kIdAdd, CDlgModel::kIdInsert, CDlgModel::kIdDelete, CDlgModel::kIdMoveUp,
                 CDlgModel::kIdMoveDown, CDlgModel::kIdSignals, CDlgModel::kIdPractice}) {
    EXPECT_FALSE(Enabled(m_dialog, id)) << id;
  }
  EXPECT_FALSE(m_dialog->FindWindow(wxID_OK)->IsShown());
  EXPECT_EQ(m_dialog->Tabs().GetTabCount(), 7) << "the Parameters tab for the task that will be chosen";
}

TEST_F(ModelEditor, AModelNotLoadedIsReadOnly) {
  m_model.m_loaded = 0;
  CExpModelTask task = DefaultTask(*ProgramLibraries()[0]);
  m_model.AddTask(task);
  m_model.SetModified(false, true);
  CDlgModel& dlg = Open();
  for (int id : {CDlgModel::kIdAdd, CDlgModel::kIdInsert, CDlgModel::kIdDelete}) EXPECT_FALSE(Enabled(&dlg, id)) << id;
  EXPECT_FALSE(dlg.FindWindow(wxID_OK)->IsShown());
  dlg.Tabs().SelectTab(kTabFeedback);
  dlg.Tabs().Feedback().ChooseOption("Visual");
  EXPECT_EQ(m_model.GetTask(0)->w.TaskFbk, task.w.TaskFbk) << "pages are read-only";
  EXPECT_FALSE(m_model.IsModified());
}

}  // namespace

}  // namespace qel
