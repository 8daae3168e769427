// The administration windows: every page of the "System Config" sheet.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/bookctrl.h>

#include <string>

#include "admin/tests/AdminTestProject.h"
#include "admin/ui/DlgTestee.h"
#include "admin/ui/DlgTesteeCode.h"
#include "admin/ui/DlgModelsAvailable.h"
#include "admin/ui/DlgTesteeSearch.h"
#include "ui/ui/ListCtrlQel.h"
#include "admin/ui/MySysCfg.h"
#include "app/settings/SystemSettings.h"
#include "engine/input/InputDevices.h"
#include "engine/sound/SoundDevices.h"
#include "tests/gallery/Gallery.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/gui/WxPump.h"

namespace qel {

using namespace test;

namespace {

TEST(AdminWindows, SystemConfigPages) {
  PromptRecorder messages;
  ResetSystemSettings();
  EnumInputDevices();
  EnumSoundDevices();
  const char* const names[CMySysCfg::kPageCount] = {"sys_config_button", "sys_config_sound", "sys_config_display",
                                                    "sys_config_feedback", "sys_config_options"};
  for (int page = 0; page < CMySysCfg::kPageCount; ++page) {
    auto* sheet = new CMySysCfg("System Config", nullptr, ReadSystemConfig(), page);
    ExpectDrawn(Snap(sheet, names[page]), names[page]);
    sheet->Destroy();
    Pump(30);
  }
}

// A small study: two testee codes, a testee with one earlier birth date.
void FillStudy(AdminTestProject& project) {
  project.m_data.AddTesteeCode("Default", nullptr, "Everyone", {});
  project.m_data.AddTesteeCode("Clinic", nullptr, "Outpatients", {});
  project.m_data.AddTestee("T07", "Clinic", "Ben", "Jones", QelDateTime::FromDate(1975, 3, 2), 1, 0, nullptr, {});
  project.m_data.AddTesteeChange("T07", QelDateTime::FromDate(1975, 3, 1), 1, "admin", QelDateTime::FromDate(2024, 1, 9));
}

TEST(AdminWindows, TesteeDialogs) {
  PromptRecorder messages;
  AdminTestProject project;
  FillStudy(project);
  auto* fresh = new CDlgTestee(nullptr, &project, RecordMode::kNew, NewTesteeRecord());
  ExpectDrawn(Snap(fresh, "testee_new"), "new testee");
  fresh->Destroy();
  CTesteeInfo stored;
  stored.m_testee = "T07";
  stored.m_code = "Clinic";
  stored.m_firstName = "Ben";
  stored.m_surname = "Jones";
  stored.m_dateBirth = QelDateTime::FromDate(1975, 3, 2);
  stored.m_preference = 1;
  stored.m_sex = 0;
  stored.m_comment = "Referred by the memory clinic.";
  auto* view = new CDlgTestee(nullptr, &project, RecordMode::kView, stored);
  ExpectDrawn(Snap(view, "testee_view"), "viewed testee");
  view->Destroy();

  auto* code = new CDlgTesteeCode(nullptr, RecordMode::kNew, CTesteeCodeInfo());
  ExpectDrawn(Snap(code, "testee_code_new"), "new testee code");
  code->Destroy();
  Pump(30);
}

TEST(AdminWindows, TesteeSearch) {
  PromptRecorder messages;
  AdminTestProject project;
  FillStudy(project);
  project.m_data.AddTestee("T08", "Default", "Cara", "Lind", QelDateTime::FromDate(1988, 11, 23), 0, 1, nullptr, {});
  project.m_data.AddTestee("T12", "Clinic", "Dan", "O'Neil", QelDateTime::FromDate(1961, 7, 4), 0, 0, nullptr, {});
  auto* dialog = new CDlgTesteeSearch(nullptr, &project, "T", nullptr, {true, true, false});
  wxCommandEvent search(wxEVT_BUTTON, CDlgTesteeSearch::kIdSearch);
  dialog->ProcessWindowEvent(search);
  dialog->List().SetRowCheck(1, true, false);
  Pump(30);
  ExpectDrawn(Snap(dialog, "testee_search"), "testee search");
  dialog->Destroy();
  Pump(30);
}

TEST(AdminWindows, ModelPicker) {
  PromptRecorder messages;
  AdminTestProject project;
  project.m_data.AddModel("Attention", 4, "04.00", "admin", QelDateTime::FromDate(2024, 1, 1));
  project.m_data.AddModel("Memory screening", 4, "04.00", "jdoe", QelDateTime::FromDate(2024, 2, 12));
  auto* dialog = new CDlgModelsAvailable(nullptr, &project, nullptr);
  dialog->List().SelectRow(1);
  Pump(30);
  ExpectDrawn(Snap(dialog, "models_available"), "models available");
  dialog->Destroy();
  Pump(30);
}

}  // namespace

}  // namespace qel
