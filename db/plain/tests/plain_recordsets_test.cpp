// The record sets of the plain project file: arrays packed byte for byte,
// the key record sets, and tables written by older definitions.
#include <gtest/gtest.h>

#include "db/PackedArrays.h"
#include "db/plain/PlainRecordsets.h"
#include "db/plain/PlainTables.h"
#include "db/tests/support/DbTestTools.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {
namespace {

class PlainRecordsets : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.File("Study.qep");
    DaoDatabase db;
    db.Create(path_, "");
    ASSERT_TRUE(CreateTableTestee(&db));
    ASSERT_TRUE(CreateTableModel(&db));
    ASSERT_TRUE(CreateTableResponse(&db));
    ASSERT_TRUE(CreateTableVariable(&db));
    db.Connection().Execute("CREATE TABLE TesteeCode (Code VARCHAR(64) NOT NULL)");  // an older file's table
    db.Complete();
    ASSERT_TRUE(db_.Open(path_, kDbOpenNone));
  }

  void AddResponse(int32_t part, int32_t serial, const QelDateTime& date, const std::vector<int32_t>& types) {
    CQelRsResponse rs(&db_);
    ASSERT_TRUE(rs.Open(DbRecordset::kDynaset, "", DbRecordset::kAppendOnly));
    rs.AddNew();
    rs.m_testee = "O'Neil";
    rs.m_model = "M";
    rs.m_task = "TP";
    rs.m_assessment = 1;
    rs.m_partNo = part;
    rs.m_serNo = serial;
    rs.m_date = date;
    rs.m_respNum = static_cast<int32_t>(types.size());
    ByteArrayFromDWords(rs.m_respType, types.data(), static_cast<int>(types.size()));
    rs.Update();
  }

  std::string Query(const std::string& sql) { return RunSqlShell("sqlite3", path_, sql).output; }

  TempFolder dir_;
  std::string path_;
  CDbOdbcAccess db_;
};

TEST_F(PlainRecordsets, PackedArraysStandInTheFileAsLittleEndianBytes) {
  if (!HaveProgram("sqlite3")) GTEST_SKIP() << "no sqlite3 shell";
  AddResponse(1, 0, QelDateTime::FromDate(2024, 3, 5, 14, 22, 9), {1, -2, 0x01020304});
  {
    CQelRsVariable rs(&db_);
    ASSERT_TRUE(rs.Open(DbRecordset::kDynaset));
    rs.AddNew();
    rs.m_testee = "O'Neil";
    rs.m_model = "M";
    rs.m_task = "TP";
    rs.m_assessment = 1;
    rs.m_date = QelDateTime::FromDate(2024, 3, 5);
    rs.m_varNum = 2;
    const double values[] = {1.0, 9999.0};
    ByteArrayFromDoubles(rs.m_varValues, values, 2);
    rs.m_varNames = {'N', 'l', 'u', 0, 'T', 0};
    rs.Update();
  }
  EXPECT_EQ(Query("SELECT hex(RespType), Date, RespNum FROM Response;"),
            "01000000FEFFFFFF04030201|2024.03.05 14:22:09|3\n");
  EXPECT_EQ(Query("SELECT hex(VarValues), hex(VarNames) FROM Variable;"),
            "000000000000F03F000000008087C340|4E6C75005400\n");

  CQelRsResponse rs(&db_);
  rs.m_filter.Equal("Testee", DbValue("O'Neil")).Equal("PartNo", DbValue(1));
  ASSERT_TRUE(rs.Open(DbRecordset::kForwardOnly, "", DbRecordset::kReadOnly));
  ASSERT_FALSE(rs.IsEOF());
  std::vector<uint32_t> types;
  DWordArrayFromByteArray(rs.m_respType, types, rs.m_respNum);
  EXPECT_EQ(types, (std::vector<uint32_t>{1, 0xFFFFFFFEu, 0x01020304}));
  EXPECT_TRUE(rs.m_respTime.empty());  // a column never written reads as no bytes
}

TEST_F(PlainRecordsets, TheLatestDatePassesOverOtherSerialsAndDatesThatAreNotValid) {
  AddResponse(1, 0, QelDateTime::FromDate(2024, 3, 5, 10, 0, 0), {1});
  AddResponse(2, 0, QelDateTime::FromDate(2024, 3, 6, 9, 0, 0), {1});
  AddResponse(3, 1, QelDateTime::FromDate(2025, 1, 1), {1});  // not a run's row
  AddResponse(4, 0, QelDateTime::FromDate(2023, 1, 1), {1});
  SqliteConnection raw;
  raw.Open(path_, "", false);
  raw.Execute("UPDATE Response SET Date = 'not a date' WHERE PartNo = 4");
  raw.Execute(
      "INSERT INTO Response (Testee, Model, Task, Assessment, PartNo, SerNo, Date) "
      "VALUES ('O''Neil', 'M', 'TP', 1, 5, 0, '2999.13.01 00:00:00')");
  CQelRsResponseS rs(&db_);
  const QelDateTime latest = rs.GetLatestDate("o'neil", "M", "TP", 1);
  EXPECT_TRUE(latest.IsValid());
  int y = 0, m = 0, d = 0, h = 0;
  latest.Split(&y, &m, &d, &h);
  EXPECT_EQ(y * 1000000 + m * 10000 + d * 100 + h, 2024030609);
  EXPECT_TRUE(rs.GetLatestDate("O'Neil", "M", "TP", 2).IsNull());  // requeried: no row
}

TEST_F(PlainRecordsets, ATesteeCodeTableWithCodeAloneIsReadAndWrittenWithCodeAlone) {
  {
    DaoDatabase dao;
    dao.Open(path_, false, "");
    CQelDBTTesteeCode code(&dao);
    code.Open();
    EXPECT_EQ(code.GetMissingFields(), (std::vector<std::string>{"Comment", "Description"}));
    code.AddNew();
    code.m_code = "Default";
    code.m_comment = "not written";
    code.Update();
  }
  CQelRsTesteeCode rs(&db_);
  ASSERT_TRUE(rs.Open(DbRecordset::kForwardOnly, "", DbRecordset::kReadOnly));
  EXPECT_EQ(rs.m_nFields, 1);
  EXPECT_EQ(rs.GetODBCFieldCount(), 1);
  EXPECT_EQ(rs.m_code, "Default");
  EXPECT_EQ(rs.m_comment, "");
}

TEST_F(PlainRecordsets, AModelsOwnRowHoldsItsTaskCountAndTheTaskWords) {
  {
    CQelRsModel rs(&db_);
    ASSERT_TRUE(rs.Open(DbRecordset::kDynaset));
    rs.AddNew();
    rs.m_model = "Battery";
    rs.m_taskNo = 0;
    rs.m_taskId = 4;
    rs.m_taskIdStr = "1.0";
    rs.m_taskName = "2024.03.05 10:00";
    rs.m_taskWords.TaskType = 3;
    rs.m_taskWords.TaskIntHigh = 0xFFFFFFFFu;
    rs.Update();
  }
  CQelRsModel rs(&db_);
  rs.m_filter.Equal("Model", DbValue("Battery")).Equal("TaskNo", DbValue(0));
  ASSERT_TRUE(rs.Open(DbRecordset::kForwardOnly, "", DbRecordset::kReadOnly));
  ASSERT_FALSE(rs.IsEOF());
  EXPECT_EQ(rs.m_taskWords.TaskType, 3u);
  EXPECT_EQ(rs.m_taskWords.TaskIntHigh, 0xFFFFFFFFu);
  EXPECT_EQ(rs.m_taskIdStr, "1.0");
}

TEST_F(PlainRecordsets, ATesteeRoundTripsAndAnEmptyRequiredNameIsStoredAsOneBlank) {
  CQelRsTestee rs(&db_);
  ASSERT_TRUE(rs.Open(DbRecordset::kDynaset));
  rs.AddNew();
  rs.m_testee = "O'Neil";
  rs.m_firstName = "Seán";
  EXPECT_FALSE(rs.SetTextField("Surname", rs.m_surname, ""));
  EXPECT_TRUE(rs.SetTextField("Comment", rs.m_comment, ""));
  rs.m_dateBirth = QelDateTime::FromDate(1980, 1, 31);
  rs.m_sex = 1;
  rs.Update();
  CQelRsTestee read(&db_);
  read.m_filter.Equal("Testee", DbValue("O'Neil"));
  ASSERT_TRUE(read.Open(DbRecordset::kForwardOnly, "", DbRecordset::kReadOnly));
  ASSERT_FALSE(read.IsEOF());
  EXPECT_EQ(read.m_firstName, "Seán");
  EXPECT_EQ(read.m_surname, " ");
  EXPECT_EQ(read.m_sex, 1);
  EXPECT_TRUE(read.m_dateBirth.IsValid());
}

}  // namespace
}  // namespace test

}  // namespace qel
