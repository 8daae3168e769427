// What both project formats share: the name of a project, the packed
// descriptors of the score variables, the neutral answers outside the
// variable set read last, and the binding to the run data.
#include <gtest/gtest.h>

#include "project/tests/PlainProjectSupport.h"

namespace qel {

namespace test {
namespace {

TEST(ProjectDb, TheNameIsTheFileTitleOfThePath) {
  CDbOdbcAccess connection;
  CProjectDb db(&connection);
  EXPECT_EQ(db.GetName(), "");
  for (const auto& [path, name] : {std::pair{"/data/Study1.qep", "Study1"}, std::pair{"Study1.qep", "Study1"},
                                   std::pair{"/data/v1.2/Study", "Study"}, std::pair{"/data/a.b.qep", "a.b"}}) {
    db.SetPath(path);
    EXPECT_EQ(db.GetName(), name) << path;
  }
  db.SetPassword(nullptr);
  EXPECT_EQ(db.GetPassword(), "");
  db.SetPassword("pw");
  EXPECT_EQ(connection.GetPassword(), "pw");
}

TEST(ProjectDb, DescriptorsArePackedTwentyBytesAVariableAtLeast) {
  static constexpr TaskVariableDef kRows[] = {
      {"A", nullptr, "%d", "first", 0x01020304u, 1},
      {"BC", nullptr, nullptr, "second", 0xA0B0C0D0u, 1},
      {"", nullptr, "%.1f", nullptr, 0u, 1},
  };
  CDbOdbcAccess connection;
  CProjectDb db(&connection);
  auto runData = std::make_unique<CTaskRunData>();
  runData->scoreVariableCount = 3;
  CTaskLibrary library;
  library.scoreVariables = kRows;
  library.scoreVariableCount = 3;
  DbBytes bytes;

  // Unbound: an empty text per variable.
  db.PackVariableArray(bytes, 2, VariableColumn::kNames);
  EXPECT_EQ(bytes, DbBytes(40, 0));

  db.AttachRunData(runData.get());
  db.SetVariableTable(&library);
  db.PackVariableArray(bytes, 3, VariableColumn::kNames);
  DbBytes names = {'A', 0, 'B', 'C', 0, 0};
  names.resize(60, 0);
  EXPECT_EQ(bytes, names);
  db.PackVariableArray(bytes, 3, VariableColumn::kFormats);
  EXPECT_EQ(DbBytes(bytes.begin(), bytes.begin() + 9), (DbBytes{'%', 'd', 0, 0, '%', '.', '1', 'f', 0}));
  db.PackVariableArray(bytes, 2, VariableColumn::kAttributes);
  DbBytes words = {0x04, 0x03, 0x02, 0x01, 0xD0, 0xC0, 0xB0, 0xA0};
  words.resize(40, 0);
  EXPECT_EQ(bytes, words);

  // Longer texts grow the column; rows past the table or the run data's count are empty.
  static constexpr TaskVariableDef kLong[] = {{"A_name_longer_than_twenty", nullptr, "", "", 0u, 1}};
  library.scoreVariables = kLong;
  library.scoreVariableCount = 1;
  db.SetVariableTable(&library);
  db.PackVariableArray(bytes, 2, VariableColumn::kNames);
  EXPECT_EQ(bytes.size(), 40u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data())), "A_name_longer_than_twenty");
  EXPECT_EQ(bytes[26], 0);
  db.PackVariableArray(bytes, 1, VariableColumn::kNames);
  EXPECT_EQ(bytes.size(), 26u);
  runData->scoreVariableCount = 0;
  db.PackVariableArray(bytes, 1, VariableColumn::kLabels);
  EXPECT_EQ(bytes, DbBytes(20, 0));
  db.PackVariableArray(bytes, 0, VariableColumn::kLabels);
  EXPECT_TRUE(bytes.empty());
}

TEST(ProjectDb, OutsideTheVariableSetReadLastTheAnswersAreNeutral) {
  CDbOdbcAccess connection;
  CProjectDb db(&connection);
  EXPECT_EQ(db.GetVariableCount(), 0);
  EXPECT_EQ(db.GetVariableValue(0), 9999.0);
  EXPECT_EQ(db.GetVariableValue(-1), 9999.0);
  EXPECT_EQ(db.GetVariableAttr(0), 0u);
  EXPECT_EQ(db.GetVariableName(0), "");
  EXPECT_EQ(db.GetVariableFormat(5), "");
  EXPECT_EQ(db.GetVariableLabel(-3), "");
  EXPECT_FALSE(db.GetAssessmentDate().IsValid());
  EXPECT_FALSE(db.CheckKeys("t", "m", "c"));  // no path
  db.SetPath("/p.qep");
  EXPECT_TRUE(db.CheckKeys("t", "m", "c"));
  EXPECT_FALSE(db.CheckKeys("t", "", "c"));
}

TEST(ProjectDb, RunDataIsBoundPartByPart) {
  CDbOdbcAccess connection;
  CProjectDb db(&connection);
  auto runData = std::make_unique<CTaskRunData>();
  db.AttachRunData(nullptr);
  EXPECT_EQ(db.GetRespTypeParts()[0], nullptr);
  db.AttachRunData(runData.get());
  for (int p : {0, 15}) {
    EXPECT_EQ(db.GetRespTypeParts()[p], runData->category[p]);
    EXPECT_EQ(db.GetRespTimeParts()[p], runData->reactionTime[p]);
    EXPECT_EQ(db.GetRespCodeParts()[p], runData->responseCode[p]);
    EXPECT_EQ(db.GetProcTypeParts()[p], runData->taskCategory[p]);
  }
  // Without a connection or a path nothing opens, and the base format loads nothing.
  CProjectDb unbound(nullptr);
  EXPECT_FALSE(unbound.Open(true, false));
  EXPECT_EQ(unbound.GetConnectResult(), CProjectDb::kNotConnected);
  EXPECT_FALSE(unbound.Disconnect());
  EXPECT_FALSE(db.Reload(nullptr, false));
  EXPECT_EQ(db.Load(&connection, false, 0), 0);
  EXPECT_EQ(db.ReadResponseRow("t", "m", "c", 1, 1, 0, 0, nullptr, true, false), 0);
}

}  // namespace
}  // namespace test

}  // namespace qel
