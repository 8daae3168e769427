#include "db/RsOdbc.h"

#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <charconv>

#include "app/text/DateTimeText.h"
#include "db/DbDateText.h"
#include "db/MemoryCursor.h"

namespace qel {

namespace {

std::string Trimmed(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

bool IsNullWord(const std::string& s) {
  return s.size() == 4 && std::toupper(static_cast<unsigned char>(s[0])) == 'N' &&
         std::toupper(static_cast<unsigned char>(s[1])) == 'U' &&
         std::toupper(static_cast<unsigned char>(s[2])) == 'L' && std::toupper(static_cast<unsigned char>(s[3])) == 'L';
}

// Whether the type makes a value in statements (and which kind).
bool IsStatementType(int type) { return IsSqlTextType(type) || IsSqlNumberType(type) || IsSqlDateType(type); }

std::vector<std::string> SplitTypes(const std::string& list) {
  std::vector<std::string> types;
  std::string current;
  for (char c : list + ",") {
    if (c == ',') {
      std::string t = Trimmed(current);
      if (t.size() >= 2 && t.front() == '\'' && t.back() == '\'') t = t.substr(1, t.size() - 2);
      if (!t.empty()) types.push_back(t);
      current.clear();
    } else {
      current += c;
    }
  }
  return types;
}

}  // namespace

CRsOdbc::CRsOdbc(CDbOdbc* database, const std::string& tableName) : DbRecordset(database), m_database(database) {
  if (database) m_path = database->GetPath();
  m_tableName = !tableName.empty() ? tableName : (database ? database->GetTitle() : std::string());
}

CRsOdbc::~CRsOdbc() = default;

void CRsOdbc::ClearColumns() {
  m_columns.clear();
  m_tableColumns.clear();
}

void CRsOdbc::AppendColumn(const std::string& name, int type, int size) {
  Column column;
  column.name = name;
  column.type = type;
  column.size = size;
  m_columns.push_back(column);
}

int CRsOdbc::FindColumn(const std::string& name) const {
  if (name.empty()) return -1;
  for (size_t i = 0; i < m_columns.size(); ++i) {
    if (m_columns[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

bool CRsOdbc::TableHasColumn(const std::string& name) const {
  if (name.empty()) return false;
  for (const std::string& column : m_tableColumns) {
    if (column == name) return true;
  }
  return false;
}

bool CRsOdbc::TableExists() const { return m_database && m_database->TableExists(m_tableName); }

int CRsOdbc::ReportException(const DbException* e, bool show) {
  return ReportDBException(e, m_path, m_tableName, show);
}

DbValue CRsOdbc::StatementValue(const Column& column) const {
  if (IsSqlTextType(column.type)) return DbValue(column.value);
  if (IsSqlDateType(column.type)) {
    if (column.date) return DbValue(*column.date);
    const std::string text = Trimmed(column.value);
    if (text.empty() || IsNullWord(text)) return DbValue();
    const QelDateTime date = ParseStoredDate(text);
    return date.IsValid() ? DbValue(date) : DbValue(column.value);
  }
  const std::string text = Trimmed(column.value);
  if (text.empty() || IsNullWord(text)) return DbValue();
  const char* begin = text.data();
  const char* end = text.data() + text.size();
  if (*begin == '+') ++begin;
  int64_t whole = 0;
  auto [wp, we] = std::from_chars(begin, end, whole);
  if (we == std::errc() && wp == end) return DbValue(whole);
  double real = 0.0;
  auto [rp, re] = std::from_chars(begin, end, real);
  if (re == std::errc() && rp == end) return DbValue(real);
  throw DbException(DbErrorKind::kOther, "State:22018,Native:0,Origin:[Qel]",
                    "Not a number for column " + column.name + ": " + column.value);
}

bool CRsOdbc::DropTable(const std::string& table) {
  if (!m_database) return false;
  DbStatement statement;
  statement.kind = DbStatement::Kind::kDropTable;
  statement.table = TargetTable(table);
  try {
    m_database->ExecuteStatement(statement);
  } catch (const DbException& e) {
    ReportException(&e, false);
    return false;
  }
  return true;
}

bool CRsOdbc::CreateTable(bool, bool, const std::string& table) {
  if (!m_database) return false;
  CRsOdbc::DropTable(table);
  DbStatement statement;
  statement.kind = DbStatement::Kind::kCreateTable;
  statement.table = TargetTable(table);
  for (const Column& column : m_columns) {
    if (column.name.empty()) continue;
    if (!IsStatementType(column.type)) continue;
    statement.columns.push_back(DbColumnDef{column.name, column.type, column.size});
  }
  if (statement.columns.empty()) return false;
  m_database->ExecuteStatement(statement);
  return true;
}

bool CRsOdbc::InsertRow(const std::string& table) {
  if (!m_database) return false;
  DbStatement statement;
  statement.kind = DbStatement::Kind::kInsert;
  statement.table = TargetTable(table);
  for (const Column& column : m_columns) {
    if (column.name.empty() || !(column.flags & kValueSet) || !IsStatementType(column.type)) continue;
    statement.columns.push_back(DbColumnDef{column.name, column.type, column.size});
    statement.values.push_back(StatementValue(column));
  }
  if (statement.columns.empty()) return false;
  m_database->ExecuteStatement(statement);
  return true;
}

bool CRsOdbc::UpdateRows(const DbFilter& condition, const std::string& table) {
  if (!m_database) return false;
  DbStatement statement;
  statement.kind = DbStatement::Kind::kUpdate;
  statement.table = TargetTable(table);
  statement.where = condition;
  for (const Column& column : m_columns) {
    if (column.name.empty()) continue;
    if (column.flags & kValueSet) {
      if (!IsStatementType(column.type)) continue;
      statement.values.push_back(StatementValue(column));
    } else {
      statement.values.emplace_back();
    }
    statement.columns.push_back(DbColumnDef{column.name, column.type, column.size});
  }
  if (statement.columns.empty()) return false;
  if (condition.IsEmpty()) throw DbException::Logic("An update needs a condition: " + statement.table);
  m_database->ExecuteStatement(statement);
  return true;
}

std::string CRsOdbc::FormatDate(const QelDateTime& date, bool emptyWhenInvalid) {
  int y, m, d;
  if (!IsDateValid(date) || !date.Split(&y, &m, &d)) return emptyWhenInvalid ? std::string() : "__.__.____";
  const std::string text = FormatDateTimeLocale(QelDateTime::FromDate(y, m, d));
  if (text.empty()) return emptyWhenInvalid ? std::string() : "__.__.____";
  return text;
}

std::string CRsOdbc::FormatTime(const QelDateTime& time) {
  if (!IsTimeValid(time)) return std::string();
  return FormatTimeColons(time, false);
}

std::string CRsOdbc::SqlDateLiteral(const QelDateTime& date, bool nullWhenInvalid) {
  if (IsDateValid(date)) {
    const std::string text = FormatDate(date, true);
    if (!text.empty()) return "'" + text + "'";
  }
  return nullWhenInvalid ? "NULL" : std::string();
}

CTables::CTables(DbDatabase* database) : DbRecordset(database) { m_nFields = 5; }

bool CTables::Open(int, const std::string&, unsigned) {
  Close();
  if (!m_pDatabase || !m_pDatabase->IsOpen()) throw DbException::Logic("The database is not open.");
  try {
    const std::vector<std::string> types = SplitTypes(m_tableTypeFilter);
    std::vector<std::vector<DbValue>> rows;
    for (const DbCatalogTable& t : m_pDatabase->Driver()->Tables()) {
      if (!m_qualifierFilter.empty() && t.qualifier != m_qualifierFilter) continue;
      if (!m_ownerFilter.empty() && t.owner != m_ownerFilter) continue;
      if (!m_tableNameFilter.empty() && t.name != m_tableNameFilter) continue;
      if (!types.empty() && std::find(types.begin(), types.end(), t.type) == types.end()) continue;
      rows.push_back({DbValue(t.qualifier), DbValue(t.owner), DbValue(t.name), DbValue(t.type), DbValue(t.remarks)});
    }
    std::vector<DbFieldInfo> fields;
    for (const char* name : {"table_qualifier", "table_owner", "table_name", "table_type", "remarks"}) {
      DbFieldInfo info;
      info.name = name;
      info.precision = 255;
      fields.push_back(info);
    }
    OpenOnCursor(std::make_unique<MemoryCursor>(std::move(fields), std::move(rows)));
  } catch (...) {
    Close();
    throw;
  }
  return true;
}

void CTables::DoFieldExchange(DbFieldExchange& fx) {
  fx.Text("table_qualifier", m_tableQualifier);
  fx.Text("table_owner", m_tableOwner);
  fx.Text("table_name", m_tableName);
  fx.Text("table_type", m_tableType);
  fx.Text("remarks", m_remarks);
}

std::string GetLocaleDecimalSeparator() {
  // Read again only when the environment's locale settings change: loading
  // the locale for every value made an export of many rows slow.
  thread_local std::string key;
  thread_local std::string separator;
  std::string now;
  for (const char* name : {"LOCPATH", "LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* value = std::getenv(name);
    now += value ? value : "";
    now += '\n';
  }
  if (separator.empty() || now != key) {
    key = now;
    separator = ".";
    if (locale_t locale = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0))) {
      const char* radix = nl_langinfo_l(RADIXCHAR, locale);
      if (radix && *radix) separator = radix;
      freelocale(locale);
    }
  }
  return separator;
}

void UseLocaleDecimalSeparator(std::string& text) {
  const std::string separator = GetLocaleDecimalSeparator();
  if (separator == ".") return;
  std::string out;
  for (char c : text) {
    if (c == '.') {
      out += separator;
    } else {
      out += c;
    }
  }
  text = out;
}

}  // namespace qel
