#include "db/DbRecordset.h"

#include <cctype>

#include "db/DbException.h"

namespace qel {

namespace {

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && (std::isspace(static_cast<unsigned char>(s[e - 1])) || s[e - 1] == ';')) --e;
  return s.substr(b, e - b);
}

bool StartsWithWordsIgnoringCase(const std::string& s, const std::string& prefix) {
  if (s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(s[i])) != prefix[i]) return false;
  }
  return true;
}

// A bare, bracketed or quoted name; empty when it is anything else.
std::string Identifier(const std::string& s) {
  if (s.size() >= 2 && s.front() == '[' && s.back() == ']') {
    const std::string inner = s.substr(1, s.size() - 2);
    return inner.find(']') == std::string::npos ? inner : std::string();
  }
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') {
    std::string out;
    for (size_t i = 1; i + 1 < s.size(); ++i) {
      out += s[i];
      if (s[i] == '"') {
        if (s[i + 1] != '"' || i + 2 >= s.size()) return std::string();
        ++i;
      }
    }
    return out;
  }
  for (char c : s) {
    if (std::isspace(static_cast<unsigned char>(c)) || c == '[' || c == ']' || c == '"' || c == ',')
      return std::string();
  }
  return s;
}

}  // namespace

std::string TableOfQuery(const std::string& sql) {
  const std::string s = Trim(sql);
  static const std::string kSelect = "SELECT * FROM ";
  if (StartsWithWordsIgnoringCase(s, kSelect)) return Identifier(Trim(s.substr(kSelect.size())));
  return Identifier(s);
}

DbRecordset::DbRecordset(DbDatabase* database) : m_pDatabase(database) {}

DbRecordset::~DbRecordset() = default;

std::vector<std::string> DbRecordset::ExchangedNames() {
  std::vector<std::string> names;
  DbFieldExchange fx(DbFieldExchange::Operation::kNames, nullptr, &names, nullptr);
  DoFieldExchange(fx);
  return names;
}

bool DbRecordset::Open(int openType, const std::string& sql, unsigned options) {
  // The default is the derived class's own table name, taken as it stands.
  const std::string table = sql.empty() ? GetDefaultSQL() : TableOfQuery(sql);
  if (table.empty()) throw DbException::Logic("Not a query of one table: " + sql);
  return OpenTable(table, openType, options);
}

bool DbRecordset::OpenTable(const std::string& table, int openType, unsigned options) {
  Close();
  if (!m_pDatabase || !m_pDatabase->IsOpen()) throw DbException::Logic("The database is not open.");
  std::vector<std::string> names = ExchangedNames();
  if (m_nFields > 0 && names.size() != static_cast<size_t>(m_nFields)) {
    throw DbException::Logic("The record set of " + table + " binds " + std::to_string(names.size()) +
                             " columns instead of " + std::to_string(m_nFields) + ".");
  }
  DbQuery query;
  query.table = table;
  query.columns = names;
  query.filter = m_filter;
  query.sort = m_sort;
  m_openType = openType == kDefaultType ? kSnapshot : openType;
  m_options = options;
  if (options & kAppendOnly) {
    query.access = DbQuery::Access::kAppendOnly;
  } else if (m_openType == kForwardOnly) {
    query.access = DbQuery::Access::kForwardOnly;
  } else {
    query.access = DbQuery::Access::kScrollable;
  }
  query.readOnly = (options & kReadOnly) != 0 || m_pDatabase->IsReadOnly();
  m_cursor = m_pDatabase->Driver()->OpenCursor(query);
  m_generation = m_pDatabase->Generation();
  m_table = table;
  m_boundColumns = !names.empty();
  Load();
  return true;
}

void DbRecordset::OpenOnCursor(std::unique_ptr<DbCursor> cursor) {
  Close();
  m_cursor = std::move(cursor);
  m_generation = m_pDatabase ? m_pDatabase->Generation() : 0;
  m_boundColumns = true;
  m_openType = kForwardOnly;
  Load();
}

DbCursor& DbRecordset::Cursor() {
  if (!m_cursor) throw DbException::Logic("The record set is not open.");
  if (m_pDatabase && m_pDatabase->Generation() != m_generation) {
    m_cursor.reset();
    throw DbException::Logic("The connection of the record set of " + m_table + " was closed.");
  }
  return *m_cursor;
}

void DbRecordset::Close() {
  m_cursor.reset();
  m_editMode = EditMode::kNone;
}

void DbRecordset::Load() {
  if (!m_cursor || !m_boundColumns || m_cursor->IsEOF()) return;
  DbFieldExchange fx(DbFieldExchange::Operation::kLoad, m_cursor.get(), nullptr, nullptr);
  DoFieldExchange(fx);
}

bool DbRecordset::IsBOF() const { return !m_cursor || m_cursor->IsBOF(); }
bool DbRecordset::IsEOF() const { return !m_cursor || m_cursor->IsEOF(); }

void DbRecordset::MoveNext() {
  DbCursor& cursor = Cursor();
  m_editMode = EditMode::kNone;
  cursor.MoveNext();
  Load();
}

void DbRecordset::MoveFirst() {
  DbCursor& cursor = Cursor();
  if (m_openType == kForwardOnly) throw DbException::Logic("A forward-only record set cannot go back.");
  m_editMode = EditMode::kNone;
  cursor.MoveFirst();
  Load();
}

bool DbRecordset::Requery() {
  Cursor();
  const std::string table = m_table;
  return OpenTable(table, m_openType, m_options);
}

bool DbRecordset::CanUpdate() const { return m_cursor && m_cursor->CanUpdate(); }
bool DbRecordset::CanAppend() const { return m_cursor && m_cursor->CanAppend(); }

void DbRecordset::AddNew() {
  Cursor();
  if (!CanAppend()) throw DbException::Logic("The record set of " + m_table + " takes no new rows.");
  DbFieldExchange fx(DbFieldExchange::Operation::kClear, m_cursor.get(), nullptr, nullptr);
  DoFieldExchange(fx);
  m_editMode = EditMode::kAdd;
}

void DbRecordset::Edit() {
  Cursor();
  if (!CanUpdate()) throw DbException::Logic("The record set of " + m_table + " cannot be changed.");
  if (m_cursor->IsEOF()) throw DbException::Logic("No current row in " + m_table + ".");
  m_editMode = EditMode::kEdit;
}

bool DbRecordset::Update() {
  if (m_editMode == EditMode::kNone) throw DbException::Logic("Update without AddNew or Edit on " + m_table + ".");
  Cursor();
  const EditMode mode = m_editMode;
  m_editMode = EditMode::kNone;
  std::vector<std::string> names;
  std::vector<DbValue> values;
  {
    DbFieldExchange namesFx(DbFieldExchange::Operation::kNames, nullptr, &names, nullptr);
    DoFieldExchange(namesFx);
    DbFieldExchange store(DbFieldExchange::Operation::kStore, m_cursor.get(), nullptr, &values);
    DoFieldExchange(store);
  }
  if (mode == EditMode::kAdd) {
    m_cursor->Append(names, values);
  } else {
    m_cursor->UpdateCurrent(names, values);
    Load();
  }
  return true;
}

void DbRecordset::CancelUpdate() {
  const bool wasEdit = m_editMode != EditMode::kNone;
  m_editMode = EditMode::kNone;
  if (wasEdit) Load();
}

void DbRecordset::Delete() {
  Cursor();
  if (!CanUpdate()) throw DbException::Logic("The record set of " + m_table + " cannot be changed.");
  m_editMode = EditMode::kNone;
  m_cursor->DeleteCurrent();
}

int DbRecordset::GetODBCFieldCount() const { return m_cursor ? static_cast<int>(m_cursor->Fields().size()) : 0; }

bool DbRecordset::GetODBCFieldInfo(int index, DbFieldInfo* info) const {
  if (!m_cursor || index < 0 || static_cast<size_t>(index) >= m_cursor->Fields().size()) return false;
  *info = m_cursor->Fields()[static_cast<size_t>(index)];
  return true;
}

bool DbRecordset::GetODBCFieldInfo(const std::string& name, DbFieldInfo* info) const {
  if (!m_cursor) return false;
  for (const DbFieldInfo& field : m_cursor->Fields()) {
    if (field.name == name) {
      *info = field;
      return true;
    }
  }
  return false;
}

std::string DbRecordset::GetQueryText() const {
  std::string text = "SELECT * FROM " + m_table;
  if (!m_filter.IsEmpty()) text += " WHERE " + m_filter.ToText();
  for (size_t i = 0; i < m_sort.size(); ++i) text += (i ? ", " : " ORDER BY ") + m_sort[i];
  return text;
}

}  // namespace qel
