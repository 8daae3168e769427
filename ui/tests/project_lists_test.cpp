// The project data lists under the X server, filled from a project cache.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "project/TesteeFilter.h"
#include "project/tests/CacheTestSupport.h"
#include "ui/IconIndex.h"
#include "ui/tests/NotifyRecorder.h"
#include "ui/ui/FileLists.h"
#include "ui/ui/ProjectLists.h"

namespace qel {

namespace {

using test::Day;

class ProjectListsTest : public test::AttentionProjectTest {
 protected:
  void SetUp() override {
    test::AttentionProjectTest::SetUp();
    data.AddScore("Ann", "Attention", "TP", 1, Day(2024, 2, 1), true, {}, 0, 0, 12, "nurse", Day(2024, 2, 2));
    data.AddScore("Ben", "Attention", "FL", 1, Day(2024, 2, 3), false, Day(1960, 1, 1), 0, 0, 30, "doctor", {});
    data.AddAssessment("Ann", "Attention", "TP", 1, 1, Day(2024, 2, 1), 40, "nurse");
    data.CountScores();
    data.FindOutdatedScores();
    m_owner = new NotifyRecorder;
    m_owner->SetSize(700, 300);
    m_owner->Show();
  }
  void TearDown() override { m_owner->Destroy(); }

  template <class List>
  List* Make() {
    auto* list = new List;
    list->Create(m_owner, wxID_ANY, wxDefaultPosition, wxSize(680, 280));
    list->m_keyList.m_pOwner = m_owner;
    return list;
  }

  NotifyRecorder* m_owner = nullptr;
};

}  // namespace

TEST_F(ProjectListsTest, TheTesteeListShowsItsRowsVirtuallyAndPostsTesteeCodes) {
  auto* list = Make<CListCtrlTestees>();
  EXPECT_TRUE(list->HasVirtualRows());
  list->SetColumns(true);
  ASSERT_EQ(list->Fill(&data, nullptr, -1), 2);
  EXPECT_EQ(list->GetColumnCount(), 10);
  EXPECT_EQ(list->GetItemText(1, 1), "Ben");
  EXPECT_EQ(list->GetItemText(1, 9), "Testee modified, Maybe some scores must be rebuilt");
  EXPECT_EQ(list->GetRowImage(1), kIconTesteeOutdated);
  EXPECT_EQ(list->m_keyList.m_pDataSource, &data);

  // Only testees with a score may be checked (as the export page asks): the
  // refusal guards the box, the row is still selected.
  m_owner->m_reply = [](int code) { return intptr_t{code == 350 ? 1 : 0}; };
  list->SetRowCheck(0, true, true);
  NotifyRecorder::Drain();
  EXPECT_FALSE(list->IsRowChecked(0));
  EXPECT_EQ(list->GetSelectedRow(), 0);
  EXPECT_EQ(m_owner->Codes(), (std::vector<int>{350, 323}));
  m_owner->m_reply = [](int) { return intptr_t{0}; };
  m_owner->m_entries.clear();
  list->SetRowCheck(1, true, false);
  NotifyRecorder::Drain();
  EXPECT_EQ(m_owner->Codes(), (std::vector<int>{350, 360, 343}));

  CTesteeFilter filter;
  filter.m_testee = "A";
  EXPECT_EQ(list->Refill(&data, &filter, 0), 1);
  EXPECT_EQ(list->GetKey(0), "Ann");
  EXPECT_EQ(list->GetCheckState(0), 0);  // a refill is without check boxes
}

TEST_F(ProjectListsTest, ScoreAndResponseListsAnswerTheirRowAccessors) {
  auto* scores = Make<CListCtrlVariables>();
  scores->SetColumns(false);
  ASSERT_EQ(scores->Fill(&data, "", "Attention", "", -1), 2);
  EXPECT_EQ(scores->GetRowTestee(1), "Ben");
  EXPECT_EQ(scores->GetRowTask(0), "TP");
  EXPECT_EQ(scores->GetRowModel(7), "Attention");  // out of range: the filter text
  EXPECT_EQ(scores->GetRowDate(0).value, Day(2024, 2, 2).value);
  EXPECT_TRUE(scores->GetRowDate(1).IsNull());
  EXPECT_EQ(scores->GetRowImage(1), kIconScoreOutdated);
  scores->SelectRow(1);
  NotifyRecorder::Drain();
  EXPECT_EQ(m_owner->Codes(), (std::vector<int>{328}));

  auto* responses = Make<CListCtrlResponses>();
  responses->SetColumns(false);
  ASSERT_EQ(responses->Fill(&data, "Ann", "", "", -1), 1);
  EXPECT_EQ(responses->GetItemText(0, 7), "40");
  EXPECT_EQ(responses->GetRowTestee(0), "Ann");
}

TEST_F(ProjectListsTest, TheTesteeHistoryListAccountsForEveryVersion) {
  data.AddTesteeChange("Ann", Day(1969, 1, 1), 2, "oldest", Day(2023, 1, 1));
  data.AddTesteeChange("Ann", Day(1969, 6, 1), 1, "older", Day(2023, 6, 1));
  auto* list = Make<CListCtrlTesteeUpdates>();
  ASSERT_EQ(list->Fill(&data, "Ann", 0), 2);
  EXPECT_EQ(list->m_keyList.m_nRowCount, 3u);
  EXPECT_EQ(list->GetItemText(0, 0), "  2");
  EXPECT_EQ(list->GetItemText(1, 2), "older");
  EXPECT_EQ(list->GetItemText(1, 6), "oldest");
  EXPECT_EQ(list->GetSelectedRow(), 0);
  EXPECT_EQ(list->Fill(&data, "Ben", 0), 0);
  EXPECT_EQ(list->GetItemCount(), 0);
}

TEST_F(ProjectListsTest, ModelAndCodeListsPostTheirKindsCodes) {
  auto* models = Make<CListCtrlModels>();
  models->SetColumns(false);
  ASSERT_EQ(models->Fill(&data, 0), 1);
  NotifyRecorder::Drain();
  EXPECT_EQ(m_owner->Codes(), (std::vector<int>{325}));
  EXPECT_EQ(models->GetItemText(0, 3), "2");
  data.AddTesteeCode("Ward", "Ward 3", "admin", Day(2024, 1, 1));
  auto* codes = Make<CListCtrlTesteeCodes>();
  codes->SetColumns(false);
  ASSERT_EQ(codes->Fill(&data, -1), 1);
  EXPECT_EQ(codes->GetItemText(0, 2), "Ward 3");
  EXPECT_EQ(codes->m_nEventCodes[CListCtrlQel::kEventDblClk], 304);
}

}  // namespace qel

namespace qel {

namespace {

class OneProjectProbe final : public IProjectFileProbe {
 public:
  bool Check(const std::string&, CProjectFileFacts* facts) override {
    facts->cfr = true;
    return true;
  }
  bool Open(const std::string&, CProjectFileFacts*) override { return false; }
};

}  // namespace

TEST(FileListsTest, SelectingAProjectRowGivesItsPath) {
  char name[] = "/tmp/qel-projlist-XXXXXX";
  const std::string folder = std::string(mkdtemp(name)) + "/";
  for (const char* file : {"one.qep", "two.qep"}) std::ofstream(folder + file) << "x";
  auto* owner = new NotifyRecorder;
  owner->Show();
  OneProjectProbe probe;
  auto* list = new CListCtrlProjects(&probe);
  list->Create(owner, wxID_ANY);
  list->m_keyList.m_pOwner = owner;
  list->SetColumns(false);
  ASSERT_EQ(list->Fill(folder, 1), 2);
  EXPECT_EQ(list->GetSelectedPath(), folder + "two.qep");
  EXPECT_EQ(list->GetItemText(0, 4), "CFR Compliant");
  NotifyRecorder::Drain();
  EXPECT_EQ(owner->Codes(), (std::vector<int>{321}));
  // With project columns the files do not open: none is listed.
  list->SetProjectMode(true);
  EXPECT_EQ(list->Refill(folder, 0), 0);
  EXPECT_EQ(list->GetSelectedPath(), "");
  EXPECT_EQ(list->GetColumnCount(), 11);
  owner->Destroy();
  std::system(("rm -rf '" + folder + "'").c_str());
}

}  // namespace qel
