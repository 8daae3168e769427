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
    owner = new NotifyRecorder;
    list = new CListCtrlQel(owner, 1004, wxDefaultPosition, wxSize(400, 200));
    list->m_keyList.m_pOwner = owner;
    owner->Show();
  }
  void TearDown() override { owner->Destroy(); }

  void Fill(bool checkBoxes, int rows) {
    list->SetColumns(kCaptions, kWidths, 3, checkBoxes);
    for (int i = 0; i < rows; ++i) {
      const std::string key = "K" + std::to_string(i);
      ASSERT_TRUE(list->InsertRowWithImage(i, key.c_str(), 66 + i, false));
    }
    NotifyRecorder::Drain();
    owner->entries.clear();
  }

  NotifyRecorder* owner = nullptr;
  CListCtrlQel* list = nullptr;
};

}  // namespace

TEST_F(ListCtrlQelTest, ColumnsFromTablesRightAlignNegativeWidthsAndRowsCarryKeysAndNumbers) {
  Fill(false, 3);
  ASSERT_EQ(list->GetColumnCount(), 3);
  wxListItem column;
  column.SetMask(wxLIST_MASK_FORMAT | wxLIST_MASK_TEXT);
  ASSERT_TRUE(list->GetColumn(0, column));
  EXPECT_EQ(column.GetAlign(), wxLIST_FORMAT_RIGHT);
  EXPECT_EQ(column.GetText(), "No.");
  ASSERT_TRUE(list->GetColumn(1, column));
  EXPECT_EQ(column.GetAlign(), wxLIST_FORMAT_LEFT);

  EXPECT_EQ(list->GetItemText(2, 0), "3");
  EXPECT_EQ(list->GetItemText(2, 1), "K2");  // the base writes the key into column 1
  EXPECT_EQ(list->GetKey(1), "K1");
  EXPECT_EQ(list->GetKey(-1), "");
  EXPECT_EQ(list->GetKey(3), "");
  EXPECT_EQ(list->m_keyList.m_nRowCount, 3u);
  EXPECT_FALSE(list->InsertRow(5, "K5", false));  // beyond the row count

  // Without check boxes rows have check image 0 and no query is ever sent.
  EXPECT_EQ(list->GetCheckState(0), 0);
  list->SelectRow(1);
  NotifyRecorder::Drain();
  EXPECT_EQ(owner->Codes(), (std::vector<int>{320}));
  EXPECT_EQ(list->m_keyList.m_strCurrentKey, "K1");
}

TEST_F(ListCtrlQelTest, CheckingAsksTheOwnerThenPostsCheckChangedAndChecked) {
  Fill(true, 2);
  EXPECT_EQ(list->GetCheckState(0), 1);
  EXPECT_TRUE(list->SetRowCheck(0, true, false));
  EXPECT_TRUE(list->IsRowChecked(0));
  EXPECT_TRUE(list->IsItemChecked(0));  // the box shows it
  // The query is sent at once; the rest waits for the queue.
  EXPECT_EQ(owner->Codes(), (std::vector<int>{350}));
  NotifyRecorder::Drain();
  EXPECT_EQ(owner->Codes(), (std::vector<int>{350, 360, 340}));
  EXPECT_EQ(list->CountCheckedRows(), 1);
  EXPECT_EQ(list->GetCheckedCount(), 1);
}

TEST_F(ListCtrlQelTest, ANonZeroReplyRefusesTheChange) {
  Fill(true, 2);
  owner->reply = [](int code) { return intptr_t{code == 350 ? 1 : 0}; };
  list->SetRowCheck(1, true, false);
  NotifyRecorder::Drain();
  EXPECT_FALSE(list->IsRowChecked(1));
  EXPECT_FALSE(list->IsItemChecked(1));
  EXPECT_EQ(owner->Codes(), (std::vector<int>{350}));
}

TEST_F(ListCtrlQelTest, ImagePairsToggleWithinThemselves) {
  Fill(true, 1);
  list->SetCheckState(0, 2);
  // A checked box asked to move on to 3 falls back to unchecked.
  list->SetCheckState(0, 3);
  EXPECT_EQ(list->GetCheckState(0), 1);
  NotifyRecorder::Drain();
  owner->entries.clear();

  // The second pair: 3 only goes to 4, and 4 -> 1 becomes 3.
  list->m_keyList.m_nRowCount = 0;  // unaccounted rows change without rules
  list->SetCheckState(0, 3);
  list->m_keyList.m_nRowCount = 1;
  list->SetCheckState(0, 1);
  EXPECT_EQ(list->GetCheckState(0), 3);
  list->SetCheckState(0, 4);
  EXPECT_EQ(list->GetCheckState(0), 4);
  list->SetCheckState(0, 1);
  EXPECT_EQ(list->GetCheckState(0), 3);
  EXPECT_EQ(list->GetCheckState(7), 0);
  EXPECT_FALSE(list->SetCheckState(7, 2));
}

TEST_F(ListCtrlQelTest, AClickOnACheckedBoxLeavesItUncheckedAndReportsIt) {
  Fill(true, 1);
  list->SetRowCheck(0, true, false);
  NotifyRecorder::Drain();
  owner->entries.clear();
  // The box as the testee's click leaves it: wx reports the toggle.
  list->CheckItem(0, false);
  NotifyRecorder::Drain();
  EXPECT_EQ(list->GetCheckState(0), 1);
  EXPECT_FALSE(list->IsItemChecked(0));
  EXPECT_EQ(owner->Codes(), (std::vector<int>{350, 360, 330}));
}

TEST_F(ListCtrlQelTest, DeletingARowRemovesItsKeyAndCheckImage) {
  Fill(true, 3);
  list->SetRowCheck(2, true, false);
  EXPECT_TRUE(list->DeleteRow(0));
  EXPECT_EQ(list->GetKey(0), "K1");
  EXPECT_EQ(list->m_keyList.m_nRowCount, 2u);
  EXPECT_TRUE(list->IsRowChecked(1));
  EXPECT_FALSE(list->DeleteRow(2));
  EXPECT_TRUE(list->SelectRowByKey("K2"));
  EXPECT_EQ(list->GetSelectedRow(), 1);
  EXPECT_FALSE(list->SelectRowByKey("nope"));
  list->DeleteAllRows();
  EXPECT_EQ(list->GetItemCount(), 0);
  EXPECT_EQ(list->CountCheckedRows(), 0);
}

}  // namespace qel
