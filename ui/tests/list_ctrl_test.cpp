#include <gtest/gtest.h>

#include "ui/tests/NotifyRecorder.h"
#include "ui/ui/ListCtrlQel.h"

namespace qel {

namespace {

const char* const kCaptions[] = {"No.", "Id", "Name"};
const int kWidths[] = {-40, 60, 150};

class ListCtrlQelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_owner = new NotifyRecorder;
    m_list = new CListCtrlQel(m_owner, 1004, wxDefaultPosition, wxSize(400, 200));
    m_list->m_keyList.m_pOwner = m_owner;
    m_owner->Show();
  }
  void TearDown() override { m_owner->Destroy(); }

  void Fill(bool checkBoxes, int rows) {
    m_list->SetColumns(kCaptions, kWidths, 3, checkBoxes);
    for (int i = 0; i < rows; ++i) {
      const std::string key = "K" + std::to_string(i);
      ASSERT_TRUE(m_list->InsertRowWithImage(i, key.c_str(), 66 + i, false));
    }
    NotifyRecorder::Drain();
    m_owner->m_entries.clear();
  }

  NotifyRecorder* m_owner = nullptr;
  CListCtrlQel* m_list = nullptr;
};

}  // namespace

TEST_F(ListCtrlQelTest, ColumnsFromTablesRightAlignNegativeWidthsAndRowsCarryKeysAndNumbers) {
  Fill(false, 3);
  ASSERT_EQ(m_list->GetColumnCount(), 3);
  wxListItem column;
  column.SetMask(wxLIST_MASK_FORMAT | wxLIST_MASK_TEXT);
  ASSERT_TRUE(m_list->GetColumn(0, column));
  EXPECT_EQ(column.GetAlign(), wxLIST_FORMAT_RIGHT);
  EXPECT_EQ(column.GetText(), "No.");
  ASSERT_TRUE(m_list->GetColumn(1, column));
  EXPECT_EQ(column.GetAlign(), wxLIST_FORMAT_LEFT);

  EXPECT_EQ(m_list->GetItemText(2, 0), "3");
  EXPECT_EQ(m_list->GetItemText(2, 1), "K2");  // the base writes the key into column 1
  EXPECT_EQ(m_list->GetKey(1), "K1");
  EXPECT_EQ(m_list->GetKey(-1), "");
  EXPECT_EQ(m_list->GetKey(3), "");
  EXPECT_EQ(m_list->m_keyList.m_nRowCount, 3u);
  EXPECT_FALSE(m_list->InsertRow(5, "K5", false));  // beyond the row count

  // Without check boxes rows have check image 0 and no query is ever sent.
  EXPECT_EQ(m_list->GetCheckState(0), 0);
  m_list->SelectRow(1);
  NotifyRecorder::Drain();
  EXPECT_EQ(m_owner->Codes(), (std::vector<int>{320}));
  EXPECT_EQ(m_list->m_keyList.m_strCurrentKey, "K1");
}

// A key written by an older program in Windows-1252 ("T\xE2che") is shown
// decoded; before, it vanished (an invalid UTF-8 text gave an empty cell).
TEST_F(ListCtrlQelTest, KeysThatAreNotUtf8AreShownAsWindows1252) {
  Fill(false, 0);
  ASSERT_TRUE(m_list->InsertRow(0, "T\xE2" "che", false));
  EXPECT_EQ(m_list->GetItemText(0, 1), wxString::FromUTF8("T\xC3\xA2" "che"));
}

TEST_F(ListCtrlQelTest, CheckingAsksTheOwnerThenPostsCheckChangedAndChecked) {
  Fill(true, 2);
  EXPECT_EQ(m_list->GetCheckState(0), 1);
  EXPECT_TRUE(m_list->SetRowCheck(0, true, false));
  EXPECT_TRUE(m_list->IsRowChecked(0));
  EXPECT_TRUE(m_list->IsItemChecked(0));  // the box shows it
  // The query is sent at once; the rest waits for the queue.
  EXPECT_EQ(m_owner->Codes(), (std::vector<int>{350}));
  NotifyRecorder::Drain();
  EXPECT_EQ(m_owner->Codes(), (std::vector<int>{350, 360, 340}));
  EXPECT_EQ(m_list->CountCheckedRows(), 1);
  EXPECT_EQ(m_list->GetCheckedCount(), 1);
}

TEST_F(ListCtrlQelTest, ANonZeroReplyRefusesTheChange) {
  Fill(true, 2);
  m_owner->m_reply = [](int code) { return intptr_t{code == 350 ? 1 : 0}; };
  m_list->SetRowCheck(1, true, false);
  NotifyRecorder::Drain();
  EXPECT_FALSE(m_list->IsRowChecked(1));
  EXPECT_FALSE(m_list->IsItemChecked(1));
  EXPECT_EQ(m_owner->Codes(), (std::vector<int>{350}));
}

// A refused check change guards the box only: the row can still be selected
// (before, a refusal of the check query also blocked the selection).
TEST_F(ListCtrlQelTest, ARefusedCheckChangeDoesNotBlockSelectingTheRow) {
  Fill(true, 2);
  m_owner->m_reply = [](int code) { return intptr_t{code == 350 ? 1 : 0}; };
  EXPECT_TRUE(m_list->SelectRow(1));
  NotifyRecorder::Drain();
  EXPECT_EQ(m_list->GetSelectedRow(), 1);
  EXPECT_EQ(m_owner->Codes(), (std::vector<int>{320}));
  EXPECT_EQ(m_list->m_keyList.m_strCurrentKey, "K1");
  m_list->SetRowCheck(1, true, false);
  EXPECT_FALSE(m_list->IsRowChecked(1));
  EXPECT_EQ(m_list->GetSelectedRow(), 1);
}

TEST_F(ListCtrlQelTest, ShownRowsCarryKeysImagesAndTextsAndAFailedBuildShowsNothing) {
  CListRows rows;
  rows.columns = {{"No.", -40}, {"Id", 60}, {"Name", 150}};
  rows.rows = {{"a", 67, {"  1", "a", "Alpha"}}, {"b", 68, {"  2", "b", "Beta"}}};
  rows.result = 2;
  m_list->SetColumnTable(rows.columns, false);
  EXPECT_EQ(m_list->ShowRows(rows, this, 1), 2);
  EXPECT_EQ(m_list->m_keyList.m_pDataSource, this);
  EXPECT_EQ(m_list->GetItemText(1, 2), "Beta");
  EXPECT_EQ(m_list->GetItemText(0, 0), "  1");
  EXPECT_EQ(m_list->GetRowImage(1), 68);
  EXPECT_EQ(m_list->GetSelectedRow(), 1);
  EXPECT_EQ(m_list->GetKey(0), "a");
  EXPECT_EQ(m_list->m_keyList.m_nRowCount, 2u);

  rows.result = -1;
  EXPECT_EQ(m_list->ShowRows(rows, this, 0), -1);
  EXPECT_EQ(m_list->GetItemCount(), 0);
  EXPECT_EQ(m_list->m_keyList.m_nRowCount, 0u);
}

TEST(VirtualListTest, VirtualRowsAreDrawnFromTheShownTableAndKeepTheirChecks) {
  auto* owner = new NotifyRecorder;
  auto* list = new CListCtrlQel(owner, 1005, wxDefaultPosition, wxSize(400, 200), true);
  list->m_keyList.m_pOwner = owner;
  owner->Show();
  CListRows rows;
  rows.columns = {{"No.", -40}, {"Id", 60}};
  for (int i = 0; i < 5000; ++i) rows.rows.push_back({"T" + std::to_string(i), 8, {RowNumberText(i), "T" + std::to_string(i)}});
  rows.result = 5000;
  list->SetColumnTable(rows.columns, true);
  ASSERT_EQ(list->ShowRows(rows, nullptr, -1), 5000);
  EXPECT_EQ(list->GetItemCount(), 5000);
  EXPECT_EQ(list->GetItemText(4321, 1), "T4321");
  EXPECT_EQ(list->GetCheckState(4321), 1);
  EXPECT_TRUE(list->SetRowCheckByKey("T4321", true, true));
  EXPECT_TRUE(list->IsItemChecked(4321));
  EXPECT_EQ(list->GetSelectedRow(), 4321);
  NotifyRecorder::Drain();
  EXPECT_EQ(owner->Codes(), (std::vector<int>{350, 360, 340, 320}));
  EXPECT_TRUE(list->DeleteRow(0));
  EXPECT_EQ(list->GetItemText(0, 1), "T1");
  EXPECT_EQ(list->GetKey(0), "T1");
  EXPECT_TRUE(list->IsRowChecked(4320));
  EXPECT_FALSE(list->InsertRow(0, "new", false));  // virtual rows come only from ShowRows
  owner->Destroy();
}

TEST_F(ListCtrlQelTest, ImagePairsToggleWithinThemselves) {
  Fill(true, 1);
  m_list->SetCheckState(0, 2);
  // A checked box asked to move on to 3 falls back to unchecked.
  m_list->SetCheckState(0, 3);
  EXPECT_EQ(m_list->GetCheckState(0), 1);
  NotifyRecorder::Drain();
  m_owner->m_entries.clear();

  // The second pair: 3 only goes to 4, and 4 -> 1 becomes 3.
  m_list->m_keyList.m_nRowCount = 0;  // unaccounted rows change without rules
  m_list->SetCheckState(0, 3);
  m_list->m_keyList.m_nRowCount = 1;
  m_list->SetCheckState(0, 1);
  EXPECT_EQ(m_list->GetCheckState(0), 3);
  m_list->SetCheckState(0, 4);
  EXPECT_EQ(m_list->GetCheckState(0), 4);
  m_list->SetCheckState(0, 1);
  EXPECT_EQ(m_list->GetCheckState(0), 3);
  EXPECT_EQ(m_list->GetCheckState(7), 0);
  EXPECT_FALSE(m_list->SetCheckState(7, 2));
}

TEST_F(ListCtrlQelTest, AClickOnACheckedBoxLeavesItUncheckedAndReportsIt) {
  Fill(true, 1);
  m_list->SetRowCheck(0, true, false);
  NotifyRecorder::Drain();
  m_owner->m_entries.clear();
  // The box as the testee's click leaves it: wx reports the toggle.
  m_list->CheckItem(0, false);
  NotifyRecorder::Drain();
  EXPECT_EQ(m_list->GetCheckState(0), 1);
  EXPECT_FALSE(m_list->IsItemChecked(0));
  EXPECT_EQ(m_owner->Codes(), (std::vector<int>{350, 360, 330}));
}

TEST_F(ListCtrlQelTest, DeletingARowRemovesItsKeyAndCheckImage) {
  Fill(true, 3);
  m_list->SetRowCheck(2, true, false);
  EXPECT_TRUE(m_list->DeleteRow(0));
  EXPECT_EQ(m_list->GetKey(0), "K1");
  EXPECT_EQ(m_list->m_keyList.m_nRowCount, 2u);
  EXPECT_TRUE(m_list->IsRowChecked(1));
  EXPECT_FALSE(m_list->DeleteRow(2));
  EXPECT_TRUE(m_list->SelectRowByKey("K2"));
  EXPECT_EQ(m_list->GetSelectedRow(), 1);
  EXPECT_FALSE(m_list->SelectRowByKey("nope"));
  m_list->DeleteAllRows();
  EXPECT_EQ(m_list->GetItemCount(), 0);
  EXPECT_EQ(m_list->CountCheckedRows(), 0);
}

}  // namespace qel
