// What the host reads from a loaded plug-in's tables: the kept Z-variable
// tables, the norm-variable getters, timing presets and code rows.
#include <gtest/gtest.h>

#include "engine/library/tests/TestHook.h"
#include "engine/library/TaskLibrary.h"

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

TEST_F(TaskLibraryTables, KeptTablesSkipUnnamedAndNegativeIdEntries) {
  EXPECT_EQ(lib_.GetKeptCount(), 5);
  EXPECT_EQ(lib_.GetKeptNames(), (std::vector<std::string>{"ZThi_eg", "ZShi_eg", "ZNhi_eg", "ZFar_eg", ""}));
  EXPECT_EQ(lib_.GetKeptUnits(), (std::vector<std::string>{"ms", "ms", "N", "", "ms"}));
  EXPECT_EQ(lib_.GetKeptIds(), (std::vector<int>{3, 4, 5, 99, 7}));
  EXPECT_EQ(lib_.GetKeptEntryIndexes(), (std::vector<int>{0, 1, 2, 6, 7}));
  EXPECT_EQ(lib_.GetKeptDescriptions(),
            (std::vector<std::string>{"Z of mean reaction time", "Z of SD", "Z of hits", "",
                                      "Median reaction time"}));
  EXPECT_EQ(lib_.GetKeptSourceDescriptions(),
            (std::vector<std::string>{"Mean reaction time", "SD of reaction time", "Hits", "",
                                      "Median reaction time"}));
  EXPECT_EQ(lib_.GetKeptSourceCodes(),
            (std::vector<std::string>{"Thi_eg", "Shi_eg", "Nhi_eg", "", "Mhi_eg"}));
}

TEST_F(TaskLibraryTables, FindVariableByNameIsExactAndCaseSensitive) {
  EXPECT_EQ(lib_.FindVariableByName("ZThi_eg"), 0);
  EXPECT_EQ(lib_.FindVariableByName("ZFar_eg"), 3);
  EXPECT_EQ(lib_.FindVariableByName("zthi_eg"), -1);
  EXPECT_EQ(lib_.FindVariableByName("ZThi"), -1);
  EXPECT_EQ(lib_.FindVariableByName("ZBad_eg"), -1);  // negative id: not kept
  EXPECT_EQ(lib_.FindVariableByName(nullptr), -1);
}

TEST_F(TaskLibraryTables, RebuildingAfterThePluginChangesItsTable) {
  static const TaskNormVariable one[] = {{0, "N", "Only", nullptr, 0, 0}};
  lib_.normVariables = one;
  lib_.normVariableCount = 1;
  EXPECT_EQ(lib_.BuildVariableTables(), 1);
  EXPECT_EQ(lib_.FindVariableByName("Only"), 0);
  EXPECT_EQ(lib_.FindVariableByName("ZThi_eg"), -1);
  lib_.normVariables = nullptr;
  lib_.normVariableCount = 3;  // a count without a table is no table
  EXPECT_EQ(lib_.BuildVariableTables(), 0);
  EXPECT_EQ(lib_.GetVariableCount(), 0);
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
  EXPECT_EQ(lib_.GetVariableCount(), 8);
  for (const GetterRow& r : rows) {
    SCOPED_TRACE(r.i);
    EXPECT_EQ(Text(lib_.GetVariableName(r.i)), Text(r.name));
    EXPECT_EQ(Text(lib_.GetVariableUnit(r.i)), Text(r.unit));
    EXPECT_EQ(lib_.GetVariableId(r.i), r.id);
    EXPECT_EQ(Text(lib_.GetSourceCode(r.i)), Text(r.sourceCode));
    EXPECT_EQ(Text(lib_.GetVariableDescription(r.i)), Text(r.description));
    EXPECT_EQ(Text(lib_.GetSourceDescription(r.i)), Text(r.sourceDescription));
  }
  // Without a score-variable table the descriptions and codes are gone.
  lib_.scoreVariables = nullptr;
  EXPECT_EQ(lib_.GetSourceCode(0), nullptr);
  EXPECT_EQ(lib_.GetVariableDescription(0), nullptr);
  EXPECT_EQ(lib_.GetSourceDescription(0), nullptr);
  EXPECT_STREQ(lib_.GetVariableName(0), "ZThi_eg");
}

TEST_F(TaskLibraryTables, TimingPresetMatchesOnTheThreeTypeWordsOnly) {
  PresetTask task;
  task.w.TaskSDType = 2;
  task.w.TaskControl = 1;
  task.w.TaskIntType = 2;
  task.w.TaskSDLow = 1;  // low and high words are not compared
  task.w.TaskIntHigh = 9;
  EXPECT_EQ(lib_.FindTimingPreset(&task), 1);
  task.w.TaskSDType = 1;
  task.w.TaskControl = 0;
  task.w.TaskIntType = 1;
  EXPECT_EQ(lib_.FindTimingPreset(&task), 0);
  task.w.TaskIntType = 0;
  EXPECT_EQ(lib_.FindTimingPreset(&task), -1);
  EXPECT_EQ(lib_.FindTimingPreset(nullptr), -1);
  lib_.taskDescription = nullptr;
  task.w.TaskIntType = 1;
  EXPECT_EQ(lib_.FindTimingPreset(&task), -1);
}

TEST_F(TaskLibraryTables, CodeRowsAreSearchedWithinThePartColumns) {
  EXPECT_EQ(lib_.FindCodeRow(0, 1), 0);  // first of two rows with 1
  EXPECT_EQ(lib_.FindCodeRow(0, 3), 1);
  EXPECT_EQ(lib_.FindCodeRow(1, 5), 2);
  EXPECT_EQ(lib_.FindCodeRow(1, 9), -1);
  EXPECT_EQ(lib_.FindCodeRow(2, 0), -1);  // not below the part count
  EXPECT_EQ(lib_.FindCodeRow(-1, 1), -1);
  // A part count republished beyond 16 never reaches past a row's 16 words.
  lib_.partCount = 20;
  EXPECT_EQ(lib_.FindCodeRow(17, 4), -1);
  lib_.partCount = 2;
}

TEST_F(TaskLibraryTables, CodeNamesAndSdFloorFromThePluginTables) {
  EXPECT_EQ(lib_.GetCodeName(10), "LOFA");
  EXPECT_EQ(lib_.GetCodeName(11), "HIFA");
  EXPECT_EQ(lib_.GetCodeName(12), "12");
  EXPECT_FALSE(lib_.UsesSdFloor(1));
  EXPECT_TRUE(lib_.UsesSdFloor(2));
  EXPECT_TRUE(lib_.UsesSdFloor(7));
  EXPECT_FALSE(lib_.UsesSdFloor(8));
}

}  // namespace

}  // namespace qel
