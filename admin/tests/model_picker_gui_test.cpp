// The model picker under the X server: an empty project, a model opened in
// the editor, and a model that cannot be read opening nothing.
#include <gtest/gtest.h>
#include <wx/listctrl.h>

#include <string>
#include <vector>

#include "admin/tests/AdminTestProject.h"
#include "admin/ui/DlgModelsAvailable.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/gui/WxControls.h"
#include "tests/support/gui/WxPump.h"
#include "ui/ui/ListCtrlQel.h"

namespace qel {

namespace test {
namespace {

class ModelPickerTest : public testing::Test {
 protected:
  void TearDown() override {
    if (m_dialog) m_dialog->Destroy();
    Pump(20);
  }
  CDlgModelsAvailable* Open() {
    m_dialog = new CDlgModelsAvailable(nullptr, &m_project, [this](wxWindow* parent, CExpModel& model) {
      EXPECT_EQ(parent, m_dialog);
      m_edited.push_back(model.m_name);
    });
    m_dialog->Show();
    Pump(20);
    return m_dialog;
  }

  PromptRecorder m_messages;
  AdminTestProject m_project;
  CDlgModelsAvailable* m_dialog = nullptr;
  std::vector<std::string> m_edited;
};

TEST_F(ModelPickerTest, AnEmptyProjectShowsNoModelsAndNoView) {
  Open();
  EXPECT_EQ(m_dialog->GetTitle(), "Project Study: Models available");
  EXPECT_EQ(m_dialog->FindWindow(CDlgModelsAvailable::kIdCount)->GetLabel(), "0");
  EXPECT_TRUE(m_dialog->FindWindow(CDlgModelsAvailable::kIdEmpty)->IsShown());
  EXPECT_FALSE(m_dialog->FindWindow(wxID_OK)->IsEnabled());
}

TEST_F(ModelPickerTest, TheChosenModelOpensInTheEditorAndThePickerStaysOpen) {
  m_project.m_data.AddModel("Attention", 4, "04.00", "admin", QelDateTime::FromDate(2024, 1, 1));
  m_project.m_data.AddModel("Memory", 4, "04.00", "admin", QelDateTime::FromDate(2024, 2, 1));
  m_project.m_readable["Memory"] = true;
  Open();
  EXPECT_EQ(m_dialog->FindWindow(CDlgModelsAvailable::kIdCount)->GetLabel(), "2");
  EXPECT_FALSE(m_dialog->FindWindow(CDlgModelsAvailable::kIdEmpty)->IsShown());

  // "Attention" cannot be read: no editor, the picker stays.
  m_dialog->List().SelectRow(0);
  Pump(30);
  ASSERT_TRUE(m_dialog->FindWindow(wxID_OK)->IsEnabled());
  SendControlEvent(m_dialog->FindWindow(wxID_OK), wxEVT_BUTTON, 0);
  EXPECT_EQ(m_project.m_reads, 1);
  EXPECT_TRUE(m_edited.empty());
  EXPECT_TRUE(m_dialog->IsShown());

  // A double-click on "Memory" acts as "View".
  wxListEvent activate(wxEVT_LIST_ITEM_ACTIVATED, CDlgModelsAvailable::kIdList);
  activate.m_itemIndex = 1;
  activate.SetEventObject(&m_dialog->List());
  m_dialog->List().ProcessWindowEvent(activate);
  Pump(30);
  EXPECT_EQ(m_dialog->GetChosenModel(), "Memory");
  EXPECT_EQ(m_edited, std::vector<std::string>{"Memory"});
  EXPECT_TRUE(m_dialog->IsShown());
}

}  // namespace
}  // namespace test

}  // namespace qel
