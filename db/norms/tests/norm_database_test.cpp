// The norms file bound to the plug-ins' norm functions. Norm files are made
// here with the sqlite3 shell (as a program outside ours would make them),
// with known polynomials and age bands; the Tapping plug-in of the program
// folder is loaded into the program's table and its Z-scores are read at
// the band edges and outside every band. Without a norms file the program
// warns and every Z-score is 9999.0.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "db/norms/NormDatabase.h"
#include "db/tests/support/DbTestTools.h"
#include "engine/library/TaskLibraries.h"
#include "include/qel/TaskTables.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {
namespace {

constexpr char kTask[] = "TP";
constexpr char kMeanVariable[] = "ZTliu_tp";   // Z of a mean interval
constexpr char kCountVariable[] = "ZNlu_tp";   // Z of a count: more taps is better (reversed)

// The doubles as an SQL blob literal: 8 little-endian bytes each.
std::string Blob(const std::vector<double>& values) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string text = "X'";
  for (double v : values) {
    const uint64_t bits = std::bit_cast<uint64_t>(v);
    for (int b = 0; b < 8; ++b) {
      const unsigned byte = static_cast<unsigned>((bits >> (8 * b)) & 0xFF);
      text += kHex[byte >> 4];
      text += kHex[byte & 0xF];
    }
  }
  return text + "'";
}

struct ZRow {
  std::string task;
  std::string function;
  int funIndex;
  int ageMin;
  int ageMax;
  std::vector<double> values;
  int num = -1;  // -1: the number of values
};

// A norms file as the norm builder makes it: the two tables and the rows.
std::string NormFileSql(const std::vector<ZRow>& rows) {
  std::string sql =
      "CREATE TABLE Zfunctions (Task VARCHAR(255), Function VARCHAR(255), FunIndex INTEGER, "
      "AgeMinIndex INTEGER, AgeMaxIndex INTEGER, Num INTEGER, \"Values\" BLOB);\n"
      "CREATE TABLE DataFiles (Task VARCHAR(255), Language INTEGER, DataType INTEGER, FileType INTEGER, "
      "FileAttr INTEGER, FileCode INTEGER, FileName VARCHAR(255), FileTime DATETIME, FileLen INTEGER, "
      "FileData BLOB);\n";
  for (const ZRow& r : rows) {
    const int num = r.num >= 0 ? r.num : static_cast<int>(r.values.size());
    sql += "INSERT INTO Zfunctions VALUES ('" + r.task + "', '" + r.function + "', " + std::to_string(r.funIndex) +
           ", " + std::to_string(r.ageMin) + ", " + std::to_string(r.ageMax) + ", " + std::to_string(num) + ", " +
           (r.values.empty() ? std::string("NULL") : Blob(r.values)) + ");\n";
  }
  return sql;
}

// Age points 20, 40, 60 and 80 bound three bands of the mean-interval Z:
//   20-40: mean 100 + 2 age, SD 10
//   40-60: mean 50 + 0.5 age + 0.01 age^2 + 0.0001 age^3, SD 5 + 0.1 age
//   60-80: mean 300, SD 30
// and one band of the count Z (20-80): mean 40, SD 4. Rows come in an order
// that the sort must put right.
std::vector<ZRow> BandRows() {
  return {
      {kTask, kMeanVariable, kNormFunctionSd, 2, 3, {30, 0, 0, 0}},
      {kTask, kMeanVariable, kNormFunctionMean, 1, 2, {50, 0.5, 0.01, 0.0001}},
      {kTask, kMeanVariable, kNormFunctionMean, 0, 1, {100, 2, 0, 0}},
      {kTask, "", 0, 0, 0, {20, 40, 60, 80}},
      {kTask, kMeanVariable, kNormFunctionSd, 0, 1, {10, 0, 0, 0}},
      {kTask, kMeanVariable, kNormFunctionMean, 2, 3, {300, 0, 0, 0}},
      {kTask, kMeanVariable, kNormFunctionSd, 1, 2, {5, 0.1, 0, 0}},
      {kTask, kCountVariable, kNormFunctionMean, 0, 3, {40, 0, 0, 0}},
      {kTask, kCountVariable, kNormFunctionSd, 0, 3, {4, 0, 0, 0}},
  };
}

double MiddleMean(double age) { return 50 + 0.5 * age + 0.01 * age * age + 0.0001 * age * age * age; }
double MiddleSd(double age) { return 5 + 0.1 * age; }

class NormDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveProgram("sqlite3")) GTEST_SKIP() << "the sqlite3 shell is needed";
    std::filesystem::copy_file(std::string(QEL_OUTPUT_DIR) + "/QelTP.qet", m_plugins.File("QelTP.qet"));
    SetTaskFolder(m_plugins.File("Qel").c_str());
    m_normsPath = m_dir.File(kNormsFileName);
  }
  void TearDown() override {
    m_norms.Close();
    UnloadTaskLibraries();
  }

  void MakeNorms(const std::vector<ZRow>& rows, const std::string& extraSql = std::string()) {
    const ProgramResult r = RunSqlShell("sqlite3", m_normsPath, NormFileSql(rows) + extraSql);
    ASSERT_EQ(r.exitCode, 0) << r.errors;
  }

  // Start-up: the norms file, the plug-ins, the functions handed over.
  int StartUp() {
    return LoadNormsAndTaskLibraries(m_norms, m_normsPath, [this] { m_loaded = FindTaskLibraries(nullptr); });
  }

  CTaskLibrary* Tapping() const { return FindTaskLibrary(kTask); }

  // The entry of a Z variable in the plug-in's norm-variable table.
  int Entry(const char* name) const {
    const CTaskLibrary* lib = Tapping();
    for (int i = 0; lib && i < lib->GetVariableCount(); ++i) {
      const char* n = lib->GetVariableName(i);
      if (n && std::string(n) == name) return i;
    }
    ADD_FAILURE() << name << " is not a norm variable of the plug-in";
    return -1;
  }

  // GetVariableValue of the variable: the value given, 9999.0 otherwise.
  double Value(const char* name, double raw, double age, QelNormKind kind) {
    double out = 0.0;
    const bool ok = Tapping()->GetVariableValue(Entry(name), &out, raw, age, kind, true);
    EXPECT_EQ(ok, out != kNoValue) << name << " at age " << age;
    return out;
  }

  TempFolder m_dir;
  TempFolder m_plugins;
  std::string m_normsPath;
  CNormDatabase m_norms;
  int m_loaded = 0;
};

TEST_F(NormDatabaseTest, WithoutANormsFileTheProgramWarnsAndEveryZScoreIsNoValue) {
  PromptRecorder prompts;
  EXPECT_EQ(StartUp(), -1);
  ASSERT_EQ(prompts.Shown().size(), 1u);
  EXPECT_EQ(prompts.Shown()[0].text, "Missing Norm file :" + m_normsPath + "!");
  EXPECT_EQ(prompts.Shown()[0].style, unsigned(kPromptOk | kPromptIconWarning));
  ASSERT_EQ(m_loaded, 1);  // the plug-ins are loaded all the same
  ASSERT_NE(Tapping(), nullptr);
  EXPECT_EQ(Tapping()->GetNormFunctionCount(), 0);
  EXPECT_EQ(Value(kMeanVariable, 200, 30, kNormZScore), kNoValue);
  EXPECT_EQ(Value(kMeanVariable, 0, 30, kNormMean), kNoValue);
  EXPECT_EQ(Value(kCountVariable, 50, 30, kNormZScore), kNoValue);
}

struct EdgeCase {
  const char* label;
  const char* variable;
  double raw;
  double age;
  QelNormKind kind;
  double expected;  // kNoValue: none given
};

void PrintTo(const EdgeCase& c, std::ostream* os) { *os << c.label; }

class NormBandEdges : public NormDatabaseTest, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(NormBandEdges, ZScoresFollowTheBandOfTheAge) {
  MakeNorms(BandRows());
  PromptRecorder prompts;
  EXPECT_EQ(StartUp(), 8);
  EXPECT_TRUE(prompts.Shown().empty());
  const EdgeCase& c = GetParam();
  const double got = Value(c.variable, c.raw, c.age, c.kind);
  if (c.expected == kNoValue) {
    EXPECT_EQ(got, kNoValue);
  } else {
    EXPECT_NEAR(got, c.expected, 1e-9);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NormBandEdges,
    ::testing::Values(
        EdgeCase{"FirstBandLowerEdge", kMeanVariable, 160, 20, kNormZScore, 2.0},
        EdgeCase{"FirstBandInside", kMeanVariable, 150, 30, kNormZScore, -1.0},
        EdgeCase{"FirstBandJustBelowItsUpperEdge", kMeanVariable, 180, 39.999, kNormZScore,
                 (180 - (100 + 2 * 39.999)) / 10},
        EdgeCase{"UpperEdgeBelongsToTheNextBand", kMeanVariable, 180, 40, kNormZScore,
                 (180 - MiddleMean(40)) / MiddleSd(40)},
        EdgeCase{"CubicBandInside", kMeanVariable, 200, 50, kNormZScore, (200 - MiddleMean(50)) / MiddleSd(50)},
        EdgeCase{"CubicMean", kMeanVariable, 0, 55, kNormMean, MiddleMean(55)},
        EdgeCase{"CubicSd", kMeanVariable, 0, 55, kNormSd, MiddleSd(55)},
        EdgeCase{"LastBandLowerEdge", kMeanVariable, 360, 60, kNormZScore, 2.0},
        EdgeCase{"LastBandJustBelowItsUpperEdge", kMeanVariable, 270, 79.999, kNormZScore, -1.0},
        EdgeCase{"LastUpperEdgeIsOutside", kMeanVariable, 270, 80, kNormZScore, kNoValue},
        EdgeCase{"AboveEveryBand", kMeanVariable, 270, 95, kNormZScore, kNoValue},
        EdgeCase{"BelowEveryBand", kMeanVariable, 160, 19.999, kNormZScore, kNoValue},
        EdgeCase{"MeanBelowEveryBand", kMeanVariable, 0, 10, kNormMean, kNoValue},
        EdgeCase{"SdAboveEveryBand", kMeanVariable, 0, 80, kNormSd, kNoValue},
        EdgeCase{"ReversedCountMoreTapsScoreBelowZero", kCountVariable, 48, 30, kNormZScore, -2.0},
        EdgeCase{"ReversedCountFewerTapsScoreAboveZero", kCountVariable, 36, 79.5, kNormZScore, 1.0},
        EdgeCase{"ReversedCountOutsideItsBand", kCountVariable, 48, 80, kNormZScore, kNoValue},
        EdgeCase{"NoRawValueGivesNoZ", kMeanVariable, kNoValue, 30, kNormZScore, kNoValue}));

TEST_F(NormDatabaseTest, TheProviderGivesTheSameBandsToLoadNorms) {
  MakeNorms(BandRows());
  PromptRecorder prompts;
  ASSERT_EQ(StartUp(), 8);
  const double viaStartUp = Value(kMeanVariable, 200, 50, kNormZScore);

  m_norms.SetPath(m_normsPath.c_str(), nullptr);
  ASSERT_TRUE(m_norms.Open(true));
  double lows[8], highs[8], c[32];
  ASSERT_EQ(m_norms.GetZFunction(kTask, kMeanVariable, kNormFunctionMean, lows, highs, c, 8), 3);
  // Sorted by the band's age indexes.
  EXPECT_EQ(lows[0], 20);
  EXPECT_EQ(highs[0], 40);
  EXPECT_EQ(lows[1], 40);
  EXPECT_EQ(highs[1], 60);
  EXPECT_EQ(lows[2], 60);
  EXPECT_EQ(highs[2], 80);
  EXPECT_EQ(c[4], 50);
  EXPECT_EQ(c[7], 0.0001);
  EXPECT_EQ(c[8], 300);
  // Room for fewer bands than there are: the count stays, only the room is filled.
  EXPECT_EQ(m_norms.GetZFunction(kTask, kMeanVariable, kNormFunctionSd, lows, highs, c, 1), 3);
  EXPECT_EQ(c[0], 10);
  EXPECT_EQ(m_norms.GetZFunction(kTask, "ZNoSuch_tp", kNormFunctionMean, lows, highs, c, 8), 0);
  EXPECT_EQ(m_norms.GetZFunction("", kMeanVariable, kNormFunctionMean, lows, highs, c, 8), -1);
  EXPECT_EQ(m_norms.GetZFunction(kTask, "", kNormFunctionMean, lows, highs, c, 8), -1);
  EXPECT_EQ(m_norms.GetZFunction(kTask, kMeanVariable, -1, lows, highs, c, 8), -1);

  ASSERT_TRUE(Tapping()->LoadNorms(&m_norms, kTask));
  EXPECT_EQ(Value(kMeanVariable, 200, 50, kNormZScore), viaStartUp);
  EXPECT_EQ(Value(kMeanVariable, 270, 80, kNormZScore), kNoValue);
  m_norms.Close();
  EXPECT_EQ(m_norms.GetZFunction(kTask, kMeanVariable, kNormFunctionMean, lows, highs, c, 8), -1);
}

TEST_F(NormDatabaseTest, RowsThatCannotMakeABandArePassedOver) {
  MakeNorms({
      // Another task's points do not serve TP; a task without a plug-in is passed over.
      {"AA", "", 0, 0, 0, {0, 100}},
      {"XX", "", 0, 0, 0, {0, 100}},
      {"XX", kMeanVariable, kNormFunctionMean, 0, 1, {1, 0, 0, 0}},
      // TP has no age-point row: its functions get no ages and are passed over.
      {kTask, kMeanVariable, kNormFunctionMean, 0, 1, {100, 0, 0, 0}},
      {kTask, kMeanVariable, kNormFunctionSd, 0, 1, {10, 0, 0, 0}},
  });
  PromptRecorder prompts;
  EXPECT_EQ(StartUp(), 0);
  EXPECT_EQ(Tapping()->GetNormFunctionCount(), 0);
  EXPECT_EQ(Value(kMeanVariable, 110, 50, kNormZScore), kNoValue);
}

TEST_F(NormDatabaseTest, IndexesOutsideThePointsKindsAndNamesTheTaskLacks) {
  MakeNorms({
      {kTask, "", 0, 0, 0, {20, 40, 60}},
      // AgeMaxIndex equal to the number of points: high age 0.0, an empty band.
      {kTask, kMeanVariable, kNormFunctionMean, 1, 3, {100, 0, 0, 0}},
      {kTask, kMeanVariable, kNormFunctionSd, 1, 3, {10, 0, 0, 0}},
      // Good bands 20-40, with too few coefficients stored: the rest are 0.
      {kTask, kMeanVariable, kNormFunctionMean, 0, 1, {100}},
      {kTask, kMeanVariable, kNormFunctionSd, 0, 1, {10}},
      // A count larger than the stored bytes (padded with 0.0) and than any column (cut).
      {kTask, kCountVariable, kNormFunctionMean, 0, 2, {40, 0, 0, 0}, 1000000},
      {kTask, kCountVariable, kNormFunctionSd, 0, 2, {4}, 3},
      // Neither a mean nor an SD, a negative kind, a name the plug-in does not have.
      {kTask, kMeanVariable, 2, 0, 1, {1, 0, 0, 0}},
      {kTask, kMeanVariable, -1, 0, 1, {1, 0, 0, 0}},
      {kTask, "ZNoSuch_tp", kNormFunctionMean, 0, 1, {1, 0, 0, 0}},
  });
  PromptRecorder prompts;
  EXPECT_EQ(StartUp(), 6);
  EXPECT_EQ(Value(kMeanVariable, 120, 30, kNormZScore), 2.0);
  EXPECT_EQ(Value(kMeanVariable, 120, 50, kNormZScore), kNoValue);  // only the empty band covers 50
  EXPECT_EQ(Value(kCountVariable, 44, 59, kNormZScore), -1.0);  // reversed
  EXPECT_TRUE(prompts.Shown().empty());
}

TEST_F(NormDatabaseTest, AFileThatIsNoNormsDatabaseIsReportedAndLeavesNoNorms) {
  std::ofstream(m_normsPath) << "this is not a database file of any kind, just text that is long enough";
  PromptRecorder prompts;
  EXPECT_EQ(StartUp(), -1);
  EXPECT_EQ(m_loaded, 1);
  ASSERT_EQ(prompts.Shown().size(), 1u);
  EXPECT_NE(prompts.Shown()[0].text.find(m_normsPath), std::string::npos) << prompts.Shown()[0].text;
  EXPECT_EQ(Value(kMeanVariable, 200, 30, kNormZScore), kNoValue);

  // A file without the Z-functions table: reported, nothing loaded.
  std::filesystem::remove(m_normsPath);
  ASSERT_EQ(RunSqlShell("sqlite3", m_normsPath, "CREATE TABLE Other (a INTEGER);").exitCode, 0);
  PromptRecorder again;
  EXPECT_EQ(StartUp(), -1);
  EXPECT_EQ(again.Shown().size(), 1u);
  EXPECT_EQ(Tapping()->GetNormFunctionCount(), 0);
}

TEST_F(NormDatabaseTest, AProtectedNormsFileOpensWithItsPasswordOnly) {
  if (!HaveProgram("sqlcipher")) GTEST_SKIP() << "the sqlcipher shell is needed";
  ASSERT_EQ(RunSqlShell("sqlcipher", m_normsPath, NormFileSql(BandRows()), "norm-key").exitCode, 0);
  PromptRecorder prompts;
  m_norms.SetPath(m_normsPath.c_str(), "wrong");
  EXPECT_FALSE(m_norms.Open(true));
  EXPECT_EQ(prompts.Shown().size(), 1u);
  m_norms.SetPath(m_normsPath.c_str(), "norm-key");
  ASSERT_TRUE(m_norms.Open(true));
  double lows[4], highs[4], c[16];
  EXPECT_EQ(m_norms.GetZFunction(kTask, kMeanVariable, kNormFunctionMean, lows, highs, c, 4), 3);
}

TEST_F(NormDatabaseTest, StoredFilesAreFoundByTaskAndLanguage) {
  MakeNorms(BandRows(),
            "INSERT INTO DataFiles VALUES ('TP', 1, 1, 1, 0, 7, 'tp-en.xlsx', '2024.05.06 07:08:09', 3, X'010203');\n"
            "INSERT INTO DataFiles VALUES ('TP', 2, 1, 1, 0, 7, 'tp-du.xlsx', NULL, 2, X'0405');\n"
            "INSERT INTO DataFiles VALUES ('TP', 3, 2, 1, 0, 7, 'other-type.bin', NULL, 1, X'06');\n");
  m_norms.SetPath(m_normsPath.c_str(), "");
  ASSERT_TRUE(m_norms.Open(true));
  std::string name;
  QelDateTime time;
  DbBytes data;
  EXPECT_EQ(m_norms.ReadDataFile(kTask, 1, &name, &time, &data), 3);
  EXPECT_EQ(name, "tp-en.xlsx");
  EXPECT_EQ(data, (DbBytes{1, 2, 3}));
  int year = 0, month = 0, day = 0;
  ASSERT_TRUE(time.IsValid());
  time.Split(&year, &month, &day);
  EXPECT_EQ(year * 10000 + month * 100 + day, 20240506);

  EXPECT_EQ(m_norms.ReadDataFile(kTask, 2, &name, &time, &data), 2);
  EXPECT_FALSE(time.IsValid());
  EXPECT_EQ(m_norms.ReadDataFile(kTask, 3, &name, &time, &data), -1);  // not of the file type
  EXPECT_TRUE(name.empty());
  EXPECT_TRUE(data.empty());
  EXPECT_EQ(m_norms.ReadDataFile("XX", 1, &name, &time, &data), -1);
}

}  // namespace
}  // namespace test

}  // namespace qel
