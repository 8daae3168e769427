// The testee search dialog under the X server: its three modes, the
// caller's list checked on OK, and the tree filters sent (never queued) to
// the parent, so none is left behind when the dialog closes.
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>

#include <vector>

#include "admin/tests/AdminTestProject.h"
#include "admin/ui/DlgTesteeSearch.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/gui/WxControls.h"
#include "tests/support/gui/WxPump.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/ListCtrlQel.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace test {
namespace {

void Press(wxWindow* dialog, int id) { SendControlEvent(dialog->FindWindow(id), wxEVT_BUTTON, 0); }
bool Enabled(wxWindow* dialog, int id) { return dialog->FindWindow(id)->IsEnabled(); }

// The page that opened the search: copies every tree filter it is given.
class FilterReceiver : public wxFrame {
 public:
  FilterReceiver() : wxFrame(nullptr, wxID_ANY, "page") {
    Bind(QEL_EVT_NOTIFY, [this](CQelNotifyEvent& e) {
      if (e.GetCode() == kNotifyFilterTree) filters.push_back(*reinterpret_cast<const CTesteeFilter*>(e.GetPayload()));
    });
  }
  std::vector<CTesteeFilter> filters;
};

class TesteeSearchDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    const QelDateTime born = QelDateTime::FromDate(1970, 1, 2);
    for (const char* id : {"1201", "1202", "1301", "x12", "12ab"})
      m_project.m_data.AddTestee(id, "Clinic", "First", "Doe", born, 0, 0, nullptr, {});
    m_parent = new FilterReceiver();
  }
  void TearDown() override {
    if (m_dialog) m_dialog->Destroy();
    m_parent->Destroy();
    Pump(20);
  }

  CDlgTesteeSearch* Open(const CTesteeSearchOptions& options, IAdminProject* project, CListCtrlQel* markList = nullptr) {
    m_dialog = new CDlgTesteeSearch(m_parent, project, "", markList, options);
    m_dialog->Show();
    Pump(20);
    return m_dialog;
  }
  void Find(const char* id) {
    FindControl<wxTextCtrl>(m_dialog, CDlgTesteeSearch::kIdIdPattern)->SetValue(id);
    ASSERT_TRUE(Enabled(m_dialog, CDlgTesteeSearch::kIdSearch));
    Press(m_dialog, CDlgTesteeSearch::kIdSearch);
    Pump(20);
  }
  std::vector<std::string> Rows() {
    std::vector<std::string> keys;
    for (int r = 0; r < m_dialog->List().GetItemCount(); ++r) keys.push_back(m_dialog->List().GetKey(r));
    return keys;
  }

  PromptRecorder m_messages;
  AdminTestProject m_project;
  FilterReceiver* m_parent = nullptr;
  CDlgTesteeSearch* m_dialog = nullptr;
};

TEST_F(TesteeSearchDialogTest, WithoutAnOpenProjectNothingCanBeSearched) {
  AdminTestProject closed;
  closed.m_path.clear();
  for (IAdminProject* project : {static_cast<IAdminProject*>(nullptr), static_cast<IAdminProject*>(&closed)}) {
    Open({true, true, true}, project);
    for (int id : std::vector<int>{CDlgTesteeSearch::kIdIdPattern, CDlgTesteeSearch::kIdCode,
                                   CDlgTesteeSearch::kIdIgnoreCase, CDlgTesteeSearch::kIdList,
                                   CDlgTesteeSearch::kIdSearch, wxID_OK})
      EXPECT_FALSE(Enabled(m_dialog, id)) << id;
    m_dialog->Destroy();
    m_dialog = nullptr;
    Pump(20);
  }
}

TEST_F(TesteeSearchDialogTest, TwoDigitsFindExactlyTheIdsBeginningWithThem) {
  Open({false, false, true}, &m_project);
  EXPECT_EQ(FindControl<wxTextCtrl>(m_dialog, CDlgTesteeSearch::kIdPath)->GetValue(), "/data/Study.qep");
  Find("12");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1201", "1202", "12ab"}));
  EXPECT_EQ(m_dialog->FindWindow(CDlgTesteeSearch::kIdFound)->GetLabel(), "Found 3");
  EXPECT_FALSE(Enabled(m_dialog, CDlgTesteeSearch::kIdSearch));  // until a pattern changes
  EXPECT_FALSE(Enabled(m_dialog, wxID_OK));
  EXPECT_FALSE(m_dialog->FindWindow(CDlgTesteeSearch::kIdMarkAll)->IsShown());

  // Select one: a selected row enables OK; a double-click confirms it.
  m_dialog->List().SelectRow(1);
  Pump(30);
  EXPECT_EQ(FindControl<wxTextCtrl>(m_dialog, CDlgTesteeSearch::kIdSelected)->GetValue(), "1202");
  EXPECT_TRUE(Enabled(m_dialog, wxID_OK));
  wxListEvent activate(wxEVT_LIST_ITEM_ACTIVATED, CDlgTesteeSearch::kIdList);
  activate.m_itemIndex = 2;
  activate.SetEventObject(&m_dialog->List());
  m_dialog->List().ProcessWindowEvent(activate);
  Pump(30);
  EXPECT_EQ(m_dialog->GetSelectedId(), "12ab");
  EXPECT_EQ(m_dialog->GetReturnCode(), wxID_OK);
  EXPECT_FALSE(m_dialog->IsShown());
}

TEST_F(TesteeSearchDialogTest, MarkAllThenUnmarkAllLeavesNoneMarkedAndOkDisabled) {
  CListCtrlQel* caller = new CListCtrlQel(m_parent, wxID_ANY);
  const char* const captions[] = {"No.", "Id"};
  const int widths[] = {40, 80};
  caller->SetColumns(captions, widths, 2, true);
  for (int r = 0; r < 4; ++r) caller->InsertRow(r, std::vector<const char*>{"1301", "1202", "1201", "12AB"}[r], false);

  Open({false, true, false}, &m_project, caller);
  Find("12");
  Press(m_dialog, CDlgTesteeSearch::kIdMarkAll);
  Pump(30);
  EXPECT_EQ(m_dialog->FindWindow(CDlgTesteeSearch::kIdMarked)->GetLabel(), "Marked 3");
  EXPECT_TRUE(Enabled(m_dialog, wxID_OK));
  EXPECT_FALSE(Enabled(m_dialog, CDlgTesteeSearch::kIdMarkAll));
  Press(m_dialog, CDlgTesteeSearch::kIdUnmarkAll);
  Pump(30);
  EXPECT_EQ(m_dialog->FindWindow(CDlgTesteeSearch::kIdMarked)->GetLabel(), "Marked 0");
  EXPECT_FALSE(Enabled(m_dialog, wxID_OK));

  // Two marked: OK checks exactly their rows in the caller's list.
  m_dialog->List().SetRowCheck(0, true, false);
  m_dialog->List().SetRowCheck(2, true, false);
  Pump(30);
  ASSERT_TRUE(Enabled(m_dialog, wxID_OK));
  Press(m_dialog, wxID_OK);
  EXPECT_EQ(m_dialog->GetReturnCode(), wxID_OK);
  EXPECT_FALSE(caller->IsRowChecked(0));  // 1301
  EXPECT_FALSE(caller->IsRowChecked(1));  // 1202 was not marked
  EXPECT_TRUE(caller->IsRowChecked(2));   // 1201
  EXPECT_FALSE(caller->IsRowChecked(3));  // "12AB" is not "12ab"
}

TEST_F(TesteeSearchDialogTest, TreeFiltersAreHandledAtOnceAndNothingIsLeftWhenTheDialogCloses) {
  Open({true, true, false}, &m_project);
  Find("12");
  EXPECT_FALSE(Enabled(m_dialog, CDlgTesteeSearch::kIdFilterMarked));
  m_dialog->List().SetRowCheck(1, true, false);
  Pump(30);
  ASSERT_TRUE(Enabled(m_dialog, CDlgTesteeSearch::kIdFilterMarked));
  Press(m_dialog, CDlgTesteeSearch::kIdFilterMarked);
  ASSERT_EQ(m_parent->filters.size(), 1u);  // already handled: nothing queued
  EXPECT_EQ(m_parent->filters[0].m_testee, "12");
  EXPECT_EQ(m_parent->filters[0].m_wholeMatch, 1);
  EXPECT_EQ(m_parent->filters[0].m_names, std::vector<std::string>{"1202"});

  m_dialog->List().SelectRow(2);
  Pump(30);
  ASSERT_TRUE(Enabled(m_dialog, CDlgTesteeSearch::kIdFilterSelected));
  Press(m_dialog, CDlgTesteeSearch::kIdFilterSelected);
  ASSERT_EQ(m_parent->filters.size(), 2u);
  EXPECT_EQ(m_parent->filters[1].m_testee, "12ab");
  EXPECT_EQ(m_parent->filters[1].m_wholeMatch, 0);
  EXPECT_TRUE(m_dialog->IsShown());  // the dialog stays open

  m_dialog->Destroy();
  m_dialog = nullptr;
  Pump(50);
  EXPECT_EQ(m_parent->filters.size(), 2u);  // no late message about the closed dialog's filter
}

}  // namespace
}  // namespace test

}  // namespace qel
