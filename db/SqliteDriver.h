// The driver of the program's own database files (SQLite with SQLCipher),
// and its cursor over a table's rows.
//
// Thread contract: as the connection (one thread).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "db/DbDriver.h"
#include "db/SqliteConnection.h"

namespace qel {

// The SQL type of a column as SQLite declares it: VARCHAR(n) text, TEXT
// long text, INTEGER, DATETIME, BLOB, DOUBLE.
DbFieldInfo FieldInfoOfDeclaredType(const std::string& name, const std::string& declared, bool nullable);

// The rows of one table. Forward-only queries step through one statement;
// scrollable ones read the row ids first and load each row when it becomes
// current, so rows changed meanwhile are seen as they are; append-only ones
// hold no rows. Writing needs a connection open for writing.
class SqliteCursor : public DbCursor {
 public:
  SqliteCursor(SqliteConnection& connection, const DbQuery& query);

  const std::vector<DbFieldInfo>& Fields() const override { return m_fields; }
  bool IsBOF() const override { return m_bof; }
  bool IsEOF() const override { return m_eof; }
  void MoveNext() override;
  void MoveFirst() override;
  const DbValue& Value(size_t i) const override;

  bool CanUpdate() const override;
  bool CanAppend() const override;
  void UpdateCurrent(const std::vector<std::string>& columns, const std::vector<DbValue>& values) override;
  void Append(const std::vector<std::string>& columns, const std::vector<DbValue>& values) override;
  void DeleteCurrent() override;

  // Makes the row with this id current when it belongs to the cursor.
  bool MoveToRowId(int64_t rowId);
  int64_t CurrentRowId() const;

 private:
  void LoadCurrent();
  void StepForward();
  std::string SelectList() const;

  SqliteConnection& m_connection;
  DbQuery m_query;
  std::vector<DbFieldInfo> m_fields;
  std::vector<DbValue> m_row;
  bool m_bof = true;
  bool m_eof = true;
  // Forward-only.
  std::optional<SqliteStatement> m_statement;
  // Scrollable.
  std::vector<int64_t> m_rowIds;
  size_t m_index = 0;
  std::optional<SqliteStatement> m_loadRow;
};

class SqliteDriver : public DbDriver {
 public:
  SqliteDriver(const std::string& path, const std::string& key, bool readOnly);

  std::vector<DbCatalogTable> Tables() override;
  std::vector<DbCatalogColumn> Columns(const std::string& table) override;
  std::unique_ptr<DbCursor> OpenCursor(const DbQuery& query) override;
  void Execute(const DbStatement& statement) override;

  bool SupportsTransactions() const override { return true; }
  void BeginTransaction() override;
  void CommitTransaction() override;
  void RollbackTransaction() override;
  bool InTransaction() const override { return m_connection.InTransaction(); }
  void SetLockWait(int milliseconds) override { m_connection.SetLockWait(milliseconds); }
  void Close() override;

  SqliteConnection& Connection() { return m_connection; }

 private:
  SqliteConnection m_connection;
};

// The opener that DbConnectString carries for the program's database files.
std::unique_ptr<DbDriver> OpenSqliteDriver(const DbConnectString& connect, bool readOnly);

// The SQL of a created table's column for an export statement (type by the
// ODBC type code): texts VARCHAR(n) or TEXT ignoring case, numbers DOUBLE,
// dates DATETIME, bytes BLOB; empty for a type that makes no column.
std::string SqliteColumnDefinition(const DbColumnDef& column);

}  // namespace qel
