// What the program wires into its shell for projects: the project commands
// open the project dialog on the program's project object, and the project
// object answers and adds the project's users.
#include <gtest/gtest.h>

#include <string>

#include "app/DocProject.h"
#include "app/startup/AppStartup.h"
#include "app/ui/ProgramWiring.h"
#include "project/QelProject.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"

namespace qel {
namespace {

using test::PromptRecorder;
using test::TempFolder;

class ProgramWiringTest : public testing::Test {
 protected:
  void TearDown() override {
    LogoutCurrentUser();
    CQelProject::SetLoggedUser(nullptr);
  }
  PromptRecorder m_messages;
  TempFolder m_folder;
};

TEST_F(ProgramWiringTest, TheProjectCommandsOpenTheDialogOnTheProgramsProject) {
  const std::string path = m_folder.File("study.qep");
  ASSERT_TRUE(CQelProject::CreateProject(path, "Neurology", "", "", true, false));
  {
    CProgramWiring wiring;
    wiring.Install();
    IDocProject* project = GetProgramProject();
    ASSERT_NE(project, nullptr);
    project->SetPath(path);
    EXPECT_FALSE(RunProjectDialog(project, kProjectConvert + 1));
    // A stored path that opens needs no window.
    EXPECT_TRUE(RunProjectDialog(project, kProjectOpenPath));
    EXPECT_EQ(project->GetLastOpenResult(), 0);
    EXPECT_FALSE(project->IsOpenCfr());
    // A plain project has no users.
    CUserRecord bo;
    bo.m_id = "bo";
    EXPECT_FALSE(project->IsProjectUser("bo"));
    EXPECT_FALSE(project->AddProjectUser(bo, "bo"));
  }
  // Uninstalled, the commands open nothing.
  CProgramProject alone(nullptr);
  alone.SetPath(path);
  EXPECT_FALSE(RunProjectDialog(&alone, kProjectOpenPath));
  CUserRecord user;
  EXPECT_FALSE(RunProjectUserLogin(&alone, &user, nullptr));
}

TEST_F(ProgramWiringTest, TheProgramsProjectAddsProjectUsers) {
  g_LoggedUser.m_id = "ann";
  g_LoggedUser.m_firstName = "Ann";
  g_LoggedUser.m_surname = "Smith";
  g_LoggedUser.SetPassword("annpw");
  CProgramWiring wiring;
  wiring.Install();
  IDocProject* project = GetProgramProject();
  ASSERT_NE(project, nullptr);
  const std::string path = m_folder.File("audited.qep");
  ASSERT_TRUE(CQelProject::CreateProject(path, "Neurology", "", "pw", true, false));
  project->SetPath(path);
  project->SetPassword("pw");
  ASSERT_TRUE(RunProjectDialog(project, kProjectOpenPath));
  EXPECT_TRUE(project->IsOpenCfr());
  EXPECT_TRUE(project->IsProjectUser("ann"));  // its creator
  CUserRecord bo;
  bo.m_id = "bo";
  bo.m_firstName = "Bo";
  bo.m_surname = "Lee";
  bo.SetPassword("bopw");
  bo.m_registered = QelDateTime::FromDate(2026, 1, 2, 3, 4);
  EXPECT_FALSE(project->IsProjectUser("bo"));
  EXPECT_TRUE(project->AddProjectUser(bo, "ann"));
  EXPECT_TRUE(project->IsProjectUser("bo"));
  // Read back from the file by a project object of its own.
  CProgramProject again(nullptr);
  again.SetPath(path);
  again.SetPassword("pw");
  ASSERT_TRUE(again.Project().Open(path, false, false));
  EXPECT_TRUE(again.IsProjectUser("bo"));
}

}  // namespace
}  // namespace qel
