// The raw response export of one stored assessment: every trial of the
// parts that hold trials as one "|"-separated line, read back line by line
// and by python's csv reader, from a plain and a CFR project with the
// Tapping plug-in; the file replaces an old one only whole.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "db/export/ExportConnections.h"
#include "db/export/RsOdbcExport.h"
#include "db/tests/support/DbTestTools.h"
#include "tests/support/common/PromptRecorder.h"
#include "ui/RawResponseExport.h"
#include "ui/tests/DataProjectSupport.h"

namespace qel {
namespace test {
namespace {

std::vector<std::string> Lines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = text.find("\r\n", at);
    EXPECT_NE(end, std::string::npos) << "a line without CR LF";
    if (end == std::string::npos) break;
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

constexpr char kHeader[] =
    "TesteeId|Code|Fname|Sname|Sex|Pref|Bdate|Tdate|Ttime|Age|ModelId|TaskId|AssNo|PartNo|RespType|RespTime|RespCode|"
    "ProcType";

// Dates as the C locale writes them.
class CLocale {
 public:
  CLocale() {
    if (const char* old = std::getenv("LC_ALL")) m_old = old, m_had = true;
    ::setenv("LC_ALL", "C.UTF-8", 1);
  }
  ~CLocale() {
    if (m_had) ::setenv("LC_ALL", m_old.c_str(), 1);
    else ::unsetenv("LC_ALL");
  }

 private:
  std::string m_old;
  bool m_had = false;
};

class RawResponseExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tapping_.Loaded());
    code_ = tapping_.Code();
  }
  void TearDown() override { CQelProject::SetLoggedUser(nullptr); }

  std::unique_ptr<DataProject> Make(bool cfr) {
    auto project = std::make_unique<DataProject>(dir_.File(cfr ? "Audited.qep" : "Plain.qep"), cfr, code_);
    EXPECT_TRUE(project->Ok());
    return project;
  }
  DataPageScore Score(const std::string& testee, uint32_t assessment) {
    return DataPageScore{testee, kDataModel, code_, assessment};
  }

  CLocale locale_;
  TappingLoaded tapping_;
  TempFolder dir_;
  std::string code_;
  PromptRecorder prompts_;
};

TEST_F(RawResponseExportTest, ProposedNameAndTrialTexts) {
  EXPECT_EQ(RawResponseFileName({"T01", "Motor", "TP", 3}), "R_TP_3_T01");
  CExpModelTask task;  // no plug-in: codes have no names
  struct Case {
    int32_t type, code, proc;
    int preference;
    const char *typeText, *codeText, *procText;
  };
  const Case cases[] = {
      {1, 1, 1, 0, "HI", "L", "HI"},      {2, 2, 5, 0, "CR", "R", "AC"},
      {1, 1, 1, 1, "HI", "R", "HI"},      {1, 2, 3, 1, "HI", "L", "FA"},
      {0, 3, 0, 1, "NO", "LR", "NO"},     {5, 4, 8, 0, "AC", "V", "DU"},
      {9, 3, 4, 0, "9", "3", "4"},        {8, 7, 12, 0, "DU", "LRV", "12"},
  };
  for (const Case& c : cases) {
    const RawTrialTexts t = MakeRawTrialTexts(c.type, c.code, c.proc, c.preference, task);
    EXPECT_EQ(t.type, c.typeText) << c.type;
    EXPECT_EQ(t.code, c.codeText) << c.type << " " << c.code << " pref " << c.preference;
    EXPECT_EQ(t.proc, c.procText) << c.proc;
  }
}

TEST_F(RawResponseExportTest, APlainProjectsAssessmentLineByLine) {
  auto project = Make(false);
  const CUserRecord& anna = project->Anna();
  const QelDateTime first = QelDateTime::FromDate(2020, 7, 1, 10, 30, 15);
  const QelDateTime third = QelDateTime::FromDate(2020, 7, 2, 9, 5, 0);
  // Parts 1 and 3 of assessment 2 hold trials; part 2 none.
  ASSERT_TRUE(project->Store("T01", 2, 1, {{1, 350, 1, 1}, {2, 410, 2, 5}, {9, 500, 3, 12}}, anna, first));
  ASSERT_TRUE(project->Store("T01", 2, 3, {{5, 275, 4, 3}, {0, 0, 3, 0}}, anna, third));
  // A code name of the plug-in for a revised category it names.
  const char* const names[] = {"LOFA"};
  CTaskLibrary* library = tapping_.Library();
  library->codeNames = names;
  library->codeNameFirst = 12;
  library->codeNameCount = 1;

  const std::string path = dir_.File("R_TP_2_T01.txt");
  const bool written = ExportRawResponses(path, project->Project(), Score("T01", 2), false);
  library->codeNames = nullptr;
  library->codeNameCount = 0;
  ASSERT_TRUE(written);
  EXPECT_TRUE(prompts_.Shown().empty());

  const std::vector<std::string> lines = Lines(path);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], kHeader);
  // The testee's "|" and line break became blanks; preference 1 exchanges L and R.
  const std::string part1 = "T01|Default|Ann Marie|Lee Smith|Female|L|01/01/1990|07/01/2020|10:30|30.50|Motor|" +
                            code_ + "|2|1|";
  EXPECT_EQ(lines[1], part1 + "HI|350|R|HI");
  EXPECT_EQ(lines[2], part1 + "CR|410|L|AC");
  // A type of 9 or more: every code as its number, the revised one by the plug-in's name.
  EXPECT_EQ(lines[3], part1 + "9|500|3|LOFA");
  const std::string part3 = "T01|Default|Ann Marie|Lee Smith|Female|L|01/01/1990|07/02/2020|09:05|30.50|Motor|" +
                            code_ + "|2|3|";
  EXPECT_EQ(lines[4], part3 + "AC|275|V|FA");
  EXPECT_EQ(lines[5], part3 + "NO|0|LR|NO");

  // Python's csv reader sees the same table: 18 fields on every line.
  const ProgramResult r = RunProgram(
      {SystemPython(), "-c",
       "import sys, csv\n"
       "rows = list(csv.reader(open(sys.argv[1], newline=''), delimiter='|'))\n"
       "print(len(rows), set(len(r) for r in rows), rows[5][16], rows[3][13])\n",
       path});
  ASSERT_EQ(r.exitCode, 0) << r.errors;
  EXPECT_EQ(r.output, "6 {18} LR 1\n");
}

TEST_F(RawResponseExportTest, AnAuditedProjectNamesTheTesterOfEachWrittenPart) {
  auto project = Make(true);
  const CUserRecord kim = DataUser("kim", "Kim", "Lund");
  const QelDateTime date = QelDateTime::FromDate(2021, 3, 4, 8, 0, 0);
  // Part 1 by anna, part 2 without trials, part 4 by kim.
  ASSERT_TRUE(project->Store("T02", 1, 1, {{1, 300, 2, 1}}, project->Anna(), date));
  ASSERT_TRUE(project->Store("T02", 1, 4, {{3, 320, 1, 3}, {4, 0, 0, 4}}, kim, date));
  ASSERT_TRUE(project->Project().IsOpenCfr());

  const std::string path = dir_.File("R_audited.txt");
  ASSERT_TRUE(ExportRawResponses(path, project->Project(), Score("T02", 1), true));
  const std::vector<std::string> lines = Lines(path);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], std::string("TesterId|TFname|TSname|") + kHeader);
  const std::string who = "T02|Default|Bob|Ray|Male|R|02/03/1975|03/04/2021|08:00|46.08|Motor|" + code_ + "|1|";
  EXPECT_EQ(lines[1], "anna|Anna|Berg|" + who + "1|HI|300|R|HI");
  EXPECT_EQ(lines[2], "kim|Kim|Lund|" + who + "4|FA|320|L|FA");
  EXPECT_EQ(lines[3], "kim|Kim|Lund|" + who + "4|MI|0||MI");

  // Without the tester columns (a plain project or a program outside 21 CFR mode).
  ASSERT_TRUE(ExportRawResponses(path, project->Project(), Score("T02", 1), false));
  EXPECT_EQ(Lines(path)[0], kHeader);
}

TEST_F(RawResponseExportTest, AnUnreadableTesteeOrTaskLeavesTheHeaderOnly) {
  auto project = Make(false);
  const std::string path = dir_.File("header.txt");
  ASSERT_TRUE(ExportRawResponses(path, project->Project(), Score("Nobody", 1), false));
  EXPECT_EQ(Lines(path), std::vector<std::string>{kHeader});
  DataPageScore noTask = Score("T01", 1);
  noTask.task = "ZZ";
  ASSERT_TRUE(ExportRawResponses(path, project->Project(), noTask, false));
  EXPECT_EQ(Lines(path), std::vector<std::string>{kHeader});
}

TEST_F(RawResponseExportTest, TheFileReplacesAnOldOneWholeOrNotAtAll) {
  auto project = Make(false);
  ASSERT_TRUE(project->Store("T01", 1, 2, {{1, 333, 1, 1}}, project->Anna(), QelDateTime::FromDate(2022, 1, 1)));
  const std::string path = dir_.File("R_TP_1_T01.txt");
  {
    std::ofstream old(path);
    old << "old contents\n";
  }
  ::chmod(path.c_str(), 0640);
  struct stat before {};
  ASSERT_EQ(::stat(path.c_str(), &before), 0);
  ASSERT_TRUE(ExportRawResponses(path, project->Project(), Score("T01", 1), false));
  ASSERT_EQ(Lines(path).size(), 2u);
  struct stat after {};
  ASSERT_EQ(::stat(path.c_str(), &after), 0);
  // A new file was put in place (not the old one rewritten), keeping the old one's mode; nothing else is left.
  EXPECT_NE(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mode & 0777, 0640u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Path()), {}), 2);  // the project and the file

  // A target that cannot be written: the operator is told, nothing changes.
  const std::string folder = dir_.File("folder.txt");
  std::filesystem::create_directory(folder);
  EXPECT_FALSE(ExportRawResponses(folder, project->Project(), Score("T01", 1), false));
  ASSERT_EQ(prompts_.ShownTexts().size(), 1u);
  EXPECT_EQ(prompts_.ShownTexts()[0], "Cannot write the file:\n" + folder);
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_EQ(Lines(path).size(), 2u);
}

}  // namespace
}  // namespace test
}  // namespace qel
