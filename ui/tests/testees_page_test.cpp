// The Testees page under the X server: a fixture project's codes and
// testees, its buttons by the operator's state, and its actions through the
// page services.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/statbox.h>

#include "app/DocProject.h"
#include "app/startup/AppStartup.h"
#include "project/tests/CacheTestSupport.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/DlgTabTestee.h"
#include "ui/ui/PageServices.h"
#include "ui/ui/ProjectLists.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {

using test::Day;

struct FakeProject final : IDocProject {
  void SetPath(const std::string& p) override { path = p; }
  void SetPassword(const std::string&) override {}
  std::string GetPath() const override { return path; }
  std::string GetName() const override { return "Study"; }
  bool IsOpen() const override { return !path.empty(); }
  bool IsOpenCfr() const override { return IsOpen() && cfr; }
  int GetVersionNumber() const override { return cfr ? 4 : 3; }
  int GetLastOpenResult() const override { return 0; }
  std::string path = "/data/Study.qdb";
  bool cfr = false;
};

struct FakeServices final : IPageServices {
  const CProjectData* GetProjectData() override { return data; }
  bool EditTesteeCode(wxWindow*, std::string* code, bool* usersAdded) override {
    calls.push_back("code " + *code);
    if (!answer) return false;
    if (code->empty()) *code = "Ward";
    *usersAdded = false;
    return true;
  }
  bool EditTestee(wxWindow*, std::string* testee, bool* usersAdded, bool* datesChanged) override {
    calls.push_back("testee " + *testee);
    if (!answer) return false;
    if (testee->empty()) *testee = "Cid";
    *usersAdded = false;
    *datesChanged = false;
    return true;
  }
  bool SearchTestee(wxWindow*, CListCtrlQel*, std::string* selected) override {
    calls.push_back("search");
    *selected = "Ben";
    return answer;
  }
  void ShowTesteeHistory(wxWindow*) override { calls.push_back("history"); }
  void ShowTesteeChanges(wxWindow*, const std::string& testee) override { calls.push_back("changes " + testee); }
  const CProjectData* data = nullptr;
  bool answer = true;
  std::vector<std::string> calls;
};

class TestPage : public CDlgTabTestee {
 public:
  void UseProject(IDocProject* project) { m_pProject = project; }
};

class TesteesPageTest : public test::AttentionProjectTest {
 protected:
  void SetUp() override {
    test::AttentionProjectTest::SetUp();
    data.AddTesteeCode("Clinic", "", "Outpatients", Day(2024, 1, 1));
    services.data = &data;
    SetPageServices(&services);
    SetRunInProgressQuery([this] { return running; });
    m_frame = new wxFrame(nullptr, wxID_ANY, "Testees", wxDefaultPosition, wxSize(900, 560));
  }
  void TearDown() override {
    // The lists' posted notices reach the page while the fixture still lives.
    wxTheApp->ProcessPendingEvents();
    if (m_page) m_page->UseProject(nullptr);
    m_frame->Destroy();
    SetPageServices(nullptr);
    SetRunInProgressQuery(nullptr);
    LogoutCurrentUser();
  }
  TestPage* MakePage() {
    auto* page = new TestPage;
    page->UseProject(&project);
    page->CreatePage(m_frame);
    m_frame->Show();
    m_page = page;
    return page;
  }
  static void LogIn(int type) {
    g_LoggedUser.m_id = "anna";
    g_LoggedUser.m_type = type;
  }
  bool Enabled(wxWindow* page, int id) { return page->FindWindow(id)->IsEnabled(); }
  bool Shown(wxWindow* page, int id) { return page->FindWindow(id)->IsShown(); }
  std::string Label(wxWindow* page, int id) { return page->FindWindow(id)->GetLabel().utf8_string(); }

  FakeProject project;
  FakeServices services;
  bool running = false;
  wxFrame* m_frame = nullptr;
  TestPage* m_page = nullptr;
};

constexpr int kSelectedTestee = 323;
constexpr int kSelectedCode = 324;
constexpr int kDblClkTestee = 303;
constexpr int kDblClkCode = 304;

}  // namespace

TEST_F(TesteesPageTest, ListsTheProjectsCodesAndTesteesWithTheirTotals) {
  TestPage* page = MakePage();
  EXPECT_EQ(page->GetTesteeList()->GetItemCount(), 2);
  EXPECT_EQ(page->GetTesteeList()->GetItemText(1, 1), "Ben");
  EXPECT_EQ(page->GetCodeList()->GetItemCount(), 1);
  EXPECT_EQ(Label(page, CDlgTabTestee::kIdTesteesGroup), "Testees in project (total 2)");
  EXPECT_EQ(Label(page, CDlgTabTestee::kIdCodesGroup), "Testee codes in project (total 1)");

  project.path.clear();
  page->Refresh();
  EXPECT_EQ(Label(page, CDlgTabTestee::kIdTesteesGroup), "Testees in project");
}

TEST_F(TesteesPageTest, ButtonsFollowTheLoginTheRunAndTheUsersType) {
  TestPage* page = MakePage();
  // Nobody logged in: the program keeps the 21 CFR rules, so nothing may act.
  for (int id : {CDlgTabTestee::kIdCodeNew, CDlgTabTestee::kIdTesteeNew, CDlgTabTestee::kIdSearch}) {
    EXPECT_FALSE(Enabled(page, id)) << id;
  }
  EXPECT_FALSE(page->GetTesteeList()->IsEnabled());

  LogIn(2);
  page->UpdateControls();
  EXPECT_TRUE(Enabled(page, CDlgTabTestee::kIdTesteeNew));
  EXPECT_TRUE(Enabled(page, CDlgTabTestee::kIdCodeNew));
  EXPECT_TRUE(Enabled(page, CDlgTabTestee::kIdSearch));
  EXPECT_TRUE(page->GetTesteeList()->IsEnabled());

  // A testee row selected: its edit and filter buttons; no Delete for a type 2 user.
  SendNotify(page, kSelectedTestee, 1);
  EXPECT_EQ(page->GetCurrentTestee(), "Ben");
  EXPECT_TRUE(Enabled(page, CDlgTabTestee::kIdTesteeEdit));
  EXPECT_TRUE(Enabled(page, CDlgTabTestee::kIdFilterTree));
  EXPECT_FALSE(Shown(page, CDlgTabTestee::kIdTesteeDelete));
  SendNotify(page, kSelectedCode, 0);
  EXPECT_EQ(page->GetCurrentCode(), "Clinic");
  EXPECT_TRUE(Enabled(page, CDlgTabTestee::kIdCodeEdit));
  EXPECT_FALSE(Shown(page, CDlgTabTestee::kIdCodeDelete));

  LogIn(1);
  page->UpdateControls();
  EXPECT_TRUE(Shown(page, CDlgTabTestee::kIdTesteeDelete));
  EXPECT_TRUE(Shown(page, CDlgTabTestee::kIdCodeDelete));

  running = true;
  page->UpdateControls();
  for (int id : {CDlgTabTestee::kIdCodeNew, CDlgTabTestee::kIdCodeEdit, CDlgTabTestee::kIdTesteeNew,
                 CDlgTabTestee::kIdTesteeEdit, CDlgTabTestee::kIdSearch, CDlgTabTestee::kIdFilterTree}) {
    EXPECT_FALSE(Enabled(page, id)) << id;
  }
  EXPECT_FALSE(Shown(page, CDlgTabTestee::kIdTesteeDelete));
  // And nothing opens while the run lasts.
  page->NewTestee();
  EXPECT_TRUE(services.calls.empty());
}

TEST_F(TesteesPageTest, HistoryButtonsOnlyInACfrProjectAndOnlyWithChanges) {
  LogIn(2);
  TestPage* page = MakePage();
  SendNotify(page, kSelectedTestee, 0);
  EXPECT_FALSE(Shown(page, CDlgTabTestee::kIdHistory));
  EXPECT_FALSE(Shown(page, CDlgTabTestee::kIdChanges));

  project.cfr = true;
  page->UpdateControls();
  EXPECT_TRUE(Shown(page, CDlgTabTestee::kIdHistory));
  EXPECT_FALSE(Enabled(page, CDlgTabTestee::kIdHistory));
  EXPECT_FALSE(Enabled(page, CDlgTabTestee::kIdChanges));

  data.AddTesteeChange("Ben", Day(1969, 1, 1), 0, "anna", Day(2024, 3, 1));
  page->UpdateControls();
  EXPECT_TRUE(Enabled(page, CDlgTabTestee::kIdHistory));
  EXPECT_FALSE(Enabled(page, CDlgTabTestee::kIdChanges));  // Ann, the current testee, has none
  SendNotify(page, kSelectedTestee, 1);
  EXPECT_TRUE(Enabled(page, CDlgTabTestee::kIdChanges));
}

TEST_F(TesteesPageTest, ActionsOpenTheirDialogsAndTakeTheWrittenRecord) {
  LogIn(2);
  TestPage* page = MakePage();
  page->NewTestee();
  page->NewTesteeCode();
  EXPECT_EQ(page->GetCurrentTestee(), "Cid");
  EXPECT_EQ(page->GetCurrentCode(), "Ward");

  // A double click edits the row's testee or code.
  SendNotify(page, kDblClkTestee, 1);
  SendNotify(page, kDblClkCode, 0);
  // Edit needs its row: the code "Ward" has none yet, so nothing opens.
  SendNotify(page, kSelectedCode, 5);
  page->EditTesteeCode();
  EXPECT_EQ(services.calls, (std::vector<std::string>{"testee ", "code ", "testee Ben", "code Clinic"}));

  // A cancelled search keeps the current testee; a confirmed one selects its row.
  services.answer = false;
  page->SearchTestee();
  EXPECT_EQ(page->GetCurrentTestee(), "Ben");
  SendNotify(page, kSelectedTestee, 0);
  services.answer = true;
  page->SearchTestee();
  EXPECT_EQ(page->GetCurrentTestee(), "Ben");
  EXPECT_EQ(page->GetTesteeList()->GetSelectedRow(), 1);
}

TEST_F(TesteesPageTest, TheTreeFilterMatchesTheLeftPartOfTheCurrentTestee) {
  LogIn(2);
  TestPage* page = MakePage();
  SendNotify(page, kSelectedTestee, 1);
  page->FilterTree();
  EXPECT_EQ(page->GetTreeFilter().m_testee, "Ben");
  EXPECT_EQ(page->GetTreeFilter().m_wholeMatch, 0);
  EXPECT_TRUE(page->GetTreeFilter().m_code.empty());
}

TEST_F(TesteesPageTest, AStoredTesteeRefillsTheListOnTheViewsNotice) {
  LogIn(2);
  TestPage* page = MakePage();
  data.AddTestee("Cid", "Clinic", "Cid", "Brown", kBirth, 0, 1, nullptr, QelDateTime::Null());
  SendNotify(page, kNotifyRefreshViews, kRefreshModels);
  EXPECT_EQ(page->GetTesteeList()->GetItemCount(), 2);
  SendNotify(page, kNotifyRefreshViews, kRefreshTestees);
  EXPECT_EQ(page->GetTesteeList()->GetItemCount(), 3);
  EXPECT_EQ(Label(page, CDlgTabTestee::kIdTesteesGroup), "Testees in project (total 3)");
}

}  // namespace qel
