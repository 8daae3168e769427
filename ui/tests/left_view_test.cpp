// The project tree window under the X server: a fixture project's users,
// codes, testees, models and score sets; the tree codes; double clicks.
#include <gtest/gtest.h>
#include <wx/frame.h>

#include "project/tests/CacheTestSupport.h"
#include "ui/NotifyCodes.h"
#include "ui/tests/NotifyRecorder.h"
#include "ui/ui/LeftView.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {

using test::Day;

struct State final : IOperatorState {
  bool IsLoggedIn() const override { return loggedIn; }
  bool IsCfrMode() const override { return cfrMode; }
  bool IsRunInProgress() const override { return running; }
  bool loggedIn = false, cfrMode = false, running = false;
};

struct Actions final : IProjectTreeActions {
  void ViewUser(const std::string& user) override { opened.push_back("user " + user); }
  void ViewTesteeCode(const std::string& code) override { opened.push_back("code " + code); }
  void ViewTestee(const std::string& testee) override { opened.push_back("testee " + testee); }
  void ViewTask(const std::string& model, const std::string& task) override {
    opened.push_back("task " + model + "/" + task);
  }
  void ViewScore(const std::string& testee, const std::string& model, const std::string& task,
                 uint32_t number) override {
    opened.push_back("score " + testee + "/" + model + "/" + task + "/" + std::to_string(number));
  }
  std::vector<std::string> opened;
};

class LeftViewTest : public test::AttentionProjectTest {
 protected:
  void SetUp() override {
    test::AttentionProjectTest::SetUp();
    data.AddTesteeCode("Clinic", "Outpatients", "admin", Day(2024, 1, 1));
    data.AddScore("Ann", "Attention", "TP", 1, Day(2024, 2, 1), true, {}, 0, 0, 5, "nurse", Day(2024, 2, 1));
    data.AddScore("Ann", "Attention", "TP", 2, Day(2024, 2, 8), true, {}, 0, 0, 5, "nurse", Day(2024, 2, 8));
    m_frame = new wxFrame(nullptr, wxID_ANY, "tree", wxDefaultPosition, wxSize(400, 500));
    m_view = new CLeftView(m_frame, wxID_ANY);
    m_view->SetOperatorState(&m_state);
    m_view->SetActions(&m_actions);
    m_frame->Show();
    m_view->SetProject(&data, "/p/study.qep");
  }
  void TearDown() override { m_frame->Destroy(); }

  std::string SelectedText() const { return std::string(m_view->GetItemText(m_view->GetSelection()).utf8_str()); }

  State m_state;
  Actions m_actions;
  wxFrame* m_frame = nullptr;
  CLeftView* m_view = nullptr;
};

}  // namespace

TEST_F(LeftViewTest, TheTreeShowsTheProjectAndFollowsTheTreeCodes) {
  EXPECT_EQ(GetTreeWindow(), m_view);
  const wxTreeItemId root = m_view->GetRootItem();
  EXPECT_EQ(m_view->GetItemText(root), "Project /p/study.qep");
  EXPECT_TRUE(m_view->IsExpanded(root));
  EXPECT_EQ(m_view->GetChildrenCount(root, false), 4u);

  // The run engine's code 23 selects the new score set through collapsed branches.
  QelAssessmentNotice notice{"Ann", "Attention", "TP", 2};
  EXPECT_EQ(SendNotify(m_view, kTreeSelectScore, reinterpret_cast<intptr_t>(&notice)), 0);
  EXPECT_EQ(SelectedText().substr(0, 10), "2 [TESTED:");
  notice = {"Ben", "", "", 0};
  SendNotify(m_view, kTreeSelectTestee, reinterpret_cast<intptr_t>(&notice));
  EXPECT_EQ(SelectedText(), "Ben [Clinic, Ben Jones]");

  // A filter replaces the testees; code 10 restores all and the full-tree flag.
  CTesteeFilter filter;
  filter.m_testee = "Ann";
  SendNotify(m_view, kTreeFilter, reinterpret_cast<intptr_t>(&filter));
  EXPECT_FALSE(m_view->IsFullTree());
  EXPECT_NE(m_view->GetToolTipText().find("Refresh full project tree"), std::string::npos);
  CProjectTreeNode* testees = m_view->GetTree().m_root.FindKind(CProjectTreeNode::kTesteesGroup);
  EXPECT_EQ(std::string(m_view->GetItemText(wxTreeItemId(testees->m_item)).utf8_str()), "Testees [1]");
  SendNotify(m_view, kTreeFullTree);
  EXPECT_TRUE(m_view->IsFullTree());
  EXPECT_EQ(m_view->GetToolTipText().find("Refresh full project tree"), std::string::npos);
  EXPECT_EQ(std::string(m_view->GetItemText(wxTreeItemId(testees->m_item)).utf8_str()), "Testees [2]");

  // A new testee reaches the tree with the testees code.
  data.AddTestee("Cid", "Ward", "Cid", "Cole", kBirth, 0, 0, nullptr, QelDateTime::Null());
  SendNotify(m_view, kTreeRefreshTestees);
  EXPECT_EQ(std::string(m_view->GetItemText(wxTreeItemId(testees->m_item)).utf8_str()), "Testees [3]");
}

TEST_F(LeftViewTest, AnotherProjectOpenedShowsFromTheRootWithoutTheOldFilter) {
  CTesteeFilter filter;
  filter.m_testee = "Ann";
  SendNotify(m_view, kTreeFilter, reinterpret_cast<intptr_t>(&filter));
  // The same project object read from another file: one testee fewer.
  data.Clear();
  data.AddTestee("Cid", "", "Cid", "Cole", kBirth, 0, 0, nullptr, QelDateTime::Null());
  m_view->ShowProjectAt("/q/other.qep");
  EXPECT_EQ(m_view->GetProjectPath(), "/q/other.qep");
  EXPECT_EQ(m_view->GetItemText(m_view->GetRootItem()), "Project /q/other.qep");
  EXPECT_NE(m_view->GetToolTipText().find("/q/other.qep"), std::string::npos);
  CProjectTreeNode* testees = m_view->GetTree().m_root.FindKind(CProjectTreeNode::kTesteesGroup);
  ASSERT_NE(testees, nullptr);
  EXPECT_EQ(std::string(m_view->GetItemText(wxTreeItemId(testees->m_item)).utf8_str()), "Testees [1]");
}

TEST_F(LeftViewTest, DoubleClicksOpenTheItemsDialogWhenTheOperatorMayAct) {
  QelAssessmentNotice notice{"Ann", "Attention", "TP", 1};
  SendNotify(m_view, kTreeSelectScore, reinterpret_cast<intptr_t>(&notice));
  // Plain mode without a login: allowed (there is no login in plain mode).
  m_view->OpenItem(m_view->GetSelection());
  SendNotify(m_view, kTreeSelectTask, reinterpret_cast<intptr_t>(&notice));
  m_view->OpenItem(m_view->GetSelection());
  SendNotify(m_view, kTreeSelectModel, reinterpret_cast<intptr_t>(&notice));
  m_view->OpenItem(m_view->GetSelection());  // a model opens nothing
  EXPECT_EQ(m_actions.opened, (std::vector<std::string>{"score Ann/Attention/TP/1", "task Attention/TP"}));

  m_actions.opened.clear();
  SendNotify(m_view, kTreeSelectTask, reinterpret_cast<intptr_t>(&notice));
  m_state.running = true;
  m_view->OpenItem(m_view->GetSelection());
  m_state.running = false;
  m_state.cfrMode = true;
  m_view->OpenItem(m_view->GetSelection());  // 21 CFR mode needs a login
  EXPECT_TRUE(m_actions.opened.empty());
  m_state.loggedIn = true;
  m_view->OpenItem(m_view->GetSelection());
  EXPECT_EQ(m_actions.opened, (std::vector<std::string>{"task Attention/TP"}));
}

TEST_F(LeftViewTest, ExpandingABranchMakesItsItems) {
  CProjectTreeNode* models = m_view->GetTree().m_root.FindKind(CProjectTreeNode::kModelsGroup);
  CProjectTreeNode* attention = models->GetChild(0);
  const wxTreeItemId item(attention->m_item);
  EXPECT_EQ(m_view->GetChildrenCount(item, false), 0u);
  EXPECT_TRUE(m_view->ItemHasChildren(item));
  m_view->wxTreeCtrl::Expand(item);
  EXPECT_EQ(m_view->GetChildrenCount(item, false), 2u);
  EXPECT_TRUE(attention->m_expanded);
  m_view->SetProject(nullptr, "");
  EXPECT_EQ(m_view->GetItemText(m_view->GetRootItem()), "Project <<Undefined>>");
  EXPECT_EQ(m_view->GetToolTipText(), "After opening a project it's content will be shown as a tree in this window.");
}

}  // namespace qel
