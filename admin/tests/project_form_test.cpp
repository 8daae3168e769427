// The project dialog's rules without a window: the captions and texts of
// the eight modes, which fields each shows, every check of OK with its
// message, the same-file test by filesystem identity and the project
// information text.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "admin/ProjectForm.h"
#include "common/AtomicFile.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {
namespace {

using Mode = ProjectDlgMode;

bool TextsEqual(const std::string& a, const std::string& b) { return a == b; }

struct CaptionCase {
  Mode mode;
  bool loggedIn;
  const char* name;
  const char* caption;
};

TEST(ProjectForm, CaptionsByModeNameAndLogin) {
  const CaptionCase cases[] = {
      {Mode::kProperties, false, "", "Select project to view it's properties"},
      {Mode::kProperties, false, "Study", "Study: Select project to view it's properties"},
      {Mode::kUsersList, false, "Study", "Study: Select project to view it's users list"},
      {Mode::kOpenBrowse, false, "", "Open existing project"},
      {Mode::kOpenPath, false, "Study", "Study: Open existing project"},
      {Mode::kCreate, false, "", "Create new project"},
      {Mode::kCreate, true, "", "Create new project (21CFR part11)"},
      {Mode::kCompact, false, "Study", "Study: Compact existing project"},
      {Mode::kPassword, false, "Study", "Study: Change password of existing project"},
      {Mode::kConvert, false, "", "Convert existing project to new version (21CFR part11)"},
      {Mode::kConvert, true, "Old", "Old: Convert existing project to new version (21CFR part11)"},
  };
  for (const CaptionCase& c : cases) {
    CProjectForm form(c.mode, c.loggedIn, true);
    form.SetProjectName(c.name);
    EXPECT_EQ(form.Caption(), c.caption) << static_cast<int>(c.mode);
  }
}

TEST(ProjectForm, InfoTextsAndThePasswordRequest) {
  CProjectForm open(Mode::kOpenPath, false, true);
  EXPECT_EQ(open.InfoText(), "You will open existing Qel project.\nThis project will be current working project.");
  open.SetPasswordRequired(true);
  EXPECT_EQ(open.InfoText(), "ENTER PROJECT's PASSWORD!");

  CProjectForm users(Mode::kUsersList, false, true);
  EXPECT_EQ(users.InfoText(), "The only CFR compliant Qel projects contain list of users.");
  users.SetPasswordRequired(true);
  EXPECT_EQ(users.InfoText(), "ENTER PROJECT's PASSWORD!");

  // Modes beyond opening keep their own texts while a password is asked.
  CProjectForm password(Mode::kPassword, false, true);
  password.SetPasswordRequired(true);
  EXPECT_EQ(password.InfoText(),
            "You can change password of Qel project.\nEnter old password, new password and confirm new password.");

  CProjectForm compact(Mode::kCompact, false, true);
  EXPECT_EQ(compact.InfoText(),
            "If you performed much deletions from this project then\n"
            "compacting will create new project file of decreased size and after that\n"
            "all data not deleted from old project will be copied to new compacted project.");
  CProjectForm convert(Mode::kConvert, true, true);
  EXPECT_EQ(convert.InfoText(),
            "This procedure will convert selected Qel project\ninto CFR compliant Qel project (21CFR part11).\n");
}

TEST(ProjectForm, CreatingTellsWhetherTheProjectWillBeAudited) {
  CProjectForm logged(Mode::kCreate, true, true);
  EXPECT_EQ(logged.InfoText(), "You will create new empty Qel project (21CFR part11).\n");
  CProjectForm nobody(Mode::kCreate, false, true);
  EXPECT_EQ(nobody.InfoText(),
            "You will create new empty Qel project.\nTo create CFR compliant project  (21CFR part11) you must login!");
  CProjectForm plainProgram(Mode::kCreate, false, false);
  EXPECT_EQ(plainProgram.InfoText(), "You will create new empty Qel project.\n");
}

TEST(ProjectForm, FieldsShownByMode) {
  struct Shown {
    Mode mode;
    bool path, password, newPath, newPassword, details, ok;
  };
  const Shown cases[] = {
      {Mode::kProperties, true, false, false, false, true, false},
      {Mode::kUsersList, true, true, false, false, false, true},
      {Mode::kOpenBrowse, true, true, false, false, false, true},
      {Mode::kOpenPath, true, true, false, false, false, true},
      {Mode::kCreate, false, false, true, true, true, true},
      {Mode::kCompact, true, true, true, true, false, true},
      {Mode::kPassword, true, true, false, true, false, true},
      {Mode::kConvert, true, true, true, true, false, true},
  };
  for (const Shown& c : cases) {
    CProjectForm form(c.mode, false, true);
    const CProjectFormLayout l = form.Layout();
    const int m = static_cast<int>(c.mode);
    EXPECT_EQ(l.path, c.path) << m;
    EXPECT_EQ(l.password, c.password) << m;
    EXPECT_EQ(l.newPath, c.newPath) << m;
    EXPECT_EQ(l.newPassword, c.newPassword) << m;
    EXPECT_EQ(l.details, c.details) << m;
    EXPECT_EQ(l.ok, c.ok) << m;
    EXPECT_EQ(l.newPathLabelIsPath, c.mode == Mode::kCreate) << m;
  }
}

TEST(ProjectForm, PropertiesModeAsksForAPasswordAndShowsItsButtons) {
  CProjectForm form(Mode::kProperties, true, true);
  form.Fields().path = "/data/study.qep";
  EXPECT_FALSE(form.Layout().browsePath);  // a given project is not changed here
  EXPECT_FALSE(form.Layout().detailButtons);
  form.SetPasswordRequired(true);
  CProjectFormLayout l = form.Layout();
  EXPECT_TRUE(l.password && l.ok);
  EXPECT_FALSE(l.details);
  form.SetPasswordRequired(false);
  CProjectInfo info;
  info.versionText = "01.00";
  info.isCfr = true;
  info.owner = "Neurology";
  form.SetProjectName("study");
  form.SetProjectKind(true, true, false);
  form.SetProperties(info);
  l = form.Layout();
  EXPECT_EQ(form.Caption(), "Project study properties");
  EXPECT_EQ(form.Fields().institute, "Neurology");
  EXPECT_TRUE(l.details && l.detailsReadOnly && l.detailButtons && l.usersButton && l.testeesHistory);
  EXPECT_FALSE(l.scoresHistory || l.ok || l.password);

  // Outside 21 CFR mode the project's users are not offered.
  CProjectForm plainMode(Mode::kProperties, false, false);
  plainMode.Fields().path = "/data/study.qep";
  plainMode.SetProjectKind(true, true, true);
  plainMode.SetProperties(info);
  EXPECT_TRUE(plainMode.Layout().detailButtons);
  EXPECT_FALSE(plainMode.Layout().usersButton || plainMode.Layout().testeesHistory);
}

TEST(ProjectForm, FocusAndBrowseButtons) {
  CProjectForm open(Mode::kOpenBrowse, false, true);
  open.SetBrowseOffered(true, false);
  EXPECT_EQ(open.Layout().focus, CProjectFormLayout::Focus::kBrowsePath);
  EXPECT_TRUE(open.Layout().browsePath && open.Layout().browsePathEnabled);
  EXPECT_FALSE(open.Layout().browseNewEnabled);
  open.Fields().path = "/p.qep";
  EXPECT_EQ(open.Layout().focus, CProjectFormLayout::Focus::kPassword);
  CProjectForm create(Mode::kCreate, false, true);
  EXPECT_EQ(create.Layout().focus, CProjectFormLayout::Focus::kBrowseNew);
}

struct ValidationCase {
  Mode mode;
  const char* path;
  const char* password;
  const char* newPath;
  const char* newPassword;
  const char* confirmation;
  const char* message;  // empty: valid
};

TEST(ProjectForm, EveryCheckOfOk) {
  const ValidationCase cases[] = {
      {Mode::kOpenBrowse, "", "", "", "", "", "Enter path of project file!\n"},
      {Mode::kOpenBrowse, "/a.qep", "", "", "", "", ""},
      // Fields a mode does not show are not checked.
      {Mode::kOpenPath, "/a.qep", "", "", "x", "y", ""},
      {Mode::kCreate, "", "", "", "", "", "Enter path of new project file!\n"},
      {Mode::kCreate, "", "", "/n.qep", "pw", "pW", "Wrong confirmation of new password!"},
      {Mode::kCreate, "", "", "/n.qep", "pw", "pw", ""},
      {Mode::kCompact, "", "", "", "", "", "Enter path of project file!\nEnter path of new project file!\n"},
      {Mode::kCompact, "/a.qep", "", "/a.qep", "", "", "Can't copy project to itself!"},
      {Mode::kCompact, "/a.qep", "", "/b.qep", "", "", ""},
      {Mode::kConvert, "/a.qep", "", "/A.qep", "", "", ""},  // different texts, different files
      {Mode::kConvert, "/a.qep", "", "/a.qep", "n", "",
       "Can't copy project to itself!Wrong confirmation of new password!"},
      {Mode::kPassword, "/a.qep", "", "", "", "", "Enter old and/or new password!"},
      {Mode::kPassword, "/a.qep", "", "", "new", "new", ""},
      {Mode::kPassword, "/a.qep", "old", "", "", "", ""},
      {Mode::kPassword, "", "", "", "a", "b", "Enter path of project file!\nWrong confirmation of new password!"},
  };
  for (const ValidationCase& c : cases) {
    CProjectForm form(c.mode, false, true);
    CProjectFormFields& f = form.Fields();
    f.path = c.path;
    f.password = c.password;
    f.newPath = c.newPath;
    f.newPassword = c.newPassword;
    f.confirmation = c.confirmation;
    EXPECT_EQ(form.Validate(TextsEqual), c.message) << static_cast<int>(c.mode) << " " << c.path << " " << c.newPath;
  }
}

TEST(ProjectForm, TheSameFileIsKnownByItsIdentity) {
  TempFolder folder;
  const std::string a = folder.File("study.qep");
  std::ofstream(a) << "x";
  const std::string link = folder.File("alias.qep");
  ASSERT_EQ(::symlink(a.c_str(), link.c_str()), 0);
  ASSERT_EQ(::mkdir(folder.File("sub").c_str(), 0700), 0);
  const std::string dotted = folder.File("sub/../study.qep");
  const std::string hard = folder.File("hard.qep");
  ASSERT_EQ(::link(a.c_str(), hard.c_str()), 0);
  EXPECT_TRUE(IsSameFile(a, link));
  EXPECT_TRUE(IsSameFile(a, dotted));
  EXPECT_TRUE(IsSameFile(a, hard));
  EXPECT_FALSE(IsSameFile(a, folder.File("STUDY.qep")));  // another name on a case-keeping filesystem
  EXPECT_TRUE(IsSameFile(folder.File("new.qep"), folder.File("sub/../new.qep")));  // not there yet
  EXPECT_FALSE(IsSameFile(a, ""));

  CProjectForm form(Mode::kCompact, false, true);
  form.Fields().path = a;
  form.Fields().newPath = link;
  EXPECT_EQ(form.Validate(IsSameFile), "Can't copy project to itself!");
}

TEST(ProjectForm, PropertiesText) {
  CProjectInfo none;
  none.testees = 2;
  EXPECT_EQ(ProjectPropertiesText(none),
            "Version: 3.00\n Created: <Unknown>\n User: <Unknown>\nTestees: 2, Models: 0, Tasks: 0, Scores: 0, Users: "
            "<Unknown>");
  CProjectInfo cfr;
  cfr.versionText = "01.00";
  cfr.versionNumber = 1;  // the audited format counts from 1
  cfr.isCfr = true;
  cfr.creationDate = "2026-12-11";
  cfr.creationTime = "10:15:00";
  cfr.creationUser = "ann";
  cfr.testees = 3;
  cfr.models = 1;
  cfr.tasks = 4;
  cfr.scores = 5;
  cfr.users = 2;
  EXPECT_EQ(
      ProjectPropertiesText(cfr),
      "Version: 01.00, CFR compliant\n Created: 2026-12-11 10:15:00\n User: ann\nTestees: 3, Models: 1, Tasks: 4, "
      "Scores: 5, Users: 2");
  CProjectInfo plain;
  plain.versionText = "04.00";
  plain.versionNumber = 4;  // a plain file, whatever its number says
  EXPECT_EQ(
      ProjectPropertiesText(plain),
      "Version: 04.00\n Created: <Unknown>\n User: <Unknown>\nTestees: 0, Models: 0, Tasks: 0, Scores: 0, Users: 0");
}

}  // namespace
}  // namespace test

}  // namespace qel
