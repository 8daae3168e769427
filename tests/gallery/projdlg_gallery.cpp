// The project dialog in its modes: creating, opening (asking for the
// password), compacting, changing the password, converting and the
// properties of a project read from a real file; and the user dialog's
// project form.
#include <gtest/gtest.h>

#include <string>

#include "admin/ui/DlgProject.h"
#include "admin/ui/DlgUser.h"
#include "project/QelProject.h"
#include "project/TaskAvailability.h"
#include "tests/gallery/Gallery.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"
#include "tests/support/gui/WxPump.h"

namespace qel {

using namespace test;

namespace {

class GalleryTasks final : public ITaskAvailability {
 public:
  bool IsTaskLibraryLoaded(const std::string&) const override { return true; }
};

TEST(ProjectDialogWindows, EveryMode) {
  PromptRecorder messages;
  TempFolder folder;
  GalleryTasks tasks;
  CUserRecord ann;
  ann.m_id = "ann";
  ann.m_firstName = "Ann";
  ann.m_surname = "Smith";
  ann.SetPassword("secret");
  CQelProject::SetLoggedUser(&ann);
  const std::string audited = folder.File("memory_clinic.qep");
  ASSERT_TRUE(CQelProject::CreateProject(audited, "Memory clinic", "Pilot study 2026", "pw", true, false));
  const std::string plain = folder.File("pilot.qep");
  CQelProject::SetLoggedUser(nullptr);
  ASSERT_TRUE(CQelProject::CreateProject(plain, "Neurology", "", "", true, false));
  CQelProject::SetLoggedUser(&ann);

  struct Shot {
    ProjectDlgMode mode;
    const std::string* path;
    const char* password;
    const char* name;
  };
  const Shot shots[] = {
      {ProjectDlgMode::kCreate, nullptr, "", "project_create"},
      {ProjectDlgMode::kOpenBrowse, nullptr, "", "project_open"},
      {ProjectDlgMode::kOpenPath, &audited, "", "project_open_password"},
      {ProjectDlgMode::kProperties, &audited, "pw", "project_properties"},
      {ProjectDlgMode::kCompact, &plain, "", "project_compact"},
      {ProjectDlgMode::kPassword, &plain, "", "project_password"},
      {ProjectDlgMode::kConvert, &plain, "", "project_convert"},
  };
  for (const Shot& shot : shots) {
    CQelProject project(tasks);
    if (shot.path) project.SetPath(shot.path->c_str());
    project.SetPassword(shot.password);
    auto* dialog = new CDlgProject(nullptr, &project, shot.mode, tasks);
    ASSERT_EQ(dialog->Start(), 0) << shot.name;
    ExpectDrawn(Snap(dialog, shot.name), shot.name);
    dialog->Destroy();
    Pump(20);
  }

  // The user dialog's project form registering a user of the audited project.
  CQelProject project(tasks);
  project.SetPath(audited.c_str());
  project.SetPassword("pw");
  auto* users = new CDlgUser(nullptr, &project, nullptr, UserDlgMode::kRegister, false, tasks);
  ASSERT_TRUE(users->UsersLoaded());
  ExpectDrawn(Snap(users, "user_project_register"), "user_project_register");
  users->Destroy();
  Pump(20);
  CQelProject::SetLoggedUser(nullptr);
}

}  // namespace

}  // namespace qel
