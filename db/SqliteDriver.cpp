#include "db/SqliteDriver.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "db/DbException.h"

namespace qel {

namespace {

constexpr int kLongPrecision = 1073741823;
constexpr int kDefaultTextPrecision = 255;
constexpr int kIntegerPrecision = 10;
constexpr int kDateTimePrecision = 19;
constexpr int kDoublePrecision = 15;

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool SameName(const std::string& a, const std::string& b) { return Upper(a) == Upper(b); }

struct TableColumn {
  std::string name;
  std::string declared;
  bool notNull = false;
};

std::vector<TableColumn> TableColumns(SqliteConnection& connection, const std::string& table) {
  std::vector<TableColumn> columns;
  SqliteStatement statement(connection, "PRAGMA table_info(" + QuoteIdentifier(table) + ")");
  while (statement.Step()) {
    columns.push_back(TableColumn{statement.ColumnText(1), statement.ColumnText(2), statement.ColumnInteger(3) != 0});
  }
  return columns;
}

DbException NoSuch(const char* what, const std::string& name) {
  return DbException(DbErrorKind::kMissingItem, "State:SQLITE_ERROR,Native:1,Origin:[SQLCipher]",
                     std::string("no such ") + what + ": " + name, 1);
}

std::string OrderBy(const std::vector<std::string>& sort) {
  std::string sql;
  for (const std::string& column : sort) {
    sql += sql.empty() ? " ORDER BY " : ",";
    sql += QuoteIdentifier(column);
  }
  return sql;
}

}  // namespace

DbFieldInfo FieldInfoOfDeclaredType(const std::string& name, const std::string& declared, bool nullable) {
  DbFieldInfo info;
  info.name = name;
  info.nullable = nullable;
  const std::string type = Upper(declared);
  if (type.find("CHAR") != std::string::npos) {
    info.sqlType = kSqlVarChar;
    info.precision = kDefaultTextPrecision;
    const size_t open = type.find('(');
    if (open != std::string::npos) info.precision = std::atoi(type.c_str() + open + 1);
  } else if (type.find("TEXT") != std::string::npos || type.find("CLOB") != std::string::npos) {
    info.sqlType = kSqlLongVarChar;
    info.precision = kLongPrecision;
  } else if (type.find("INT") != std::string::npos) {
    info.sqlType = kSqlInteger;
    info.precision = kIntegerPrecision;
  } else if (type.find("DATE") != std::string::npos || type.find("TIME") != std::string::npos) {
    info.sqlType = kSqlTimestamp;
    info.precision = kDateTimePrecision;
  } else if (type.find("BLOB") != std::string::npos || type.find("BINARY") != std::string::npos || type.empty()) {
    info.sqlType = kSqlLongVarBinary;
    info.precision = kLongPrecision;
  } else {
    info.sqlType = kSqlDouble;
    info.precision = kDoublePrecision;
  }
  return info;
}

std::string SqliteColumnDefinition(const DbColumnDef& column) {
  const std::string name = QuoteIdentifier(column.name);
  switch (column.sqlType) {
    case kSqlChar:
    case kSqlVarChar:
      return name + " VARCHAR(" + std::to_string(column.size) + ") COLLATE NOCASE";
    case kSqlLongVarChar:
      return name + " TEXT COLLATE NOCASE";
    case kSqlDate:
    case kSqlTimestamp:
      return name + " DATETIME";
    case kSqlLongVarBinary:
      return name + " BLOB";
    default:
      if (IsSqlNumberType(column.sqlType)) return name + " DOUBLE";
      return std::string();
  }
}

SqliteCursor::SqliteCursor(SqliteConnection& connection, const DbQuery& query)
    : m_connection(connection), m_query(query) {
  const std::vector<TableColumn> columns = TableColumns(connection, query.table);
  if (columns.empty()) throw NoSuch("table", query.table);
  if (m_query.columns.empty()) {
    for (const TableColumn& c : columns) m_query.columns.push_back(c.name);
  }
  for (const std::string& name : m_query.columns) {
    const auto it =
        std::find_if(columns.begin(), columns.end(), [&](const TableColumn& c) { return SameName(c.name, name); });
    if (it == columns.end()) throw NoSuch("column", query.table + "." + name);
    m_fields.push_back(FieldInfoOfDeclaredType(it->name, it->declared, !it->notNull));
  }
  m_row.assign(m_fields.size(), DbValue());
  if (m_query.access == DbQuery::Access::kAppendOnly) return;
  MoveFirst();
}

std::string SqliteCursor::SelectList() const {
  std::string list;
  for (const DbFieldInfo& field : m_fields) {
    if (!list.empty()) list += ",";
    list += QuoteIdentifier(field.name);
  }
  return list;
}

void SqliteCursor::MoveFirst() {
  std::vector<DbValue> params;
  std::string where = m_query.filter.ToSql(&params);
  if (!where.empty()) where = " WHERE " + where;
  const std::string from = " FROM " + QuoteIdentifier(m_query.table) + where + OrderBy(m_query.sort);
  m_row.assign(m_fields.size(), DbValue());
  if (m_query.access == DbQuery::Access::kForwardOnly) {
    m_statement.reset();
    m_statement.emplace(m_connection, "SELECT " + SelectList() + from);
    m_statement->BindAll(params);
    m_bof = false;
    m_eof = false;
    StepForward();
    m_bof = m_eof;
    return;
  }
  if (m_query.access == DbQuery::Access::kAppendOnly) return;
  m_rowIds.clear();
  SqliteStatement ids(m_connection, "SELECT rowid" + from);
  ids.BindAll(params);
  while (ids.Step()) m_rowIds.push_back(ids.ColumnInteger(0));
  if (!m_loadRow) {
    m_loadRow.emplace(m_connection,
                      "SELECT " + SelectList() + " FROM " + QuoteIdentifier(m_query.table) + " WHERE rowid=?");
  }
  m_index = 0;
  m_bof = m_rowIds.empty();
  m_eof = m_rowIds.empty();
  if (!m_eof) LoadCurrent();
}

void SqliteCursor::StepForward() {
  if (m_statement->Step()) {
    for (size_t i = 0; i < m_fields.size(); ++i) m_row[i] = m_statement->Column(static_cast<int>(i));
  } else {
    m_eof = true;
    m_row.assign(m_fields.size(), DbValue());
  }
}

void SqliteCursor::LoadCurrent() {
  // A row removed since the ids were read is passed over.
  while (m_index < m_rowIds.size()) {
    m_loadRow->Reset();
    m_loadRow->Bind(1, DbValue(m_rowIds[m_index]));
    if (m_loadRow->Step()) {
      for (size_t i = 0; i < m_fields.size(); ++i) m_row[i] = m_loadRow->Column(static_cast<int>(i));
      m_loadRow->Reset();
      return;
    }
    m_rowIds.erase(m_rowIds.begin() + static_cast<std::ptrdiff_t>(m_index));
  }
  m_eof = true;
  m_row.assign(m_fields.size(), DbValue());
}

void SqliteCursor::MoveNext() {
  if (m_eof) return;
  m_bof = false;
  if (m_query.access == DbQuery::Access::kForwardOnly) {
    StepForward();
    return;
  }
  ++m_index;
  LoadCurrent();
}

const DbValue& SqliteCursor::Value(size_t i) const {
  static const DbValue kNull;
  return i < m_row.size() ? m_row[i] : kNull;
}

bool SqliteCursor::CanUpdate() const {
  return !m_query.readOnly && !m_connection.IsReadOnly() && m_query.access == DbQuery::Access::kScrollable;
}

bool SqliteCursor::CanAppend() const {
  return !m_query.readOnly && !m_connection.IsReadOnly() && m_query.access != DbQuery::Access::kForwardOnly;
}

int64_t SqliteCursor::CurrentRowId() const {
  if (m_query.access != DbQuery::Access::kScrollable || m_eof || m_index >= m_rowIds.size()) return -1;
  return m_rowIds[m_index];
}

bool SqliteCursor::MoveToRowId(int64_t rowId) {
  const auto it = std::find(m_rowIds.begin(), m_rowIds.end(), rowId);
  if (it == m_rowIds.end()) return false;
  m_index = static_cast<size_t>(it - m_rowIds.begin());
  m_eof = false;
  m_bof = false;
  LoadCurrent();
  return !m_eof;
}

void SqliteCursor::UpdateCurrent(const std::vector<std::string>& columns, const std::vector<DbValue>& values) {
  if (!CanUpdate()) DbCursor::UpdateCurrent(columns, values);
  const int64_t rowId = CurrentRowId();
  if (rowId < 0) throw DbException::Logic("No current row to change in " + m_query.table + ".");
  if (columns.empty()) return;
  std::string sql = "UPDATE " + QuoteIdentifier(m_query.table) + " SET ";
  for (size_t i = 0; i < columns.size(); ++i) {
    if (i) sql += ",";
    sql += QuoteIdentifier(columns[i]) + "=?";
  }
  sql += " WHERE rowid=?";
  std::vector<DbValue> params = values;
  params.push_back(DbValue(rowId));
  m_connection.Execute(sql, params);
  LoadCurrent();
}

void SqliteCursor::Append(const std::vector<std::string>& columns, const std::vector<DbValue>& values) {
  if (!CanAppend()) DbCursor::Append(columns, values);
  std::string names, marks;
  for (size_t i = 0; i < columns.size(); ++i) {
    if (i) {
      names += ",";
      marks += ",";
    }
    names += QuoteIdentifier(columns[i]);
    marks += "?";
  }
  const std::string table = QuoteIdentifier(m_query.table);
  m_connection.Execute(columns.empty() ? "INSERT INTO " + table + " DEFAULT VALUES"
                                       : "INSERT INTO " + table + " (" + names + ") VALUES (" + marks + ")",
                       values);
}

void SqliteCursor::DeleteCurrent() {
  if (!CanUpdate()) DbCursor::DeleteCurrent();
  const int64_t rowId = CurrentRowId();
  if (rowId < 0) throw DbException::Logic("No current row to remove from " + m_query.table + ".");
  m_connection.Execute("DELETE FROM " + QuoteIdentifier(m_query.table) + " WHERE rowid=?", {DbValue(rowId)});
  // The removed row stays current (with its values cleared) until the next move.
  m_row.assign(m_fields.size(), DbValue());
}

SqliteDriver::SqliteDriver(const std::string& path, const std::string& key, bool readOnly) {
  m_connection.Open(path, key, readOnly);
}

std::vector<DbCatalogTable> SqliteDriver::Tables() {
  std::vector<DbCatalogTable> tables;
  SqliteStatement statement(m_connection,
                            "SELECT type, name FROM sqlite_master WHERE type IN ('table','view') ORDER BY rowid");
  while (statement.Step()) {
    DbCatalogTable t;
    t.qualifier = m_connection.Path();
    t.name = statement.ColumnText(1);
    const bool own = t.name.rfind("sqlite_", 0) == 0;
    t.type = statement.ColumnText(0) == "view" ? "VIEW" : (own ? "SYSTEM TABLE" : "TABLE");
    tables.push_back(t);
  }
  return tables;
}

std::vector<DbCatalogColumn> SqliteDriver::Columns(const std::string& table) {
  std::vector<DbCatalogColumn> out;
  for (const TableColumn& c : TableColumns(m_connection, table)) {
    const DbFieldInfo info = FieldInfoOfDeclaredType(c.name, c.declared, !c.notNull);
    DbCatalogColumn column;
    column.qualifier = m_connection.Path();
    column.table = table;
    column.name = c.name;
    column.dataType = info.sqlType;
    column.typeName = c.declared;
    column.precision = info.precision;
    column.length = info.precision;
    column.radix = IsSqlNumberType(info.sqlType) ? 10 : 0;
    column.nullable = c.notNull ? 0 : 1;
    out.push_back(column);
  }
  return out;
}

std::unique_ptr<DbCursor> SqliteDriver::OpenCursor(const DbQuery& query) {
  return std::make_unique<SqliteCursor>(m_connection, query);
}

void SqliteDriver::Execute(const DbStatement& statement) {
  const std::string table = QuoteIdentifier(statement.table);
  switch (statement.kind) {
    case DbStatement::Kind::kDropTable:
      m_connection.Execute("DROP TABLE " + table);
      return;
    case DbStatement::Kind::kCreateTable: {
      std::string list;
      for (const DbColumnDef& column : statement.columns) {
        const std::string definition = SqliteColumnDefinition(column);
        if (definition.empty()) continue;
        if (!list.empty()) list += ",";
        list += definition;
      }
      if (list.empty()) throw DbException::Logic("A table needs a column: " + statement.table);
      m_connection.Execute("CREATE TABLE " + table + " (" + list + ")");
      return;
    }
    case DbStatement::Kind::kInsert: {
      std::string names, marks;
      for (size_t i = 0; i < statement.columns.size(); ++i) {
        if (i) {
          names += ",";
          marks += ",";
        }
        names += QuoteIdentifier(statement.columns[i].name);
        marks += "?";
      }
      m_connection.Execute("INSERT INTO " + table + " (" + names + ") VALUES (" + marks + ")", statement.values);
      return;
    }
    case DbStatement::Kind::kUpdate: {
      if (statement.where.IsEmpty()) throw DbException::Logic("An update needs a condition: " + statement.table);
      std::string sets;
      for (size_t i = 0; i < statement.columns.size(); ++i) {
        if (i) sets += ",";
        sets += QuoteIdentifier(statement.columns[i].name) + "=?";
      }
      std::vector<DbValue> params = statement.values;
      const std::string where = statement.where.ToSql(&params);
      m_connection.Execute("UPDATE " + table + " SET " + sets + " WHERE " + where, params);
      return;
    }
  }
}

void SqliteDriver::BeginTransaction() { m_connection.Execute("BEGIN IMMEDIATE"); }

void SqliteDriver::CommitTransaction() {
  try {
    m_connection.Execute("COMMIT");
  } catch (const DbException&) {
    // A commit that could not finish leaves the transaction open: end it, so
    // nothing half-done stays and the next writes get a transaction of their own.
    if (m_connection.InTransaction()) {
      try {
        m_connection.Execute("ROLLBACK");
      } catch (const DbException&) {
      }
    }
    throw;
  }
}

void SqliteDriver::RollbackTransaction() {
  if (m_connection.InTransaction()) m_connection.Execute("ROLLBACK");
}

void SqliteDriver::Close() { m_connection.Close(); }

std::unique_ptr<DbDriver> OpenSqliteDriver(const DbConnectString& connect, bool readOnly) {
  return std::make_unique<SqliteDriver>(connect.path, connect.key, readOnly);
}

}  // namespace qel
