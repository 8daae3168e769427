// What the host reads from a loaded plug-in's tables: the kept Z-variable
// tables, the norm-variable getters, timing presets and code rows.
#include <gtest/gtest.h>

#include "engine/library/TaskLibrary.h"
#include "engine/library/tests/TestHook.h"

namespace qel {

namespace {

using test::PluginScript;

// A stand-in model task for FindTimingPreset (only the words are read).
class PresetTask : public IExpModelTask {
 public:
  QelResModule UseLibraryResources() override { return nullptr; }
  bool IsLibraryLoaded() const override { return false; }
  int GetLibraryTaskWord() const override { return 0; }
  int GetPartTableEntry(bool, int) const override { return 0; }
  int GetThirdPartTableEntry(bool, int) const override { return -1; }
  uint32_t GetPartTrials(int) const override { return 0; }
  uint32_t GetCurrentPartTrials() const override { return 0; }
};

class TaskLibraryTables : public test::GoodPluginTest {};

// One field of every kept variable, in order.
template <typename T>
std::vector<T> Kept(const CTaskLibrary& lib, T KeptVariable::*field) {
  std::vector<T> column;
  for (const KeptVariable& v : lib.GetKeptVariables()) column.push_back(v.*field);
  return column;
}

TEST_F(TaskLibraryTables, KeptTablesSkipUnnamedAndNegativeIdEntries) {
  EXPECT_EQ(m_lib.GetKeptCount(), 5);
  EXPECT_EQ(Kept(m_lib, &KeptVariable::name),
            (std::vector<std::string>{"ZThi_eg", "ZShi_eg", "ZNhi_eg", "ZFar_eg", ""}));
  EXPECT_EQ(Kept(m_lib, &KeptVariable::unit), (std::vector<std::string>{"ms", "ms", "N", "", "ms"}));
  EXPECT_EQ(Kept(m_lib, &KeptVariable::id), (std::vector<int>{3, 4, 5, 99, 7}));
  EXPECT_EQ(Kept(m_lib, &KeptVariable::entryIndex), (std::vector<int>{0, 1, 2, 6, 7}));
  EXPECT_EQ(Kept(m_lib, &KeptVariable::description),
            (std::vector<std::string>{"Z of mean reaction time", "Z of SD", "Z of hits", "", "Median reaction time"}));
  EXPECT_EQ(
      Kept(m_lib, &KeptVariable::sourceDescription),
      (std::vector<std::string>{"Mean reaction time", "SD of reaction time", "Hits", "", "Median reaction time"}));
  EXPECT_EQ(Kept(m_lib, &KeptVariable::sourceCode),
            (std::vector<std::string>{"Thi_eg", "Shi_eg", "Nhi_eg", "", "Mhi_eg"}));
}

TEST_F(TaskLibraryTables, FindVariableByNameIsExactAndCaseSensitive) {
  EXPECT_EQ(m_lib.FindVariableByName("ZThi_eg"), 0);
  EXPECT_EQ(m_lib.FindVariableByName("ZFar_eg"), 3);
  EXPECT_EQ(m_lib.FindVariableByName("zthi_eg"), -1);
  EXPECT_EQ(m_lib.FindVariableByName("ZThi"), -1);
  EXPECT_EQ(m_lib.FindVariableByName("ZBad_eg"), -1);  // negative id: not kept
  EXPECT_EQ(m_lib.FindVariableByName(nullptr), -1);
}

TEST_F(TaskLibraryTables, RebuildingAfterThePluginChangesItsTable) {
  static const TaskNormVariable one[] = {{0, "N", "Only", nullptr, 0, 0}};
  m_lib.normVariables = one;
  m_lib.normVariableCount = 1;
  EXPECT_EQ(m_lib.BuildVariableTables(), 1);
  EXPECT_EQ(m_lib.FindVariableByName("Only"), 0);
  EXPECT_EQ(m_lib.FindVariableByName("ZThi_eg"), -1);
  m_lib.normVariables = nullptr;
  m_lib.normVariableCount = 3;  // a count without a table is no table
  EXPECT_EQ(m_lib.BuildVariableTables(), 0);
  EXPECT_EQ(m_lib.GetVariableCount(), 0);
}

struct GetterRow {
  int i;
  const char* name;
  const char* unit;
  int id;
  const char* sourceCode;
  const char* description;
  const char* sourceDescription;
};

std::string Text(const char* s) { return s ? std::string(s) : std::string("<null>"); }

TEST_F(TaskLibraryTables, NormVariableGettersCheckEveryIndex) {
  const GetterRow rows[] = {
      {0, "ZThi_eg", "ms", 3, "Thi_eg", "Z of mean reaction time", "Mean reaction time"},
      {2, "ZNhi_eg", "N", 5, "Nhi_eg", "Z of hits", "Hits"},
      {3, nullptr, "N", 6, "Nhi_eg", "Combined Z", "Hits"},
      {4, "ZBad_eg", "N", -1, "Nhi_eg", nullptr, "Hits"},
      {6, "ZFar_eg", nullptr, 99, nullptr, nullptr, nullptr},
      {-1, nullptr, nullptr, -1, nullptr, nullptr, nullptr},
      {8, nullptr, nullptr, -1, nullptr, nullptr, nullptr},
  };
  EXPECT_EQ(m_lib.GetVariableCount(), 8);
  for (const GetterRow& r : rows) {
    SCOPED_TRACE(r.i);
    EXPECT_EQ(Text(m_lib.GetVariableName(r.i)), Text(r.name));
    EXPECT_EQ(Text(m_lib.GetVariableUnit(r.i)), Text(r.unit));
    EXPECT_EQ(m_lib.GetVariableId(r.i), r.id);
    EXPECT_EQ(Text(m_lib.GetSourceCode(r.i)), Text(r.sourceCode));
    EXPECT_EQ(Text(m_lib.GetVariableDescription(r.i)), Text(r.description));
    EXPECT_EQ(Text(m_lib.GetSourceDescription(r.i)), Text(r.sourceDescription));
  }
  // Without a score-variable table the descriptions and codes are gone.
  m_lib.scoreVariables = nullptr;
  EXPECT_EQ(m_lib.GetSourceCode(0), nullptr);
  EXPECT_EQ(m_lib.GetVariableDescription(0), nullptr);
  EXPECT_EQ(m_lib.GetSourceDescription(0), nullptr);
  EXPECT_STREQ(m_lib.GetVariableName(0), "ZThi_eg");
}

TEST_F(TaskLibraryTables, TimingPresetMatchesOnTheThreeTypeWordsOnly) {
  PresetTask task;
  task.w.TaskSDType = kSignalDurationRandom;
  task.w.TaskControl = kEventsRate;
  task.w.TaskIntType = kIntervalRandom;
  task.w.TaskSDLow = 1;  // low and high words are not compared
  task.w.TaskIntHigh = 9;
  EXPECT_EQ(m_lib.FindTimingPreset(&task), 1);
  task.w.TaskSDType = kSignalDurationFixed;
  task.w.TaskControl = kEventsPostResponse;
  task.w.TaskIntType = kIntervalFixed;
  EXPECT_EQ(m_lib.FindTimingPreset(&task), 0);
  task.w.TaskIntType = kIntervalVariable;
  EXPECT_EQ(m_lib.FindTimingPreset(&task), -1);
  EXPECT_EQ(m_lib.FindTimingPreset(nullptr), -1);
  m_lib.taskDescription = nullptr;
  task.w.TaskIntType = kIntervalFixed;
  EXPECT_EQ(m_lib.FindTimingPreset(&task), -1);
}

TEST_F(TaskLibraryTables, CodeRowsAreSearchedWithinThePartColumns) {
  EXPECT_EQ(m_lib.FindCodeRow(0, 1), 0);  // first of two rows with 1
  EXPECT_EQ(m_lib.FindCodeRow(0, 3), 1);
  EXPECT_EQ(m_lib.FindCodeRow(1, 5), 2);
  EXPECT_EQ(m_lib.FindCodeRow(1, 9), -1);
  EXPECT_EQ(m_lib.FindCodeRow(2, 0), -1);  // not below the part count
  EXPECT_EQ(m_lib.FindCodeRow(-1, 1), -1);
  // A part count republished beyond 16 never reaches past a row's 16 words.
  m_lib.partCount = 20;
  EXPECT_EQ(m_lib.FindCodeRow(17, 4), -1);
  m_lib.partCount = 2;
}

TEST_F(TaskLibraryTables, CodeNamesAndSdFloorFromThePluginTables) {
  EXPECT_EQ(m_lib.GetCodeName(10), "LOFA");
  EXPECT_EQ(m_lib.GetCodeName(11), "HIFA");
  EXPECT_EQ(m_lib.GetCodeName(12), "12");
  EXPECT_FALSE(m_lib.UsesSdFloor(1));
  EXPECT_TRUE(m_lib.UsesSdFloor(2));
  EXPECT_TRUE(m_lib.UsesSdFloor(7));
  EXPECT_FALSE(m_lib.UsesSdFloor(8));
}

}  // namespace

}  // namespace qel
