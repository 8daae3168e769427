// QelUninstall: its command-line rules as tables of cases, the permission
// form on real files (read back with stat and getfacl), and the program
// itself run against a fake package manager put first on the PATH.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "db/tests/support/DbTestTools.h"
#include "tests/support/common/TempFolder.h"
#include "tools/uninstall/UninstallCommand.h"

namespace qel {

namespace test {
namespace {

using namespace uninstall;

struct TokenCase {
  const char* label;
  const char* commandLine;
  std::vector<PermissionToken> tokens;
};

void PrintTo(const TokenCase& c, std::ostream* os) { *os << c.label; }

class PermissionTokens : public ::testing::TestWithParam<TokenCase> {};

TEST_P(PermissionTokens, AreFoundAsWritten) {
  const std::vector<PermissionToken> got = ParsePermissionTokens(GetParam().commandLine);
  ASSERT_EQ(got.size(), GetParam().tokens.size());
  for (size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].mode, GetParam().tokens[i].mode) << i;
    EXPECT_EQ(got[i].list, GetParam().tokens[i].list) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PermissionTokens,
    ::testing::Values(
        TokenCase{"ReadOnlyAndWritableLists",
                  "/ra.txt,b.txt /wc.txt",
                  {{kReadOnlyMode, "a.txt,b.txt"}, {kWritableMode, "c.txt"}}},
        TokenCase{"ATokenWithoutSlashBetweenIsSkipped",
                  "/ra.txt skipped /wc.txt",
                  {{kReadOnlyMode, "a.txt"}, {kWritableMode, "c.txt"}}},
        TokenCase{"AnotherLetterIsSkipped", "/xfile.txt /wd.txt", {{kWritableMode, "d.txt"}}},
        TokenCase{"TheLetterInCapitalsKeepsTheNamesCase", "/RA.TXT /Wb.Txt",
                  {{kReadOnlyMode, "A.TXT"}, {kWritableMode, "b.Txt"}}},
        TokenCase{"ABareModeHasAnEmptyList", "/r", {{kReadOnlyMode, ""}}},
        TokenCase{"ASlashEndingTheLineIsSkipped", "/ra.txt /", {{kReadOnlyMode, "a.txt"}}},
        TokenCase{"ASlashInsideATokenStartsIt", "/ra.txt x/wd.txt", {{kReadOnlyMode, "a.txt"}, {kWritableMode, "d.txt"}}},
        TokenCase{"RepeatedBlanksMakeNoTokens", "/ra.txt   /wb.txt", {{kReadOnlyMode, "a.txt"}, {kWritableMode, "b.txt"}}},
        TokenCase{"ABlankAfterTheSlashSkipsTheToken", "/ r.txt /wb.txt", {{kWritableMode, "b.txt"}}}));

struct CodeCase {
  const char* label;
  std::string commandLine;
  std::string code;
  bool quiet;
};

void PrintTo(const CodeCase& c, std::ostream* os) { *os << c.label; }

class ProductCodes : public ::testing::TestWithParam<CodeCase> {};

TEST_P(ProductCodes, AreFoundOnlyWithBraces37Apart) {
  EXPECT_EQ(FindProductCode(GetParam().commandLine), GetParam().code);
  EXPECT_EQ(IsQuietRemoval(GetParam().commandLine), GetParam().quiet);
}

const std::string kCode = kProductCode;

INSTANTIATE_TEST_SUITE_P(
    Cases, ProductCodes,
    ::testing::Values(CodeCase{"PlainCode", kCode, kCode, false},
                      CodeCase{"QuietInCapitals", "/X " + kCode + " /QUIET", kCode, true},
                      CodeCase{"QuietMixedCase", "/Quiet /x" + kCode, kCode, true},
                      CodeCase{"Braces36Apart", "{3B8E6F0A-52C4-4D7E-9A1B-C6F2D8E40A5} /quiet", "", true},
                      CodeCase{"Braces38Apart", "{3B8E6F0A-52C4-4D7E-9A1B-C6F2D8E40A577}", "", false},
                      CodeCase{"NoBraces", "remove it all", "", false},
                      CodeCase{"CloseBeforeOpen", "}" + kCode, "", false},
                      CodeCase{"QuietWordWithoutSlash", kCode + " quiet", kCode, false}));

TEST(ProductCode, OnlyOursNamesThePackageAndQuietRemovalAsksNothing) {
  EXPECT_EQ(PackageOfProductCode(kCode), kPackageName);
  std::string lower = kCode;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(PackageOfProductCode(lower), kPackageName);
  EXPECT_EQ(PackageOfProductCode("{00000000-0000-0000-0000-000000000000}"), "");
  EXPECT_EQ(PackageOfProductCode(""), "");
  EXPECT_EQ(BuildRemovalCommand("pkg", true),
            (std::vector<std::string>{"apt-get", "remove", "--yes", "--quiet", "pkg"}));
  EXPECT_EQ(BuildRemovalCommand("pkg", false), (std::vector<std::string>{"apt-get", "remove", "--yes", "pkg"}));
}

std::string Facl(const std::string& path) {
  return RunProgram({"getfacl", "--omit-header", "--absolute-names", path}).output;
}

mode_t Mode(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

class PermissionFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = m_dir.Path().string() + "/";
    for (const char* name : {"a.txt", "b.txt", "c.txt", "run.sh"}) {
      std::ofstream(m_folder + name) << name;
      ASSERT_EQ(::chmod((m_folder + name).c_str(), 0666), 0);
    }
    ASSERT_EQ(::chmod((m_folder + "run.sh").c_str(), 0777), 0);
  }
  TempFolder m_dir;
  std::string m_folder;
};

TEST_F(PermissionFormTest, ListedFilesBecomeReadOnlyOrGroupWritableAndOpenToTheUsersGroup) {
  std::vector<std::string> refusals;
  EXPECT_EQ(RunPermissionForm(m_folder, "/ra.txt,b.txt /wc.txt /rrun.sh", &refusals), kExitDone);
  EXPECT_TRUE(refusals.empty());
  for (const char* name : {"a.txt", "b.txt"}) {
    EXPECT_EQ(Mode(m_folder + name), 0444u) << name;
  }
  // Writable for the group, never for everyone.
  EXPECT_EQ(Mode(m_folder + "c.txt") & 0777, 0664u);
  EXPECT_EQ(Mode(m_folder + "run.sh") & 0777, 0555u);  // executable stays executable
  if (!HaveProgram("getfacl")) GTEST_SKIP() << "getfacl is needed";
  const std::string a = Facl(m_folder + "a.txt");
  EXPECT_NE(a.find("group:users:r--"), std::string::npos) << a;
  EXPECT_NE(a.find("other::r--"), std::string::npos) << a;
  const std::string c = Facl(m_folder + "c.txt");
  EXPECT_NE(c.find("group:users:rw-"), std::string::npos) << c;
  EXPECT_NE(c.find("other::r--"), std::string::npos) << c;
}

TEST_F(PermissionFormTest, NamesOutsideTheFolderMissingFilesAndEmptyNamesAreRefusedWithTheirReason) {
  const std::string outside = m_dir.File("outside.txt");
  std::ofstream(outside) << "outside";
  ASSERT_EQ(::chmod(outside.c_str(), 0600), 0);
  std::filesystem::create_directory(m_dir.File("sub"));
  std::ofstream(m_dir.File("sub/in.txt")) << "in";
  ASSERT_EQ(::chmod(m_dir.File("sub/in.txt").c_str(), 0600), 0);

  std::vector<std::string> refusals;
  const std::string folder = m_dir.File("sub") + "/";
  EXPECT_EQ(RunPermissionForm(folder, "/r../outside.txt,in.txt,missing.txt,,sub/in.txt", &refusals), kExitRefused);
  ASSERT_EQ(refusals.size(), 4u);
  EXPECT_NE(refusals[0].find("../outside.txt"), std::string::npos) << refusals[0];
  EXPECT_NE(refusals[1].find("missing.txt"), std::string::npos) << refusals[1];
  EXPECT_NE(refusals[2].find("\"\""), std::string::npos) << refusals[2];
  EXPECT_NE(refusals[3].find("sub/in.txt"), std::string::npos) << refusals[3];
  EXPECT_EQ(Mode(outside), 0600u);
  EXPECT_EQ(Mode(m_dir.File("sub/in.txt")), 0444u);  // the good name in the list is still done

  // Nothing to do is no failure; a folder is not a file.
  refusals.clear();
  EXPECT_EQ(RunPermissionForm(m_folder, "/r /xa.txt", &refusals), kExitDone);
  EXPECT_EQ(Mode(m_folder + "a.txt"), 0666u);
  EXPECT_EQ(RunPermissionForm(m_dir.Path().string() + "/", "/wsub", &refusals), kExitRefused);
  EXPECT_FALSE(SetFileModeList(m_folder, 0x40, "a.txt", &refusals));
  EXPECT_FALSE(SetFileModeList("", kReadOnlyMode, "a.txt", &refusals));
  EXPECT_FALSE(SetFileModeList(m_folder, kReadOnlyMode, "   ", &refusals));
  EXPECT_EQ(Mode(m_folder + "a.txt"), 0666u);
}

// A fake package manager first on the PATH: it writes its arguments and
// the DEBIAN_FRONTEND it saw to a file and ends with the status given.
class FakePackageManager : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* path = std::getenv("PATH");
    m_savedPath = path ? path : "";
    m_log = m_dir.File("apt-get.log");
    WriteFake(0);
    ::setenv("PATH", (m_dir.Path().string() + ":" + m_savedPath).c_str(), 1);
  }
  void TearDown() override { ::setenv("PATH", m_savedPath.c_str(), 1); }

  void WriteFake(int status) {
    const std::string fake = m_dir.File("apt-get");
    std::ofstream(fake) << "#!/bin/sh\necho \"$@ frontend=$DEBIAN_FRONTEND\" >> '" << m_log
                        << "'\necho removing\nexit " << status << "\n";
    ASSERT_EQ(::chmod(fake.c_str(), 0755), 0);
  }
  std::string Log() const {
    std::ifstream in(m_log);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // The program as installed: its own copy in a folder of its own.
  ProgramResult RunTool(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {std::string(QEL_OUTPUT_DIR) + "/QelUninstall"};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProgram(argv);
  }

  TempFolder m_dir;
  std::string m_savedPath;
  std::string m_log;
};

TEST_F(FakePackageManager, TheQuietRemovalRunsThePackageManagerWithoutQuestions) {
  std::string output;
  EXPECT_EQ(RunCommand(BuildRemovalCommand(kPackageName, true), &output), 0);
  EXPECT_EQ(output, "removing\n");
  EXPECT_EQ(Log(), "remove --yes --quiet qel-task-battery frontend=noninteractive\n");
  WriteFake(100);
  EXPECT_EQ(RunCommand(BuildRemovalCommand(kPackageName, true), nullptr), 100);
  EXPECT_EQ(RunCommand({"qel-no-such-program-here"}, &output), -1);
}

TEST_F(FakePackageManager, TheProgramRemovesOnlyItsOwnProductAndTellsHowItEnded) {
  ProgramResult r = RunTool({"remove", kProductCode, "/QUIET"});
  EXPECT_EQ(r.exitCode, kExitDone) << r.errors;
  EXPECT_EQ(Log(), "remove --yes --quiet qel-task-battery frontend=noninteractive\n");

  std::filesystem::remove(m_log);
  r = RunTool({"{3B8E6F0A-52C4-4D7E-9A1B-C6F2D8E40A5}", "/quiet"});
  EXPECT_EQ(r.exitCode, kExitNoProduct);
  EXPECT_NE(r.errors.find("no product code"), std::string::npos) << r.errors;
  r = RunTool({"{00000000-0000-0000-0000-000000000000}", "/quiet"});
  EXPECT_EQ(r.exitCode, kExitNoProduct);
  EXPECT_NE(r.errors.find("is not the product code"), std::string::npos) << r.errors;
  EXPECT_FALSE(std::filesystem::exists(m_log));  // nothing was started

  WriteFake(1);
  r = RunTool({kProductCode, "/quiet"});
  EXPECT_EQ(r.exitCode, kExitRemovalFailed);
  EXPECT_NE(r.errors.find("status 1"), std::string::npos) << r.errors;
  ::setenv("PATH", "/nonexistent-folder", 1);
  r = RunTool({kProductCode, "/quiet"});
  EXPECT_EQ(r.exitCode, kExitNotStarted);
}

TEST_F(FakePackageManager, ThePermissionFormWorksInTheProgramsOwnFolder) {
  const std::string tool = m_dir.File("QelUninstall");
  std::filesystem::copy_file(std::string(QEL_OUTPUT_DIR) + "/QelUninstall", tool);
  std::ofstream(m_dir.File("a.txt")) << "a";
  ASSERT_EQ(::chmod(m_dir.File("a.txt").c_str(), 0666), 0);
  ProgramResult r = RunProgram({tool, "/ra.txt", "/wmissing.txt"});
  EXPECT_EQ(r.exitCode, kExitRefused);
  EXPECT_NE(r.errors.find("missing.txt"), std::string::npos) << r.errors;
  EXPECT_EQ(Mode(m_dir.File("a.txt")), 0444u);
  r = RunProgram({tool, "/wa.txt"});
  EXPECT_EQ(r.exitCode, kExitDone) << r.errors;
  EXPECT_EQ(Mode(m_dir.File("a.txt")), 0664u);
}

}  // namespace
}  // namespace test

}  // namespace qel
