#include "db/export/DbaseDriver.h"

#include <dirent.h>
#include <fcntl.h>
#include <shapefil.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

#include "db/DbDateText.h"
#include "db/DbException.h"
#include "db/MemoryCursor.h"
#include "db/NewFile.h"
#include "db/export/Windows1252.h"

namespace qel {

namespace {

// The Windows-1252 code page in a dBase header (language driver 0x57).
constexpr char kDbaseCodePage[] = "LDID/87";

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool EndsWithDbf(const std::string& name) { return name.size() > 4 && Upper(name.substr(name.size() - 4)) == ".DBF"; }

// shapelib opens its files by name (adding ".dbf" to the name it is given);
// while one of our calls runs, every .dbf it opens is the file at this path
// and it opens nothing else (no code-page file beside it).
thread_local std::string g_dbfPath;

SAFile OpenHook(const char* name, const char* access) {
  if (!EndsWithDbf(name) || g_dbfPath.empty()) return nullptr;
  return reinterpret_cast<SAFile>(std::fopen(g_dbfPath.c_str(), access));
}

int RemoveHook(const char*) { return 0; }

SAHooks Hooks(const std::string& path) {
  g_dbfPath = path;
  SAHooks hooks;
  SASetupDefaultHooks(&hooks);
  hooks.FOpen = OpenHook;
  hooks.Remove = RemoveHook;
  return hooks;
}

struct HookPathReset {
  ~HookPathReset() { g_dbfPath.clear(); }
};

DBFHandle CreateDbf(const std::string& path) {
  SAHooks hooks = Hooks(path);
  HookPathReset reset;
  return DBFCreateLL((path + ".dbf").c_str(), kDbaseCodePage, &hooks);
}

DBFHandle OpenDbf(const std::string& path, const char* access) {
  SAHooks hooks = Hooks(path);
  HookPathReset reset;
  return DBFOpenLL((path + ".dbf").c_str(), access, &hooks);
}

DbException NoSuch(const char* what, const std::string& name) {
  return DbException(DbErrorKind::kMissingItem, "State:42S02,Native:0,Origin:[dBase]",
                     std::string("No such ") + what + ": " + name);
}

DbException CannotWrite(const std::string& table, const std::string& column) {
  return DbException(DbErrorKind::kOther, "State:22001,Native:0,Origin:[dBase]",
                     "The value does not fit the field " + column + " of " + table + ".");
}

std::string RightTrimmed(const char* text) {
  std::string s = text ? text : "";
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

DbFieldInfo FieldInfo(DBFHandle h, int i) {
  char name[XBASE_FLDNAME_LEN_READ + 1] = {};
  int width = 0, decimals = 0;
  DBFGetFieldInfo(h, i, name, &width, &decimals);
  DbFieldInfo info;
  info.name = Windows1252ToUtf8(name);
  info.precision = width;
  info.scale = decimals;
  switch (DBFGetNativeFieldType(h, i)) {
    case 'N':
    case 'F':
      info.sqlType = kSqlDouble;
      break;
    case 'D':
      info.sqlType = kSqlDate;
      info.precision = 10;
      break;
    default:
      info.sqlType = kSqlVarChar;
      break;
  }
  return info;
}

DbValue ReadValue(DBFHandle h, int record, int field) {
  if (DBFIsAttributeNULL(h, record, field)) return DbValue();
  switch (DBFGetNativeFieldType(h, field)) {
    case 'N':
    case 'F':
      return DbValue(DBFReadDoubleAttribute(h, record, field));
    case 'D': {
      const std::string text = RightTrimmed(DBFReadStringAttribute(h, record, field));
      if (text.size() != 8) return DbValue();
      const QelDateTime date =
          QelDateTime::FromDate(std::atoi(text.substr(0, 4).c_str()), std::atoi(text.substr(4, 2).c_str()),
                                std::atoi(text.substr(6, 2).c_str()));
      return DbValue(date);
    }
    default:
      return DbValue(Windows1252ToUtf8(RightTrimmed(DBFReadStringAttribute(h, record, field))));
  }
}

std::string NumberText(const DbValue& v) {
  if (v.IsInteger()) return std::to_string(v.Integer());
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15g", v.Real());
  return buffer;
}

// Writes one value; false when the field does not take it.
bool WriteValue(DBFHandle h, int record, int field, const DbValue& value) {
  if (value.IsNull()) return DBFWriteNULLAttribute(h, record, field) != 0;
  switch (DBFGetNativeFieldType(h, field)) {
    case 'N':
    case 'F': {
      double number;
      if (value.IsInteger() || value.IsReal()) {
        number = value.AsDouble();
      } else if (value.IsText()) {
        char* end = nullptr;
        number = std::strtod(value.Text().c_str(), &end);
        if (end == value.Text().c_str() || *end != '\0') return false;
      } else {
        return false;
      }
      return DBFWriteDoubleAttribute(h, record, field, number) != 0;
    }
    case 'D': {
      QelDateTime date = value.IsDate() ? value.Date() : QelDateTime::Null();
      if (value.IsText()) date = ParseStoredDate(value.Text());
      int y, m, d;
      if (!date.Split(&y, &m, &d)) return false;
      char text[32];
      std::snprintf(text, sizeof text, "%04d%02d%02d", y, m, d);
      return DBFWriteAttributeDirectly(h, record, field, text) != 0;
    }
    default: {
      std::string text;
      if (value.IsText()) {
        text = value.Text();
      } else if (value.IsDate()) {
        text = FormatStoredDate(value.Date());
      } else if (value.IsInteger() || value.IsReal()) {
        text = NumberText(value);
      } else {
        return false;
      }
      return DBFWriteStringAttribute(h, record, field, Utf8ToWindows1252(text).c_str()) != 0;
    }
  }
}

}  // namespace

std::vector<std::string> DbaseFieldNames(const std::vector<std::string>& names) {
  std::vector<std::string> out;
  std::set<std::string> used;
  for (const std::string& name : names) {
    std::string candidate = name.substr(0, kDbaseFieldNameLength);
    for (int n = 1; used.count(Upper(candidate)); ++n) {
      const std::string suffix = "~" + std::to_string(n);
      candidate = name.substr(0, kDbaseFieldNameLength - suffix.size()) + suffix;
    }
    used.insert(Upper(candidate));
    out.push_back(candidate);
  }
  return out;
}

struct DbaseDriver::Table {
  std::string name;
  CFileReplacement file;
  DBFHandle handle = nullptr;
  std::vector<std::string> columns;  // the names as defined (or the field names of an existing file)

  ~Table() {
    if (handle) DBFClose(handle);
  }

  int Field(const std::string& column) const {
    for (size_t i = 0; i < columns.size(); ++i) {
      if (Upper(columns[i]) == Upper(column)) return static_cast<int>(i);
    }
    const std::vector<std::string> shortened = DbaseFieldNames({column});
    return DBFGetFieldIndex(handle, Utf8ToWindows1252(shortened[0]).c_str());
  }
};

DbaseDriver::DbaseDriver(const std::string& folder) : m_folder(folder) {
  if (m_folder.empty()) m_folder = "./";
  if (m_folder.back() != '/') m_folder += '/';
  struct stat st {};
  if (::stat(m_folder.c_str(), &st) != 0) throw DbException::FromSystem(errno, "Cannot open the folder", m_folder);
  if (!S_ISDIR(st.st_mode)) throw DbException::FromSystem(ENOTDIR, "Cannot open the folder", m_folder);
}

DbaseDriver::~DbaseDriver() = default;

std::string DbaseDriver::FileOf(const std::string& table) const {
  const std::string exact = m_folder + table + ".dbf";
  struct stat st {};
  if (::stat(exact.c_str(), &st) == 0) return exact;
  // A file whose name differs in letter case only is the same table.
  if (DIR* dir = ::opendir(m_folder.c_str())) {
    const std::string wanted = Upper(table + ".dbf");
    while (dirent* e = ::readdir(dir)) {
      if (Upper(e->d_name) == wanted) {
        const std::string found = m_folder + e->d_name;
        ::closedir(dir);
        return found;
      }
    }
    ::closedir(dir);
  }
  return exact;
}

bool DbaseDriver::OnDisk(const std::string& table) const {
  if (m_dropped.count(Upper(table))) return false;
  struct stat st {};
  return ::stat(FileOf(table).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

DbaseDriver::Table* DbaseDriver::Pending(const std::string& table) {
  const auto it = m_pending.find(Upper(table));
  return it == m_pending.end() ? nullptr : it->second.get();
}

DbaseDriver::Table& DbaseDriver::Writable(const std::string& table) {
  if (Table* t = Pending(table)) return *t;
  if (!OnDisk(table)) throw NoSuch("table", table);
  const std::string path = FileOf(table);
  auto t = std::make_unique<Table>();
  t->name = table;
  BeginNewFile(t->file, path, CFileReplacement::Temp::kAnonymous, CFileReplacement::Mode::kReplace);
  const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) throw DbException::FromSystem(errno, "Cannot read", path);
  char buffer[65536];
  ssize_t n;
  off_t at = 0;
  while ((n = ::read(in, buffer, sizeof buffer)) > 0) {
    if (::pwrite(t->file.Fd(), buffer, static_cast<size_t>(n), at) != n) {
      const int err = errno;
      ::close(in);
      throw DbException::FromSystem(err, "Cannot copy", path);
    }
    at += n;
  }
  ::close(in);
  t->handle = OpenDbf(t->file.WritePath(), "rb+");
  if (!t->handle)
    throw DbException(DbErrorKind::kOther, "State:HY000,Native:0,Origin:[dBase]", "Not a dBase file: " + path);
  for (int i = 0; i < DBFGetFieldCount(t->handle); ++i) t->columns.push_back(FieldInfo(t->handle, i).name);
  Table& ref = *t;
  m_pending[Upper(table)] = std::move(t);
  return ref;
}

std::vector<DbCatalogTable> DbaseDriver::Tables() {
  std::vector<DbCatalogTable> tables;
  std::set<std::string> seen;
  if (DIR* dir = ::opendir(m_folder.c_str())) {
    while (dirent* e = ::readdir(dir)) {
      const std::string name = e->d_name;
      if (name.empty() || name[0] == '.' || !EndsWithDbf(name)) continue;
      const std::string title = name.substr(0, name.size() - 4);
      if (m_dropped.count(Upper(title)) && !Pending(title)) continue;
      seen.insert(Upper(title));
      tables.push_back(DbCatalogTable{m_folder, "", title, "TABLE", ""});
    }
    ::closedir(dir);
  }
  for (const auto& [upper, table] : m_pending) {
    if (!seen.count(upper)) tables.push_back(DbCatalogTable{m_folder, "", table->name, "TABLE", ""});
  }
  return tables;
}

std::vector<DbCatalogColumn> DbaseDriver::Columns(const std::string& table) {
  std::vector<DbCatalogColumn> columns;
  DBFHandle h = nullptr;
  bool own = false;
  if (Table* t = Pending(table)) {
    h = t->handle;
  } else if (OnDisk(table)) {
    h = DBFOpen(FileOf(table).c_str(), "rb");
    own = true;
  }
  if (!h) return columns;
  for (int i = 0; i < DBFGetFieldCount(h); ++i) {
    const DbFieldInfo info = FieldInfo(h, i);
    DbCatalogColumn c;
    c.qualifier = m_folder;
    c.table = table;
    c.name = info.name;
    c.dataType = info.sqlType;
    c.typeName = std::string(1, DBFGetNativeFieldType(h, i));
    c.precision = info.precision;
    c.length = info.precision;
    c.scale = info.scale;
    columns.push_back(c);
  }
  if (own) DBFClose(h);
  return columns;
}

std::unique_ptr<DbCursor> DbaseDriver::OpenCursor(const DbQuery& query) {
  DBFHandle h = nullptr;
  bool own = false;
  if (Table* t = Pending(query.table)) {
    h = t->handle;
  } else if (OnDisk(query.table)) {
    h = DBFOpen(FileOf(query.table).c_str(), "rb");
    own = true;
  }
  if (!h) throw NoSuch("table", query.table);
  std::vector<DbFieldInfo> all;
  for (int i = 0; i < DBFGetFieldCount(h); ++i) all.push_back(FieldInfo(h, i));
  std::vector<int> chosen;
  if (query.columns.empty()) {
    for (size_t i = 0; i < all.size(); ++i) chosen.push_back(static_cast<int>(i));
  } else {
    for (const std::string& name : query.columns) {
      const auto it =
          std::find_if(all.begin(), all.end(), [&](const DbFieldInfo& f) { return Upper(f.name) == Upper(name); });
      if (it == all.end()) {
        if (own) DBFClose(h);
        throw NoSuch("column", query.table + "." + name);
      }
      chosen.push_back(static_cast<int>(it - all.begin()));
    }
  }
  std::vector<DbFieldInfo> fields;
  for (int i : chosen) fields.push_back(all[static_cast<size_t>(i)]);
  std::vector<std::vector<DbValue>> rows;
  for (int r = 0; r < DBFGetRecordCount(h); ++r) {
    if (DBFIsRecordDeleted(h, r)) continue;
    const bool match = FilterMatches(query.filter, [&](const std::string& column) {
      for (size_t i = 0; i < all.size(); ++i) {
        if (Upper(all[i].name) == Upper(column)) return ReadValue(h, r, static_cast<int>(i));
      }
      return DbValue();
    });
    if (!match) continue;
    std::vector<DbValue> row;
    for (int i : chosen) row.push_back(ReadValue(h, r, i));
    rows.push_back(std::move(row));
  }
  if (own) DBFClose(h);
  return std::make_unique<MemoryCursor>(std::move(fields), std::move(rows));
}

void DbaseDriver::Execute(const DbStatement& statement) {
  switch (statement.kind) {
    case DbStatement::Kind::kDropTable:
      Drop(statement.table);
      return;
    case DbStatement::Kind::kCreateTable:
      Create(statement);
      return;
    case DbStatement::Kind::kInsert:
      Insert(statement);
      return;
    case DbStatement::Kind::kUpdate:
      Update(statement);
      return;
  }
}

void DbaseDriver::Drop(const std::string& table) {
  const bool onDisk = OnDisk(table);
  const bool pending = m_pending.erase(Upper(table)) > 0;
  if (!onDisk && !pending) throw NoSuch("table", table);
  if (onDisk) m_dropped.insert(Upper(table));
}

void DbaseDriver::Create(const DbStatement& statement) {
  const std::string& table = statement.table;
  if (table.empty() || table.find('/') != std::string::npos || table[0] == '.') {
    throw DbException(DbErrorKind::kOther, "State:42000,Native:0,Origin:[dBase]", "Not a table name: " + table);
  }
  if (Pending(table) || OnDisk(table)) {
    throw DbException(DbErrorKind::kOther, "State:42S01,Native:0,Origin:[dBase]", "The table exists: " + table);
  }
  std::vector<DbColumnDef> columns;
  for (const DbColumnDef& c : statement.columns) {
    if (IsSqlTextType(c.sqlType) || IsSqlNumberType(c.sqlType) || IsSqlDateType(c.sqlType)) columns.push_back(c);
  }
  if (columns.empty()) throw DbException::Logic("A table needs a column: " + table);
  if (columns.size() > kDbaseMaxFields) {
    throw DbException(DbErrorKind::kOther, "State:42000,Native:0,Origin:[dBase]",
                      "A dBase table holds at most " + std::to_string(kDbaseMaxFields) + " fields; " + table +
                          " would have " + std::to_string(columns.size()) + ".");
  }
  std::vector<std::string> names;
  for (const DbColumnDef& c : columns) names.push_back(c.name);
  const std::vector<std::string> fieldNames = DbaseFieldNames(names);

  auto t = std::make_unique<Table>();
  t->name = table;
  t->columns = names;
  BeginNewFile(t->file, m_folder + table + ".dbf", CFileReplacement::Temp::kAnonymous,
               CFileReplacement::Mode::kReplace);
  t->handle = CreateDbf(t->file.WritePath());
  if (!t->handle) throw DbException::FromSystem(errno ? errno : EIO, "Cannot create", m_folder + table + ".dbf");
  for (size_t i = 0; i < columns.size(); ++i) {
    const DbColumnDef& c = columns[i];
    const std::string field = Utf8ToWindows1252(fieldNames[i]);
    int added;
    if (IsSqlTextType(c.sqlType)) {
      const int width = c.sqlType == kSqlLongVarChar ? kDbaseMaxTextWidth : std::clamp(c.size, 1, kDbaseMaxTextWidth);
      added = DBFAddNativeFieldType(t->handle, field.c_str(), 'C', width, 0);
    } else if (IsSqlNumberType(c.sqlType)) {
      added = DBFAddNativeFieldType(t->handle, field.c_str(), 'N', kDbaseNumberWidth, kDbaseNumberDecimals);
    } else {
      added = DBFAddNativeFieldType(t->handle, field.c_str(), 'D', kDbaseDateWidth, 0);
    }
    if (added < 0) throw CannotWrite(table, c.name);
  }
  m_dropped.erase(Upper(table));
  m_pending[Upper(table)] = std::move(t);
}

void DbaseDriver::Insert(const DbStatement& statement) {
  Table& t = Writable(statement.table);
  std::vector<int> fields;
  for (const DbColumnDef& c : statement.columns) {
    const int field = t.Field(c.name);
    if (field < 0) throw NoSuch("column", statement.table + "." + c.name);
    fields.push_back(field);
  }
  const int record = DBFGetRecordCount(t.handle);
  for (size_t i = 0; i < fields.size(); ++i) {
    if (!WriteValue(t.handle, record, fields[i], statement.values[i])) {
      throw CannotWrite(statement.table, statement.columns[i].name);
    }
  }
}

void DbaseDriver::Update(const DbStatement& statement) {
  if (statement.where.IsEmpty()) throw DbException::Logic("An update needs a condition: " + statement.table);
  Table& t = Writable(statement.table);
  std::vector<int> fields;
  for (const DbColumnDef& c : statement.columns) {
    const int field = t.Field(c.name);
    if (field < 0) throw NoSuch("column", statement.table + "." + c.name);
    fields.push_back(field);
  }
  for (int r = 0; r < DBFGetRecordCount(t.handle); ++r) {
    if (DBFIsRecordDeleted(t.handle, r)) continue;
    const bool match = FilterMatches(statement.where, [&](const std::string& column) {
      const int field = t.Field(column);
      return field < 0 ? DbValue() : ReadValue(t.handle, r, field);
    });
    if (!match) continue;
    for (size_t i = 0; i < fields.size(); ++i) {
      if (!WriteValue(t.handle, r, fields[i], statement.values[i])) {
        throw CannotWrite(statement.table, statement.columns[i].name);
      }
    }
  }
}

void DbaseDriver::Close() {
  std::unique_ptr<DbException> first;
  std::set<std::string> published;
  for (auto& [upper, t] : m_pending) {
    try {
      DBFClose(t->handle);
      t->handle = nullptr;
      const std::string target = t->file.Target();
      // A table dropped and made again replaces the old file of its name.
      CommitNewFile(t->file);
      published.insert(target);
    } catch (const DbException& e) {
      if (!first) first = std::make_unique<DbException>(e);
    }
  }
  m_pending.clear();
  for (const std::string& upper : m_dropped) {
    std::string path;
    if (DIR* dir = ::opendir(m_folder.c_str())) {
      while (dirent* e = ::readdir(dir)) {
        if (Upper(e->d_name) == upper + ".DBF" && !published.count(m_folder + e->d_name)) path = m_folder + e->d_name;
      }
      ::closedir(dir);
    }
    if (!path.empty() && ::unlink(path.c_str()) != 0 && !first) {
      first = std::make_unique<DbException>(DbException::FromSystem(errno, "Cannot remove", path));
    }
  }
  m_dropped.clear();
  if (first) throw *first;
}

std::unique_ptr<DbDriver> OpenDbaseDriver(const DbConnectString& connect, bool) {
  return std::make_unique<DbaseDriver>(connect.path);
}

}  // namespace qel
