// The framework's test plug-in loaded the way the host loads plug-ins:
// dlopen, TaskEntry by name, commands with a library record and a host.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "include/qel/TaskEntry.h"
#include "tests/support/fakes/FakeDisplay.h"
#include "tests/support/fakes/FakeModelTask.h"
#include "tests/support/fakes/FakeRunData.h"
#include "tests/support/fakes/FakeTaskHost.h"
#include "tests/support/fakes/FakeTaskLibrary.h"
#include "tests/support/fakes/FakeTaskSurroundings.h"

namespace qel {

namespace {

intptr_t P(const void* p) { return reinterpret_cast<intptr_t>(p); }

// One load of the plug-in with the host side around it.
class Plugin : public ::testing::Test, protected FakeTaskSurroundings {
 protected:
  void SetUp() override {
    m_handle = dlopen(PROBE_PLUGIN, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(m_handle, nullptr) << dlerror();
    m_entry = reinterpret_cast<TaskEntryFn>(dlsym(m_handle, kTaskEntryName));
    m_modelDefault = static_cast<const QelModelTask*>(dlsym(m_handle, kModelDefaultName));
    ASSERT_NE(m_entry, nullptr);
    ASSERT_NE(m_modelDefault, nullptr);
    record.entry = m_entry;
    context.TaskPartTrials[0] = 10;
    context.TaskPartTrials[1] = 5;
  }
  void TearDown() override {
    if (m_handle) {
      if (m_initialised) m_entry(kCmdUnload, 0, 0, 0, nullptr);
      dlclose(m_handle);
    }
  }
  bool Command(uint32_t command, intptr_t a = 0, intptr_t b = 0, intptr_t c = 0, int32_t* out = nullptr) {
    return m_entry(command, a, b, c, out);
  }
  bool Init() {
    m_initialised = Command(kCmdInit, P(&record));
    return m_initialised;
  }
  bool InitAndSetup() { return Init() && Command(kCmdSetupRun, P(&context), P(runData.get())); }

  void* m_handle = nullptr;
  TaskEntryFn m_entry = nullptr;
  const QelModelTask* m_modelDefault = nullptr;
  bool m_initialised = false;
};

TEST(PluginFile, ExportsOnlyTheEntryAndTheModelDefault) {
  FILE* pipe = popen(QEL_NM " -D --defined-only '" PROBE_PLUGIN "'", "r");
  ASSERT_NE(pipe, nullptr);
  std::set<std::string> names;
  char line[512];
  while (std::fgets(line, sizeof line, pipe)) {
    std::istringstream fields(line);
    std::string address, type, name;
    fields >> address >> type >> name;
    if (!name.empty()) names.insert(name);
  }
  ASSERT_EQ(pclose(pipe), 0);
  EXPECT_EQ(names, (std::set<std::string>{"TaskEntry", "g_ModelDefault"}));
}

TEST_F(Plugin, ModelDefaultIsTheTasksRecord) {
  EXPECT_STREQ(m_modelDefault->TaskIdStr, "FWP");
  EXPECT_STREQ(m_modelDefault->TaskName, "Framework Probe");
  EXPECT_EQ(m_modelDefault->w.TaskType, kResponseTwoChoice);
}

TEST_F(Plugin, Command0FillsTheRecord) {
  host.language = 3;
  ASSERT_TRUE(Init());
  EXPECT_EQ(record.version, 1);
  EXPECT_EQ(record.modelDefault, m_modelDefault);
  EXPECT_EQ(record.versionCount, 2);
  EXPECT_STREQ(record.versionNames[1], "Version B");
  EXPECT_EQ(record.partCount, 2);
  EXPECT_EQ(record.scoreVariableCount, 14u);
  EXPECT_STREQ(record.scoreVariables[13].code, "ZTlr_fw");
  EXPECT_EQ(record.captionCount, 7);
  EXPECT_STREQ(record.captions[6], "z(T)");
  EXPECT_EQ(record.captionCount2, 2);
  EXPECT_EQ(record.normVariableCount, 7u);
  EXPECT_EQ(record.taskWords[0], 2u);
  EXPECT_EQ(record.taskWords[1], 7u);
  EXPECT_EQ(record.defaultTaskFlags, kTaskFlagSwapKeys);
  EXPECT_EQ(record.defaultIntrDummyTrials, 1u);
  EXPECT_NE(record.page, nullptr);
  ASSERT_NE(record.resources, nullptr);
  EXPECT_NE(QelFindResource(record.resources, "BITMAP", 201), nullptr) << "the plug-in's own table";
  EXPECT_NE(QelFindResource(record.resources, "TEXT", 106), nullptr);
  // Italian texts; the part text is the same in every language.
  EXPECT_EQ(record.texts[0], "{\\rtf1 Istruzioni del compito}");
  EXPECT_EQ(record.texts[1], "{\\rtf1 Task has no parts!}");
  EXPECT_EQ(record.texts[2], "{\\rtf1 Aiuto dei parametri}");
  EXPECT_EQ(record.texts[3], "");
}

TEST_F(Plugin, TextsFollowTheLanguageOfEachCommand) {
  host.language = 0;
  ASSERT_TRUE(Init());
  EXPECT_EQ(record.texts[0], "{\\rtf1 English task instruction}") << "cut at the NUL inside the resource";
  EXPECT_EQ(record.texts[2], "{\\rtf1 English parameters help}");
  host.language = 2;
  ASSERT_TRUE(Command(kCmdSetupRun, P(&context), 0));
  EXPECT_EQ(record.texts[0], "{\\rtf1 Nederlandse taakinstructie}");
  EXPECT_EQ(record.texts[2], "{\\rtf1 Nederlandse parameterhulp}");
}

struct Expect {
  uint32_t command;
  bool result;
  bool hasValue;
  int32_t value;
};

// Unbound: nothing is bound yet, so everything that needs the host fails
// (and the task draws nothing without a drawing context).
const Expect kUnbound[] = {
    {1, true, true, 1},    {2, false, false, 0},  {3, true, true, 0},    {4, false, false, 0},  {5, false, false, 0},
    {6, false, false, 0},  {7, false, false, 0},  {8, false, false, 0},  {9, false, false, 0},  {10, false, false, 0},
    {11, false, false, 0}, {12, false, false, 0}, {13, false, false, 0}, {14, true, true, 0},   {15, true, true, 0},
    {16, true, true, 500}, {17, true, true, 0},   {18, true, true, 0},   {19, true, true, 0},   {20, true, true, 0},
    {21, true, true, 0},   {22, true, true, 0},   {23, false, false, 0}, {24, false, false, 0}, {25, true, false, 0},
    {26, true, true, 0},   {27, true, true, 3},   {28, false, false, 0}, {29, true, true, -1},  {30, false, false, 0},
    {31, false, false, 0}, {0, false, false, 0},
};

TEST_F(Plugin, EveryCommandUnbound) {
  for (const Expect& e : kUnbound) {
    int32_t out = 77;
    EXPECT_EQ(Command(e.command, e.command == 27 ? 3 : 0, 0, 0, &out), e.result) << "command " << e.command;
    if (e.hasValue) {
      EXPECT_EQ(out, e.value) << "command " << e.command;
    }
  }
}

TEST_F(Plugin, EveryCommandBound) {
  ASSERT_TRUE(InitAndSetup());
  MemoryDC dc(800, 600);
  const char code[kTrialCodeSize] = "T1ABCDEFGH";
  host.m_buttons = 2;
  host.leftCode = 1;
  host.rightCode = 2;
  const struct {
    uint32_t command;
    intptr_t a, b, c;
    bool result;
    bool hasValue;
    int32_t value;
  } cases[] = {
      {1, 3, 0, 0, true, true, 2},  // version count
      {3, 0, 1, 0, true, true, 0},
      {5, P(runData.get()), 0, 0, true, false, 0},
      {7, 0, 0, 0, true, false, 0},
      {8, 0, 0, 0, true, false, 0},
      {9, P(&display), 0, 0, true, false, 0},
      {10, P(code), P(&display), 0, true, false, 0},
      {11, P(&dc), 0, 0, true, false, 0},
      {12, P(code), P(&display), 0, true, false, 0},
      {13, 1, 0, 0, true, false, 0},
      {14, 0, 0, 0, true, true, 0},
      {15, 0, 0, 0, true, true, 0},
      {16, 0, 0, 0, true, true, 500},
      {17, 0, 0, 0, true, true, 2},  // the right button
      {18, 0, 0, 0, true, true, 0},
      {19, 1, 5, 0, true, true, 0},
      {20, 0, 0, 0, true, true, 0},
      {21, 0, 0, 0, true, true, 0},
      {22, 0, 0, 0, true, true, 0},
      {23, 0, 0, 0, false, false, 0},  // feedback type 0
      {24, 0, 0, 0, true, false, 0},
      {26, P(code), 0, 0, true, true, 1},  // left before SetTrial
      {25, P(code), 0, 0, true, false, 0},
      {26, P(code), 0, 0, true, true, 2},  // right after it
      {27, 4, 9, 0, true, true, 4},
      {28, P(runData.get()), 0, 0, true, false, 0},
      {29, P(runData.get()), 0, 0, true, true, 0},
      {30, P(runData.get()), 0, 0, true, false, 0},
      {6, 0, 0, 0, true, false, 0},
      {31, 0, 0, 0, false, false, 0},
      {4, 0, 0, 0, true, false, 0},
  };
  for (const auto& e : cases) {
    int32_t out = 77;
    EXPECT_EQ(Command(e.command, e.a, e.b, e.c, &out), e.result) << "command " << e.command;
    if (e.hasValue) {
      EXPECT_EQ(out, e.value) << "command " << e.command;
    }
  }
  EXPECT_EQ(runData->resultWord, 1);
}

TEST_F(Plugin, ValueCommandsWithoutResultPointerDoNotRun) {
  ASSERT_TRUE(InitAndSetup());
  runData->resultWord = 0;
  EXPECT_TRUE(Command(kCmdComputeVariables, P(runData.get())));
  EXPECT_EQ(runData->resultWord, 0);
  EXPECT_FALSE(Command(kCmdGetInfo, 0, 0, 0, nullptr));
}

TEST_F(Plugin, TrialListOfATestRun) {
  ASSERT_TRUE(InitAndSetup());
  ASSERT_EQ(host.trialCount, 10u);
  const char* expected[] = {"T1", "T2", "T3", "T1", "T2", "T3", "T1", "T2", "T3", "T1"};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(std::string(host.trialList[i], 2), expected[i]) << i;
  EXPECT_EQ(host.codeOffset, 2u);
  EXPECT_EQ(host.secondCount, 2u);
  ASSERT_NE(host.secondList, nullptr);
  EXPECT_STREQ(host.secondList[1], "S2ABCDEF");
  // The host permutes a published code from the task's offset on.
  EXPECT_TRUE(host.PermuteCodeQuarters(host.trialList[0], true, static_cast<int>(host.codeOffset)));
  EXPECT_STREQ(host.trialList[0], "T1EFGHABCD");
  EXPECT_TRUE(host.PermuteCodeQuarters(host.trialList[1], false, static_cast<int>(host.codeOffset)));
  EXPECT_STREQ(host.trialList[1], "T2GHEFCDAB");
}

TEST_F(Plugin, TrialListOfAPracticeRun) {
  host.practiceFlag = 1;
  ASSERT_TRUE(InitAndSetup());
  ASSERT_EQ(host.trialCount, 4u);
  EXPECT_STREQ(host.trialList[3], "P4ABCD");
}

TEST_F(Plugin, NormGettersOfThePublishedTable) {
  ASSERT_TRUE(Init());
  record.m_norms[{0, kNormMean}] = 300.0;  // left mean time
  record.m_norms[{5, kNormMean}] = 340.0;  // right mean time
  record.m_norms[{0, kNormSd}] = 40.0;
  record.m_norms[{5, kNormSd}] = 60.0;
  const TaskNormVariable& combined = record.normVariables[6];
  ASSERT_EQ(combined.name, nullptr);
  ASSERT_NE(combined.getter, nullptr);
  double out = 0.0;
  EXPECT_TRUE(combined.getter(&out, 0.0, 42.0, kNormMean));
  EXPECT_EQ(out, 320.0) << "this task takes the mean of both hands";
  EXPECT_TRUE(combined.getter(&out, 0.0, 42.0, kNormSd));
  EXPECT_EQ(out, 50.0);
  EXPECT_FALSE(combined.getter(&out, 5.0, 42.0, kNormZScore));
  EXPECT_EQ(out, kNoValue);
  ASSERT_EQ(record.m_requests.size(), 4u);
  EXPECT_EQ(record.m_requests[1].n, 5);
  EXPECT_EQ(record.m_requests[1].age, 42.0);
  EXPECT_TRUE(record.m_requests[1].floorAllowed);
}

TEST_F(Plugin, Command10DrawsTheStimulusAndPresents) {
  ASSERT_TRUE(Init());
  ASSERT_TRUE(Command(kCmdPrepareScreen, P(&display), 0));
  const char code[kTrialCodeSize] = "T1ABCDEFGH";
  ASSERT_TRUE(Command(kCmdDrawToSurface, P(code), P(&display), 0));
  MemoryDC& s0 = display.Surface(0);
  EXPECT_EQ(s0.GetPixel(400, 300), 0x00FF00u) << "the square of the second size";
  EXPECT_EQ(s0.GetPixel(370, 270), 0x00FF00u);
  EXPECT_EQ(s0.GetPixel(369, 300), 0u);
  // The picture at the top left, as stored.
  EXPECT_EQ(s0.GetPixel(0, 0), QelRGB(255, 0, 0));
  EXPECT_EQ(s0.GetPixel(1, 0), QelRGB(0, 255, 0));
  EXPECT_EQ(s0.GetPixel(2, 0), QelRGB(0, 0, 255));
  EXPECT_EQ(s0.GetPixel(3, 0), QelRGB(255, 255, 255));
  EXPECT_EQ(s0.GetPixel(0, 2), QelRGB(255, 255, 0));
  EXPECT_EQ(display.m_presents, 1);
  EXPECT_EQ(display.Surface(kSurfaceFront).GetPixel(400, 300), 0x00FF00u);
  // Upside down.
  ASSERT_TRUE(Command(kCmdDrawToSurface, P(code), P(&display), 1));
  EXPECT_EQ(s0.GetPixel(0, 0), QelRGB(255, 255, 0));
  EXPECT_EQ(s0.GetPixel(2, 2), QelRGB(0, 0, 255));
  EXPECT_EQ(s0.GetPixel(0, 3), 0u);
}

TEST_F(Plugin, BreaksAndWarningsDrawThroughTheHost) {
  ASSERT_TRUE(InitAndSetup());
  ASSERT_TRUE(Command(kCmdBeginRun, P(runData.get())));
  EXPECT_EQ(display.m_cursorShown, 0);
  ASSERT_TRUE(Command(kCmdShowWarning));
  EXPECT_TRUE(host.Called("DrawCrossCentred 9 16777215 3"));
  ASSERT_TRUE(Command(kCmdEndRun));
  EXPECT_EQ(display.m_cursorShown, 1);
}

// Two plug-ins built on the framework share nothing: each has its own task
// object, bindings and current resource module.
TEST(TwoPlugins, KeepTheirOwnState) {
  const std::filesystem::path copy =
      std::filesystem::path(QEL_TEST_PLUGIN_DIR) / "taskfw-copy" / "QelTaskfwProbeCopy.qet";
  std::filesystem::create_directories(copy.parent_path());
  std::filesystem::copy_file(PROBE_PLUGIN, copy, std::filesystem::copy_options::overwrite_existing);
  void* first = dlopen(PROBE_PLUGIN, RTLD_NOW | RTLD_LOCAL);
  void* second = dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  ASSERT_NE(first, second);
  auto entry1 = reinterpret_cast<TaskEntryFn>(dlsym(first, kTaskEntryName));
  auto entry2 = reinterpret_cast<TaskEntryFn>(dlsym(second, kTaskEntryName));
  ASSERT_NE(entry1, entry2);

  FakeTaskHost host1;
  FakeTaskHost host2;
  host1.language = 2;
  host2.language = 3;
  FakeTaskLibrary record1;
  FakeTaskLibrary record2;
  record1.host = &host1;
  record2.host = &host2;
  ASSERT_TRUE(entry1(kCmdInit, P(&record1), 0, 0, nullptr));
  ASSERT_TRUE(entry2(kCmdInit, P(&record2), 0, 0, nullptr));
  EXPECT_EQ(record1.texts[0], "{\\rtf1 Nederlandse taakinstructie}");
  EXPECT_EQ(record2.texts[0], "{\\rtf1 Istruzioni del compito}");
  EXPECT_NE(record1.resources, record2.resources);
  EXPECT_NE(record1.page, record2.page);

  // Each plug-in's getters reach its own record.
  record1.m_norms[{0, kNormMean}] = 100.0;
  record1.m_norms[{5, kNormMean}] = 200.0;
  record2.m_norms[{0, kNormMean}] = 1000.0;
  record2.m_norms[{5, kNormMean}] = 3000.0;
  double out1 = 0.0;
  double out2 = 0.0;
  EXPECT_TRUE(record1.normVariables[6].getter(&out1, 0.0, 30.0, kNormMean));
  EXPECT_TRUE(record2.normVariables[6].getter(&out2, 0.0, 30.0, kNormMean));
  EXPECT_EQ(out1, 150.0);
  EXPECT_EQ(out2, 2000.0);
  EXPECT_EQ(record1.m_requests.size(), 2u);
  EXPECT_EQ(record2.m_requests.size(), 2u);

  entry1(kCmdUnload, 0, 0, 0, nullptr);
  entry2(kCmdUnload, 0, 0, 0, nullptr);
  dlclose(first);
  dlclose(second);
  std::filesystem::remove(copy);
}

TEST_F(Plugin, UnloadsCleanly) {
  ASSERT_TRUE(InitAndSetup());
  EXPECT_TRUE(Command(kCmdUnload));
  m_initialised = false;
  ASSERT_EQ(dlclose(m_handle), 0);
  m_handle = nullptr;
  EXPECT_EQ(dlopen(PROBE_PLUGIN, RTLD_NOW | RTLD_NOLOAD), nullptr) << "the module stays mapped after dlclose";
}

}  // namespace

}  // namespace qel
