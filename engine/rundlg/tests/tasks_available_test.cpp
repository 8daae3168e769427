// The list of loaded plug-ins, and adding the checked ones to a model.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/display.h>
#include <wx/frame.h>
#include <wx/listbox.h>

#include <set>

#include "app/diagnostics/AssertLog.h"
#include "app/text/ImageIndex.h"
#include "editors/ModelTaskEditor.h"
#include "engine/library/TaskLibraries.h"
#include "engine/rundlg/tests/RunDlgTestSupport.h"
#include "engine/rundlg/ui/DlgTasksAvailable.h"
#include "ui/ui/ListCtrlQel.h"

namespace qel {

using namespace test;

namespace {

class FakeEditor final : public IModelTaskEditor {
 public:
  explicit FakeEditor(const wxPoint& at = wxPoint(50, 40)) {
    m_frame = new wxFrame(nullptr, wxID_ANY, "Model", at, wxSize(400, 300));
    m_modelList = new wxListBox(m_frame, wxID_ANY, wxPoint(10, 10), wxSize(200, 120));
    m_frame->Show();
  }
  ~FakeEditor() { m_frame->Destroy(); }
  bool AddTask(int mode, const CExpModelTask& task) override {
    m_added.emplace_back(mode, task.TaskIdStr);
    return m_refused.count(task.TaskIdStr) == 0;
  }
  void RefreshModelList() override { ++m_refreshes; }
  wxWindow* GetEditorWindow() override { return m_frame; }
  wxWindow* GetModelListWindow() override { return m_modelList; }

  wxFrame* m_frame;
  wxListBox* m_modelList;
  std::set<std::string> m_refused;
  std::vector<std::pair<int, std::string>> m_added;
  int m_refreshes = 0;
};

class TasksAvailable : public ::testing::Test {
 protected:
  void TearDown() override {
    if (m_dialog) m_dialog->Destroy();
    Pump();
    wxTheApp->ProcessIdle();
    UnloadTaskLibraries();
  }
  void LoadPlugins() {
    SetTaskFolder(RUNDLG_PLUGIN_DIR "/any");
    ASSERT_EQ(FindTaskLibraries(&Host()), 2);
  }
  bool OkEnabled() { return m_dialog->FindWindow(wxID_OK)->IsEnabled(); }
  wxString OkLabel() { return m_dialog->FindWindow(wxID_OK)->GetLabel(); }
  wxString Count() { return m_dialog->FindWindow(CDlgTasksAvailable::kIdCount)->GetLabel(); }

  CDlgTasksAvailable* m_dialog = nullptr;
};

}  // namespace

TEST_F(TasksAvailable, NoPlugInGivesAnEmptyListAndNoOk) {
  m_dialog = new CDlgTasksAvailable(nullptr, IModelTaskEditor::kAddAppend);
  EXPECT_EQ(m_dialog->List().GetItemCount(), 0);
  EXPECT_EQ(Count(), "0");
  EXPECT_EQ(OkLabel(), "OK");
  EXPECT_FALSE(OkEnabled());
}

TEST_F(TasksAvailable, OneRowPerLoadedPlugInWithItsColumns) {
  LoadPlugins();
  m_dialog = new CDlgTasksAvailable(nullptr, IModelTaskEditor::kAddAppend);
  CListCtrlQel& list = m_dialog->List();
  ASSERT_EQ(list.GetItemCount(), 2);
  EXPECT_EQ(Count(), "2");
  ASSERT_EQ(list.GetColumnCount(), 7);
  const char* const captions[] = {"No.", "Id", "Name", "Keys", "Vers", "Parts", "Vars"};
  for (int c = 0; c < 7; ++c) {
    wxListItem column;
    column.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_FORMAT);
    list.GetColumn(c, column);
    EXPECT_EQ(column.GetText(), captions[c]);
    EXPECT_EQ(column.GetAlign(), c == 0 || c >= 3 ? wxLIST_FORMAT_RIGHT : wxLIST_FORMAT_LEFT) << c;
  }
  // Table order: the plug-ins load in name order.
  const char* const circle[] = {"1", "CI", "Circle", "2", "1", "2", "0"};
  const char* const square[] = {"2", "SQ", "Square", "1", "1", "2", "0"};
  for (int c = 0; c < 7; ++c) {
    EXPECT_EQ(list.GetItemText(0, c), circle[c]) << c;
    EXPECT_EQ(list.GetItemText(1, c), square[c]) << c;
  }
  EXPECT_EQ(list.GetKey(1), "SQ");
  EXPECT_EQ(list.GetRowImage(1), GetImageIndex(90));
  EXPECT_EQ(list.GetCheckState(0), 1) << "rows carry check boxes";
}

// Before the program's image lists exist, rows show no icon; before, the
// rows' image numbers tripped a wx assertion.
TEST_F(TasksAvailable, WithoutTheProgramsImagesTheDialogOpensWithoutAComplaint) {
  std::vector<std::string> complaints;
  InstallAssertLog();
  SetAssertSink([&](const std::string& line) { complaints.push_back(line); });
  LoadPlugins();
  m_dialog = new CDlgTasksAvailable(nullptr, IModelTaskEditor::kAddAppend);
  m_dialog->Show();
  m_dialog->List().Refresh();
  m_dialog->List().Update();
  wxYield();
  Pump();
  wxTheApp->ProcessIdle();
  SetAssertSink(nullptr);
  EXPECT_TRUE(complaints.empty()) << complaints.front();
}

// At its first size the dialog shows every column whole, the last ("Vars") too.
TEST_F(TasksAvailable, EveryColumnShowsAtTheDialogsFirstSize) {
  // The program's own plug-ins, with their long names.
  SetTaskFolder(QEL_OUTPUT_DIR "/Qel");
  ASSERT_GT(FindTaskLibraries(&Host()), 3);
  m_dialog = new CDlgTasksAvailable(nullptr, IModelTaskEditor::kAddAppend);
  m_dialog->Show();
  Pump();
  wxTheApp->ProcessIdle();
  CListCtrlQel& list = m_dialog->List();
  int right = 0;
  for (int c = 0; c < list.GetColumnCount(); ++c) right += list.GetColumnWidth(c);
  EXPECT_LE(right, list.GetClientSize().x) << "the columns are cut at the right";
}

// Opened from an editor whose tasks list ends low on the screen (and far to
// the right), the dialog is not placed below it beyond the screen: all of it
// shows, as close to the list as the screen lets it.
TEST_F(TasksAvailable, TheDialogStaysWithinTheScreenBelowALowEditor) {
  LoadPlugins();
  const wxRect area = wxDisplay(0u).GetClientArea();
  constexpr int kNearTheEdge = 150;
  FakeEditor editor(wxPoint(area.GetRight() - kNearTheEdge, area.GetBottom() - kNearTheEdge));
  Pump();
  m_dialog = new CDlgTasksAvailable(&editor, IModelTaskEditor::kAddAppend);
  m_dialog->Show();
  Pump();
  const wxRect shown = m_dialog->GetScreenRect();
  EXPECT_TRUE(area.Contains(shown)) << "at " << shown.x << "," << shown.y << " sized " << shown.width << "x"
                                    << shown.height << " on a screen of " << area.width << "x" << area.height;
  EXPECT_EQ(shown.GetBottom(), area.GetBottom()) << "as low as the screen lets it";
}

TEST_F(TasksAvailable, CheckedTasksAreAddedAndRefusedOnesStayChecked) {
  LoadPlugins();
  FakeEditor editor;
  editor.m_refused = {"CI"};
  m_dialog = new CDlgTasksAvailable(&editor, IModelTaskEditor::kAddAppend);
  EXPECT_EQ(m_dialog->GetParent(), editor.m_frame);
  EXPECT_EQ(OkLabel(), "Add to model");
  EXPECT_FALSE(OkEnabled());
  EXPECT_EQ(m_dialog->GetPosition(), editor.m_modelList->GetScreenRect().GetBottomLeft());

  CListCtrlQel& list = m_dialog->List();
  list.SetRowCheck(0, true, false);
  list.SetRowCheck(1, true, false);
  Pump();
  EXPECT_TRUE(OkEnabled());

  wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
  m_dialog->FindWindow(wxID_OK)->GetEventHandler()->ProcessEvent(ok);
  Pump();
  ASSERT_EQ(editor.m_added.size(), 2u);
  EXPECT_EQ(editor.m_added[0], (std::pair<int, std::string>{1, "CI"}));
  EXPECT_EQ(editor.m_added[1], (std::pair<int, std::string>{1, "SQ"}));
  EXPECT_TRUE(list.IsRowChecked(0)) << "refused by the editor";
  EXPECT_FALSE(list.IsRowChecked(1));
  EXPECT_EQ(editor.m_refreshes, 1);
  EXPECT_FALSE(OkEnabled());
  EXPECT_TRUE(m_dialog->IsShown() || !m_dialog->IsBeingDeleted()) << "the dialog stays open";

  // Unchecking the last checked row disables OK again; checking enables it.
  list.SetRowCheck(0, false, false);
  Pump();
  EXPECT_FALSE(OkEnabled());
  list.SetRowCheck(1, true, false);
  Pump();
  EXPECT_TRUE(OkEnabled());
}

TEST_F(TasksAvailable, NothingAddedLeavesTheListAndOkAsTheyWere) {
  LoadPlugins();
  FakeEditor editor;
  editor.m_refused = {"CI", "SQ"};
  m_dialog = new CDlgTasksAvailable(&editor, IModelTaskEditor::kAddInsert);
  EXPECT_EQ(OkLabel(), "Insert into model");
  m_dialog->List().SetRowCheck(1, true, false);
  Pump();
  m_dialog->AddCheckedTasks();
  ASSERT_EQ(editor.m_added.size(), 1u);
  EXPECT_EQ(editor.m_added[0].first, 2);
  EXPECT_EQ(editor.m_refreshes, 0);
  EXPECT_TRUE(OkEnabled());
  EXPECT_TRUE(m_dialog->List().IsRowChecked(1));
}

TEST_F(TasksAvailable, WithoutAnEditorOkChangesNothing) {
  LoadPlugins();
  m_dialog = new CDlgTasksAvailable(nullptr, IModelTaskEditor::kAddAppend);
  m_dialog->List().SetRowCheck(0, true, false);
  Pump();
  EXPECT_TRUE(OkEnabled());
  m_dialog->AddCheckedTasks();
  EXPECT_TRUE(m_dialog->List().IsRowChecked(0));
}

}  // namespace qel
