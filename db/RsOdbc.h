// The base of every record set of the program, with a column definition of
// its own from which it builds DROP, CREATE, INSERT and UPDATE statements
// for its connection; the catalog of tables; and the date and number texts
// of exported values.
//
// The statements carry their values as bound parameters and their names as
// quoted identifiers: a value such as O'Neil is stored as it is, whatever
// the column.
//
// Thread contract: user-interface thread only.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "db/DbException.h"
#include "db/DbOdbc.h"
#include "db/DbRecordset.h"

namespace qel {

class CRsOdbc : public DbRecordset {
 public:
  // Flag bit of a column: a value is set for the current row.
  static constexpr unsigned kValueSet = 0x1;

  // One defined column. The value text is in the form the target shows
  // (numbers as the caller formatted them, dates as SQL literals or the
  // text form's date); a date set through the date setters keeps the date.
  struct Column {
    std::string name;
    int type = 0;  // ODBC SQL type code
    int size = 0;  // characters of a text column; the driver's precision for columns read
    std::string value;
    unsigned flags = 0;
    std::optional<QelDateTime> date;
  };

  // path := the connection's path; table name := the given one, else the
  // connection's title.
  CRsOdbc(CDbOdbc* database, const std::string& tableName = std::string());
  ~CRsOdbc() override;

  // Empties the defined columns and the table's column list.
  void ClearColumns();
  // Index of the first defined column of exactly that name; -1 otherwise.
  int FindColumn(const std::string& name) const;
  bool HasColumn(const std::string& name) const { return FindColumn(name) >= 0; }
  // Whether the table really has the column (exact name).
  bool TableHasColumn(const std::string& name) const;
  bool TableExists() const;
  // Reports with the record set's path as caption and its table as detail.
  int ReportException(const DbException* e, bool show);

  // The builders work on the given table, else on the record set's own.
  // Each returns true when a statement was run or a file was written.
  // DropTable reports nothing and gives false when the drop fails.
  virtual bool DropTable(const std::string& table = std::string());
  // Drops the table first; the flags concern the text form only.
  virtual bool CreateTable(bool noHeader, bool append, const std::string& table = std::string());
  // The columns whose value is set.
  virtual bool InsertRow(const std::string& table = std::string());
  // Every defined column: the set value, or NULL when none is set. The
  // condition must name at least one column.
  virtual bool UpdateRows(const DbFilter& condition, const std::string& table = std::string());

  // Short date of the environment's locale; "__.__.____" (or "") when not valid.
  static std::string FormatDate(const QelDateTime& date, bool emptyWhenInvalid);
  // "HH:MM" (24 hours, no seconds); empty when the time is not valid.
  static std::string FormatTime(const QelDateTime& time);
  // "'<short date>'"; "NULL" (or "") when not valid.
  static std::string SqlDateLiteral(const QelDateTime& date, bool nullWhenInvalid);

  CDbOdbc* GetDatabase() const { return m_database; }
  const std::string& GetPath() const { return m_path; }
  const std::string& GetTableName() const { return m_tableName; }
  void SetTableName(const std::string& name) { m_tableName = name; }
  const std::vector<std::string>& GetTableColumns() const { return m_tableColumns; }
  const std::vector<Column>& GetColumns() const { return m_columns; }

 protected:
  const std::string& TargetTable(const std::string& table) const { return table.empty() ? m_tableName : table; }
  // The value a statement binds for a column (numbers parsed, "NULL" as
  // NULL, dates as dates); throws for a number column whose text is no number.
  DbValue StatementValue(const Column& column) const;
  // Appends a column with an empty value.
  void AppendColumn(const std::string& name, int type, int size);

  CDbOdbc* m_database;
  std::string m_path;
  std::string m_tableName;
  std::vector<std::string> m_tableColumns;
  std::vector<Column> m_columns;
};

// The table catalog of a connection: one row per table with qualifier,
// owner, name, type ("TABLE", "VIEW", "SYSTEM TABLE") and remarks. Empty
// filters pass everything; the type filter is a list of types separated by
// commas.
class CTables : public DbRecordset {
 public:
  explicit CTables(DbDatabase* database);

  bool Open(int openType = kDefaultType, const std::string& sql = std::string(),
            unsigned options = kNoOptions) override;
  std::string GetDefaultConnect() override { return m_connect; }
  std::string GetDefaultSQL() override { return "!"; }
  void DoFieldExchange(DbFieldExchange& fx) override;

  std::string m_tableQualifier;
  std::string m_tableOwner;
  std::string m_tableName;
  std::string m_tableType;
  std::string m_remarks;

  std::string m_qualifierFilter;
  std::string m_ownerFilter;
  std::string m_tableNameFilter;
  std::string m_tableTypeFilter;

 private:
  std::string m_connect = "ODBC;";
};

// The decimal separator of the environment's locale ("." when it gives none).
std::string GetLocaleDecimalSeparator();
// Every "." of the text becomes the locale's decimal separator.
void UseLocaleDecimalSeparator(std::string& text);

}  // namespace qel
