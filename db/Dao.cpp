#include "db/Dao.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>

#include "db/DbDateText.h"
#include "db/DbFilter.h"
#include "db/SqliteDriver.h"

namespace qel {

namespace {

// Runs f; a DbException leaves as the equivalent DaoException.
template <typename F>
auto AsDao(F f) -> decltype(f()) {
  try {
    return f();
  } catch (const DbException& e) {
    throw DaoException::FromDbException(e);
  }
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
         });
}

}  // namespace

void InitDaoFieldInfos(std::span<DaoFieldInfo> infos) {
  for (size_t i = 0; i < infos.size(); ++i) {
    infos[i] = DaoFieldInfo();
    infos[i].ordinalPosition = static_cast<int>(i) + 1;
  }
}

void SetDaoTextField(DaoFieldInfo& info, const char* name, int size, bool updatable, bool required, bool zeroLength) {
  info.name = name;
  info.type = kDaoText;
  info.size = size;
  info.attributes = kDaoVariableField | (updatable ? kDaoUpdatableField : 0);
  info.required = required;
  info.allowZeroLength = zeroLength;
}

void SetDaoField(DaoFieldInfo& info, const char* name, int type, bool updatable, bool required, bool zeroLength) {
  info.name = name;
  info.type = type;
  const bool variable = type == kDaoMemo || type == kDaoLongBinary || type == kDaoText;
  info.size = type == kDaoDate ? 8 : (variable ? 0 : 4);
  info.attributes = (variable ? kDaoVariableField : kDaoFixedField) | (updatable ? kDaoUpdatableField : 0);
  info.required = required;
  info.allowZeroLength = zeroLength;
}

DaoIndexInfo MakeDaoPrimaryIndex(const char* name, std::initializer_list<const char*> fields) {
  DaoIndexInfo index;
  index.name = name;
  for (const char* field : fields) index.fields.push_back(DaoIndexFieldInfo{field, false});
  return index;
}

DaoTableDefinition MakeDaoTableDefinition(const std::vector<DaoColumnEntry>& columns, DaoIndexInfo index) {
  DaoTableDefinition definition;
  definition.fields.resize(columns.size());
  InitDaoFieldInfos(definition.fields);
  for (size_t i = 0; i < columns.size(); ++i) {
    const DaoColumnEntry& c = columns[i];
    if (c.type == kDaoText) {
      SetDaoTextField(definition.fields[i], c.name, c.size, c.updatable, c.required, c.zeroLength);
    } else {
      SetDaoField(definition.fields[i], c.name, c.type, c.updatable, c.required, c.zeroLength);
    }
  }
  definition.indexes.push_back(std::move(index));
  return definition;
}

std::string DaoColumnDefinition(const DaoFieldInfo& field) {
  const std::string name = QuoteIdentifier(field.name);
  std::string sql = name;
  if (field.type == kDaoLong && (field.attributes & kDaoAutoIncrField)) {
    return sql + " INTEGER PRIMARY KEY AUTOINCREMENT";
  }
  switch (field.type) {
    case kDaoText:
      sql += " VARCHAR(" + std::to_string(field.size) + ") COLLATE NOCASE";
      break;
    case kDaoMemo:
      sql += " TEXT COLLATE NOCASE";
      break;
    case kDaoDate:
      sql += " DATETIME";
      break;
    case kDaoLongBinary:
      sql += " BLOB";
      break;
    case kDaoDouble:
      sql += " DOUBLE";
      break;
    default:
      sql += " INTEGER";
      break;
  }
  if (field.required) sql += " NOT NULL";
  if (field.type == kDaoText) sql += " CHECK (length(" + name + ") <= " + std::to_string(field.size) + ")";
  if ((field.type == kDaoText || field.type == kDaoMemo) && !field.allowZeroLength) {
    sql += " CHECK (" + name + " <> '')";
  }
  return sql;
}

DaoDatabase::~DaoDatabase() { Close(); }

void DaoDatabase::Create(const std::string& path, const std::string& key, bool replace) {
  Close();
  AsDao([&] {
    // A name of its own for SQLite, which opens its files by name; a crash
    // leaves it to the next new file in the folder to remove.
    BeginNewFile(m_newFile, path, CFileReplacement::Temp::kNamed,
                 replace ? CFileReplacement::Mode::kReplace : CFileReplacement::Mode::kNewOnly);
    try {
      m_connection.OpenNew(m_newFile.WritePath(), key);
    } catch (...) {
      m_connection.Close();
      m_newFile.Abandon();
      throw;
    }
  });
  m_name = path;
}

void DaoDatabase::Open(const std::string& path, bool readOnly, const std::string& key) {
  Close();
  AsDao([&] { m_connection.Open(path, key, readOnly); });
  m_name = path;
}

void DaoDatabase::Complete() {
  if (!m_newFile.IsActive()) {
    Close();
    return;
  }
  m_connection.Close();
  AsDao([&] { CommitNewFile(m_newFile); });
}

void DaoDatabase::Close() noexcept {
  m_connection.Close();
  m_newFile.Abandon();
}

void CopyDaoDatabase(const std::string& source, const std::string& sourceKey, const std::string& target,
                     const std::string& targetKey) {
  constexpr char kCopyName[] = "copy";
  const std::string copyName = QuoteIdentifier(kCopyName);
  // The copy is attached to the source's connection, and an attached file
  // can be written only through a connection that may write: the source is
  // opened for writing where it may be (nothing is written to it).
  SqliteConnection from;
  AsDao([&] { from.Open(source, sourceKey, ::access(source.c_str(), W_OK) != 0); });
  // In place, a second connection's write lock keeps other connections from
  // writing rows that the copy would not hold until the copy is in place.
  SqliteConnection lock;
  if (IsSameFile(source, target)) {
    AsDao([&] {
      lock.Open(source, sourceKey, false);
      lock.Execute("BEGIN IMMEDIATE");
    });
  }
  DaoDatabase copy;
  copy.Create(target, targetKey, true);
  // The copy is written through the source's connection, which must not
  // check relations while the tables fill in any order.
  copy.Connection().Close();
  AsDao([&] {
    from.Execute("PRAGMA foreign_keys=OFF");
    from.Execute("ATTACH DATABASE ? AS " + copyName + " KEY ?", {DbValue(copy.GetWorkingPath()), DbValue(targetKey)});
    try {
      from.Execute("PRAGMA " + copyName + ".journal_mode=MEMORY");
      from.Execute("SELECT sqlcipher_export(?)", {DbValue(std::string(kCopyName))});
    } catch (...) {
      from.Execute("DETACH DATABASE " + copyName);
      throw;
    }
    from.Execute("DETACH DATABASE " + copyName);
  });
  from.Close();
  copy.Complete();
  lock.Close();  // ends the write lock; nothing was written through it
}

bool CreateDaoTable(DaoDatabase* database, const std::string& name, std::span<const DaoFieldInfo> fields,
                    std::span<const DaoIndexInfo> indexes, std::span<const DaoRelationInfo> relations) {
  if (!database || !database->IsOpen() || name.empty() || fields.empty()) return false;
  SqliteConnection& connection = database->Connection();
  try {
    std::string columns;
    for (const DaoFieldInfo& field : fields) {
      if (!columns.empty()) columns += ", ";
      columns += DaoColumnDefinition(field);
    }
    for (const DaoRelationInfo& relation : relations) {
      if (relation.foreignTable != name) continue;
      std::string primary, foreign;
      for (const auto& [p, f] : relation.fields) {
        primary += (primary.empty() ? "" : ", ") + QuoteIdentifier(p);
        foreign += (foreign.empty() ? "" : ", ") + QuoteIdentifier(f);
      }
      columns += ", CONSTRAINT " + QuoteIdentifier(relation.name) + " FOREIGN KEY (" + foreign + ") REFERENCES " +
                 QuoteIdentifier(relation.table) + " (" + primary + ")";
    }
    connection.Execute("SAVEPOINT create_table");
    try {
      connection.Execute("CREATE TABLE " + QuoteIdentifier(name) + " (" + columns + ")");
      for (const DaoIndexInfo& index : indexes) {
        std::string list;
        for (const DaoIndexFieldInfo& f : index.fields) {
          if (!list.empty()) list += ", ";
          list += QuoteIdentifier(f.name) + (f.descending ? " DESC" : " ASC");
        }
        connection.Execute(std::string(index.unique || index.primary ? "CREATE UNIQUE INDEX " : "CREATE INDEX ") +
                           QuoteIdentifier(index.name) + " ON " + QuoteIdentifier(name) + " (" + list + ")");
      }
      connection.Execute("RELEASE create_table");
    } catch (const DbException&) {
      connection.Execute("ROLLBACK TO create_table");
      connection.Execute("RELEASE create_table");
      throw;
    }
  } catch (const DbException& e) {
    const DaoException dao = DaoException::FromDbException(e);
    ReportDaoException(&dao, "Creating table " + name, true, database->GetName(), true);
    return false;
  }
  return true;
}

bool CreateDaoTable(DaoDatabase* database, const std::string& name, const DaoTableDefinition& definition,
                    bool withIndexes, std::span<const DaoRelationInfo> relations) {
  return CreateDaoTable(
      database, name, definition.fields,
      withIndexes ? std::span<const DaoIndexInfo>(definition.indexes) : std::span<const DaoIndexInfo>(), relations);
}

bool DaoTableExists(DaoDatabase* database, const std::string& name) {
  if (!database || !database->IsOpen() || name.empty()) return false;
  try {
    return database->Connection().TableExists(name);
  } catch (const DbException&) {
    return false;
  }
}

DaoRecordset::DaoRecordset(DaoDatabase* database) : m_pDatabase(database) {}

DaoRecordset::~DaoRecordset() = default;

void DaoRecordset::Open(int openType, const std::string& source, int options) {
  Close();
  if (!m_pDatabase || !m_pDatabase->IsOpen()) throw DaoException(kDaoErrorFileNotFound, "", "No database is open.");
  m_table = source.empty() ? GetDefaultSQL() : source;
  m_openType = openType;
  m_options = options;
  m_indexColumns.clear();
  Reopen();
}

void DaoRecordset::Reopen() {
  AsDao([&] {
    DbQuery query;
    query.table = m_table;
    query.sort = m_indexColumns;
    query.readOnly = (m_options & kReadOnly) != 0 || m_openType == kOpenSnapshot;
    if (m_options & kAppendOnly) {
      query.access = DbQuery::Access::kAppendOnly;
    } else if (m_openType == kOpenForwardOnly) {
      query.access = DbQuery::Access::kForwardOnly;
    } else {
      query.access = DbQuery::Access::kScrollable;
    }
    m_cursor = std::make_unique<SqliteCursor>(m_pDatabase->Connection(), query);
  });
  m_editMode = EditMode::kNone;
}

void DaoRecordset::Close() {
  m_cursor.reset();
  m_editMode = EditMode::kNone;
}

bool DaoRecordset::IsBOF() const { return !m_cursor || m_cursor->IsBOF(); }
bool DaoRecordset::IsEOF() const { return !m_cursor || m_cursor->IsEOF(); }

void DaoRecordset::MoveNext() {
  if (!m_cursor) throw DaoException(kDaoErrorItemNotFound, "", "The record set is not open.");
  m_editMode = EditMode::kNone;
  AsDao([&] { m_cursor->MoveNext(); });
}

void DaoRecordset::MoveFirst() {
  if (!m_cursor) throw DaoException(kDaoErrorItemNotFound, "", "The record set is not open.");
  m_editMode = EditMode::kNone;
  AsDao([&] { m_cursor->MoveFirst(); });
}

void DaoRecordset::AddNew() {
  if (!m_cursor || !m_cursor->CanAppend()) throw DaoException(1, m_table, "The record set takes no new rows.");
  m_editMode = EditMode::kAdd;
  m_editNames.clear();
  m_editValues.clear();
}

void DaoRecordset::Edit() {
  if (!m_cursor || !m_cursor->CanUpdate() || m_cursor->IsEOF()) {
    throw DaoException(1, m_table, "No current row to change.");
  }
  m_editMode = EditMode::kEdit;
  m_editNames.clear();
  m_editValues.clear();
}

void DaoRecordset::Update() {
  if (m_editMode == EditMode::kNone) throw DaoException(1, m_table, "Update without AddNew or Edit.");
  const EditMode mode = m_editMode;
  m_editMode = EditMode::kNone;
  AsDao([&] {
    if (mode == EditMode::kAdd) {
      m_cursor->Append(m_editNames, m_editValues);
    } else {
      m_cursor->UpdateCurrent(m_editNames, m_editValues);
    }
  });
  m_editNames.clear();
  m_editValues.clear();
}

void DaoRecordset::CancelUpdate() {
  m_editMode = EditMode::kNone;
  m_editNames.clear();
  m_editValues.clear();
}

void DaoRecordset::Delete() {
  if (!m_cursor) throw DaoException(kDaoErrorItemNotFound, "", "The record set is not open.");
  AsDao([&] { m_cursor->DeleteCurrent(); });
}

int DaoRecordset::GetFieldCount() const { return m_cursor ? static_cast<int>(m_cursor->Fields().size()) : 0; }

std::string DaoRecordset::GetFieldName(int index) const {
  if (!m_cursor || index < 0 || index >= GetFieldCount()) return std::string();
  return m_cursor->Fields()[static_cast<size_t>(index)].name;
}

int DaoRecordset::FieldIndex(const std::string& name) const {
  if (!m_cursor) return -1;
  const auto& fields = m_cursor->Fields();
  for (size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].name == name) return static_cast<int>(i);
  }
  for (size_t i = 0; i < fields.size(); ++i) {
    if (SameName(fields[i].name, name)) return static_cast<int>(i);
  }
  return -1;
}

bool DaoRecordset::HasField(const std::string& name) const { return FieldIndex(name) >= 0; }

DbValue DaoRecordset::GetFieldValue(const std::string& name) const {
  const int index = FieldIndex(name);
  if (index < 0) throw DaoException(kDaoErrorItemNotFound, name, "Item not found in this collection.");
  if (m_editMode != EditMode::kNone) {
    for (size_t i = 0; i < m_editNames.size(); ++i) {
      if (SameName(m_editNames[i], name)) return m_editValues[i];
    }
    if (m_editMode == EditMode::kAdd) return DbValue();
  }
  const DbValue& value = m_cursor->Value(static_cast<size_t>(index));
  if (IsSqlDateType(m_cursor->Fields()[static_cast<size_t>(index)].sqlType) && value.IsText()) {
    return DbValue(ParseStoredDate(value.Text()));
  }
  return value;
}

void DaoRecordset::SetFieldValue(const std::string& name, const DbValue& value) {
  if (m_editMode == EditMode::kNone) throw DaoException(1, m_table, "Update without AddNew or Edit.");
  const int index = FieldIndex(name);
  if (index < 0) throw DaoException(kDaoErrorItemNotFound, name, "Item not found in this collection.");
  const std::string& field = m_cursor->Fields()[static_cast<size_t>(index)].name;
  for (size_t i = 0; i < m_editNames.size(); ++i) {
    if (m_editNames[i] == field) {
      m_editValues[i] = value;
      return;
    }
  }
  m_editNames.push_back(field);
  m_editValues.push_back(value);
}

void DaoRecordset::SetCurrentIndex(const std::string& index) {
  if (!m_cursor) throw DaoException(kDaoErrorItemNotFound, index, "The record set is not open.");
  std::vector<std::string> columns;
  AsDao([&] {
    SqliteStatement info(m_pDatabase->Connection(), "PRAGMA index_info(" + QuoteIdentifier(index) + ")");
    while (info.Step()) columns.push_back(info.ColumnText(2));
  });
  if (columns.empty()) throw DaoException(kDaoErrorItemNotFound, index, "Item not found in this collection.");
  m_indexColumns = columns;
  Reopen();
}

bool DaoRecordset::Seek(const std::string& comparison, const std::vector<DbValue>& keys) {
  if (!m_cursor) throw DaoException(kDaoErrorItemNotFound, "", "The record set is not open.");
  if (m_indexColumns.empty()) throw DaoException(1, m_table, "Seek needs a current index.");
  if (keys.empty() || keys.size() > m_indexColumns.size()) throw DaoException(1, m_table, "Seek needs keys.");
  static const char* const kSigns[] = {"=", ">=", ">", "<=", "<"};
  if (std::find(std::begin(kSigns), std::end(kSigns), comparison) == std::end(kSigns)) {
    throw DaoException(1, m_table, "Not a comparison: " + comparison);
  }
  std::string left, right, order;
  for (size_t i = 0; i < keys.size(); ++i) {
    left += (i ? "," : "") + QuoteIdentifier(m_indexColumns[i]);
    right += i ? ",?" : "?";
  }
  const bool backwards = comparison[0] == '<';
  for (size_t i = 0; i < m_indexColumns.size(); ++i) {
    order += (i ? "," : "") + QuoteIdentifier(m_indexColumns[i]) + (backwards ? " DESC" : " ASC");
  }
  const std::string sql = "SELECT rowid FROM " + QuoteIdentifier(m_table) + " WHERE (" + left + ") " + comparison +
                          " (" + right + ") ORDER BY " + order + " LIMIT 1";
  return AsDao([&] {
    SqliteStatement statement(m_pDatabase->Connection(), sql);
    statement.BindAll(keys);
    if (!statement.Step()) return false;
    const int64_t rowId = statement.ColumnInteger(0);
    m_editMode = EditMode::kNone;
    return m_cursor->MoveToRowId(rowId);
  });
}

}  // namespace qel
