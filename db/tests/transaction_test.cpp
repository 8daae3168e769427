// Transactions: one level, joined when open; a begin or commit that fails is
// a failure and leaves no open transaction behind.
#include <gtest/gtest.h>

#include "db/Dao.h"
#include "db/DbOdbcAccess.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {
namespace {

constexpr int kShortLockWaitMs = 50;

class DbTransactions : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.File("t.qep");
    DaoDatabase db;
    db.Create(path_, "");
    db.Connection().Execute("CREATE TABLE T (a TEXT)");
    db.Complete();
    db_.SetLockWait(kShortLockWaitMs);
    ASSERT_TRUE(db_.Open(path_, kDbOpenNone));
  }

  void Insert(const std::string& value) {
    DbStatement statement;
    statement.kind = DbStatement::Kind::kInsert;
    statement.table = "T";
    statement.columns = {DbColumnDef{"a", kSqlVarChar, 10}};
    statement.values = {DbValue(value)};
    db_.ExecuteStatement(statement);
  }

  // The rows as another connection sees them.
  int64_t Rows() {
    SqliteConnection other;
    other.Open(path_, "", true);
    SqliteStatement count(other, "SELECT count(*) FROM T");
    count.Step();
    return count.ColumnInteger(0);
  }

  TempFolder dir_;
  std::string path_;
  CDbOdbcAccess db_;
};

TEST_F(DbTransactions, ASecondBeginJoinsAndOneCommitStoresBoth) {
  EXPECT_TRUE(db_.BeginTrans());
  Insert("a");
  EXPECT_FALSE(db_.BeginTrans());
  Insert("b");
  EXPECT_EQ(Rows(), 0);
  db_.CommitTrans();
  EXPECT_FALSE(db_.IsInTransaction());
  EXPECT_EQ(Rows(), 2);
  db_.Rollback();  // nothing open: nothing happens
  db_.CommitTrans();
  EXPECT_EQ(Rows(), 2);
}

TEST_F(DbTransactions, AFailedCommitIsAFailureAndLeavesNoTransactionOpen) {
  SqliteConnection reader;
  reader.Open(path_, "", true);
  reader.Execute("BEGIN");
  {
    SqliteStatement read(reader, "SELECT count(*) FROM T");
    read.Step();  // the reader now holds its lock until its transaction ends
  }
  db_.BeginTrans();
  Insert("lost");
  EXPECT_THROW(db_.CommitTrans(), DbException);
  EXPECT_FALSE(db_.IsInTransaction());
  EXPECT_FALSE(db_.Driver()->InTransaction());
  reader.Execute("COMMIT");
  EXPECT_EQ(Rows(), 0);

  // The next write gets a transaction of its own.
  EXPECT_TRUE(db_.BeginTrans());
  Insert("kept");
  db_.CommitTrans();
  EXPECT_EQ(Rows(), 1);
}

TEST_F(DbTransactions, ABeginThatCannotLockIsAFailureNotUnprotectedWork) {
  SqliteConnection writer;
  writer.Open(path_, "", false);
  writer.Execute("BEGIN IMMEDIATE");
  EXPECT_THROW(db_.BeginTrans(), DbException);
  EXPECT_FALSE(db_.IsInTransaction());
  writer.Execute("ROLLBACK");
}

TEST_F(DbTransactions, AGuardRollsBackWhatWasNotCommittedAndJoinsAnOpenTransaction) {
  {
    DbTransaction guard(db_);
    EXPECT_TRUE(guard.Owns());
    Insert("dropped");
  }
  EXPECT_FALSE(db_.IsInTransaction());
  EXPECT_EQ(Rows(), 0);
  {
    DbTransaction outer(db_);
    {
      DbTransaction inner(db_);
      EXPECT_FALSE(inner.Owns());
      Insert("x");
      inner.Commit();  // the outer one commits
    }
    EXPECT_TRUE(db_.IsInTransaction());
    EXPECT_EQ(Rows(), 0);
    outer.Commit();
  }
  EXPECT_EQ(Rows(), 1);
}

TEST_F(DbTransactions, ClosingRollsBackAndTheFlagDoesNotOutliveTheConnection) {
  db_.BeginTrans();
  Insert("x");
  db_.Close();
  EXPECT_FALSE(db_.IsInTransaction());
  EXPECT_EQ(Rows(), 0);
  ASSERT_TRUE(db_.Open(path_, kDbOpenNone));
  EXPECT_TRUE(db_.BeginTrans());  // a real transaction, not a join of a stale one
  Insert("y");
  db_.Rollback();
  EXPECT_EQ(Rows(), 0);
}

}  // namespace
}  // namespace test

}  // namespace qel
