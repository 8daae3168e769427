// The creation side of the program's database files: a database file made
// new (beside its final path, given its name only when complete), tables
// created from static field and index definitions, and record sets that
// write the first rows by field name and find rows by index.
//
// Errors leave as a DaoException.
//
// Thread contract: user-interface thread only.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "db/DbException.h"
#include "db/DbValue.h"
#include "db/NewFile.h"
#include "db/SqliteConnection.h"

namespace qel {

class SqliteCursor;

// Field types and attribute bits of a table definition.
enum DaoFieldType : int {
  kDaoLong = 4,
  kDaoDouble = 7,
  kDaoDate = 8,
  kDaoText = 10,
  kDaoLongBinary = 11,
  kDaoMemo = 12,
};

enum DaoFieldAttribute : int {
  kDaoFixedField = 1,
  kDaoVariableField = 2,
  kDaoUpdatableField = 32,
  kDaoAutoIncrField = 16,  // a Long numbered by the engine in the order rows are added
};

struct DaoFieldInfo {
  std::string name;
  int type = kDaoLong;
  int size = 4;  // characters of a Text column; bytes of a Long or Date column
  int attributes = kDaoFixedField;
  int ordinalPosition = 0;
  bool required = true;
  bool allowZeroLength = false;
  int collatingOrder = 0;
  std::string foreignName;
  std::string sourceField;
  std::string sourceTable;
  std::string validationRule;
  std::string validationText;
  std::string defaultValue;
};

struct DaoIndexFieldInfo {
  std::string name;
  bool descending = false;
};

struct DaoIndexInfo {
  std::string name;
  std::vector<DaoIndexFieldInfo> fields;
  bool primary = true;
  bool unique = true;
  bool clustered = false;
  bool ignoreNulls = true;
  bool required = true;
  bool foreign = false;
  int distinctCount = 0;
};

// A relation with enforced referential integrity (no cascades): every row
// of the foreign table names an existing row of the primary table (a NULL
// in a foreign field names none).
struct DaoRelationInfo {
  std::string name;
  std::string table;  // the primary table
  std::string foreignTable;
  std::vector<std::pair<std::string, std::string>> fields;  // primary field, foreign field
};

// A table's definition: its fields in column order and its indexes.
struct DaoTableDefinition {
  std::vector<DaoFieldInfo> fields;
  std::vector<DaoIndexInfo> indexes;
};

// Entry i: empty name, Long of 4 bytes, fixed field, ordinal position
// i + 1, required, no zero length, all texts empty.
void InitDaoFieldInfos(std::span<DaoFieldInfo> infos);

// A Text column of the given size (variable field).
void SetDaoTextField(DaoFieldInfo& info, const char* name, int size, bool updatable, bool required, bool zeroLength);
// A Memo or LongBinary column (size 0, variable field) or a Date column (size 8).
void SetDaoField(DaoFieldInfo& info, const char* name, int type, bool updatable, bool required, bool zeroLength);
// A primary, unique, ascending index on the named fields.
DaoIndexInfo MakeDaoPrimaryIndex(const char* name, std::initializer_list<const char*> fields);

// The flags of a column in a table definition, by what they say.
namespace dao_columns {
inline constexpr bool kUpd = true;      // updatable
inline constexpr bool kKey = false;     // one of the leading key columns (not updatable)
inline constexpr bool kReq = true;      // required
inline constexpr bool kOpt = false;     // not required
inline constexpr bool kZero = true;     // a text may be empty
inline constexpr bool kNoZero = false;  // a text may not be empty
}  // namespace dao_columns

// One column as a table definition lists it.
struct DaoColumnEntry {
  const char* name;
  int type;
  int size;  // characters of a Text column (other types take their own)
  bool updatable;
  bool required;
  bool zeroLength;
};

// The fields (reset with InitDaoFieldInfos, then set as listed) and the index.
DaoTableDefinition MakeDaoTableDefinition(const std::vector<DaoColumnEntry>& columns, DaoIndexInfo index);

class DaoDatabase {
 public:
  DaoDatabase() = default;
  ~DaoDatabase();  // closes; an uncompleted new file is discarded
  DaoDatabase(const DaoDatabase&) = delete;
  DaoDatabase& operator=(const DaoDatabase&) = delete;

  // Starts a new database file for the path, protected by the key when one
  // is given. The file is made beside the path and gets its name only with
  // Complete; an existing path fails at once (kDaoErrorFileExists) unless
  // replace is set, when the complete new file takes its place.
  void Create(const std::string& path, const std::string& key, bool replace = false);
  // Opens an existing database file.
  void Open(const std::string& path, bool readOnly, const std::string& key);
  // Closes a created database and puts its file in place under its name
  // (kDaoErrorFileExists when a file of that name appeared meanwhile; the
  // new file is then dropped). For an opened database: Close.
  void Complete();
  // Closes; a created database that was not completed is dropped.
  void Close() noexcept;

  bool IsOpen() const { return m_connection.IsOpen(); }
  bool IsNew() const { return m_newFile.IsActive(); }
  // The file's path (its final path while it is new).
  const std::string& GetName() const { return m_name; }
  // The path under which a new file is written until Complete (its final
  // path once opened or completed). Another connection may work on it in
  // between, after this one's connection is closed.
  std::string GetWorkingPath() const { return m_newFile.IsActive() ? m_newFile.WritePath() : m_name; }
  SqliteConnection& Connection() { return m_connection; }

 private:
  SqliteConnection m_connection;
  CFileReplacement m_newFile;
  std::string m_name;
};

// Copies the database at source, opened with sourceKey, into a new file at
// target protected by targetKey (an empty key: none): every table, index,
// trigger, row and row counter, without the free space that deleted rows
// left. The target is replaced only by the complete copy; a target that is
// the source itself (IsSameFile) gets its new key this way, and the source
// takes no other connection's writes while it is copied. Errors leave as a
// DaoException (a wrong source key: kDaoErrorPassword).
void CopyDaoDatabase(const std::string& source, const std::string& sourceKey, const std::string& target,
                     const std::string& targetKey);

// Creates the table with its columns and indexes in one step: a failure
// leaves no part of it. Reported as "Creating table <name>: <database>" and
// the error text; false then, or when database, name or fields are missing.
// The relations whose foreign table is the new table are made with it (the
// engine keeps a table's relations in its definition, so the primary tables
// are created first).
bool CreateDaoTable(DaoDatabase* database, const std::string& name, std::span<const DaoFieldInfo> fields,
                    std::span<const DaoIndexInfo> indexes, std::span<const DaoRelationInfo> relations = {});
bool CreateDaoTable(DaoDatabase* database, const std::string& name, const DaoTableDefinition& definition,
                    bool withIndexes = true, std::span<const DaoRelationInfo> relations = {});

// Whether the database has the table; false (and nothing shown) otherwise.
bool DaoTableExists(DaoDatabase* database, const std::string& name);

// The SQL column of a field: Text VARCHAR(n) and Memo TEXT compared ignoring
// case, Long INTEGER, Date DATETIME, LongBinary BLOB; NOT NULL when
// required; a Text or Memo that takes no zero length refuses ''; a Text
// refuses more than its size. A Long with the auto-increment attribute is
// the row's own number, counting up as rows are added and never reused.
std::string DaoColumnDefinition(const DaoFieldInfo& field);

// A record set over one table of a DaoDatabase: rows in the order of the
// current index (else as stored), fields read and written by name.
class DaoRecordset {
 public:
  enum OpenType : int { kOpenTable = 1, kOpenDynaset = 2, kOpenSnapshot = 4, kOpenForwardOnly = 8 };
  enum OpenOption : int { kNoOptions = 0, kReadOnly = 4, kAppendOnly = 8 };

  explicit DaoRecordset(DaoDatabase* database);
  virtual ~DaoRecordset();
  DaoRecordset(const DaoRecordset&) = delete;
  DaoRecordset& operator=(const DaoRecordset&) = delete;

  // Opens the table named by source (empty: GetDefaultSQL).
  virtual void Open(int openType = kOpenTable, const std::string& source = std::string(), int options = kNoOptions);
  virtual void Close();
  bool IsOpen() const { return m_cursor != nullptr; }
  bool IsBOF() const;
  bool IsEOF() const;
  void MoveNext();
  void MoveFirst();

  void AddNew();
  void Edit();
  virtual void Update();
  void CancelUpdate();
  void Delete();

  int GetFieldCount() const;
  std::string GetFieldName(int index) const;
  bool HasField(const std::string& name) const;
  // The current row's value (dates as dates); during AddNew or Edit the
  // value as set.
  DbValue GetFieldValue(const std::string& name) const;
  // Only during AddNew or Edit.
  void SetFieldValue(const std::string& name, const DbValue& value);

  // Orders the rows by the index and moves to the first.
  void SetCurrentIndex(const std::string& index);
  // Finds the first row (in index order) whose index fields compare with
  // the keys as asked ("=", ">=", ">", "<=", "<"); without one the current
  // row stays. Needs a current index.
  bool Seek(const std::string& comparison, const std::vector<DbValue>& keys);

  virtual std::string GetDefaultDBName() { return m_pDatabase ? m_pDatabase->GetName() : std::string(); }
  virtual std::string GetDefaultSQL() { return std::string(); }

  DaoDatabase* m_pDatabase;

 private:
  enum class EditMode { kNone, kEdit, kAdd };

  void Reopen();
  int FieldIndex(const std::string& name) const;

  std::unique_ptr<SqliteCursor> m_cursor;
  std::string m_table;
  int m_openType = kOpenTable;
  int m_options = kNoOptions;
  std::vector<std::string> m_indexColumns;
  EditMode m_editMode = EditMode::kNone;
  std::vector<std::string> m_editNames;
  std::vector<DbValue> m_editValues;
};

}  // namespace qel
