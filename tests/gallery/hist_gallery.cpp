// The update-history dialogs on a small audited clinic project: testees
// edited by two users, a run whose scores were saved twice.
#include <gtest/gtest.h>
#include <wx/app.h>

#include <memory>
#include <string>

#include "admin/ui/DlgHistory.h"
#include "admin/ui/DlgUsers.h"
#include "app/services/ProgramServices.h"
#include "app/startup/AppStartup.h"
#include "project/tests/CfrProjectSupport.h"
#include "tests/gallery/Gallery.h"
#include "tests/support/common/TempFolder.h"
#include "tests/support/gui/WxPump.h"
#include "ui/ui/ProjectLists.h"

namespace qel {

using namespace test;

namespace {

class HistoryClinic {
 public:
  HistoryClinic() {
    const std::string path = m_folder.File("Clinic.qep");
    g_LoggedUser = TestUser("nurse");
    MakeCfrProjectForRuns(path);
    m_project = std::make_unique<CProgramProject>(m_runData.get());
    m_project->SetPath(path);
    m_project->Project().Open(path, false, false);
    m_library.scoreVariables = kTestVariables;
    m_library.scoreVariableCount = static_cast<uint32_t>(std::size(kTestVariables));
    m_project->Project().SetScoreVariableTable(&m_library);
    CQelProject& project = m_project->Project();
    // The run fixture's testee as a clinic keeps her: a known sex.
    CTesteeInfo runTestee;
    project.ReadTestee(kCfrTestee, &runTestee);
    runTestee.m_sex = 1;
    project.WriteTestee(runTestee, g_LoggedUser, nullptr, true, false);
    const char* names[][3] = {{"P-0001", "Anna", "Smith"}, {"P-0002", "Ben", "Jones"}, {"P-0003", "Clara", "Meyer"}};
    int year = 1950;
    for (const auto& name : names) {
      CTesteeInfo testee;
      testee.m_testee = name[0];
      testee.m_code = "Default";
      testee.m_firstName = name[1];
      testee.m_surname = name[2];
      testee.m_dateBirth = QelDateTime::FromDate(year, 3, 14);
      testee.m_sex = 1;
      project.WriteTestee(testee, g_LoggedUser, nullptr, false, false);
      year += 12;
    }
    CTesteeInfo anna;
    project.ReadTestee("P-0001", &anna);
    g_LoggedUser = TestUser("doctor");
    anna.m_dateBirth = QelDateTime::FromDate(1950, 3, 15);
    project.WriteTestee(anna, g_LoggedUser, nullptr, true, true);
    anna.m_preference = 1;
    project.WriteTestee(anna, g_LoggedUser, nullptr, true, true);

    m_runData->scoreVariableCount = 3;
    CExpModelTask task = RunTask(kCfrCode, 1, 1, 20);
    bool added = false, newRow = false;
    m_project->WriteResponses(kCfrTestee, kCfrModel, task, *m_runData, 3, QelDateTime::FromDate(2024, 4, 5), &added,
                              &newRow);
    g_LoggedUser = TestUser("nurse");
    project.WriteVariables(kCfrTestee, kCfrModel, kCfrCode, 1, g_LoggedUser, &added, 3);
  }
  ~HistoryClinic() { LogoutCurrentUser(); }

  CProgramProject* Project() { return m_project.get(); }

 private:
  TempFolder m_folder;
  std::unique_ptr<CTaskRunData> m_runData = std::make_unique<CTaskRunData>();
  CTaskLibrary m_library;
  std::unique_ptr<CProgramProject> m_project;
};

template <class Dialog>
void SnapDialog(Dialog& dialog, const std::string& name) {
  if (dialog.List().GetItemCount() > 0) dialog.List().SelectRow(0);
  Pump(50);
  ExpectDrawn(Snap(&dialog, name), name);
  dialog.Hide();
}

}  // namespace

TEST(HistoryGallery, TesteeHistories) {
  HistoryClinic clinic;
  CDlgTesteeHistory testees(nullptr, clinic.Project(), "", false);
  SnapDialog(testees, "hist_testees_available");
  CDlgTesteeHistory kept(nullptr, clinic.Project(), "", true);
  SnapDialog(kept, "hist_testees_history");
  CDlgTesteeUpdates updates(nullptr, clinic.Project(), "P-0001");
  SnapDialog(updates, "hist_testee_updates");
}

TEST(HistoryGallery, AssessmentAndScoreHistories) {
  HistoryClinic clinic;
  CDlgAssessmentHistory assessments(nullptr, clinic.Project(), false, "", "", "");
  SnapDialog(assessments, "hist_assessments");
  CDlgScoreHistory scores(nullptr, clinic.Project(), false, "", "", "", nullptr);
  SnapDialog(scores, "hist_scores");
  CDlgScoreHistory kept(nullptr, clinic.Project(), true, "", "", "", nullptr);
  SnapDialog(kept, "hist_scores_history");
  CDlgAssessmentScoreHistory versions(nullptr, clinic.Project(), kCfrTestee, kCfrModel, kCfrCode, 1, 0);
  SnapDialog(versions, "hist_score_updates");
}

namespace {

CUserRecord Staff(const char* id, const char* first, const char* surname, const char* institute) {
  CUserRecord user;
  user.m_id = id;
  user.m_password = std::string("stored-") + id;
  user.m_firstName = first;
  user.m_surname = surname;
  user.m_institute = institute;
  user.m_registered = QelDateTime::FromDate(2024, 1, 2);
  return user;
}

}  // namespace

TEST(HistoryGallery, UsersLists) {
  const std::vector<CUserRecord> workstation = {Staff("admin", "Ada", "Lovell", "Clinic"),
                                                Staff("doctor", "Dan", "Reyes", "Clinic"),
                                                Staff("nurse", "Nora", "Quist", "Ward 3")};
  const std::vector<CUserRecord> project = {Staff("admin", "Ada", "Lovell", "Clinic"),
                                            Staff("doctor", "Dan", "Reyes-Ortiz", "Clinic"),
                                            Staff("intern", "Ian", "Moss", "Clinic")};
  const std::string study = "Study";
  CDlgUsers users(nullptr, project, &study, false, "");
  ExpectDrawn(Snap(&users, "users_list"), "users_list");
  users.Hide();
  CDlgUsers duplicate(nullptr, workstation, nullptr, true, "doctor");
  ExpectDrawn(Snap(&duplicate, "users_duplicate"), "users_duplicate");
  duplicate.Hide();
  CDlgUsersCompare compare(nullptr, workstation, project, true, "Study", "/home/clinic/Study.qep");
  ExpectDrawn(Snap(&compare, "users_compare"), "users_compare");
  compare.Hide();
}

}  // namespace qel
