// The list of loaded plug-ins, and adding the checked ones to a model.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/listbox.h>

#include <set>

#include "engine/rundlg/tests/RunDlgTestSupport.h"
#include "app/text/ImageIndex.h"
#include "editors/ModelTaskEditor.h"
#include "engine/library/TaskLibraries.h"
#include "engine/rundlg/ui/DlgTasksAvailable.h"
#include "ui/ui/ListCtrlQel.h"

namespace qel {

using namespace test;

namespace {

class FakeEditor final : public IModelTaskEditor {
 public:
  FakeEditor() {
    frame = new wxFrame(nullptr, wxID_ANY, "Model", wxPoint(50, 40), wxSize(400, 300));
    modelList = new wxListBox(frame, wxID_ANY, wxPoint(10, 10), wxSize(200, 120));
    frame->Show();
  }
  ~FakeEditor() { frame->Destroy(); }
  bool AddTask(int mode, const CExpModelTask& task) override {
    added.emplace_back(mode, task.TaskIdStr);
    return refused.count(task.TaskIdStr) == 0;
  }
  void RefreshModelList() override { ++refreshes; }
  wxWindow* GetEditorWindow() override { return frame; }
  wxWindow* GetModelListWindow() override { return modelList; }

  wxFrame* frame;
  wxListBox* modelList;
  std::set<std::string> refused;
  std::vector<std::pair<int, std::string>> added;
  int refreshes = 0;
};

class TasksAvailable : public ::testing::Test {
 protected:
  void TearDown() override {
    if (dialog) dialog->Destroy();
    Pump();
    wxTheApp->ProcessIdle();
    UnloadTaskLibraries();
  }
  void LoadPlugins() {
    SetTaskFolder(RUNDLG_PLUGIN_DIR "/any");
    ASSERT_EQ(FindTaskLibraries(&Host()), 2);
  }
  bool OkEnabled() { return dialog->FindWindow(wxID_OK)->IsEnabled(); }
  wxString OkLabel() { return dialog->FindWindow(wxID_OK)->GetLabel(); }
  wxString Count() { return dialog->FindWindow(CDlgTasksAvailable::kIdCount)->GetLabel(); }

  CDlgTasksAvailable* dialog = nullptr;
};

}  // namespace

TEST_F(TasksAvailable, NoPlugInGivesAnEmptyListAndNoOk) {
  dialog = new CDlgTasksAvailable(nullptr, IModelTaskEditor::kAddAppend);
  EXPECT_EQ(dialog->List().GetItemCount(), 0);
  EXPECT_EQ(Count(), "0");
  EXPECT_EQ(OkLabel(), "OK");
  EXPECT_FALSE(OkEnabled());
}

TEST_F(TasksAvailable, OneRowPerLoadedPlugInWithItsColumns) {
  LoadPlugins();
  dialog = new CDlgTasksAvailable(nullptr, IModelTaskEditor::kAddAppend);
  CListCtrlQel& list = dialog->List();
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
  wxListItem item;
  item.SetId(1);
  item.SetMask(wxLIST_MASK_IMAGE);
  list.GetItem(item);
  EXPECT_EQ(item.GetImage(), GetImageIndex(90));
  EXPECT_EQ(list.GetCheckState(0), 1) << "rows carry check boxes";
}

TEST_F(TasksAvailable, CheckedTasksAreAddedAndRefusedOnesStayChecked) {
  LoadPlugins();
  FakeEditor editor;
  editor.refused = {"CI"};
  dialog = new CDlgTasksAvailable(&editor, IModelTaskEditor::kAddAppend);
  EXPECT_EQ(dialog->GetParent(), editor.frame);
  EXPECT_EQ(OkLabel(), "Add to model");
  EXPECT_FALSE(OkEnabled());
  EXPECT_EQ(dialog->GetPosition(), editor.modelList->GetScreenRect().GetBottomLeft());

  CListCtrlQel& list = dialog->List();
  list.SetRowCheck(0, true, false);
  list.SetRowCheck(1, true, false);
  Pump();
  EXPECT_TRUE(OkEnabled());

  wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
  dialog->FindWindow(wxID_OK)->GetEventHandler()->ProcessEvent(ok);
  Pump();
  ASSERT_EQ(editor.added.size(), 2u);
  EXPECT_EQ(editor.added[0], (std::pair<int, std::string>{1, "CI"}));
  EXPECT_EQ(editor.added[1], (std::pair<int, std::string>{1, "SQ"}));
  EXPECT_TRUE(list.IsRowChecked(0)) << "refused by the editor";
  EXPECT_FALSE(list.IsRowChecked(1));
  EXPECT_EQ(editor.refreshes, 1);
  EXPECT_FALSE(OkEnabled());
  EXPECT_TRUE(dialog->IsShown() || !dialog->IsBeingDeleted()) << "the dialog stays open";

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
  editor.refused = {"CI", "SQ"};
  dialog = new CDlgTasksAvailable(&editor, IModelTaskEditor::kAddInsert);
  EXPECT_EQ(OkLabel(), "Insert into model");
  dialog->List().SetRowCheck(1, true, false);
  Pump();
  dialog->AddCheckedTasks();
  ASSERT_EQ(editor.added.size(), 1u);
  EXPECT_EQ(editor.added[0].first, 2);
  EXPECT_EQ(editor.refreshes, 0);
  EXPECT_TRUE(OkEnabled());
  EXPECT_TRUE(dialog->List().IsRowChecked(1));
}

TEST_F(TasksAvailable, WithoutAnEditorOkChangesNothing) {
  LoadPlugins();
  dialog = new CDlgTasksAvailable(nullptr, IModelTaskEditor::kAddAppend);
  dialog->List().SetRowCheck(0, true, false);
  Pump();
  EXPECT_TRUE(OkEnabled());
  dialog->AddCheckedTasks();
  EXPECT_TRUE(dialog->List().IsRowChecked(0));
}

}  // namespace qel
