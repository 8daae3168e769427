// The drop-down lists under the X server: fills from a project cache, the
// selection events (sent for the program's selections, posted for the
// operator's) and the most-recently-used path list.
#include <gtest/gtest.h>

#include "app/model/ExpModel.h"
#include "app/model/ExpModelTask.h"
#include "project/tests/CacheTestSupport.h"
#include "ui/tests/NotifyRecorder.h"
#include "ui/ui/ComboBoxQel.h"

namespace qel {

namespace {

class ComboTest : public test::AttentionProjectTest {
 protected:
  void SetUp() override {
    test::AttentionProjectTest::SetUp();
    m_owner = new NotifyRecorder;
    m_owner->Show();
  }
  void TearDown() override { m_owner->Destroy(); }

  template <class Combo>
  Combo* Make() {
    auto* combo = new Combo;
    combo->Create(m_owner, wxID_ANY);
    combo->m_keyList.m_pOwner = m_owner;
    return combo;
  }

  std::vector<std::string> Items(const wxItemContainerImmutable& choice) {
    std::vector<std::string> items;
    for (unsigned i = 0; i < choice.GetCount(); ++i) items.emplace_back(choice.GetString(i).utf8_str());
    return items;
  }

  NotifyRecorder* m_owner = nullptr;
};

}  // namespace

TEST_F(ComboTest, ARefillKeepsTheSelectedTesteeOrTakesTheFirst) {
  auto* combo = Make<CComboBoxTestees>();
  EXPECT_EQ(combo->Fill(&data), 2);
  EXPECT_EQ(Items(*combo), (std::vector<std::string>{"Ann", "Ben"}));
  EXPECT_EQ(combo->GetSelection(), 0);
  EXPECT_TRUE(combo->SelectKey("Ben"));
  // A program selection is delivered before the call returns.
  EXPECT_EQ(m_owner->m_entries, (std::vector<NotifyRecorder::Entry>{{401, 1}}));
  data.AddTestee("Abe", "Clinic", "Abe", "Ames", kBirth, 0, 0, nullptr, QelDateTime::Null());
  EXPECT_EQ(combo->Fill(&data), 3);
  EXPECT_EQ(combo->GetCurrentKey(), "Ben");
  EXPECT_EQ(combo->GetSelection(), 1);
  // Ben gone from the project: the first testee is selected.
  CProjectData other(tasks);
  other.AddTestee("Cid", "Clinic", "Cid", "Cole", kBirth, 0, 0, nullptr, QelDateTime::Null());
  other.AddTestee("Dee", "Clinic", "Dee", "Dale", kBirth, 0, 0, nullptr, QelDateTime::Null());
  EXPECT_EQ(combo->Fill(&other), 2);
  EXPECT_EQ(combo->GetCurrentKey(), "Cid");
  EXPECT_EQ(combo->Fill(nullptr), 0);
  EXPECT_EQ(combo->GetCount(), 0u);
  // Fills send no event.
  EXPECT_EQ(m_owner->m_entries.size(), 1u);
}

TEST_F(ComboTest, TheTaskComboMakesTheSelectedTaskCurrentInTheModel) {
  CExpModel model;
  CExpModelTask task;
  task.TaskIdStr = "TP";
  model.AddTask(task);
  task.TaskIdStr = "FL";
  model.AddTask(task);
  auto* combo = Make<CComboBoxTasks>();
  EXPECT_EQ(combo->Fill(&data, "Attention", &model), 2);
  EXPECT_EQ(combo->GetTaskNames(), (std::vector<std::string>{"Tapping", "Flanker"}));
  EXPECT_EQ(model.GetCurrentTaskIndex(), 0);
  EXPECT_TRUE(combo->SelectIndex(1));
  EXPECT_EQ(model.GetCurrentTaskIndex(), 1);
  EXPECT_EQ(m_owner->Codes(), (std::vector<int>{404}));
  EXPECT_EQ(combo->Fill(&data, "Nothing", &model), 0);

  auto* models = Make<CComboBoxModels>();
  EXPECT_EQ(models->Fill(&data), 1);
  EXPECT_EQ(models->GetCurrentKey(), "Attention");
}

TEST_F(ComboTest, TheOperatorsChoiceIsPostedWithItsIndex) {
  auto* combo = Make<CComboBoxTestees>();
  combo->Fill(&data);
  combo->SetSelection(1);
  wxCommandEvent event(wxEVT_COMBOBOX, combo->GetId());
  event.SetEventObject(combo);
  event.SetInt(1);
  combo->GetEventHandler()->ProcessEvent(event);
  EXPECT_TRUE(m_owner->m_entries.empty());  // posted, not yet handled
  NotifyRecorder::Drain();
  EXPECT_EQ(m_owner->m_entries, (std::vector<NotifyRecorder::Entry>{{401, 1}}));
  EXPECT_EQ(combo->GetCurrentKey(), "Ben");
}

TEST_F(ComboTest, RecentPathsKeepOneCopyOnTop) {
  auto* combo = Make<CComboBoxFilePath>();
  EXPECT_TRUE(combo->AddToTop("/p/three.qep", false));
  EXPECT_TRUE(combo->AddToTop("/p/two.qep", false));
  EXPECT_TRUE(combo->AddToTop("/p/one.qep", false));
  EXPECT_EQ(Items(*combo), (std::vector<std::string>{"/p/one.qep", "/p/two.qep", "/p/three.qep"}));
  m_owner->m_entries.clear();
  // Already the selected top entry: nothing changes, no event.
  EXPECT_TRUE(combo->AddToTop("/p/one.qep", false));
  EXPECT_TRUE(m_owner->m_entries.empty());
  // The third moves to the top, selected.
  EXPECT_TRUE(combo->AddToTop("/p/three.qep", false));
  EXPECT_EQ(Items(*combo), (std::vector<std::string>{"/p/three.qep", "/p/one.qep", "/p/two.qep"}));
  EXPECT_EQ(combo->GetSelection(), 0);
  EXPECT_EQ(m_owner->m_entries, (std::vector<NotifyRecorder::Entry>{{410, 0}}));
  // Differing in case only, case ignored: the stored text is replaced.
  EXPECT_TRUE(combo->AddToTop("/p/TWO.qep", true));
  EXPECT_EQ(Items(*combo), (std::vector<std::string>{"/p/TWO.qep", "/p/three.qep", "/p/one.qep"}));
  EXPECT_EQ(combo->GetKey(0), "/p/TWO.qep");
  EXPECT_FALSE(combo->AddToTop("", false));
  EXPECT_TRUE(combo->DeleteKey("/p/one.qep", true));
  EXPECT_EQ(combo->GetSelection(), wxNOT_FOUND);
  EXPECT_FALSE(combo->DeleteKey("/p/one.qep", true));
  EXPECT_FALSE(combo->SelectKey("/p/none.qep"));
  EXPECT_TRUE(combo->SelectIndex(-1));
}

}  // namespace qel
