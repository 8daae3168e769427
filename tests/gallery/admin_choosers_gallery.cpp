// The administration's choosers: the project's users list that the project
// dialog's Users button shows where no users window is installed, and the
// toolkit's file choosers for a project file and for a testee's comment.
#include <gtest/gtest.h>
#include <wx/button.h>

#include <fstream>

#include "admin/ui/AdminDialogSupport.h"
#include "admin/ui/DlgProject.h"
#include "project/QelProject.h"
#include "project/TaskAvailability.h"
#include "tests/gallery/Gallery.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"
#include "tests/support/gui/WxPump.h"

namespace qel {

using namespace test;

namespace {

class AllTasks final : public ITaskAvailability {
 public:
  bool IsTaskLibraryLoaded(const std::string&) const override { return true; }
};

CUserRecord User(const char* id, const char* first, const char* surname) {
  CUserRecord user;
  user.m_id = id;
  user.m_firstName = first;
  user.m_surname = surname;
  user.SetPassword("secret");
  return user;
}

TEST(AdminChoosers, ProjectUsersList) {
  PromptRecorder messages;
  TempFolder folder;
  AllTasks tasks;
  CUserRecord ann = User("ann", "Ann", "Smith");
  CQelProject::SetLoggedUser(&ann);
  const std::string path = folder.File("memory_clinic.qep");
  ASSERT_TRUE(CQelProject::CreateProject(path, "Memory clinic", "Pilot study 2026", "pw", true, false));
  {
    CQelProject project(tasks);
    project.SetPassword("pw");
    ASSERT_TRUE(project.Open(path, false, false));
    ASSERT_TRUE(project.WriteProjectUser(User("ben", "Ben", "Jones"), "ann", false));
    ASSERT_TRUE(project.WriteProjectUser(User("cora", "Cora", "Visser"), "ann", false));
  }
  CQelProject project(tasks);
  project.SetPath(path.c_str());
  project.SetPassword("pw");
  auto* dialog = new CDlgProject(nullptr, &project, ProjectDlgMode::kProperties, tasks);
  ASSERT_EQ(dialog->Start(), 0);
  dialog->Show();
  Pump(100);
  ExpectDrawn(SnapModal("Users", "project_users_list",
                        [dialog] {
                          wxCommandEvent users(wxEVT_BUTTON, CDlgProject::kIdUsers);
                          users.SetEventObject(dialog->FindWindow(CDlgProject::kIdUsers));
                          dialog->GetEventHandler()->ProcessEvent(users);
                        }),
              "project users");
  dialog->Destroy();
  Pump(20);
  CQelProject::SetLoggedUser(nullptr);
}

TEST(AdminChoosers, ProjectAndCommentFiles) {
  TempFolder folder;
  // The chooser lists the folder's project files by name.
  for (const char* name : {"memory_clinic.qep", "pilot.qep"}) std::ofstream(folder.File(name)) << "";
  ExpectDrawn(SnapModal("Existing project file", "file_open_project",
                        [&] { ChooseProjectFile(nullptr, false, folder.File("memory_clinic.qep")); }),
              "project file");
  ExpectDrawn(SnapModal("Put comment into file", "file_save_comment",
                        [] { ChooseCommentFile(nullptr, true, "T07"); }),
              "comment file");
}

}  // namespace

}  // namespace qel
