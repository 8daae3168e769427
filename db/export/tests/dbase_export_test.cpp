// Scores exported to a dBase folder, read back by another program's reader.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <vector>
#include <fstream>

#include "db/export/DbaseDriver.h"
#include "db/export/ExportConnections.h"
#include "db/export/RsOdbcExport.h"
#include "db/tests/support/DbTestTools.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {
namespace {

// The table's field names and rows as python's dbfread sees them.
std::string ReadDbf(const std::string& path) {
  const ProgramResult r = RunProgram({SystemPython(), "-c",
                                      "import sys, dbfread\n"
                                      "t = dbfread.DBF(sys.argv[1], char_decode_errors='strict')\n"
                                      "print(t.encoding, t.field_names)\n"
                                      "for r in t: print([r[f] for f in t.field_names])\n",
                                      path});
  EXPECT_EQ(r.exitCode, 0) << r.errors;
  return r.output;
}

bool HaveDbfread() { return RunProgram({SystemPython(), "-c", "import dbfread"}).exitCode == 0; }

TEST(DbaseNames, LongNamesAreCutToTenAndKeptUnique) {
  EXPECT_EQ(DbaseFieldNames({"TesteeId", "Nlu_tp_first", "Nlu_tp_second", "NLU_TP_FIRST", "Code", "code"}),
            (std::vector<std::string>{"TesteeId", "Nlu_tp_fir", "Nlu_tp_sec", "NLU_TP_F~1", "Code", "code~1"}));
}

TEST(DbaseExport, ARowOfScoresIsReadBackByDbfread) {
  if (!HaveDbfread()) GTEST_SKIP() << "python3-dbfread is missing";
  TempFolder dir;
  const std::string path = dir.File("S_TP.dbf");
  {
    CDbOdbcDbase db;
    ASSERT_TRUE(db.Open(path, kDbOpenNone));
    CRsOdbcExportDbase rs(&db);
    ASSERT_TRUE(rs.DefineScoreColumns({"Nlu_tp_first1", "Nlu_tp_first2"}, kSqlDouble, false, false));
    ASSERT_TRUE(rs.CreateTable(false, false));
    rs.ClearValues();
    rs.SetTextValue("TesteeId", "O'Neil");
    rs.SetTextValue("Fname", "Zoë");
    rs.SetDateValue("Bdate", QelDateTime::FromDate(1970, 5, 6));
    rs.SetDateValue("Tdate", QelDateTime());
    rs.SetValue("Age", "53.25");
    rs.SetAssNoValue(2);
    rs.SetValue("Nlu_tp_first1", "12.5");
    ASSERT_TRUE(rs.InsertRow());
    EXPECT_FALSE(std::filesystem::exists(path));  // in place when the connection closes
    db.Close();
  }
  const std::string out = ReadDbf(path);
  EXPECT_NE(out.find("cp1252 ['TesteeId', 'Code', 'Fname', 'Sname', 'Sex', 'Pref', 'Bdate', 'Tdate', 'Ttime', "
                     "'Age', 'ModelId', 'TaskId', 'AssNo', 'Nlu_tp_fir', 'Nlu_tp_f~1']"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("[\"O'Neil\", '', 'Zoë', '', '', '', datetime.date(1970, 5, 6), None, '', 53.25, '', '', 2.0, "
                     "12.5, None]"),
            std::string::npos)
      << out;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

  // Opened again, the table gives its columns by their dBase names.
  CDbOdbcDbase db;
  ASSERT_TRUE(db.Open(path, kDbOpenReadOnly));
  CRsOdbcExportDbase rs(&db);
  ASSERT_TRUE(rs.Open(DbRecordset::kForwardOnly, "S_TP"));
  EXPECT_EQ(rs.GetColumns().size(), 15u);
  EXPECT_EQ(rs.GetColumns().back().name, "Nlu_tp_f~1");
  EXPECT_EQ(rs.GetColumns().back().type, kSqlDouble);
}

TEST(DbaseExport, ATableIsReplacedOnlyWhenTheNewOneIsWhole) {
  if (!HaveDbfread()) GTEST_SKIP() << "python3-dbfread is missing";
  TempFolder dir;
  const std::string path = dir.File("T.dbf");
  auto write = [&](const std::string& value, bool close) {
    CDbOdbcDbase db;
    ASSERT_TRUE(db.Open(path, kDbOpenNone));
    EXPECT_EQ(db.TableExists("T"), std::filesystem::exists(path));
    CRsOdbcExportDbase rs(&db);
    rs.AddTextColumn("Name", 20);
    ASSERT_TRUE(rs.CreateTable(false, false));
    rs.ClearValues();
    rs.SetTextValue("Name", value);
    ASSERT_TRUE(rs.InsertRow());
    if (close) db.Close();
  };
  write("first", true);
  write("abandoned", false);  // never closed: the old table stays
  EXPECT_NE(ReadDbf(path).find("['first']"), std::string::npos);
  write("second", true);
  EXPECT_NE(ReadDbf(path).find("['second']"), std::string::npos);
  EXPECT_EQ(ReadDbf(path).find("first"), std::string::npos);

  CDbOdbcDbase db;
  ASSERT_TRUE(db.Open(path, kDbOpenNone));
  CRsOdbcExportDbase rs(&db, "Missing");
  EXPECT_FALSE(rs.DropTable());
  CRsOdbcExportDbase table(&db);
  EXPECT_TRUE(table.DropTable());
  db.Close();
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(DbaseExport, MoreFieldsThanDbaseHoldsAreRefusedAndLongNamesStayUnique) {
  TempFolder dir;
  std::vector<std::string> names;
  for (int i = 0; i < 256; ++i) names.push_back("VariableNumber" + std::to_string(i));
  const std::vector<std::string> fields = DbaseFieldNames(names);
  EXPECT_EQ(std::set<std::string>(fields.begin(), fields.end()).size(), names.size());
  for (const std::string& f : fields) EXPECT_LE(f.size(), kDbaseFieldNameLength) << f;

  auto create = [&](int count) {
    CDbOdbcDbase db;
    EXPECT_TRUE(db.Open(dir.File("W" + std::to_string(count) + ".dbf"), kDbOpenNone));
    CRsOdbcExportDbase rs(&db);
    for (int i = 0; i < count; ++i) rs.AddDoubleColumn(names[static_cast<size_t>(i)], 10);
    try {
      const bool created = rs.CreateTable(false, false);
      db.Close();
      return created ? std::string("created") : std::string("refused");
    } catch (const DbException& e) {
      return std::string(e.what());
    }
  };
  EXPECT_EQ(create(255), "created");
  EXPECT_NE(create(256).find("at most 255 fields"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.File("W256.dbf")));
}

TEST(DbaseExport, AMissingFolderIsAMissingFile) {
  TempFolder dir;
  CDbOdbcDbase db;
  try {
    db.Open(dir.File("none/S.dbf"), kDbOpenNone);
    ADD_FAILURE() << "opened a missing folder";
  } catch (const DbException& e) {
    EXPECT_EQ(ClassifyDBException(&e), kDbResultDriverState);
  }
}

}  // namespace
}  // namespace test

}  // namespace qel
