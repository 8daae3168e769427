// The project dialog under the X server on real project files: creating a
// CFR project with a password, opening it with no, a wrong and the right
// password, converting a plain copy, compacting, changing the password and
// reading the properties; each file is read back with the sqlcipher and
// sqlite3 shells.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "admin/ui/DlgProject.h"
#include "admin/ui/DlgUser.h"
#include "common/AtomicFile.h"
#include "project/QelProject.h"
#include "project/TaskAvailability.h"
#include "project/TesteeInfo.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"
#include "tests/support/gui/WxControls.h"
#include "tests/support/gui/WxPump.h"

namespace qel {

namespace test {
namespace {

class AllTasksLoaded final : public ITaskAvailability {
 public:
  bool IsTaskLibraryLoaded(const std::string&) const override { return true; }
};

struct ShellResult {
  int status = -1;
  std::string output;
};

// Runs the script through a database shell ("sqlcipher" or "sqlite3") on the file.
ShellResult Shell(const TempFolder& folder, const char* tool, const std::string& file, const std::string& script) {
  const std::string scriptFile = folder.File("script.sql");
  std::ofstream(scriptFile) << script << "\n";
  const std::string command = std::string(tool) + " '" + file + "' < '" + scriptFile + "' 2>&1";
  ShellResult result;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return result;
  char buffer[512];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
  result.status = ::pclose(pipe);
  return result;
}

std::string Keyed(const std::string& key, const std::string& sql) {
  return key.empty() ? sql : "PRAGMA key='" + key + "';\n" + sql;
}

off_t FileSize(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_size : -1;
}

void Type(wxWindow* dialog, int id, const std::string& text) {
  auto* edit = FindControl<wxTextCtrl>(dialog, id);
  ASSERT_NE(edit, nullptr) << id;
  edit->SetValue(wxString::FromUTF8(text));
}

void Press(wxWindow* dialog, int id) {
  wxWindow* button = dialog->FindWindow(id);
  ASSERT_NE(button, nullptr) << id;
  SendControlEvent(button, wxEVT_BUTTON, 0);
  Pump(20);
}

bool AnyShown(const PromptRecorder& messages, const std::string& part) {
  for (const std::string& text : messages.ShownTexts()) {
    if (text.find(part) != std::string::npos) return true;
  }
  return false;
}

class ProjectDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    m_user.m_id = "ann";
    m_user.m_firstName = "Ann";
    m_user.m_surname = "Smith";
    m_user.SetPassword("annpw");
  }
  void TearDown() override {
    CloseDialog();
    CQelProject::SetLoggedUser(nullptr);
  }
  void LogIn() { CQelProject::SetLoggedUser(&m_user); }
  void CloseDialog() {
    if (m_dialog) m_dialog->Destroy();
    m_dialog = nullptr;
    Pump(10);
  }
  // The dialog on the project in the mode; shown when it needs the operator.
  int Open(ProjectDlgMode mode, CQelProject* project) {
    CloseDialog();
    m_dialog = new CDlgProject(nullptr, project, mode, m_tasks);
    const int started = m_dialog->Start();
    if (started == 0) m_dialog->Show();
    Pump(30);
    return started;
  }
  bool Ended() const { return !m_dialog->IsShown() && m_dialog->GetReturnCode() == wxID_OK; }
  std::string Info() const { return m_dialog->FindWindow(CDlgProject::kIdInfo)->GetLabel().utf8_string(); }

  // A plain project with testees, made by the project object.
  std::string MakePlainProject(const std::string& name, int testees) {
    const std::string path = m_folder.File(name);
    EXPECT_TRUE(CQelProject::CreateProject(path, "Neurology", "pilot", "", true, false));
    CQelProject project(m_tasks);
    EXPECT_TRUE(project.Open(path, false, false));
    for (int i = 0; i < testees; ++i) {
      CTesteeInfo testee;
      testee.m_testee = "T" + std::to_string(i);
      testee.m_code = "Default";
      testee.m_firstName = "First";
      testee.m_surname = "O'Neil";
      testee.m_dateBirth = QelDateTime::FromDate(1980, 1, 1 + i, 0, 0);
      testee.m_comment = "pilot";
      EXPECT_TRUE(project.WriteTestee(testee, m_user, nullptr, false, false))
          << (m_messages.ShownTexts().empty() ? std::string() : m_messages.ShownTexts().back());
    }
    return path;
  }

  TempFolder m_folder;
  AllTasksLoaded m_tasks;
  CUserRecord m_user;
  PromptRecorder m_messages;
  CDlgProject* m_dialog = nullptr;
};

TEST_F(ProjectDialogTest, CreatesACfrProjectWithAPasswordAndOpensItOnlyWithThatPassword) {
  LogIn();
  const std::string path = m_folder.File("audited.qep");
  CQelProject working(m_tasks);
  ASSERT_EQ(Open(ProjectDlgMode::kCreate, &working), 0);
  EXPECT_EQ(m_dialog->GetTitle(), "Create new project (21CFR part11)");
  EXPECT_EQ(Info(), "You will create new empty Qel project (21CFR part11).\n");
  EXPECT_FALSE(m_dialog->FindWindow(CDlgProject::kIdPath)->IsShown());
  EXPECT_EQ(m_dialog->FindWindow(CDlgProject::kIdNewPathLabel)->GetLabel(), "File path");
  Press(m_dialog, wxID_OK);
  EXPECT_EQ(m_messages.ShownTexts().back(), "Enter path of new project file!\n");
  Type(m_dialog, CDlgProject::kIdNewPath, path);
  Type(m_dialog, CDlgProject::kIdNewPassword, "s3cret");
  Type(m_dialog, CDlgProject::kIdConfirmation, "s3creT");
  Type(m_dialog, CDlgProject::kIdInstitute, "Neurology");
  Press(m_dialog, wxID_OK);
  EXPECT_EQ(m_messages.ShownTexts().back(), "Wrong confirmation of new password!");
  EXPECT_EQ(m_messages.Shown().back().style & kPromptIconStop, kPromptIconStop);
  EXPECT_TRUE(m_dialog->IsShown());
  EXPECT_NE(::access(path.c_str(), F_OK), 0);
  Type(m_dialog, CDlgProject::kIdConfirmation, "s3cret");
  Press(m_dialog, wxID_OK);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(m_messages.ShownTexts().back(), "Project (CFR compliant)\n\"" + path + "\"\nsuccesfully created!");

  // Only the key reads the file, in any program.
  const ShellResult keyed = Shell(m_folder, "sqlcipher", path,
                                  Keyed("s3cret", "SELECT name FROM sqlite_master WHERE name='StringsProject';"));
  EXPECT_EQ(keyed.status, 0) << keyed.output;
  EXPECT_EQ(keyed.output, "StringsProject\n");
  const ShellResult bare = Shell(m_folder, "sqlite3", path, "SELECT count(*) FROM sqlite_master;");
  EXPECT_NE(bare.output.find("not a database"), std::string::npos) << bare.output;
  const ShellResult wrong = Shell(m_folder, "sqlcipher", path, Keyed("s3creT", "SELECT count(*) FROM sqlite_master;"));
  EXPECT_NE(wrong.output.find("not a database"), std::string::npos) << wrong.output;

  // Opening the stored path without its password asks for it.
  working.SetPath(path.c_str());
  working.SetPassword("");
  ASSERT_EQ(Open(ProjectDlgMode::kOpenPath, &working), 0);
  EXPECT_EQ(Info(), "ENTER PROJECT's PASSWORD!");
  EXPECT_TRUE(m_dialog->FindWindow(CDlgProject::kIdPassword)->IsShown());
  EXPECT_TRUE(m_messages.ShownTexts().size() == 3u);  // the silent first try shows nothing
  Type(m_dialog, CDlgProject::kIdPassword, "wrong");
  Press(m_dialog, wxID_OK);
  EXPECT_EQ(m_messages.ShownTexts().back(), "Project \"" + path + "\"\r\nINVALID PASSWORD!");
  EXPECT_TRUE(m_dialog->IsShown());
  EXPECT_FALSE(working.IsOpenCfr());
  Type(m_dialog, CDlgProject::kIdPassword, "s3cret");
  Press(m_dialog, wxID_OK);
  EXPECT_TRUE(Ended());
  EXPECT_TRUE(working.IsOpenCfr());
  EXPECT_EQ(working.GetOwner(), "Neurology");
  EXPECT_EQ(working.GetCreationUser(), "ann");

  // With the password stored the path opens at once, without a window.
  EXPECT_EQ(Open(ProjectDlgMode::kOpenPath, &working), wxID_OK);
  EXPECT_FALSE(m_dialog->IsShown());
}

TEST_F(ProjectDialogTest, CreatingWithoutALoginMakesAPlainProjectAndSaysSo) {
  const std::string path = m_folder.File("plain.qep");
  CQelProject working(m_tasks);
  ASSERT_EQ(Open(ProjectDlgMode::kCreate, &working), 0);
  EXPECT_EQ(m_dialog->GetTitle(), "Create new project");
  EXPECT_EQ(Info(),
            "You will create new empty Qel project.\nTo create CFR compliant project  (21CFR part11) you must login!");
  Type(m_dialog, CDlgProject::kIdNewPath, path);
  Press(m_dialog, wxID_OK);
  EXPECT_TRUE(Ended());
  const ShellResult tables =
      Shell(m_folder, "sqlite3", path, "SELECT count(*) FROM sqlite_master WHERE name='StringsProject';");
  EXPECT_EQ(tables.output, "0\n") << tables.output;

  // Creating over an existing project replaces it by the complete new file,
  // which keeps the old file's permissions.
  ASSERT_EQ(Shell(m_folder, "sqlite3", path, "INSERT INTO TesteeCode VALUES('Old','', '');").status, 0);
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_EQ(Open(ProjectDlgMode::kCreate, &working), 0);
  Type(m_dialog, CDlgProject::kIdNewPath, path);
  Type(m_dialog, CDlgProject::kIdInstitute, "Second");
  Press(m_dialog, wxID_OK);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(Shell(m_folder, "sqlite3", path, "SELECT group_concat(Code) FROM TesteeCode;").output, "Default\n");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(ProjectDialogTest, ConvertsAPlainCopyIntoAProtectedCfrProject) {
  const std::string plain = MakePlainProject("plain.qep", 3);
  const std::string cfr = m_folder.File("converted.qep");
  LogIn();
  CQelProject working(m_tasks);
  working.SetPath(plain.c_str());
  ASSERT_EQ(Open(ProjectDlgMode::kConvert, &working), 0);
  EXPECT_EQ(m_dialog->GetTitle(), "plain: Convert existing project to new version (21CFR part11)");
  // A second name of the same file is the same file.
  const std::string alias = m_folder.File("alias.qep");
  ASSERT_EQ(::symlink(plain.c_str(), alias.c_str()), 0);
  Type(m_dialog, CDlgProject::kIdNewPath, alias);
  Press(m_dialog, wxID_OK);
  EXPECT_EQ(m_messages.ShownTexts().back(), "Can't copy project to itself!");
  Type(m_dialog, CDlgProject::kIdNewPath, cfr);
  Type(m_dialog, CDlgProject::kIdNewPassword, "k2");
  Type(m_dialog, CDlgProject::kIdConfirmation, "k2");
  Press(m_dialog, wxID_OK);
  EXPECT_TRUE(Ended());
  EXPECT_TRUE(AnyShown(m_messages, "converted into CFR compliant project"));

  const ShellResult rows = Shell(
      m_folder, "sqlcipher", cfr,
      Keyed("k2", "SELECT count(*) FROM sqlite_master WHERE name='StringsProject';\nSELECT count(*) FROM Testees;"));
  EXPECT_EQ(rows.output, "1\n3\n") << rows.output;
  // The plain project is as it was.
  const ShellResult source = Shell(m_folder, "sqlite3", plain, "SELECT count(*) FROM Testee;");
  EXPECT_EQ(source.output, "3\n") << source.output;

  // A compacted audited project keeps every row, history and row counter.
  working.SetPath(cfr.c_str());
  ASSERT_EQ(Open(ProjectDlgMode::kCompact, &working), 0);
  const std::string compacted = m_folder.File("converted_compact.qep");
  Type(m_dialog, CDlgProject::kIdPassword, "k2");
  Type(m_dialog, CDlgProject::kIdNewPath, compacted);
  Type(m_dialog, CDlgProject::kIdNewPassword, "k2");
  Type(m_dialog, CDlgProject::kIdConfirmation, "k2");
  Press(m_dialog, wxID_OK);
  EXPECT_TRUE(Ended());
  const ShellResult before = Shell(m_folder, "sqlcipher", cfr, Keyed("k2", ".dump"));
  EXPECT_NE(before.output.find("StringsProject"), std::string::npos);
  EXPECT_EQ(Shell(m_folder, "sqlcipher", compacted, Keyed("k2", ".dump")).output, before.output);
}

TEST_F(ProjectDialogTest, ConvertingNeedsALogin) {
  const std::string plain = MakePlainProject("plain.qep", 1);
  CQelProject working(m_tasks);
  working.SetPath(plain.c_str());
  ASSERT_EQ(Open(ProjectDlgMode::kConvert, &working), 0);
  Type(m_dialog, CDlgProject::kIdNewPath, m_folder.File("cfr.qep"));
  Press(m_dialog, wxID_OK);
  EXPECT_TRUE(m_dialog->IsShown());
  EXPECT_EQ(m_messages.ShownTexts().back(), "To create CFR compliant project  (21CFR part11) you must login!");
  EXPECT_NE(::access(m_folder.File("cfr.qep").c_str(), F_OK), 0);
}

TEST_F(ProjectDialogTest, CompactsIntoASmallerFileWithTheSameContents) {
  const std::string plain = MakePlainProject("bulky.qep", 5);
  // Mass deletes leave free pages behind.
  const ShellResult filled = Shell(m_folder, "sqlite3", plain,
                                   "CREATE TABLE Scratch(x BLOB);\n"
                                   "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400)\n"
                                   "INSERT INTO Scratch SELECT randomblob(2000) FROM n;\n"
                                   "DROP TABLE Scratch;");
  ASSERT_EQ(filled.status, 0) << filled.output;
  const std::string compacted = m_folder.File("compact.qep");
  CQelProject working(m_tasks);
  working.SetPath(plain.c_str());
  ASSERT_EQ(Open(ProjectDlgMode::kCompact, &working), 0);
  Type(m_dialog, CDlgProject::kIdNewPath, plain);
  Press(m_dialog, wxID_OK);
  EXPECT_EQ(m_messages.ShownTexts().back(), "Can't copy project to itself!");
  Type(m_dialog, CDlgProject::kIdNewPath, compacted);
  const size_t before = m_messages.Shown().size();
  Press(m_dialog, wxID_OK);
  EXPECT_TRUE(Ended());
  // No password on either side: only the compaction is told.
  ASSERT_EQ(m_messages.Shown().size(), before + 1);
  EXPECT_EQ(m_messages.ShownTexts().back(),
            "Project\n\"" + plain + "\"\nsuccesfully compacted into project\n\"" + compacted + "\".\n");
  EXPECT_LT(FileSize(compacted) * 4, FileSize(plain));
  const std::string dump = ".dump";
  const ShellResult a = Shell(m_folder, "sqlcipher", plain, dump);
  const ShellResult b = Shell(m_folder, "sqlcipher", compacted, dump);
  EXPECT_EQ(a.status, 0);
  EXPECT_NE(a.output.find("O''Neil"), std::string::npos);
  EXPECT_EQ(a.output, b.output);

  // Compacting into a protected copy tells the new password as well.
  const std::string protectedCopy = m_folder.File("protected.qep");
  ASSERT_EQ(Open(ProjectDlgMode::kCompact, &working), 0);
  Type(m_dialog, CDlgProject::kIdNewPath, protectedCopy);
  Type(m_dialog, CDlgProject::kIdNewPassword, "p9");
  Type(m_dialog, CDlgProject::kIdConfirmation, "p9");
  Press(m_dialog, wxID_OK);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(m_messages.ShownTexts().back(), "Password of project\n\"" + protectedCopy + "\"\nsuccesfully changed.\n");
  EXPECT_EQ(Shell(m_folder, "sqlcipher", protectedCopy, Keyed("p9", dump)).output, a.output);
}

TEST_F(ProjectDialogTest, ACompactionThatFailsIsNeverToldAsDone) {
  LogIn();
  const std::string path = m_folder.File("locked.qep");
  ASSERT_TRUE(CQelProject::CreateProject(path, "Neurology", "", "right", true, false));
  const std::string target = m_folder.File("target.qep");
  std::ofstream(target) << "an older file that must stay";
  CQelProject working(m_tasks);
  working.SetPath(path.c_str());
  ASSERT_EQ(Open(ProjectDlgMode::kCompact, &working), 0);
  Type(m_dialog, CDlgProject::kIdPassword, "wrong");
  Type(m_dialog, CDlgProject::kIdNewPath, target);
  Type(m_dialog, CDlgProject::kIdNewPassword, "new");
  Type(m_dialog, CDlgProject::kIdConfirmation, "new");
  Press(m_dialog, wxID_OK);
  EXPECT_TRUE(m_dialog->IsShown());
  EXPECT_EQ(m_messages.ShownTexts().back(), "Project compacting: " + path + "\r\nINVALID PASSWORD!");
  EXPECT_FALSE(AnyShown(m_messages, "succesfully"));
  std::ifstream kept(target);
  std::string text;
  std::getline(kept, text);
  EXPECT_EQ(text, "an older file that must stay");
}

TEST_F(ProjectDialogTest, ChangesThePasswordSoThatOnlyTheNewOneOpensTheFile) {
  const std::string path = MakePlainProject("study.qep", 2);
  CQelProject working(m_tasks);
  working.SetPath(path.c_str());
  ASSERT_EQ(Open(ProjectDlgMode::kPassword, &working), 0);
  EXPECT_EQ(m_dialog->GetTitle(), "study: Change password of existing project");
  Press(m_dialog, wxID_OK);
  EXPECT_EQ(m_messages.ShownTexts().back(), "Enter old and/or new password!");
  // An unprotected project gets a password.
  Type(m_dialog, CDlgProject::kIdNewPassword, "first");
  Type(m_dialog, CDlgProject::kIdConfirmation, "first");
  Press(m_dialog, wxID_OK);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(m_messages.ShownTexts().back(), "Password of project\n\"" + path + "\"\nsuccesfully changed.\n");
  EXPECT_EQ(working.GetPassword(), "first");  // the working project opens with it from now on
  EXPECT_NE(Shell(m_folder, "sqlite3", path, "SELECT count(*) FROM Testee;").output.find("not a database"),
            std::string::npos);
  EXPECT_EQ(Shell(m_folder, "sqlcipher", path, Keyed("first", "SELECT count(*) FROM Testee;")).output, "2\n");

  // A wrong old password changes nothing and says why.
  ASSERT_EQ(Open(ProjectDlgMode::kPassword, &working), 0);
  Type(m_dialog, CDlgProject::kIdPassword, "guess");
  Type(m_dialog, CDlgProject::kIdNewPassword, "second");
  Type(m_dialog, CDlgProject::kIdConfirmation, "second");
  Press(m_dialog, wxID_OK);
  EXPECT_TRUE(m_dialog->IsShown());
  EXPECT_EQ(m_messages.ShownTexts().back(), "Setting password: " + path + "\r\nINVALID PASSWORD!");
  EXPECT_EQ(Shell(m_folder, "sqlcipher", path, Keyed("first", "SELECT count(*) FROM Testee;")).output, "2\n");

  // The right one: the old key no longer opens the file, the new one does.
  Type(m_dialog, CDlgProject::kIdPassword, "first");
  Press(m_dialog, wxID_OK);
  EXPECT_TRUE(Ended());
  EXPECT_NE(
      Shell(m_folder, "sqlcipher", path, Keyed("first", "SELECT count(*) FROM Testee;")).output.find("not a database"),
      std::string::npos);
  EXPECT_EQ(Shell(m_folder, "sqlcipher", path, Keyed("second", "SELECT count(*) FROM Testee;")).output, "2\n");
  // No copy is left behind beside the file.
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(m_folder.Path())) {
    names.push_back(entry.path().filename().string());
  }
  for (const std::string& name : names) EXPECT_EQ(name.find(CFileReplacement::kTempMarker), std::string::npos) << name;
}

TEST_F(ProjectDialogTest, PropertiesAskForThePasswordThenShowTheProject) {
  LogIn();
  const std::string path = m_folder.File("props.qep");
  ASSERT_TRUE(CQelProject::CreateProject(path, "Neurology", "first study", "pw", true, false));
  CQelProject working(m_tasks);
  working.SetPath(path.c_str());
  ASSERT_EQ(Open(ProjectDlgMode::kProperties, &working), 0);
  EXPECT_EQ(Info(), "ENTER PROJECT's PASSWORD!");
  EXPECT_TRUE(m_dialog->FindWindow(wxID_OK)->IsShown());
  EXPECT_FALSE(m_dialog->FindWindow(CDlgProject::kIdInstitute)->IsShown());
  Type(m_dialog, CDlgProject::kIdPassword, "pw");
  Press(m_dialog, wxID_OK);
  EXPECT_TRUE(m_dialog->IsShown());  // the properties mode stays and shows what it read
  EXPECT_EQ(m_dialog->GetTitle(), "Project props properties");
  EXPECT_EQ(Info().rfind("Version: ", 0), 0u) << Info();
  EXPECT_NE(Info().find(", CFR compliant\n"), std::string::npos) << Info();
  EXPECT_NE(Info().find("User: ann\nTestees: 0, Models: 0, Tasks: 0, Scores: 0, Users: 1"), std::string::npos)
      << Info();
  auto* institute = FindControl<wxTextCtrl>(m_dialog, CDlgProject::kIdInstitute);
  EXPECT_TRUE(institute->IsShown());
  EXPECT_FALSE(institute->IsEditable());
  EXPECT_EQ(institute->GetValue(), "Neurology");
  EXPECT_FALSE(m_dialog->FindWindow(wxID_OK)->IsShown());
  EXPECT_TRUE(m_dialog->FindWindow(CDlgProject::kIdUsers)->IsShown());
  EXPECT_FALSE(m_dialog->FindWindow(CDlgProject::kIdResponsesHistory)->IsShown());
  // The working project was only read from, never opened by the dialog.
  EXPECT_FALSE(working.IsOpenCfr());
}

TEST_F(ProjectDialogTest, TheUsersListAndThePropertiesButtonsOpenTheInstalledWindows) {
  LogIn();
  const std::string path = m_folder.File("listed.qep");
  ASSERT_TRUE(CQelProject::CreateProject(path, "Neurology", "", "pw", true, false));
  std::vector<std::string> opened;
  SetProjectWindow(ProjectWindow::kUsers, [&](wxWindow*, CQelProject& project) {
    opened.push_back("users " + std::to_string(project.GetUserCount()));
  });
  SetProjectWindow(ProjectWindow::kTestees,
                   [&](wxWindow*, CQelProject& project) { opened.push_back("testees " + project.GetName()); });
  CQelProject working(m_tasks);
  working.SetPath(path.c_str());
  // Without the password the users list waits for it.
  ASSERT_EQ(Open(ProjectDlgMode::kUsersList, &working), 0);
  EXPECT_EQ(Info(), "ENTER PROJECT's PASSWORD!");
  Type(m_dialog, CDlgProject::kIdPassword, "pw");
  Press(m_dialog, wxID_OK);
  EXPECT_TRUE(Ended());
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], "users 1");
  // With it, the list opens at once.
  working.SetPassword("pw");
  EXPECT_EQ(Open(ProjectDlgMode::kUsersList, &working), wxID_OK);
  EXPECT_EQ(opened.size(), 2u);

  ASSERT_EQ(Open(ProjectDlgMode::kProperties, &working), 0);
  EXPECT_TRUE(m_dialog->FindWindow(CDlgProject::kIdTestees)->IsShown());
  EXPECT_FALSE(m_dialog->FindWindow(CDlgProject::kIdModels)->IsShown());  // no window installed
  Press(m_dialog, CDlgProject::kIdTestees);
  EXPECT_EQ(opened.back(), "testees listed");
  SetProjectWindow(ProjectWindow::kUsers, nullptr);
  SetProjectWindow(ProjectWindow::kTestees, nullptr);
}

TEST_F(ProjectDialogTest, BrowsingOpensTheChosenProject) {
  const std::string path = MakePlainProject("chosen.qep", 1);
  CQelProject working(m_tasks);
  ASSERT_EQ(Open(ProjectDlgMode::kOpenBrowse, &working), 0);
  EXPECT_EQ(m_dialog->GetTitle(), "Open existing project");
  EXPECT_TRUE(m_dialog->FindWindow(CDlgProject::kIdBrowse)->IsEnabled());
  Press(m_dialog, wxID_OK);
  EXPECT_EQ(m_messages.ShownTexts().back(), "Enter path of project file!\n");
  m_dialog->SetFileChooser([&](wxWindow*, bool save, const std::string&) {
    EXPECT_FALSE(save);
    return path;
  });
  Press(m_dialog, CDlgProject::kIdBrowse);
  EXPECT_EQ(FindControl<wxTextCtrl>(m_dialog, CDlgProject::kIdPath)->GetValue().utf8_string(), path);
  Press(m_dialog, wxID_OK);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(working.GetPath(), path);
  EXPECT_EQ(working.GetTesteeCount(), 1);

  // A stored path that is gone closes the dialog at once, telling why.
  working.SetPath(m_folder.File("moved.qep").c_str());
  size_t shown = m_messages.Shown().size();
  EXPECT_EQ(Open(ProjectDlgMode::kOpenPath, &working), wxID_CANCEL);
  EXPECT_EQ(working.GetOpenResult(), 2);  // the file was not found
  ASSERT_GT(m_messages.Shown().size(), shown);
  EXPECT_NE(m_messages.ShownTexts().back().find("moved.qep"), std::string::npos);

  // A missing file is told and the dialog stays.
  ASSERT_EQ(Open(ProjectDlgMode::kOpenBrowse, &working), 0);
  Type(m_dialog, CDlgProject::kIdPath, m_folder.File("gone.qep"));
  const size_t before = m_messages.Shown().size();
  Press(m_dialog, wxID_OK);
  EXPECT_TRUE(m_dialog->IsShown());
  EXPECT_GT(m_messages.Shown().size(), before);
}

TEST_F(ProjectDialogTest, TheUserDialogRegistersProjectUsersThroughTheProject) {
  LogIn();
  const std::string path = m_folder.File("users.qep");
  ASSERT_TRUE(CQelProject::CreateProject(path, "Neurology", "", "pw", true, false));
  CQelProject project(m_tasks);
  project.SetPath(path.c_str());
  project.SetPassword("pw");
  // The stored password opens the project without asking.
  auto* dialog = new CDlgUser(nullptr, &project, nullptr, UserDlgMode::kRegister, false, m_tasks);
  dialog->Show();
  Pump(30);
  ASSERT_TRUE(dialog->UsersLoaded());
  EXPECT_EQ(dialog->GetTitle(), "Project users: Register new user");
  ASSERT_EQ(dialog->Users().size(), 1u);  // the creator
  Type(dialog, CDlgUser::kIdUserId, "ann");
  Type(dialog, CDlgUser::kIdNewPassword, "pw2");
  Type(dialog, CDlgUser::kIdConfirmation, "pw2");
  Type(dialog, CDlgUser::kIdFirstName, "Ann");
  Type(dialog, CDlgUser::kIdSurname, "Smith");
  Press(dialog, CDlgUser::kIdSave);
  EXPECT_EQ(m_messages.ShownTexts().back(), "! Duplicate User Id, try another one !");
  Type(dialog, CDlgUser::kIdUserId, "bo");
  Press(dialog, CDlgUser::kIdSave);
  EXPECT_EQ(m_messages.ShownTexts().back(), "User \"bo\"\nsuccessfully registered in\nproject \"" + path + "\"!");
  EXPECT_FALSE(dialog->IsShown());
  EXPECT_EQ(dialog->GetReturnCode(), wxID_OK);
  EXPECT_TRUE(project.IsUser("bo"));
  dialog->Destroy();
  Pump(10);

  // The file holds the new user with a salted hash, never the typed text.
  const ShellResult users =
      Shell(m_folder, "sqlcipher", path, Keyed("pw", "SELECT Id || '|' || substr(PWD, 1, 7) FROM Users ORDER BY Id;"));
  EXPECT_EQ(users.output, "ann|pbkdf2:\nbo|pbkdf2:\n") << users.output;
  const ShellResult typed =
      Shell(m_folder, "sqlcipher", path, Keyed("pw", "SELECT count(*) FROM Users WHERE PWD LIKE '%pw2%';"));
  EXPECT_EQ(typed.output, "0\n");

  // Logging in as a project user checks the stored hash.
  auto* login = new CDlgUser(nullptr, &project, nullptr, UserDlgMode::kLogin, false, m_tasks);
  login->Show();
  Pump(30);
  Type(login, CDlgUser::kIdUserId, "bo");
  Type(login, CDlgUser::kIdPassword, "pw");
  Press(login, wxID_OK);
  EXPECT_EQ(m_messages.ShownTexts().back(), "Wrong 'User password!'\n");
  Type(login, CDlgUser::kIdPassword, "pw2");
  Press(login, wxID_OK);
  EXPECT_EQ(login->GetReturnCode(), wxID_OK);
  EXPECT_EQ(login->Record().m_id, "bo");
  login->Destroy();
  Pump(10);
}

}  // namespace
}  // namespace test

}  // namespace qel
