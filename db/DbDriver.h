// What a connection needs of the engine behind it: the catalog of tables
// and columns, cursors over rows, the statements the record sets build
// (drop, create, insert, update), transactions, and closing. SQLite serves
// the program's own database files; the export targets (dBase folders,
// Excel workbooks, text files) have drivers of their own.
//
// Thread contract: a driver belongs to the thread of its connection.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "db/DbFilter.h"
#include "db/DbValue.h"

namespace qel {

// SQL type codes in ODBC's numbering.
enum DbSqlType : int {
  kSqlLongVarBinary = -4,
  kSqlLongVarChar = -1,
  kSqlChar = 1,
  kSqlNumeric = 2,
  kSqlDecimal = 3,
  kSqlInteger = 4,
  kSqlSmallInt = 5,
  kSqlFloat = 6,
  kSqlReal = 7,
  kSqlDouble = 8,
  kSqlDate = 9,
  kSqlTime = 10,
  kSqlTimestamp = 11,
  kSqlVarChar = 12,
};

inline bool IsSqlTextType(int type) { return type == kSqlChar || type == kSqlVarChar || type == kSqlLongVarChar; }
inline bool IsSqlNumberType(int type) { return type >= kSqlNumeric && type <= kSqlDouble; }
inline bool IsSqlDateType(int type) { return type == kSqlDate || type == kSqlTimestamp; }

// A result column: name, SQL type, precision (characters of a text column),
// scale, and whether it takes NULL.
struct DbFieldInfo {
  std::string name;
  int sqlType = kSqlVarChar;
  int precision = 0;
  int scale = 0;
  bool nullable = true;
};

// The rows of a query, one current row at a time.
class DbCursor {
 public:
  virtual ~DbCursor() = default;
  virtual const std::vector<DbFieldInfo>& Fields() const = 0;
  virtual bool IsBOF() const = 0;
  virtual bool IsEOF() const = 0;
  virtual void MoveNext() = 0;
  virtual void MoveFirst() = 0;
  // The current row's value of result column i.
  virtual const DbValue& Value(size_t i) const = 0;

  virtual bool CanUpdate() const { return false; }
  virtual bool CanAppend() const { return false; }
  // Changes the current row / adds a row / removes the current row.
  virtual void UpdateCurrent(const std::vector<std::string>& columns, const std::vector<DbValue>& values);
  virtual void Append(const std::vector<std::string>& columns, const std::vector<DbValue>& values);
  virtual void DeleteCurrent();
};

// A query: whole rows of one table (or the named columns), narrowed and
// sorted.
struct DbQuery {
  enum class Access { kForwardOnly, kScrollable, kAppendOnly };

  std::string table;
  std::vector<std::string> columns;  // empty: every column
  DbFilter filter;
  std::vector<std::string> sort;  // ascending, in order
  Access access = Access::kScrollable;
  bool readOnly = false;
};

// A column of a table to create, or the type of a value to write.
struct DbColumnDef {
  std::string name;
  int sqlType = kSqlVarChar;
  int size = 0;
};

// A statement that a record set builds: the values travel beside it and are
// bound, never written into a statement text.
struct DbStatement {
  enum class Kind { kDropTable, kCreateTable, kInsert, kUpdate };

  Kind kind = Kind::kInsert;
  std::string table;
  std::vector<DbColumnDef> columns;  // create: the definitions; insert and update: the columns written
  std::vector<DbValue> values;       // insert and update: one per column
  DbFilter where;                    // update: the rows changed (never empty)

  // The statement as a readable text, values as '?' (for reports).
  std::string ToText() const;
};

// Catalog rows.
struct DbCatalogTable {
  std::string qualifier, owner, name, type, remarks;
};

struct DbCatalogColumn {
  std::string qualifier, owner, table, name;
  int dataType = 0;
  std::string typeName;
  int precision = 0;
  int length = 0;
  int scale = 0;
  int radix = 0;
  int nullable = 1;  // 0 no NULL, 1 NULL allowed
};

class DbDriver {
 public:
  virtual ~DbDriver() = default;

  // Tables with their catalog type ("TABLE" for the user's tables).
  virtual std::vector<DbCatalogTable> Tables() = 0;
  // The columns of a table in order; empty when there is no such table.
  virtual std::vector<DbCatalogColumn> Columns(const std::string& table) = 0;
  virtual std::unique_ptr<DbCursor> OpenCursor(const DbQuery& query) = 0;
  virtual void Execute(const DbStatement& statement) = 0;

  // Transactions, where the engine has them.
  virtual bool SupportsTransactions() const { return false; }
  virtual void BeginTransaction();
  // On failure the transaction is rolled back and the failure thrown.
  virtual void CommitTransaction();
  virtual void RollbackTransaction();
  virtual bool InTransaction() const { return false; }

  // How long a statement waits for another connection's lock.
  virtual void SetLockWait(int /*milliseconds*/) {}

  // Ends the connection. What the driver wrote is put in its file(s) here
  // where it holds it until the end; a failure to do so is thrown (after
  // which the driver is closed all the same).
  virtual void Close() = 0;
};

// What a connection is opened with: the file (or folder) path, the key of
// a protected file, a readable description, and the driver that opens it.
struct DbConnectString {
  using Opener = std::function<std::unique_ptr<DbDriver>(const DbConnectString&, bool readOnly)>;

  std::string text;  // "Driver=...;DBQ=...;" without the key
  std::string path;
  std::string key;
  Opener opener;

  bool IsEmpty() const { return !opener; }
};

}  // namespace qel
