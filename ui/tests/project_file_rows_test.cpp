// The rows of the project-file list over a real folder, with a probe that
// answers by file name, and of the plug-in list; the file search and sort.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <map>

#include "engine/library/TaskLibrary.h"
#include "include/qel/ModelTask.h"
#include "app/text/ImageIndex.h"
#include "ui/ItemKeyList.h"
#include "ui/ProjectFileRows.h"

namespace qel {

namespace {

class TempFolder {
 public:
  TempFolder() {
    char name[] = "/tmp/qel-projects-XXXXXX";
    m_path = mkdtemp(name);
    m_path += '/';
  }
  ~TempFolder() { std::system(("rm -rf '" + m_path + "'").c_str()); }
  void Add(const std::string& name, size_t bytes, int64_t time) {
    std::ofstream(m_path + name) << std::string(bytes, 'x');
    const struct timespec stamps[2] = {{static_cast<time_t>(time), 0}, {static_cast<time_t>(time), 0}};
    utimensat(AT_FDCWD, (m_path + name).c_str(), stamps, 0);
  }
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
};

// Projects by file title: plain, CFR, locked (asks for a password), or no
// project at all; the counts say which file they came from.
class FakeProbe final : public IProjectFileProbe {
 public:
  bool Check(const std::string& path, CProjectFileFacts* facts) override {
    const std::string kind = Kind(path);
    facts->passwordRequired = kind == "locked";
    facts->cfr = kind == "cfr";
    return kind == "plain" || kind == "cfr";
  }
  bool Open(const std::string& path, CProjectFileFacts* facts) override {
    ++opened;
    const bool ok = Check(path, facts);
    if (!ok) return false;
    facts->versionText = facts->cfr ? "1" : "4";
    facts->testees = 12;
    facts->models = 3;
    facts->tasks = 9;
    facts->scores = 40;
    facts->user = "admin";
    facts->date = "2024.01.01";
    facts->comment = "Study";
    return true;
  }
  int opened = 0;

 private:
  static std::string Kind(const std::string& path) {
    const std::string name = path.substr(path.rfind('/') + 1);
    if (name.rfind("cfr", 0) == 0) return "cfr";
    if (name.rfind("locked", 0) == 0) return "locked";
    if (name.rfind("junk", 0) == 0) return "junk";
    return "plain";
  }
};

std::vector<std::string> Keys(const CListRows& rows) {
  std::vector<std::string> keys;
  for (const CListRow& row : rows.rows) keys.push_back(row.key);
  return keys;
}

constexpr int64_t kMay2024 = 1715000000;  // 6 May 2024, 12:53 UTC

}  // namespace

TEST(ProjectFileRowsTest, FileColumnsListProjectsInPathOrderAndLeaveOutOtherFiles) {
  TempFolder folder;
  folder.Add("beta.qep", 1234567, kMay2024);
  folder.Add("Alpha.QEP", 42, kMay2024);
  folder.Add("cfr-study.qep", 2048, kMay2024);
  folder.Add("junk.qep", 10, kMay2024);
  folder.Add("locked.qep", 10, kMay2024);
  folder.Add("notes.txt", 10, kMay2024);
  FakeProbe probe;
  std::vector<std::string> paths;
  const CListRows rows = BuildProjectRows(folder.Path(), false, probe, &paths);
  EXPECT_EQ(rows.result, 4);
  EXPECT_EQ(Keys(rows), (std::vector<std::string>{"Alpha", "beta", "cfr-study", "locked"}));
  EXPECT_EQ(paths[1], folder.Path() + "beta.qep");
  const std::string day = FileDateText(kMay2024);
  EXPECT_EQ(rows.rows[0].cells, (std::vector<std::string>{"  1", "Alpha", "42", day, ""}));
  EXPECT_EQ(rows.rows[1].cells, (std::vector<std::string>{"  2", "beta", "1,234,567", day, ""}));
  EXPECT_EQ(rows.rows[2].cells[4], "CFR Compliant");
  EXPECT_EQ(rows.rows[3].cells[4], "<PWD>");
  EXPECT_EQ(probe.opened, 0);  // the file columns only check each file
  EXPECT_EQ(rows.columns.size(), 5u);
}

TEST(ProjectFileRowsTest, ProjectColumnsShowWhatEachProjectHoldsOrThatItIsLocked) {
  TempFolder folder;
  folder.Add("plain.qep", 100, kMay2024);
  folder.Add("locked.qep", 100, kMay2024);
  FakeProbe probe;
  const CListRows rows = BuildProjectRows(folder.Path(), true, probe, nullptr);
  ASSERT_EQ(rows.result, 2);
  const std::string day = FileDateText(kMay2024);
  EXPECT_EQ(rows.rows[0].cells, (std::vector<std::string>{"  1", "locked", day, "<PWD>", "<PWD>", "<PWD>", "<PWD>",
                                                          "<PWD>", "<PWD>", "<PWD>", "<Password protected>"}));
  EXPECT_EQ(rows.rows[1].cells, (std::vector<std::string>{"  2", "plain", day, "4", "12", "3", "9", "40", "admin",
                                                          "2024.01.01", "Study"}));
  EXPECT_EQ(rows.columns.size(), 11u);
  EXPECT_EQ(probe.opened, 2);
}

TEST(ProjectFileRowsTest, AnEmptyOrMissingFolderGivesNoRows) {
  TempFolder folder;
  FakeProbe probe;
  EXPECT_EQ(BuildProjectRows(folder.Path(), false, probe, nullptr).result, 0);
  EXPECT_EQ(BuildProjectRows("/nonexistent/folder/", true, probe, nullptr).result, 0);
}

TEST(StringArrayExTest, FindFilesStopsAtTheMaximumAndSortKeepsCaseTwinsInOrder) {
  TempFolder folder;
  folder.Add("b.qep", 3, 300);
  folder.Add("a.qep", 1, 100);
  folder.Add("c.qep", 2, 200);
  CStringArrayEx files;
  std::vector<int64_t> times = {99};
  std::vector<uint64_t> sizes;
  EXPECT_EQ(files.FindFiles((folder.Path() + "*.qep").c_str(), 2, &times, &sizes), 2);
  EXPECT_EQ(times.size(), 2u);  // emptied first
  files.clear();
  times.clear();
  sizes.clear();
  EXPECT_EQ(files.FindFiles((folder.Path() + "*.qep").c_str(), 1000, &times, &sizes), 3);
  files.SortFiles(&times, &sizes, true, true);
  EXPECT_EQ(files[0], folder.Path() + "c.qep");
  EXPECT_EQ(times, (std::vector<int64_t>{200, 300, 100}));
  EXPECT_EQ(sizes, (std::vector<uint64_t>{2, 3, 1}));
  EXPECT_EQ(files.FindFiles(nullptr, 10, nullptr, nullptr), 0);

  CStringArrayEx twins;
  twins.assign({"/p/B.qep", "/p/a.qep", "/p/b.qep", "/p/A.qep"});
  std::vector<int64_t> order = {1, 2, 3, 4};
  twins.SortFiles(&order, nullptr, true, false);
  EXPECT_EQ(std::vector<std::string>(twins.begin(), twins.end()),
            (std::vector<std::string>{"/p/a.qep", "/p/A.qep", "/p/B.qep", "/p/b.qep"}));
  EXPECT_EQ(order, (std::vector<int64_t>{2, 4, 1, 3}));
}

TEST(PlugInRowsTest, OneRowPerLoadedPlugIn) {
  QelModelTask tapping{};
  tapping.TaskId = 3;
  std::snprintf(tapping.TaskIdStr, sizeof tapping.TaskIdStr, "TP");
  std::snprintf(tapping.TaskName, sizeof tapping.TaskName, "Tapping");
  CTaskLibrary withTask;
  withTask.version = 1;
  withTask.modelDefault = &tapping;
  withTask.SetPath("/opt/qel/QelTP.qet");
  withTask.SetFileTime(kMay2024);
  CTaskLibrary withoutTask;
  const CListRows rows = BuildPlugInRows({&withTask, &withoutTask});
  ASSERT_EQ(rows.result, 2);
  EXPECT_EQ(rows.rows[0].cells, (std::vector<std::string>{"  1", "TP", "1", FileDateText(kMay2024), "Tapping",
                                                          "/opt/qel/QelTP.qet"}));
  EXPECT_EQ(rows.rows[0].key, "TP");
  EXPECT_EQ(rows.rows[0].image, GetImageIndex(3));
  EXPECT_EQ(rows.rows[1].key, "");
  EXPECT_EQ(rows.rows[1].image, GetImageIndex(0));
}

TEST(FileDateTextTest, LocalDateWithDots) {
  setenv("TZ", "UTC", 1);
  tzset();
  EXPECT_EQ(FileDateText(kMay2024), "2024.05.06");
}

}  // namespace qel
