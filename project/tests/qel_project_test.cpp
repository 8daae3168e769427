// The project object: one way to create, check, open, convert, read and
// write a project of either format, sending each request to the open
// file's format, and telling a missing or wrong password apart.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/model/ExpModel.h"
#include "db/tests/support/DbTestTools.h"
#include "project/QelProject.h"
#include "project/tests/CfrProjectSupport.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {
namespace {

std::string Sql(const std::string& path, const std::string& sql) { return RunSqlShell("sqlite3", path, sql).output; }

int FilesIn(const std::string& folder) {
  return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// The program's logged-in user for one test.
class LoggedIn {
 public:
  explicit LoggedIn(const CUserRecord* user) { CQelProject::SetLoggedUser(user); }
  ~LoggedIn() { CQelProject::SetLoggedUser(nullptr); }
};

class QelProjectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveProgram("sqlite3")) GTEST_SKIP() << "no sqlite3 shell";
  }

  TempFolder dir_;
  AllTasksLoaded tasks_;
  CUserRecord jdoe_ = TestUser("jdoe");
};

TEST_F(QelProjectTest, ANewProjectIsCfrExactlyWhenAUserIsLoggedInAndReplacesAnOldFileWhole) {
  const std::string path = dir_.File("New.qep");
  {
    std::ofstream old(path);
    old << "an old file";
  }
  EXPECT_FALSE(CQelProject::CreateProject("", "Clinic", "", nullptr, true, false));
  ASSERT_TRUE(CQelProject::CreateProject(path, "Clinic", "Study", nullptr, true, false));
  EXPECT_EQ(Sql(path, "SELECT count(*) FROM sqlite_master WHERE name = 'StringsProject';"), "0\n");
  EXPECT_EQ(Sql(path, "SELECT Text FROM Owner WHERE Code = 'User';"), "Clinic\n");
  {
    LoggedIn session(&jdoe_);
    ASSERT_TRUE(CQelProject::CreateProject(path, "Clinic", "Study", nullptr, true, false));
  }
  EXPECT_EQ(Sql(path, "SELECT String1 FROM StringsProject WHERE CodeNumber = 1;"), "jdoe\n");
  EXPECT_EQ(FilesIn(dir_.Path()), 1);
  // A project that cannot be made leaves the old one.
  LoggedIn session(&jdoe_);
  const std::string folder = dir_.File("Folder.qep");
  std::filesystem::create_directory(folder);
  PromptRecorder prompts;
  EXPECT_FALSE(CQelProject::CreateProject(folder, "Clinic", "", nullptr, true, false));
  EXPECT_TRUE(std::filesystem::is_directory(folder));
}

TEST_F(QelProjectTest, APasswordIsToldMissingOrInvalidAndTheRightOneOpensTheProject) {
  const std::string path = dir_.File("Secret.qep");
  MakeCfrProjectForRuns(path, "right");
  CQelProject project(tasks_);
  PromptRecorder prompts;
  EXPECT_FALSE(project.Check("", true));
  EXPECT_FALSE(project.IsPasswordRequired());
  EXPECT_TRUE(prompts.Shown().empty());

  EXPECT_FALSE(project.Open(path, true, false));
  EXPECT_EQ(project.GetOpenResult(), 5);
  EXPECT_TRUE(project.IsPasswordRequired());
  EXPECT_FALSE(project.IsOpenCfr());
  EXPECT_TRUE(project.IsOpen());
  project.SetPassword("wrong");
  EXPECT_FALSE(project.Open(path, true, false));
  EXPECT_EQ(project.GetOpenResult(), 5);
  EXPECT_EQ(prompts.ShownTexts(), (std::vector<std::string>{"Project \"" + path + "\"\r\nPASSWORD REQUIRED!",
                                                              "Project \"" + path + "\"\r\nINVALID PASSWORD!"}));
  EXPECT_EQ(prompts.Shown()[0].style, kPromptOk | kPromptIconStop);
  EXPECT_EQ(project.GetTesteeCount(), 0);

  project.SetPassword("right");
  ASSERT_TRUE(project.Open(path, true, false));
  EXPECT_EQ(project.GetOpenResult(), 0);
  EXPECT_TRUE(project.IsOpenCfr());
  EXPECT_FALSE(project.IsPasswordRequired());
  EXPECT_EQ(project.GetTesteeCount(), 1);
  EXPECT_EQ(project.GetOwner(), "Clinic");
  EXPECT_EQ(project.GetCreationUser(), "admin");
  EXPECT_EQ(project.GetName(), "Secret");
  EXPECT_EQ(prompts.Shown().size(), 2u);
}

TEST_F(QelProjectTest, RequestsGoToTheOpenFilesFormat) {
  const std::string cfr = dir_.File("Audited.qep");
  MakeCfrProjectForRuns(cfr);
  const std::string plain = dir_.File("Plain.qep");
  ASSERT_TRUE(CProjectDbPlain::CreateProjectFile(plain, "Clinic", "", nullptr, true, false));

  auto runData = std::make_unique<CTaskRunData>();
  CTaskLibrary library;
  library.scoreVariables = kTestVariables;
  library.scoreVariableCount = static_cast<uint32_t>(std::size(kTestVariables));
  LoggedIn session(&jdoe_);

  CQelProject audited(tasks_);
  audited.AttachRunData(runData.get());
  audited.SetScoreVariableTable(&library);
  ASSERT_TRUE(audited.Open(cfr, false, false));
  ASSERT_TRUE(audited.IsOpenCfr());
  // The run engine's view: stored as the logged-in user, with the testee's
  // birth date from the cache.
  for (int i = 0; i < 20; ++i) runData->reactionTime[0][i] = 300 + i;
  runData->scoreVariableCount = 3;
  CExpModelTask task = RunTask(kCfrCode, 1, 1, 20);
  IRunProject& run = audited;
  bool userAdded = false;
  bool newRow = false;
  ASSERT_TRUE(run.WriteResponses(kCfrTestee, kCfrModel, task, *runData, 3, QelDateTime::FromDate(2024, 4, 5), &userAdded,
                                 &newRow));
  EXPECT_TRUE(userAdded);
  EXPECT_TRUE(newRow);
  EXPECT_EQ(Sql(cfr, "SELECT User, DateBirth, Preference, Sex FROM Responses;"), "jdoe|1970.05.06 00:00:00|1|2\n");
  EXPECT_TRUE(audited.IsUser("jdoe"));
  EXPECT_EQ(run.GetPath(), cfr);
  runData->reactionTime[0][19] = 0;
  CExpModelTask again = RunTask(kCfrCode, 1, 1, 0);
  ASSERT_TRUE(run.ReadResponses(kCfrTestee, kCfrModel, again, 1, 1, 1));
  EXPECT_EQ(again.trialCounts[0], 20u);
  EXPECT_EQ(runData->reactionTime[0][19], 319);
  EXPECT_EQ(audited.ReadVariableHistory("", "", "", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                        nullptr, nullptr),
            0);

  CQelProject simple(tasks_);
  simple.AttachRunData(runData.get());
  ASSERT_TRUE(simple.Open(plain, false, false));
  EXPECT_TRUE(simple.IsOpen());
  EXPECT_FALSE(simple.IsOpenCfr());
  EXPECT_EQ(simple.GetVersionText(), "04.00");
  EXPECT_EQ(simple.ReadTesteeHistory(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                     nullptr),
            0);
  EXPECT_EQ(simple.ReadResponseHistory("", "", "", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                       nullptr),
            0);
  EXPECT_FALSE(simple.WriteProjectUser(jdoe_, "jdoe", false));
  EXPECT_EQ(simple.GetCreationDate() + simple.GetCreationTime() + simple.GetCreationUser() + simple.GetSavedByUser(),
            "");
  const QelDateTime asOf = QelDateTime::FromDate(2024, 1, 1);
  std::vector<double> values{1.0};
  QelDateTime birth = asOf;
  EXPECT_EQ(simple.ReadVariables("T", "M", "C", 1, &asOf, nullptr, nullptr, nullptr, nullptr, &values, nullptr, &birth,
                                 nullptr, nullptr, nullptr, nullptr),
            0);
  EXPECT_TRUE(values.empty());
  EXPECT_FALSE(birth.IsValid());
  EXPECT_EQ(simple.ReadVariablesAsOf("T", "M", "C", 1, &asOf, nullptr, nullptr, nullptr), 0);
  EXPECT_TRUE(simple.CheckModelAssessments("T", "M", nullptr));
}

TEST_F(QelProjectTest, ConvertingNeedsAPlainProjectAndALoggedInUserAndIsTold) {
  const std::string plain = dir_.File("Plain.qep");
  ASSERT_TRUE(CProjectDbPlain::CreateProjectFile(plain, "Clinic", "Pilot", "old key", true, false));
  const std::string cfr = dir_.File("Audited.qep");
  PromptRecorder prompts;
  EXPECT_FALSE(CQelProject::ConvertToCfr(plain, cfr, "old key", "new key"));
  LoggedIn session(&jdoe_);
  ASSERT_TRUE(CQelProject::ConvertToCfr(plain, cfr, "old key", "new key"));
  EXPECT_EQ(prompts.ShownTexts(), std::vector<std::string>{"Project\n\"" + plain +
                                                           "\"\nconverted into CFR compliant project\n\"" + cfr +
                                                           "\"\n"});
  CQelProject project(tasks_);
  project.SetPassword("new key");
  ASSERT_TRUE(project.Open(cfr, false, false));
  EXPECT_TRUE(project.IsOpenCfr());
  EXPECT_EQ(project.GetOwner(), "Clinic");
  EXPECT_EQ(project.GetOwnerComment(), "Pilot");
  EXPECT_EQ(project.GetTesteeCodeCount(), 1);
  EXPECT_FALSE(CQelProject::ConvertToCfr(cfr, dir_.File("Again.qep"), "new key", "x"));
  EXPECT_EQ(prompts.ShownTexts().back(), "Project\n\"" + cfr + "\"\nis already CFR project.");
  EXPECT_FALSE(std::filesystem::exists(dir_.File("Again.qep")));
}

}  // namespace
}  // namespace test

}  // namespace qel
