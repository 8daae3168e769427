// The rows of one table seen through the members of a derived class: the
// base of the program's record-set classes. A derived class names its
// columns in DoFieldExchange; the record set opens the table (narrowed by
// m_filter, sorted by m_sort), loads each current row into the members, and
// writes the members back on Update after AddNew or Edit.
//
// Thread contract: one thread (the user-interface thread), as its database.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "db/DbDatabase.h"
#include "db/DbFieldExchange.h"
#include "db/DbFilter.h"

namespace qel {

class DbRecordset {
 public:
  enum OpenType : int { kDefaultType = -1, kDynaset = 0, kSnapshot = 1, kDynamic = 2, kForwardOnly = 3 };
  enum OpenOption : unsigned { kNoOptions = 0x0, kReadOnly = 0x4, kAppendOnly = 0x8 };

  explicit DbRecordset(DbDatabase* database);
  virtual ~DbRecordset();
  DbRecordset(const DbRecordset&) = delete;
  DbRecordset& operator=(const DbRecordset&) = delete;

  // Opens the table that sql names (a table name, optionally in brackets or
  // quotes, or "SELECT * FROM <table>"; empty: GetDefaultSQL). The columns
  // are those of DoFieldExchange, or all of the table's when it names none;
  // m_nFields, when set, must equal their number. The default type is a
  // snapshot. Failures throw a DbException.
  virtual bool Open(int openType = kDefaultType, const std::string& sql = std::string(), unsigned options = kNoOptions);
  virtual void Close();
  bool IsOpen() const { return m_cursor != nullptr; }

  bool IsBOF() const;
  bool IsEOF() const;
  void MoveNext();
  void MoveFirst();
  // Reads the rows again with the current filter and sort.
  bool Requery();

  bool CanUpdate() const;
  bool CanAppend() const;
  // AddNew clears the members for a new row; Edit keeps the current row's.
  // Update writes them (true when a row was written); CancelUpdate drops
  // the change.
  void AddNew();
  void Edit();
  bool Update();
  void CancelUpdate();
  void Delete();

  // The result columns.
  int GetODBCFieldCount() const;
  bool GetODBCFieldInfo(int index, DbFieldInfo* info) const;
  bool GetODBCFieldInfo(const std::string& name, DbFieldInfo* info) const;

  virtual std::string GetDefaultConnect() { return "ODBC;"; }
  virtual std::string GetDefaultSQL() { return std::string(); }
  virtual void DoFieldExchange(DbFieldExchange& /*fx*/) {}

  // The table opened last.
  const std::string& GetOpenedTable() const { return m_table; }
  // A readable text of the query for reports: table, filter and sort.
  std::string GetQueryText() const;

  DbDatabase* m_pDatabase;
  DbFilter m_filter;
  std::vector<std::string> m_sort;
  int m_nFields = 0;

 protected:
  // Opens on rows that the derived class got elsewhere (catalog queries);
  // its field exchange names the cursor's columns in order.
  void OpenOnCursor(std::unique_ptr<DbCursor> cursor);

 private:
  enum class EditMode { kNone, kEdit, kAdd };

  bool OpenTable(const std::string& table, int openType, unsigned options);
  // The cursor, when its connection is still the one it was opened on.
  DbCursor& Cursor();
  void Load();
  std::vector<std::string> ExchangedNames();

  std::unique_ptr<DbCursor> m_cursor;
  uint64_t m_generation = 0;
  std::string m_table;
  int m_openType = kSnapshot;
  unsigned m_options = kNoOptions;
  bool m_boundColumns = false;
  EditMode m_editMode = EditMode::kNone;
};

// The table that a record set's SQL names: "Tab", "[Tab]", "\"Tab\"" or
// "SELECT * FROM <one of those>" with or without ";"; empty for any other
// statement.
std::string TableOfQuery(const std::string& sql);

}  // namespace qel
