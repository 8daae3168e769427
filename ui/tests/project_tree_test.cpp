// The project tree's nodes over a project cache, with a tree control kept
// in memory: what is built, labelled and inserted, the refreshes and the
// selection of named items.
#include <gtest/gtest.h>

#include <tuple>

#include "app/text/DateTimeText.h"

#include "project/TesteeFilter.h"
#include "project/tests/CacheTestSupport.h"
#include "ui/IconIndex.h"
#include "ui/ProjectTree.h"
#include "ui/tests/ProjectTreeFake.h"

namespace qel {

namespace {

using test::Day;

class ProjectTreeTest : public testing::Test {
 protected:
  void SetUp() override {
    CModelData* battery = data.AddModel("Battery", 4, "2010", "admin", Day(2024, 1, 1));
    for (auto [id, code, name] : {std::tuple{3u, "TP", "Tapping"}, {11u, "FL", "Flanker"}, {12u, "MS", "Memory"},
                                  {13u, "SA", "Sustained"}, {20u, "XX", "Gone"}})
      battery->AddTask(id, code, name);
    data.AddModel("Empty", 1, "", "admin", Day(2024, 1, 1));
    data.AddTestee("Ann", "Clinic", "Ann", "Smith", kBirth, 0, 1, "nurse", Day(2024, 1, 2));
    data.AddTestee("Ben", "Clinic", "Ben", "Jones", kBirth, 1, 0, "nurse", Day(2024, 1, 2));
    data.AddTestee("Cid", "Ward", "Cid", "Cole", kBirth, 0, 0, "nurse", Day(2024, 1, 2));
    data.AddTesteeCode("Clinic", "Outpatients", "admin", Day(2024, 1, 1));
    data.AddScore("Ann", "Battery", "TP", 1, Day(2024, 2, 1, 9, 0), true, {}, 0, 0, 5, "nurse", Day(2024, 2, 1));
    data.AddScore("Ann", "Battery", "TP", 2, Day(2024, 2, 8, 9, 0), true, {}, 0, 0, 5, "nurse", Day(2024, 2, 8));
    data.AddScore("Ben", "Battery", "FL", 1, Day(2024, 2, 3), false, Day(1960, 1, 1), 0, 0, 5, "doctor", {});
    tree.m_context.cache = &data;
    tree.m_context.items = &items;
  }

  // The node of a kind's group and the item text of its child named name.
  CProjectTreeNode* Group(int kind) { return tree.m_root.FindKind(kind); }
  void Open() {
    tree.BuildRoot("/p/study.qep");
    tree.Refresh(kTreeAll, nullptr, "/p/study.qep");
  }

  static inline const QelDateTime kBirth = Day(1970, 6, 15);
  test::FakeLoadedTasks tasks{{"TP", "FL", "MS", "SA"}};
  CProjectData data{tasks};
  test::FakeTreeItems items;
  CProjectTree tree;
};

}  // namespace

TEST_F(ProjectTreeTest, TheRootShowsItsGroupsAndDeeperItemsWaitForExpansion) {
  Open();
  ASSERT_EQ(items.ChildTexts(nullptr), (std::vector<std::string>{"Project /p/study.qep"}));
  void* root = tree.m_root.m_item;
  EXPECT_TRUE(items.At(root).expanded);
  EXPECT_EQ(items.ChildTexts(root),
            (std::vector<std::string>{"TesteeCodes [1]", "Testees [3]", "Models [2]", "Scores [TESTEES:2, SCORES:3]"}));
  // A rebuilt group gets its children's items; deeper items wait for the expansion.
  CProjectTreeNode* scores = Group(CProjectTreeNode::kScoresGroup);
  CProjectTreeNode* annScores = scores->GetChild(0);
  ASSERT_NE(annScores->m_item, nullptr);
  EXPECT_TRUE(items.At(annScores->m_item).hasChildren);
  EXPECT_TRUE(items.ChildTexts(annScores->m_item).empty());
  tree.OnExpanding(annScores->m_item, true);
  EXPECT_EQ(items.ChildTexts(annScores->m_item), (std::vector<std::string>{"Battery [TASKS:5, SCORES:2]"}));
  EXPECT_TRUE(annScores->m_expanded);
  CProjectTreeNode* testees = Group(CProjectTreeNode::kTesteesGroup);
  tree.OnExpanding(testees->m_item, true);
  EXPECT_EQ(items.ChildTexts(testees->m_item),
            (std::vector<std::string>{"Ann [Clinic, Ann Smith]",
                                      "Ben [Clinic, Ben Jones] Testee modified, Maybe some scores must be rebuilt!",
                                      "Cid [Ward, Cid Cole]"}));
  EXPECT_EQ(items.At(testees->GetChild(1)->m_item).image, kIconTesteeOutdated);
  EXPECT_EQ(items.At(testees->GetChild(0)->m_item).image, kIconTestee);
  EXPECT_TRUE(testees->m_expanded);
  EXPECT_EQ(Group(CProjectTreeNode::kUsersGroup), nullptr);  // no users group outside 21 CFR mode
}

TEST_F(ProjectTreeTest, ModelsNameTheirMissingTasks) {
  Open();
  CProjectTreeNode* models = Group(CProjectTreeNode::kModelsGroup);
  tree.OnExpanding(models->m_item, true);
  EXPECT_EQ(items.ChildTexts(models->m_item),
            (std::vector<std::string>{"Battery [TASKS:5, TASKS NOT AVAILABLE:1]", "Empty [TASKS:0]"}));
  CProjectTreeNode* battery = models->GetChild(0);
  tree.OnExpanding(battery->m_item, true);
  EXPECT_EQ(items.ChildTexts(battery->m_item),
            (std::vector<std::string>{"TP [Tapping]", "FL [Flanker]", "MS [Memory]", "SA [Sustained]",
                                      "XX [Gone] <TASK NOT AVAILABLE>"}));
  EXPECT_FALSE(items.At(models->GetChild(1)->m_item).hasChildren);
}

TEST_F(ProjectTreeTest, TheScoreBranchArrangesScoreSetsByTesteeModelAndTask) {
  Open();
  ASSERT_TRUE(tree.SelectScoreSet("Ann", "Battery", "TP", 2));
  EXPECT_EQ(items.SelectedText(), "2 [TESTED:" + FormatDateTimeLocale(Day(2024, 2, 8, 9, 0)) + "]");
  CProjectTreeNode* scores = Group(CProjectTreeNode::kScoresGroup);
  EXPECT_EQ(items.ChildTexts(scores->m_item),
            (std::vector<std::string>{"Ann [Clinic, Ann Smith]",
                                      "Ben [Clinic, Ben Jones] Testee modified, Maybe some scores must be rebuilt!"}));
  CProjectTreeNode* ann = scores->GetChild(0);
  EXPECT_EQ(items.ChildTexts(ann->m_item), (std::vector<std::string>{"Battery [TASKS:5, SCORES:2]"}));
  EXPECT_EQ(items.ChildTexts(ann->GetChild(0)->m_item), (std::vector<std::string>{"TP [Tapping, SCORES:2]"}));

  // Ben's score set was computed with another birth date.
  ASSERT_TRUE(tree.SelectScoreSet("Ben", "Battery", "FL", 1));
  EXPECT_EQ(items.SelectedText(), "1 [TESTED:" + FormatDateTimeLocale(Day(2024, 2, 3)) + "] Testee modified!");
  EXPECT_EQ(items.At(items.Selected()).image, kIconScoreOutdated);
  EXPECT_FALSE(tree.SelectScoreSet("Ben", "Battery", "FL", 4));

  CProjectTreeNode::ItemInfo info;
  EXPECT_EQ(tree.m_root.GetItemInfo(items.Selected(), true, &info), CProjectTreeNode::kScoreSet);
  EXPECT_EQ(info.testee, "Ben");
  EXPECT_EQ(info.model, "Battery");
  EXPECT_EQ(info.task, "FL");
  EXPECT_EQ(info.number, 1u);
  EXPECT_EQ(tree.m_root.GetItemInfo(scores->m_item, true, &info), CProjectTreeNode::kNone);  // not a leaf
}

TEST_F(ProjectTreeTest, AFilterThatMatchesNothingEmptiesTesteesAndScoresUntilAFullRefresh) {
  Open();
  CTesteeFilter nobody;
  nobody.m_testee = "Zed";
  tree.Refresh(kTreeTestees | kTreeScores, &nobody, "/p/study.qep");
  EXPECT_EQ(Group(CProjectTreeNode::kTesteesGroup)->GetText(), "Testees");
  EXPECT_EQ(Group(CProjectTreeNode::kScoresGroup)->GetChildCount(), 0);
  EXPECT_FALSE(tree.SelectTestee("Ann"));
  tree.Refresh(kTreeAll, nullptr, "/p/study.qep");
  EXPECT_EQ(Group(CProjectTreeNode::kTesteesGroup)->GetText(), "Testees [3]");
  EXPECT_TRUE(tree.SelectTestee("ann"));  // names compare ignoring case
  EXPECT_EQ(items.SelectedText(), "Ann [Clinic, Ann Smith]");
  // A rebuild leaves no stale items behind.
  const size_t count = items.Count();
  tree.Refresh(kTreeAll, nullptr, "/p/study.qep");
  EXPECT_TRUE(tree.SelectTestee("Ann"));
  EXPECT_EQ(items.Count(), count);
}

TEST_F(ProjectTreeTest, LabelsFollowChangesWithoutARebuild) {
  Open();
  tree.SelectTestee("Cid");
  data.AddScore("Cid", "Battery", "MS", 1, Day(2024, 3, 1), true, {}, 0, 0, 5, "nurse", Day(2024, 3, 1));
  data.SetTestee("Ann", "Clinic", "Ann", "Smith", Day(1971, 1, 1), 0, 1, "nurse", Day(2024, 3, 2));
  // A marked testee's score set became outdated.
  EXPECT_TRUE(tree.RefreshLabels(kTreeTestees));
  CProjectTreeNode* testees = Group(CProjectTreeNode::kTesteesGroup);
  EXPECT_EQ(items.At(testees->GetChild(0)->m_item).text,
            "Ann [Clinic, Ann Smith] Testee modified, Maybe some scores must be rebuilt!");
  // The new score set appears once the scores are rebuilt (a stored run).
  tree.Refresh(kTreeScores, nullptr, "/p/study.qep");
  EXPECT_TRUE(tree.SelectScoreSet("Cid", "Battery", "MS", 1));
}

TEST_F(ProjectTreeTest, TheUsersGroupExistsIn21CfrModeOnlyAndComesFirst) {
  tree.m_context.cfrMode = true;
  data.SetCfrContent(true);
  CUserRecord user;
  user.m_id = "anna";
  user.m_firstName = "Anna";
  user.m_surname = "Berg";
  user.m_registered = Day(2023, 5, 1);
  data.AddUser(&user);
  Open();
  void* root = tree.m_root.m_item;
  EXPECT_EQ(items.ChildTexts(nullptr), (std::vector<std::string>{"Project /p/study.qep (21CFR part11)"}));
  EXPECT_EQ(items.ChildTexts(root).front(), "Users [1]");
  CProjectTreeNode* users = Group(CProjectTreeNode::kUsersGroup);
  tree.OnExpanding(users->m_item, true);
  EXPECT_EQ(items.ChildTexts(users->m_item), (std::vector<std::string>{"anna [REGISTERED:2023.05.01, Anna, Berg]"}));
  CProjectTreeNode* testees = Group(CProjectTreeNode::kTesteesGroup);
  tree.OnExpanding(testees->m_item, true);
  EXPECT_EQ(items.ChildTexts(testees->m_item).front(),
            "Ann [Clinic, Ann Smith, DATE:" + FormatDateTimeLocale(Day(2024, 1, 2)) + "]");
  ASSERT_TRUE(tree.SelectScoreSet("Ann", "Battery", "TP", 1));
  EXPECT_EQ(items.SelectedText(), "1 [TESTED:" + FormatDateTimeLocale(Day(2024, 2, 1, 9, 0)) + ", BY:nurse]");
}

TEST_F(ProjectTreeTest, WithoutAProjectTheRootIsUndefined) {
  tree.m_context.cache = nullptr;
  tree.BuildRoot("");
  EXPECT_EQ(items.ChildTexts(nullptr), (std::vector<std::string>{"Project <<Undefined>>"}));
  EXPECT_FALSE(tree.Refresh(kTreeAll, nullptr, ""));
  EXPECT_FALSE(tree.RefreshLabels(kTreeAll));
}

TEST(OperatorMayActTest, PlainModeNeedsNoLogin) {
  struct Case {
    bool loggedIn, cfrMode, running, may;
  };
  const Case cases[] = {{false, false, false, true}, {true, false, false, true},  {false, true, false, false},
                        {true, true, false, true},   {true, true, true, false},   {false, false, true, false}};
  for (const Case& c : cases)
    EXPECT_EQ(OperatorMayAct(c.loggedIn, c.cfrMode, c.running), c.may) << c.loggedIn << c.cfrMode << c.running;
}

}  // namespace qel
