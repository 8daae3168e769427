// The statement builders of the record sets, on one of the program's own
// database files: columns defined in code, values checked against their
// columns, and every value bound, so a quote is stored as it is.
#include <gtest/gtest.h>

#include "db/Dao.h"
#include "db/DbOdbcAccess.h"
#include "db/export/RsOdbcExport.h"
#include "db/tests/support/DbTestTools.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {
namespace {

class StatementBuilders : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.File("e.qep");
    DaoDatabase db;
    db.Create(path_, "");
    db.Connection().Execute("CREATE TABLE Keep (a TEXT)");
    db.Complete();
    ASSERT_TRUE(db_.Open(path_, kDbOpenNone));
  }

  std::string Query(const std::string& sql) {
    if (!HaveProgram("sqlite3")) return "?";
    const ProgramResult r = RunSqlShell("sqlite3", path_, sql);
    EXPECT_EQ(r.exitCode, 0) << r.errors;
    return r.output;
  }

  TempFolder dir_;
  std::string path_;
  CDbOdbcAccess db_;
};

TEST_F(StatementBuilders, AQuoteRoundTripsThroughCreateInsertAndUpdate) {
  if (!HaveProgram("sqlite3")) GTEST_SKIP() << "no sqlite3 shell";
  CRsOdbcExport rs(&db_, "Scores");
  rs.AddTextColumn("TesteeId", 63);
  rs.AddTextColumn("Note", 63);
  rs.AddDoubleColumn("Age", 10);
  rs.AddDateColumn("Bdate");
  ASSERT_TRUE(rs.CreateTable(false, false));
  rs.ClearValues();
  EXPECT_TRUE(rs.SetTextValue("TesteeId", "O'Neil"));
  EXPECT_TRUE(rs.SetTextValue("Note", "a \"quoted\"; DROP TABLE Keep; --"));
  EXPECT_TRUE(rs.SetValue("Age", "12.5"));
  EXPECT_TRUE(rs.SetDateValue("Bdate", QelDateTime::FromDate(2001, 2, 3)));
  ASSERT_TRUE(rs.InsertRow());
  EXPECT_EQ(Query("SELECT TesteeId, Note, Age, Bdate FROM Scores;"),
            "O'Neil|a \"quoted\"; DROP TABLE Keep; --|12.5|2001.02.03 00:00:00\n");

  rs.ClearValues();
  EXPECT_TRUE(rs.SetTextValue("Note", "O'Brien"));
  ASSERT_TRUE(rs.UpdateRows(DbFilter().Equal("TesteeId", DbValue("O'Neil"))));
  // Every defined column takes part: the ones without a value become NULL.
  EXPECT_EQ(Query("SELECT quote(TesteeId), Note, quote(Age) FROM Scores;"), "NULL|O'Brien|NULL\n");
  EXPECT_EQ(Query("SELECT count(*) FROM Keep;"), "0\n");
  EXPECT_THROW(rs.UpdateRows(DbFilter()), DbException);  // an update always names its rows

  // Names are quoted as well: a table may carry quotes of both kinds.
  CRsOdbcExport odd(&db_, "O'Neil \"Scores\"");
  odd.AddTextColumn("Id's", 10);
  ASSERT_TRUE(odd.CreateTable(false, false));
  odd.ClearValues();
  odd.SetTextValue("Id's", "O'Neil");
  ASSERT_TRUE(odd.InsertRow());
  EXPECT_EQ(Query("SELECT \"Id's\" FROM \"O'Neil \"\"Scores\"\"\";"), "O'Neil\n");
  EXPECT_TRUE(odd.DropTable());
}

// Columns of a type that makes no column (TIME), as a workbook's query may give them.
class CTimeColumns : public CRsOdbcExport {
 public:
  using CRsOdbcExport::CRsOdbcExport;
  void AddTimeColumn(const std::string& name) { AppendColumn(name, kSqlTime, 8); }
};

TEST_F(StatementBuilders, BuildersRunNothingWithoutAUsableColumn) {
  PromptRecorder prompts;
  CTimeColumns times(&db_, "Keep");
  times.AddTimeColumn("Clock");
  times.ClearValues();
  times.SetValue("Clock", "10:00");
  EXPECT_FALSE(times.InsertRow());
  // The drop before the create has run; the create has not.
  EXPECT_FALSE(times.CreateTable(false, false));
  EXPECT_EQ(Query("SELECT count(*) FROM sqlite_master WHERE name='Keep';"), "0\n");

  CRsOdbcExport rs(&db_, "Scores");
  rs.AddTextColumn("A", 8);
  rs.AddTextColumn("B", 8);
  rs.AddTextColumn("C", 8);
  ASSERT_TRUE(rs.CreateTable(false, false));
  rs.ClearValues();
  EXPECT_FALSE(rs.InsertRow());           // no value set
  EXPECT_FALSE(rs.DropTable("Nothing"));  // silent
  EXPECT_TRUE(prompts.Shown().empty());
  rs.SetTextValue("A", "x");
  rs.SetTextValue("B", "y");
  ASSERT_TRUE(rs.InsertRow());
  rs.ClearValues();
  EXPECT_TRUE(rs.UpdateRows(DbFilter().Equal("A", DbValue("x"))));
  EXPECT_EQ(Query("SELECT quote(A), quote(B), quote(C) FROM Scores;"), "NULL|NULL|NULL\n");
}

TEST_F(StatementBuilders, ANumberColumnRefusesAText) {
  CRsOdbcExport rs(&db_, "N");
  rs.AddDoubleColumn("Age", 10);
  ASSERT_TRUE(rs.CreateTable(false, false));
  rs.ClearValues();
  rs.SetValue("Age", "NULL");
  EXPECT_TRUE(rs.InsertRow());
  rs.SetValue("Age", "1,5");
  EXPECT_THROW(rs.InsertRow(), DbException);
}

TEST(ExportColumns, SettersTakeOnlyValuesTheirColumnHolds) {
  CRsOdbcExport rs(nullptr);
  EXPECT_FALSE(rs.AddTextColumn("", 10));
  rs.AddTextColumn("Name", 63);
  rs.AddDoubleColumn("Age", 10);
  rs.AddIntColumn("PartNo", 2);
  rs.AddDateColumn("Bdate");
  const std::string fits(63, 'x');
  EXPECT_TRUE(rs.SetTextValue("Name", fits));
  EXPECT_FALSE(rs.SetTextValue("Name", fits + "y"));
  EXPECT_EQ(rs.GetColumns()[0].value, fits);
  EXPECT_EQ(rs.GetColumns()[0].flags, CRsOdbc::kValueSet);
  EXPECT_FALSE(rs.SetTextValue("name", "x"));  // names are exact
  EXPECT_FALSE(rs.SetIntValue("Age", 3));
  EXPECT_TRUE(rs.SetValue("Age", "3.25"));
  EXPECT_TRUE(rs.SetIntValue("PartNo", 12));
  EXPECT_FALSE(rs.SetIntValue("PartNo", 123));
  EXPECT_TRUE(rs.SetDateValue("Bdate", QelDateTime()));
  EXPECT_EQ(rs.GetColumns()[3].value, "NULL");
  EXPECT_FALSE(rs.SetDateValue("Age", QelDateTime::FromDate(2000, 1, 1)));
  rs.ClearValues();
  for (const auto& c : rs.GetColumns()) EXPECT_EQ(c.flags, 0u) << c.name;
  EXPECT_EQ(CRsOdbc::FormatDate(QelDateTime(), false), "__.__.____");
  EXPECT_EQ(CRsOdbc::FormatDate(QelDateTime(), true), "");
  EXPECT_EQ(CRsOdbc::FormatTime(QelDateTime::FromDate(2000, 1, 1, 14, 5, 59)), "14:05");
  EXPECT_EQ(CRsOdbc::SqlDateLiteral(QelDateTime(), false), "");
}

TEST(ExportColumns, ScoreColumnsComeInTheirOrderWithTheVariablesOfOneType) {
  auto names = [](const CRsOdbcExport& rs) {
    std::string all;
    for (const auto& c : rs.GetColumns())
      all += c.name + ":" + std::to_string(c.type) + ":" + std::to_string(c.size) + " ";
    return all;
  };
  CRsOdbcExport full(nullptr);
  EXPECT_TRUE(full.DefineScoreColumns({"Nlu_tp", "Tlu_tp"}, kSqlDouble, true, true));
  EXPECT_EQ(names(full),
            "TesterId:12:63 TFname:12:63 TSname:12:63 TesteeId:12:63 Code:12:63 Fname:12:63 Sname:12:63 Sex:12:6 "
            "Pref:12:1 Bdate:9:8 Tdate:9:8 Ttime:12:8 Age:8:10 ModelId:12:63 TaskId:12:15 AssNo:8:15 PartNo:4:15 "
            "Nlu_tp:8:10 Tlu_tp:8:10 ");
  CRsOdbcExport none(nullptr);
  EXPECT_TRUE(none.DefineScoreColumns({"A"}, kSqlTime, false, false));
  EXPECT_EQ(none.GetColumns().size(), 13u);
  CRsOdbcExport broken(nullptr);
  EXPECT_FALSE(broken.DefineScoreColumns({"A", "", "B"}, kSqlVarChar, false, false));
  EXPECT_EQ(broken.GetColumns().size(), 14u);
  EXPECT_EQ(broken.GetColumns().back().size, 240);
  EXPECT_TRUE(broken.SetAssNoValue(7));
  EXPECT_TRUE(broken.SetTtimeValue(QelDateTime::FromDate(2000, 1, 1, 9, 30, 0)));
  EXPECT_EQ(broken.GetColumns()[broken.FindColumn("Ttime")].value, "09:30");
}

}  // namespace
}  // namespace test

}  // namespace qel
