// Loading and unloading one plug-in into a record: what a good plug-in
// leaves in the record, and that every refusal gives its message and leaves
// no module behind.
#include <gtest/gtest.h>

#include <stdexcept>

#include <cstring>

#include "engine/library/TaskLibrary.h"
#include "engine/library/tests/TestHook.h"
#include "tests/support/common/PromptRecorder.h"

namespace qel {

namespace {

using qel::test::PromptRecorder;
using test::PluginPath;
using test::PluginScript;

class TaskLibraryLoad : public ::testing::Test {
 protected:
  void SetUp() override { PluginScript::Get().Reset(); }
  void TearDown() override { PluginScript::Get().Reset(); }
};

void ExpectEmpty(const CTaskLibrary& lib) {
  EXPECT_EQ(lib.module, nullptr);
  EXPECT_EQ(lib.entry, nullptr);
  EXPECT_EQ(lib.loaded, 0);
  EXPECT_EQ(lib.version, 0);
  EXPECT_EQ(lib.modelDefault, nullptr);
  EXPECT_EQ(lib.taskDescription, nullptr);
  EXPECT_EQ(lib.scoreVariables, nullptr);
  EXPECT_EQ(lib.normVariables, nullptr);
  EXPECT_EQ(lib.partNames, nullptr);
  EXPECT_EQ(lib.partCount, 0);
  EXPECT_TRUE(lib.texts[0].empty());
  EXPECT_EQ(lib.GetKeptCount(), 0);
  EXPECT_EQ(lib.GetVariableCount(), 0);
  EXPECT_EQ(lib.normTrialCounts[0], -1);
}

TEST_F(TaskLibraryLoad, GoodPluginFillsTheRecordAtCommandZero) {
  PromptRecorder prompts;
  CTaskLibrary lib;
  test::RecordingTaskHost host;
  lib.host = &host;
  const std::string path = PluginPath("Good");
  ASSERT_TRUE(lib.Load(path.c_str(), true));
  EXPECT_TRUE(prompts.ShownTexts().empty());
  EXPECT_EQ(lib.loaded, 1);
  EXPECT_NE(lib.module, nullptr);
  EXPECT_NE(lib.entry, nullptr);
  EXPECT_EQ(lib.version, 1);
  ASSERT_NE(lib.modelDefault, nullptr);
  EXPECT_EQ(lib.GetShortCode(), "EG");
  EXPECT_EQ(lib.modelDefault->TaskId, 901u);
  EXPECT_EQ(lib.texts[0], "Task instruction EG");
  EXPECT_EQ(lib.partCount, 2);
  EXPECT_EQ(lib.host, &host);
  EXPECT_EQ(lib.GetKeptCount(), 5);
  // The path is the scan's to set, not Load's.
  EXPECT_TRUE(lib.GetPath().empty());

  // Command 0 came once, with this record and nothing else.
  const auto& calls = PluginScript::Get().calls;
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].command, kCmdInit);
  EXPECT_EQ(calls[0].a, reinterpret_cast<intptr_t>(static_cast<ITaskLibrary*>(&lib)));
  EXPECT_EQ(calls[0].b, 0);
  EXPECT_EQ(calls[0].c, 0);
  EXPECT_FALSE(calls[0].hasOut);
  EXPECT_EQ(calls[0].record, &lib);

  lib.Unload();
  EXPECT_EQ(PluginScript::Get().Commands(), (std::vector<uint32_t>{kCmdInit, kCmdUnload}));
  ExpectEmpty(lib);
  EXPECT_EQ(lib.host, &host);  // the host stays for the next load
  EXPECT_FALSE(test::IsModuleLoaded(path));
}

TEST_F(TaskLibraryLoad, NullPathFailsWithoutMessage) {
  PromptRecorder prompts;
  CTaskLibrary lib;
  EXPECT_FALSE(lib.Load(nullptr, true));
  EXPECT_TRUE(prompts.ShownTexts().empty());
  ExpectEmpty(lib);
}

// A refused load: the plug-in file, what the script does to the record at
// command 0, and the message expected (%s = the path).
struct RefusalCase {
  const char* label;
  const char* plugin;  // null: the path below is used as it is
  const char* path;
  std::function<void(ITaskLibrary*)> spoil;
  const char* message;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.label; }

std::string Expand(const char* format, const std::string& path) {
  std::string text = format;
  const size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, path);
  return text;
}

class TaskLibraryRefusal : public ::testing::TestWithParam<RefusalCase> {
 protected:
  void SetUp() override { PluginScript::Get().Reset(); }
  void TearDown() override { PluginScript::Get().Reset(); }
  std::string PathOf(const RefusalCase& c) {
    if (c.plugin) return PluginPath(c.plugin);
    if (std::strcmp(c.path, "junk") == 0) {
      m_folder.AddFile("QelJunk.qet", "not a shared object");
      return (m_folder.Path() / "QelJunk.qet").string();
    }
    return c.path;
  }
  test::PluginFolder m_folder;
};

TEST_P(TaskLibraryRefusal, ShowsItsMessageAndLeavesNothingLoaded) {
  const RefusalCase& c = GetParam();
  if (c.spoil) {
    PluginScript::Get().answer = [&c](ITaskLibrary* record, uint32_t command, intptr_t, intptr_t, intptr_t, int32_t*) {
      if (command == kCmdInit) c.spoil(record);
      return true;
    };
  }
  const std::string path = PathOf(c);
  for (bool report : {true, false}) {
    SCOPED_TRACE(report ? "reported" : "quiet");
    PromptRecorder prompts;
    CTaskLibrary lib;
    test::RecordingTaskHost host;
    lib.host = &host;
    EXPECT_FALSE(lib.Load(path.c_str(), report));
    if (report) {
      ASSERT_EQ(prompts.ShownTexts().size(), 1u);
      EXPECT_EQ(prompts.ShownTexts()[0].rfind(Expand(c.message, path), 0), 0u) << prompts.ShownTexts()[0];
    } else {
      EXPECT_TRUE(prompts.ShownTexts().empty());
    }
    ExpectEmpty(lib);
    EXPECT_EQ(lib.host, &host);
    EXPECT_FALSE(test::IsModuleLoaded(path));
  }
  // A refused plug-in is never asked anything after command 0.
  for (const test::PluginCall& call : PluginScript::Get().calls) EXPECT_EQ(call.command, kCmdInit);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, TaskLibraryRefusal,
    ::testing::Values(
        RefusalCase{"MissingFile", nullptr, "/nonexistent/QelGone.qet", nullptr, "No library \"%s\"!"},
        RefusalCase{"NotAModule", nullptr, "junk", nullptr, "No library \"%s\"!"},
        RefusalCase{"NoEntry", "NoEntry", nullptr, nullptr, "No function \"TaskEntry\" in \"%s\"!"},
        RefusalCase{"NoExportedDefault", "NoDefault", nullptr, nullptr,
                    "No model default \"g_ModelDefault\" in \"%s\"!"},
        RefusalCase{"InitRefused", "InitFails", nullptr, nullptr, "InitTask failed \"%s\"!"},
        // Before, an exception out of the entry ended the whole program.
        RefusalCase{"InitThrows", "Good", nullptr,
                    [](ITaskLibrary*) { throw std::runtime_error("no memory for the tables"); },
                    "InitTask failed \"%s\": no memory for the tables!"},
        RefusalCase{"InitThrowsAnything", "Good", nullptr, [](ITaskLibrary*) { throw 42; },
                    "InitTask failed \"%s\": an exception!"},
        RefusalCase{"Version2", "Version2", nullptr, nullptr, "Invalid library version \"%s\"!"},
        RefusalCase{"Version0", "Good", nullptr, [](ITaskLibrary* r) { r->version = 0; },
                    "Invalid library version \"%s\"!"},
        RefusalCase{"RecordDefaultNotSet", "Good", nullptr,
                    [](ITaskLibrary* r) { r->modelDefault = nullptr; },
                    "No model default set by \"%s\"!"},
        RefusalCase{"SeventeenParts", "Good", nullptr, [](ITaskLibrary* r) { r->partCount = 17; },
                    "Invalid library data \"%s\": part count 17"},
        RefusalCase{"NegativeParts", "Good", nullptr, [](ITaskLibrary* r) { r->partCount = -1; },
                    "Invalid library data \"%s\": part count -1"},
        RefusalCase{"PartNamesMissing", "Good", nullptr, [](ITaskLibrary* r) { r->partNames = nullptr; },
                    "Invalid library data \"%s\": part names missing"},
        RefusalCase{"HugeVersionCount", "Good", nullptr,
                    [](ITaskLibrary* r) { r->versionCount = 1 << 30; },
                    "Invalid library data \"%s\": version count"},
        RefusalCase{"ScoreTableMissing", "Good", nullptr,
                    [](ITaskLibrary* r) { r->scoreVariables = nullptr; },
                    "Invalid library data \"%s\": score-variable table missing"},
        RefusalCase{"TooManyScoreVariables", "Good", nullptr,
                    [](ITaskLibrary* r) { r->scoreVariableCount = kMaxVariables + 1; },
                    "Invalid library data \"%s\": score-variable count 1501"},
        RefusalCase{"NormTableMissing", "Good", nullptr,
                    [](ITaskLibrary* r) { r->normVariables = nullptr; },
                    "Invalid library data \"%s\": norm-variable table missing"},
        RefusalCase{"TooManyNormVariables", "Good", nullptr,
                    [](ITaskLibrary* r) { r->normVariableCount = 0xFFFFFFFFu; },
                    "Invalid library data \"%s\": norm-variable count"},
        RefusalCase{"CaptionsMissing", "Good", nullptr, [](ITaskLibrary* r) { r->captions = nullptr; },
                    "Invalid library data \"%s\": captions missing"},
        RefusalCase{"CodeNamesMissing", "Good", nullptr, [](ITaskLibrary* r) { r->codeNames = nullptr; },
                    "Invalid library data \"%s\": code names missing"},
        RefusalCase{"TestListTooLong", "Good", nullptr,
                    [](ITaskLibrary* r) {
                      static const char codes[1][kTrialCodeSize] = {};
                      r->testTrialList = codes;
                      r->testTrialCount = kMaxTrialCodes + 1;
                    },
                    "Invalid library data \"%s\": test trial count 2001"},
        RefusalCase{"SecondListMissing", "Good", nullptr, [](ITaskLibrary* r) { r->secondListCount = 6; },
                    "Invalid library data \"%s\": second trial list missing"},
        RefusalCase{"TooManyPresets", "Good", nullptr,
                    [](ITaskLibrary* r) {
                      static QelTaskDescription d{};
                      d.presetCount = 4;
                      r->taskDescription = &d;
                    },
                    "Invalid library data \"%s\": timing-preset count 4"},
        RefusalCase{"CodeRowsMissing", "Good", nullptr,
                    [](ITaskLibrary* r) {
                      static QelTaskDescription d{};
                      d.codeRowCount = 2;
                      r->taskDescription = &d;
                    },
                    "Invalid library data \"%s\": code rows missing"},
        RefusalCase{"UnterminatedShortCode", "Good", nullptr,
                    [](ITaskLibrary* r) {
                      static QelModelTask t{};
                      std::memset(t.TaskIdStr, 'X', sizeof t.TaskIdStr);
                      r->modelDefault = &t;
                    },
                    "Invalid library data \"%s\": short code empty or not terminated"},
        RefusalCase{"EmptyShortCode", "Good", nullptr,
                    [](ITaskLibrary* r) {
                      static QelModelTask t{};
                      r->modelDefault = &t;
                    },
                    "Invalid library data \"%s\": short code empty or not terminated"}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.label); });

TEST_F(TaskLibraryLoad, TheSameFileCannotBeLoadedTwice) {
  PromptRecorder prompts;
  CTaskLibrary first, second;
  const std::string path = PluginPath("Good");
  ASSERT_TRUE(first.Load(path.c_str(), true));
  EXPECT_FALSE(second.Load(path.c_str(), true));
  ASSERT_EQ(prompts.ShownTexts().size(), 1u);
  EXPECT_EQ(prompts.ShownTexts()[0], "Library already loaded \"" + path + "\"!");
  ExpectEmpty(second);
  // The first record keeps its plug-in, which was asked nothing more.
  EXPECT_EQ(first.loaded, 1);
  EXPECT_EQ(PluginScript::Get().Commands(), (std::vector<uint32_t>{kCmdInit}));
  first.Unload();
  EXPECT_FALSE(test::IsModuleLoaded(path));
}

TEST_F(TaskLibraryLoad, LoadingIntoAFilledRecordUnloadsTheOldPluginFirst) {
  CTaskLibrary lib;
  ASSERT_TRUE(lib.Load(PluginPath("Good").c_str(), true));
  ASSERT_TRUE(lib.Load(PluginPath("Other").c_str(), true));
  EXPECT_EQ(lib.GetShortCode(), "EO");
  EXPECT_EQ(PluginScript::Get().Commands(), (std::vector<uint32_t>{kCmdInit, kCmdUnload, kCmdInit}));
  EXPECT_FALSE(test::IsModuleLoaded(PluginPath("Good")));
  lib.Unload();
}

TEST_F(TaskLibraryLoad, ClearKeepsHostAndFileTime) {
  CTaskLibrary lib;
  test::RecordingTaskHost host;
  lib.host = &host;
  lib.SetFileTime(1234);
  lib.SetPath("/x/QelA.qet");
  lib.answerText = "answer";
  lib.runText = "run";
  lib.Clear();
  EXPECT_EQ(lib.host, &host);
  EXPECT_EQ(lib.GetFileTime(), 1234);
  EXPECT_TRUE(lib.GetPath().empty());
  EXPECT_TRUE(lib.answerText.empty());
  EXPECT_TRUE(lib.runText.empty());
}

TEST_F(TaskLibraryLoad, UnloadOfAnEmptyRecordCallsNothing) {
  CTaskLibrary lib;
  lib.Unload();
  EXPECT_TRUE(PluginScript::Get().calls.empty());
  ExpectEmpty(lib);
}

TEST_F(TaskLibraryLoad, DestructorClosesALoadedModuleWithoutCommandFour) {
  const std::string path = PluginPath("Good");
  {
    CTaskLibrary lib;
    ASSERT_TRUE(lib.Load(path.c_str(), true));
  }
  EXPECT_EQ(PluginScript::Get().Commands(), (std::vector<uint32_t>{kCmdInit}));
  EXPECT_FALSE(test::IsModuleLoaded(path));
}

}  // namespace

}  // namespace qel
