// Scanning the plug-in folder into the program's table: which files are
// taken, in which order, how failures are skipped, and unloading.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>

#include "common/ProgramFolder.h"
#include "engine/library/TaskLibraries.h"
#include "engine/library/tests/TestHook.h"
#include "tests/support/common/PromptRecorder.h"

namespace qel {

namespace fs = std::filesystem;

namespace {

using qel::test::PromptRecorder;
using test::PluginFolder;
using test::PluginScript;

class FindTaskLibrariesTest : public ::testing::Test {
 protected:
  void SetUp() override { PluginScript::Get().Reset(); }
  void TearDown() override {
    UnloadTaskLibraries();
    PluginScript::Get().Reset();
  }
  int Scan(const PluginFolder& folder) {
    SetTaskFolder((folder.FolderText() + "Qel").c_str());
    return FindTaskLibraries(&m_host);
  }
  std::vector<std::string> LoadedNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < GetTaskLibraryCount(); ++i) {
      names.push_back(fs::path(GetTaskLibrary(i)->GetPath()).filename().string());
    }
    return names;
  }
  test::RecordingTaskHost m_host;
};

TEST(TaskFolder, KeepsTheFolderOfTheProgramPath) {
  SetTaskFolder("/opt/qel/bin/Qel");
  EXPECT_EQ(GetTaskFolder(), "/opt/qel/bin/");
  SetTaskFolder("/opt/other/");
  EXPECT_EQ(GetTaskFolder(), "/opt/other/");
  SetTaskFolder("");
  EXPECT_EQ(GetTaskFolder(), "/opt/other/");
  SetTaskFolder(nullptr);
  EXPECT_EQ(GetTaskFolder(), "/opt/other/");
  SetTaskFolder("Qel");  // a bare name, as argv[0] is when started through PATH
  EXPECT_EQ(GetTaskFolder(), "/opt/other/");
}

// In a fresh process (the death-test child runs the program again) the
// plug-in folder is the executable's own folder, whatever the current one.
TEST(TaskFolderDeathTest, StartsAsTheFolderOfTheExecutable) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        const std::string own = fs::canonical("/proc/self/exe").parent_path().string() + "/";
        fs::current_path("/");
        std::exit(GetTaskFolder() == own && ProgramFolder() == own ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

TEST_F(FindTaskLibrariesTest, EmptyFolderFindsNothingQuietly) {
  PromptRecorder prompts;
  PluginFolder folder;
  folder.AddPlugin("Good", "Other.qet");
  folder.AddFile("Qel.qen", "norms");
  EXPECT_EQ(Scan(folder), 0);
  EXPECT_EQ(GetTaskLibraryCount(), 0);
  EXPECT_TRUE(prompts.ShownTexts().empty());
  EXPECT_EQ(m_host.m_runFlags, (std::vector<int>{0}));
  EXPECT_TRUE(PluginScript::Get().calls.empty());
}

TEST_F(FindTaskLibrariesTest, NamesMatchIgnoringCaseAndLoadInNameOrder) {
  PromptRecorder prompts;
  PluginFolder folder;
  folder.AddPlugin("Good", "QelC.qet");
  folder.AddPlugin("Good", "qela.QET");
  folder.AddPlugin("Good", "QELB.qet");
  folder.AddPlugin("Good", "qelx.QET");
  folder.AddPlugin("Good", "Other.qet");
  folder.AddPlugin("Good", "XQelA.qet");
  folder.AddPlugin("Good", "QelA.qet.bak");
  folder.AddPlugin("Good", "QelA.so");
  fs::create_directory(folder.Path() / "QelDir.qet");
  EXPECT_EQ(Scan(folder), 4);
  EXPECT_TRUE(prompts.ShownTexts().empty());
  EXPECT_EQ(LoadedNames(), (std::vector<std::string>{"qela.QET", "QELB.qet", "QelC.qet", "qelx.QET"}));
  // Full paths, every record bound to the host.
  EXPECT_EQ(GetTaskLibrary(0)->GetPath(), folder.FolderText() + "qela.QET");
  for (int i = 0; i < 4; ++i) EXPECT_EQ(GetTaskLibrary(i)->host, &m_host);
  EXPECT_EQ(GetTaskLibrary(4), nullptr);
  EXPECT_EQ(GetTaskLibrary(-1), nullptr);
}

TEST_F(FindTaskLibrariesTest, AtMostFortyAreLoadedTheFirstByName) {
  PluginFolder folder;
  for (int i = 41; i >= 1; --i) {
    char name[32];
    std::snprintf(name, sizeof name, "Qel%02d.qet", i);
    folder.AddPlugin("Good", name);
  }
  EXPECT_EQ(Scan(folder), 40);
  const std::vector<std::string> names = LoadedNames();
  EXPECT_EQ(names.front(), "Qel01.qet");
  EXPECT_EQ(names.back(), "Qel40.qet");
  EXPECT_FALSE(test::IsModuleLoaded(folder.FolderText() + "Qel41.qet"));
}

TEST_F(FindTaskLibrariesTest, FailingFilesAreReportedAndTheNextTakesTheirRecord) {
  PromptRecorder prompts;
  PluginFolder folder;
  folder.AddPlugin("Good", "QelA.qet");
  folder.AddPlugin("Version2", "QelB.qet");
  folder.AddFile("QelC.qet", "text, not a module");
  folder.AddPlugin("InitFails", "QelD.qet");
  folder.AddPlugin("Other", "QelE.qet");
  EXPECT_EQ(Scan(folder), 2);
  EXPECT_EQ(LoadedNames(), (std::vector<std::string>{"QelA.qet", "QelE.qet"}));
  const std::string dir = folder.FolderText();
  EXPECT_EQ(prompts.ShownTexts(), (std::vector<std::string>{"Invalid library version \"" + dir + "QelB.qet\"!",
                                                            "No library \"" + dir + "QelC.qet\"!",
                                                            "InitTask failed \"" + dir + "QelD.qet\"!"}));
  EXPECT_FALSE(test::IsModuleLoaded(dir + "QelB.qet"));
  EXPECT_FALSE(test::IsModuleLoaded(dir + "QelD.qet"));
  EXPECT_EQ(GetTaskLibrary(1)->GetShortCode(), "EO");
}

TEST_F(FindTaskLibrariesTest, TheBuiltTestPluginsLoadTheGoodOnesOnly) {
  PromptRecorder prompts;
  SetTaskFolder((std::string(ENGLIB_PLUGIN_DIR) + "/Qel").c_str());
  EXPECT_EQ(FindTaskLibraries(nullptr), 2);
  EXPECT_EQ(LoadedNames(), (std::vector<std::string>{"QelEnglibGood.qet", "QelEnglibOther.qet"}));
  const std::string dir = std::string(ENGLIB_PLUGIN_DIR) + "/";
  EXPECT_EQ(prompts.ShownTexts(),
            (std::vector<std::string>{"InitTask failed \"" + dir + "QelEnglibInitFails.qet\"!",
                                      "No model default \"g_ModelDefault\" in \"" + dir + "QelEnglibNoDefault.qet\"!",
                                      "No function \"TaskEntry\" in \"" + dir + "QelEnglibNoEntry.qet\"!",
                                      "Invalid library version \"" + dir + "QelEnglibVersion2.qet\"!"}));
  EXPECT_EQ(GetTaskLibrary(0)->host, nullptr);
}

TEST_F(FindTaskLibrariesTest, ALinkToALoadedPluginIsRefused) {
  PromptRecorder prompts;
  PluginFolder folder;
  folder.AddPlugin("Good", "QelA.qet");
  fs::create_symlink(folder.Path() / "QelA.qet", folder.Path() / "QelB.qet");
  EXPECT_EQ(Scan(folder), 1);
  ASSERT_EQ(prompts.ShownTexts().size(), 1u);
  EXPECT_EQ(prompts.ShownTexts()[0], "Library already loaded \"" + folder.FolderText() + "QelB.qet\"!");
}

// Before, a bare program name made the current folder the plug-in folder:
// a program started through PATH loaded whatever plug-ins lay where it was
// started.
TEST_F(FindTaskLibrariesTest, ABareProgramNameNeverMakesTheCurrentFolderThePluginFolder) {
  PluginFolder programFolder;
  PluginFolder current;
  current.AddPlugin("Good", "QelA.qet");
  SetTaskFolder((programFolder.FolderText() + "Qel").c_str());
  const fs::path previous = fs::current_path();
  fs::current_path(current.Path());
  SetTaskFolder("Qel");
  const int count = FindTaskLibraries(nullptr);
  fs::current_path(previous);
  EXPECT_EQ(count, 0);
  EXPECT_FALSE(test::IsModuleLoaded(current.FolderText() + "QelA.qet"));
}

TEST_F(FindTaskLibrariesTest, FileTimeIsTheLastWriteTime) {
  PluginFolder folder;
  folder.AddPlugin("Good", "QelA.qet");
  const std::string path = folder.FolderText() + "QelA.qet";
  struct timespec times[2] = {{1000000000, 0}, {1234567890, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  ASSERT_EQ(Scan(folder), 1);
  EXPECT_EQ(GetTaskLibrary(0)->GetFileTime(), 1234567890);
}

TEST_F(FindTaskLibrariesTest, SameShortCodeTwiceTheFirstByNameWins) {
  PluginFolder folder;
  folder.AddPlugin("Good", "QelB.qet");
  folder.AddPlugin("Good", "qela.qet");
  folder.AddPlugin("Other", "QelC.qet");
  ASSERT_EQ(Scan(folder), 3);
  EXPECT_EQ(FindTaskLibrary("EG"), GetTaskLibrary(0));
  EXPECT_EQ(FindTaskLibrary("EG")->GetPath(), folder.FolderText() + "qela.qet");
  EXPECT_EQ(FindTaskLibrary("EO"), GetTaskLibrary(2));
  EXPECT_EQ(FindTaskLibrary("eg"), nullptr);
  EXPECT_EQ(FindTaskLibrary("E"), nullptr);
  EXPECT_EQ(FindTaskLibrary(""), nullptr);
  EXPECT_EQ(FindTaskLibrary(nullptr), nullptr);
}

TEST_F(FindTaskLibrariesTest, UnloadSendsCommandFourLastLoadedFirst) {
  PluginFolder folder;
  folder.AddPlugin("Good", "QelA.qet");
  folder.AddPlugin("Other", "QelB.qet");
  ASSERT_EQ(Scan(folder), 2);
  const ITaskLibrary* first = GetTaskLibrary(0);
  const ITaskLibrary* second = GetTaskLibrary(1);
  PluginScript::Get().calls.clear();
  UnloadTaskLibraries();
  const auto& calls = PluginScript::Get().calls;
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].record, second);
  EXPECT_EQ(calls[1].record, first);
  EXPECT_EQ(calls[0].command, kCmdUnload);
  EXPECT_EQ(calls[1].command, kCmdUnload);
  EXPECT_EQ(GetTaskLibraryCount(), 0);
  EXPECT_EQ(FindTaskLibrary("EG"), nullptr);
  EXPECT_FALSE(test::IsModuleLoaded(folder.FolderText() + "QelA.qet"));
  EXPECT_FALSE(test::IsModuleLoaded(folder.FolderText() + "QelB.qet"));
}

TEST_F(FindTaskLibrariesTest, ASecondScanReleasesTheFirst) {
  PluginFolder folder;
  folder.AddPlugin("Good", "QelA.qet");
  folder.AddPlugin("Other", "QelB.qet");
  ASSERT_EQ(Scan(folder), 2);
  fs::remove(folder.Path() / "QelB.qet");
  PluginScript::Get().calls.clear();
  ASSERT_EQ(Scan(folder), 1);
  EXPECT_EQ(PluginScript::Get().Commands(), (std::vector<uint32_t>{kCmdUnload, kCmdUnload, kCmdInit}));
  EXPECT_FALSE(test::IsModuleLoaded(folder.FolderText() + "QelB.qet"));
}

TEST_F(FindTaskLibrariesTest, ResetTaskNormsEmptiesEveryRecord) {
  PluginFolder folder;
  folder.AddPlugin("Good", "QelA.qet");
  folder.AddPlugin("Other", "QelB.qet");
  ASSERT_EQ(Scan(folder), 2);
  const double c[4] = {1, 0, 0, 0};
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(GetTaskLibrary(i)->AddNormFunction("X", "ZThi_eg", 0, 0, 100, c, 4));
    EXPECT_EQ(GetTaskLibrary(i)->GetNormFunctionCount(), 1);
  }
  ResetTaskNorms();
  for (int i = 0; i < 2; ++i) EXPECT_EQ(GetTaskLibrary(i)->GetNormFunctionCount(), 0);
}

}  // namespace

}  // namespace qel
