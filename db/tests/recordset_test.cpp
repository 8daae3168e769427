// Record sets over the program's database files: bound members, filters
// with bound values, sorting, adding, changing and removing rows, the text
// rules of the columns, and the creation side's record sets.
#include <gtest/gtest.h>

#include "db/Columns.h"
#include "db/Dao.h"
#include "db/DbDateText.h"
#include "db/DbOdbcAccess.h"
#include "db/QelRsDao.h"
#include "db/tests/support/DbTestTools.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {
namespace {

const DaoTableDefinition& PeopleDefinition() {
  static const DaoTableDefinition definition = MakeDaoTableDefinition(
      {
          {"Name", kDaoText, 20, false, true, false},
          {"Note", kDaoText, 40, true, false, true},
          {"Nick", kDaoText, 10, true, true, false},
          {"Born", kDaoDate, 8, true, false, false},
          {"Count", kDaoLong, 4, true, true, false},
          {"Data", kDaoLongBinary, 0, true, false, false},
      },
      MakeDaoPrimaryIndex("PeopleIndex", {"Name"}));
  return definition;
}

class CPeople : public CRsOdbcAccess {
 public:
  explicit CPeople(CDbOdbc* db) : CRsOdbcAccess(db) {
    m_nFields = 6;
    m_tableName = "People";
  }
  void DoFieldExchange(DbFieldExchange& fx) override {
    fx.Text("Name", m_name);
    fx.Text("Note", m_note);
    fx.Text("Nick", m_nick);
    fx.Date("Born", m_born);
    fx.Long("Count", m_count);
    fx.Binary("Data", m_data);
  }
  std::string m_name, m_note, m_nick;
  QelDateTime m_born;
  int32_t m_count = 0;
  DbBytes m_data;
};

class DbRecordsets : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.File("r.qep");
    DaoDatabase db;
    db.Create(path_, "");
    ASSERT_TRUE(CreateDaoTable(&db, "People", PeopleDefinition()));
    db.Complete();
    ASSERT_TRUE(db_.Open(path_, kDbOpenNone));
  }

  void Add(const std::string& name, const std::string& note, int32_t count) {
    CPeople rs(&db_);
    ASSERT_TRUE(rs.Open(DbRecordset::kDynaset, "", DbRecordset::kAppendOnly));
    rs.AddNew();
    rs.m_name = name;
    rs.m_note = note;
    rs.m_nick = "n";
    rs.m_count = count;
    rs.m_born = QelDateTime::FromDate(1990, 2, 3, 4, 5, 6);
    rs.m_data = {1, 2, 3};
    rs.Update();
  }

  TempFolder dir_;
  std::string path_;
  CDbOdbcAccess db_;
};

TEST_F(DbRecordsets, FiltersBindTheirValuesSoAQuoteIsJustAValue) {
  Add("O'Neil", "it's", 1);
  Add("Smith", "", 2);
  CPeople rs(&db_);
  rs.m_filter.Equal("Name", DbValue("o'neil"));  // text keys compare ignoring case
  ASSERT_TRUE(rs.Open(DbRecordset::kForwardOnly, "", DbRecordset::kReadOnly));
  ASSERT_FALSE(rs.IsEOF());
  EXPECT_EQ(rs.m_name, "O'Neil");
  EXPECT_EQ(rs.m_note, "it's");
  EXPECT_EQ(rs.m_count, 1);
  EXPECT_EQ(rs.m_data, (DbBytes{1, 2, 3}));
  EXPECT_EQ(FormatStoredDate(rs.m_born), "1990.02.03 04:05:06");
  rs.MoveNext();
  EXPECT_TRUE(rs.IsEOF());
  EXPECT_NE(rs.GetQueryText().find("(Name = 'o''neil')"), std::string::npos);
  EXPECT_FALSE(rs.CanUpdate());
}

TEST_F(DbRecordsets, RowsAreSortedChangedAndRemoved) {
  Add("b", "", 2);
  Add("a", "", 1);
  Add("c", "", 3);
  CPeople rs(&db_);
  rs.m_sort = {"Count"};
  rs.m_filter.Greater("Count", DbValue(1));
  ASSERT_TRUE(rs.Open(DbRecordset::kDynaset));
  ASSERT_FALSE(rs.IsEOF());
  EXPECT_EQ(rs.m_name, "b");
  rs.Edit();
  rs.m_count = 30;
  rs.m_note = "changed";
  rs.Update();
  EXPECT_EQ(rs.m_count, 30);
  rs.MoveNext();
  EXPECT_EQ(rs.m_name, "c");
  rs.Delete();
  rs.Requery();
  std::vector<std::string> names;
  for (; !rs.IsEOF(); rs.MoveNext()) names.push_back(rs.m_name + "=" + std::to_string(rs.m_count));
  EXPECT_EQ(names, (std::vector<std::string>{"b=30"}));
}

TEST_F(DbRecordsets, EmptyTextsFollowTheColumnRulesAndSetTextFieldGuardsRequiredOnes) {
  Add("x", "note", 1);
  CPeople rs(&db_);
  ASSERT_TRUE(rs.Open(DbRecordset::kDynaset));
  rs.Edit();
  EXPECT_TRUE(rs.SetTextField("Note", rs.m_note, ""));  // may be empty
  EXPECT_EQ(rs.m_note, "");
  EXPECT_FALSE(rs.SetTextField("Nick", rs.m_nick, ""));  // required: one blank instead
  EXPECT_EQ(rs.m_nick, " ");
  rs.Update();
  rs.Edit();
  rs.m_nick = "";  // an empty required text is refused by the file itself
  EXPECT_THROW(rs.Update(), DbException);
  if (HaveProgram("sqlite3")) {
    const ProgramResult r = RunSqlShell("sqlite3", path_, "SELECT quote(Note), Nick FROM People;");
    EXPECT_EQ(r.output, "NULL| \n");
  }
}

TEST_F(DbRecordsets, TheFieldCountMustMatchAndAMissingTableIsReportedOnce) {
  PromptRecorder prompts;
  CPeople rs(&db_);
  rs.m_nFields = 5;
  EXPECT_FALSE(rs.Open());
  CPeople other(&db_);
  other.SetTableName("Nobody");
  EXPECT_FALSE(other.Open());
  ASSERT_EQ(prompts.ShownTexts().size(), 2u);
  EXPECT_EQ(prompts.ShownTexts()[1].rfind(path_ + ", Nobody\r\n", 0), 0u) << prompts.ShownTexts()[1];
}

TEST_F(DbRecordsets, ARecordSetWhoseConnectionClosedRefusesToGoOn) {
  Add("a", "", 1);
  Add("b", "", 2);
  CPeople rs(&db_);
  ASSERT_TRUE(rs.Open(DbRecordset::kDynaset));
  db_.Close();
  EXPECT_THROW(rs.MoveNext(), DbException);
  ASSERT_TRUE(db_.Open(path_, kDbOpenNone));
  EXPECT_THROW(rs.Edit(), DbException);  // a new connection is not the one it was opened on
}

TEST_F(DbRecordsets, TheColumnCatalogGivesNamesTypesAndNullability) {
  CColumns columns(&db_, "People");
  ASSERT_TRUE(columns.Open());
  std::vector<std::string> rows;
  for (; !columns.IsEOF(); columns.MoveNext()) {
    rows.push_back(columns.m_columnName + ":" + std::to_string(columns.m_dataType) + ":" +
                   std::to_string(columns.m_precision) + ":" + std::to_string(columns.m_nullable));
  }
  EXPECT_EQ(rows, (std::vector<std::string>{"Name:12:20:0", "Note:12:40:1", "Nick:12:10:0", "Born:11:19:1",
                                            "Count:4:10:0", "Data:-4:1073741823:1"}));
}

// The creation side: rows written by field name, found by index.
class CPeopleDao : public CQelRsDao {
 public:
  explicit CPeopleDao(DaoDatabase* db) : CQelRsDao(db) {
    m_tableName = "People";
    SetExpectedFields(PeopleDefinition().fields);
  }
  void ReadRecord() override {
    m_name = TextField("Name");
    m_count = LongField("Count");
  }
  void WriteRecord() override {
    SetFieldValue("Name", DbValue(m_name));
    SetFieldIfPresent("Nick", DbValue(std::string("n")));
    SetFieldIfPresent("Count", DbValue(m_count));
  }
  std::string m_name;
  int32_t m_count = 0;
};

TEST(DbDaoRecordsets, SeekFindsByIndexAndMissingFieldsAreListed) {
  TempFolder dir;
  DaoDatabase db;
  db.Create(dir.File("d.qep"), "");
  db.Connection().Execute("CREATE TABLE People (Name TEXT COLLATE NOCASE, Nick TEXT, Count INTEGER)");
  db.Connection().Execute("CREATE UNIQUE INDEX PeopleIndex ON People (Name)");
  CPeopleDao rs(&db);
  rs.Open();
  EXPECT_EQ(rs.GetMissingFields(), (std::vector<std::string>{"Note", "Born", "Data"}));
  for (const auto& [name, count] : {std::pair{"m", 2}, std::pair{"a", 1}, std::pair{"z", 3}}) {
    rs.AddNew();
    rs.m_name = name;
    rs.m_count = count;
    rs.Update();
  }
  rs.SetIndex("PeopleIndex");
  EXPECT_EQ(rs.m_name, "a");
  EXPECT_TRUE(rs.Seek("=", DbValue("M")));
  EXPECT_EQ(rs.m_count, 2);
  EXPECT_FALSE(rs.Seek("=", DbValue("q")));
  EXPECT_EQ(rs.m_name, "m");  // unchanged
  EXPECT_TRUE(rs.Seek(">", DbValue("m")));
  EXPECT_EQ(rs.m_name, "z");
  rs.MoveNextRead();
  EXPECT_TRUE(rs.IsEOF());
  EXPECT_FALSE(DaoTableExists(&db, "Register"));
  EXPECT_TRUE(DaoTableExists(&db, "People"));
}

}  // namespace
}  // namespace test

}  // namespace qel
