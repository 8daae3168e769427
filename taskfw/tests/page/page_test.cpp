// Parameter pages: windows made inside a host window and given up when the
// host destroys them.
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/stattext.h>

#include <vector>

#include "include/qel/Resources.h"
#include "taskfw/ui/TaskPage.h"
#include "tests/support/fakes/FakeModelTask.h"
#include "tests/support/fakes/FakeTaskLibrary.h"
#include "tests/support/gui/WxControls.h"

namespace qel {

namespace {

// A page with one check box for word 0; it records what it saw.
class TestPage final : public CTaskPage {
 public:
  static constexpr int kIdCheck = 1200;
  explicit TestPage(int templateId = 152) : CTaskPage(templateId) {}

  bool m_buildFails = false;
  QelResModule m_moduleWhileBuilding = nullptr;
  int m_refreshes = 0;
  int m_destroyedCalls = 0;

  void AddChild(CTaskDialog* child) { (m_child1 ? m_child2 : m_child1) = child; }
  using CTaskDialog::SetModelModified;

 protected:
  bool BuildControls(wxWindow* panel, int templateId) override {
    m_moduleWhileBuilding = QelGetResourceModule();
    if (m_buildFails || templateId != 152) return false;
    auto* check = new wxCheckBox(panel, kIdCheck, "Word 0");
    check->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& e) { StoreParamWord(0, e.IsChecked() ? 1 : 0); });
    return true;
  }
  void RefreshControls() override {
    ++m_refreshes;
    if (auto* check = dynamic_cast<wxCheckBox*>(GetWindow()->FindWindow(kIdCheck))) {
      check->SetValue(ParamWord(0) != 0);
      check->Enable(IsEditable());
    }
    CTaskPage::RefreshControls();
  }
  void OnWindowDestroyed() override { ++m_destroyedCalls; }
};

// A child dialog that counts its refreshes.
class ChildDialog final : public CTaskDialog {
 public:
  ChildDialog() : CTaskDialog(kDefaultTemplate, nullptr) {}
  int m_refreshes = 0;

 protected:
  void RefreshControls() override { ++m_refreshes; }
};

class Pages : public ::testing::Test {
 protected:
  void SetUp() override {
    m_frame = new wxFrame(nullptr, wxID_ANY, "host dialog");
    m_library.resources = &m_pluginTable;
    m_task.library = &m_library;
    m_task.loaded = 1;
  }
  void TearDown() override { delete m_frame; }

  wxCheckBox* Check(wxWindow* page) { return dynamic_cast<wxCheckBox*>(page->FindWindow(TestPage::kIdCheck)); }

  wxFrame* m_frame = nullptr;
  QelResourceTable m_pluginTable{nullptr, 0};
  FakeTaskLibrary m_library;
  FakeModelTask m_task;
};

TEST_F(Pages, NotCreatedWithoutModelTaskOrParent) {
  TestPage page;
  EXPECT_EQ(page.CreateInModule(m_frame), nullptr);
  page.SetModelTask(&m_task, true);
  EXPECT_EQ(page.CreateInModule(nullptr), nullptr) << "the host always gives a parent";
  EXPECT_EQ(m_frame->GetChildren().GetCount(), 0u);
}

TEST_F(Pages, WindowInsideTheHostShowsTheWords) {
  TestPage page;
  m_task.TaskParam[0] = 1;
  page.SetModelTask(&m_task, false);
  auto* window = static_cast<wxWindow*>(page.CreateInModule(m_frame));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->GetParent(), m_frame);
  EXPECT_EQ(page.GetWindow(), window);
  wxCheckBox* check = Check(window);
  ASSERT_NE(check, nullptr);
  EXPECT_TRUE(check->GetValue());
  EXPECT_FALSE(check->IsEnabled()) << "read-only model task";
  page.SetModelTask(&m_task, true);
  EXPECT_TRUE(check->IsEnabled());
}

TEST_F(Pages, ChangingAControlWritesTheWordBack) {
  TestPage page;
  page.SetModelTask(&m_task, true);
  auto* window = static_cast<wxWindow*>(page.CreateInModule(m_frame));
  ASSERT_NE(window, nullptr);
  test::Tick(Check(window), true);
  EXPECT_EQ(m_task.TaskParam[0], 1u);
  EXPECT_EQ(m_task.modified, 1);
  m_task.modified = 0;
  m_task.loaded = 0;
  test::Tick(Check(window), false);
  EXPECT_EQ(m_task.TaskParam[0], 0u);
  EXPECT_EQ(m_task.modified, 0) << "a model that is not loaded is not marked";
}

TEST_F(Pages, HostDestroysTheWindow) {
  TestPage page;
  page.SetModelTask(&m_task, true);
  ASSERT_NE(page.CreateInModule(m_frame), nullptr);
  delete m_frame;
  m_frame = nullptr;
  EXPECT_EQ(page.GetWindow(), nullptr);
  EXPECT_EQ(page.m_destroyedCalls, 1);
  const int refreshes = page.m_refreshes;
  page.Refresh();
  page.SetModelTask(&m_task, false);
  page.PostUpdate();
  EXPECT_EQ(page.m_refreshes, refreshes) << "no window, nothing refreshed";
  // A new host dialog gets a new window.
  m_frame = new wxFrame(nullptr, wxID_ANY, "next dialog");
  EXPECT_NE(page.CreateInModule(m_frame), nullptr);
}

TEST_F(Pages, OneWindowAtATime) {
  TestPage page;
  page.SetModelTask(&m_task, true);
  ASSERT_NE(page.CreateInModule(m_frame), nullptr);
  wxFrame other(nullptr, wxID_ANY, "other");
  EXPECT_EQ(page.CreateInModule(&other), nullptr);
  EXPECT_EQ(other.GetChildren().GetCount(), 0u);
}

TEST_F(Pages, PluginResourcesWhileBuildingRestoredAfter) {
  static const QelResourceTable before{nullptr, 0};
  QelScopedResourceModule scope(&before);
  TestPage page;
  page.SetModelTask(&m_task, true);
  ASSERT_NE(page.CreateInModule(m_frame), nullptr);
  EXPECT_EQ(page.m_moduleWhileBuilding, &m_pluginTable);
  EXPECT_EQ(QelGetResourceModule(), &before);

  TestPage failing;
  failing.m_buildFails = true;
  failing.SetModelTask(&m_task, true);
  EXPECT_EQ(failing.CreateInModule(m_frame), nullptr);
  EXPECT_EQ(failing.m_moduleWhileBuilding, &m_pluginTable);
  EXPECT_EQ(QelGetResourceModule(), &before) << "restored when building fails";
  EXPECT_EQ(failing.GetWindow(), nullptr);
  EXPECT_EQ(m_frame->GetChildren().GetCount(), 1u) << "the failed window is gone";
}

TEST_F(Pages, UpdateNotificationRefreshes) {
  TestPage page;
  page.SetModelTask(&m_task, true);
  auto* window = static_cast<wxWindow*>(page.CreateInModule(m_frame));
  ASSERT_NE(window, nullptr);
  m_task.TaskParam[0] = 1;
  EXPECT_EQ(page.OnUserUpdate(7), 0);
  EXPECT_FALSE(Check(window)->GetValue()) << "only the refresh code refreshes";
  page.PostUpdate();
  EXPECT_TRUE(Check(window)->GetValue());
  m_task.TaskParam[0] = 0;
  page.Refresh();
  EXPECT_FALSE(Check(window)->GetValue());
}

TEST_F(Pages, ChildPagesAreRefreshed) {
  TestPage page;
  ChildDialog child;
  page.AddChild(&child);
  page.SetModelTask(&m_task, true);
  auto* window = static_cast<wxWindow*>(page.CreateInModule(m_frame));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(child.m_refreshes, 0) << "a child without a window is left alone";
  ASSERT_TRUE(child.Create(window));
  EXPECT_EQ(child.GetTemplateId(), CTaskDialog::kDefaultTemplate);
  const int before = child.m_refreshes;
  page.Refresh();
  EXPECT_EQ(child.m_refreshes, before + 1);
}

TEST_F(Pages, EnableAndDisable) {
  TestPage page;
  page.SetModelTask(&m_task, true);
  auto* window = static_cast<wxWindow*>(page.CreateInModule(m_frame));
  ASSERT_NE(window, nullptr);
  page.DisableDialog();
  EXPECT_FALSE(window->IsEnabled());
  page.EnableDialog();
  EXPECT_TRUE(window->IsEnabled());
}

TEST_F(Pages, PageGoneBeforeTheHostWindow) {
  auto page = std::make_unique<TestPage>();
  page->SetModelTask(&m_task, true);
  ASSERT_NE(page->CreateInModule(m_frame), nullptr);
  page.reset();
  EXPECT_EQ(m_frame->GetChildren().GetCount(), 0u) << "its window went with it";
}

TEST_F(Pages, ModifiedFlagOnlyWhileLoaded) {
  TestPage page;
  page.SetModelTask(&m_task, true);
  page.SetModelModified(true);
  EXPECT_EQ(m_task.modified, 1);
  page.SetModelModified(false);
  EXPECT_EQ(m_task.modified, 0);
  m_task.loaded = 0;
  page.SetModelModified(true);
  EXPECT_EQ(m_task.modified, 0);
}

}  // namespace

}  // namespace qel
