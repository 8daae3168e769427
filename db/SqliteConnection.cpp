#include "db/SqliteConnection.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "db/DbDateText.h"
#include "db/DbException.h"

namespace qel {

namespace {

constexpr char kPlainHeader[16] = {'S', 'Q', 'L', 'i', 't', 'e', ' ', 'f', 'o', 'r', 'm', 'a', 't', ' ', '3', '\0'};

// Whether the file starts as an unprotected SQLite database.
bool HasPlainHeader(int fd) {
  char header[sizeof kPlainHeader];
  ssize_t n;
  do {
    n = ::pread(fd, header, sizeof header, 0);
  } while (n < 0 && errno == EINTR);
  return n == static_cast<ssize_t>(sizeof header) && std::memcmp(header, kPlainHeader, sizeof header) == 0;
}

void SetKey(sqlite3* db, const std::string& key) {
  if (!key.empty()) sqlite3_key(db, key.data(), static_cast<int>(key.size()));
}

constexpr char kFirstRead[] = "SELECT count(*) FROM sqlite_master";

// A write that a crash interrupted leaves a journal that the next
// connection must roll back, which a read-only one cannot do: a connection
// that may write does it first. True when the file reads again.
bool RollBackInterruptedWrite(const std::string& path, const std::string& key) {
  if (::access(path.c_str(), W_OK) != 0) return false;
  sqlite3* db = nullptr;
  bool done = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
  if (done) {
    SetKey(db, key);
    done = sqlite3_exec(db, kFirstRead, nullptr, nullptr, nullptr) == SQLITE_OK;
  }
  sqlite3_close_v2(db);
  return done;
}

}  // namespace

SqliteStatement::SqliteStatement(SqliteConnection& connection, const std::string& sql) : m_connection(&connection) {
  if (!connection.IsOpen()) throw DbException::Logic("The database is not open.");
  const int rc = sqlite3_prepare_v2(connection.Handle(), sql.c_str(), static_cast<int>(sql.size()), &m_stmt, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_finalize(m_stmt);
    m_stmt = nullptr;
    connection.Throw(rc);
  }
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(m_stmt); }

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : m_connection(other.m_connection), m_stmt(other.m_stmt) {
  other.m_stmt = nullptr;
}

void SqliteStatement::Bind(int index, const DbValue& value) {
  int rc;
  if (value.IsNull()) {
    rc = sqlite3_bind_null(m_stmt, index);
  } else if (value.IsInteger()) {
    rc = sqlite3_bind_int64(m_stmt, index, value.Integer());
  } else if (value.IsReal()) {
    rc = sqlite3_bind_double(m_stmt, index, value.Real());
  } else if (value.IsText()) {
    rc = sqlite3_bind_text(m_stmt, index, value.Text().data(), static_cast<int>(value.Text().size()), SQLITE_TRANSIENT);
  } else if (value.IsDate()) {
    const std::string text = FormatStoredDate(value.Date());
    rc = sqlite3_bind_text(m_stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  } else {
    const DbBytes& bytes = value.Bytes();
    // An empty array is stored as an empty value, not as NULL.
    static const uint8_t kNone = 0;
    rc = sqlite3_bind_blob(m_stmt, index, bytes.empty() ? &kNone : bytes.data(), static_cast<int>(bytes.size()),
                           SQLITE_TRANSIENT);
  }
  if (rc != SQLITE_OK) m_connection->Throw(rc);
}

void SqliteStatement::BindAll(const std::vector<DbValue>& values) {
  for (size_t i = 0; i < values.size(); ++i) Bind(static_cast<int>(i) + 1, values[i]);
}

bool SqliteStatement::Step() {
  const int rc = sqlite3_step(m_stmt);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  // The statement's error; resetting it makes the connection report it.
  sqlite3_reset(m_stmt);
  m_connection->Throw(rc);
}

void SqliteStatement::Reset() {
  sqlite3_reset(m_stmt);
  sqlite3_clear_bindings(m_stmt);
}

int SqliteStatement::ColumnCount() const { return sqlite3_column_count(m_stmt); }

std::string SqliteStatement::ColumnName(int i) const {
  const char* name = sqlite3_column_name(m_stmt, i);
  return name ? name : "";
}

DbValue SqliteStatement::Column(int i) const {
  const int type = sqlite3_column_type(m_stmt, i);
  if ((type == SQLITE_TEXT || type == SQLITE_BLOB) &&
      static_cast<size_t>(sqlite3_column_bytes(m_stmt, i)) > SqliteConnection::kMaxValueBytes) {
    throw DbException::Logic("The column " + ColumnName(i) + " holds more bytes than any of its kind.");
  }
  switch (type) {
    case SQLITE_INTEGER:
      return DbValue(static_cast<int64_t>(sqlite3_column_int64(m_stmt, i)));
    case SQLITE_FLOAT:
      return DbValue(sqlite3_column_double(m_stmt, i));
    case SQLITE_TEXT: {
      const unsigned char* text = sqlite3_column_text(m_stmt, i);
      const int n = sqlite3_column_bytes(m_stmt, i);
      return DbValue(std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(n)));
    }
    case SQLITE_BLOB: {
      const auto* data = static_cast<const uint8_t*>(sqlite3_column_blob(m_stmt, i));
      const int n = sqlite3_column_bytes(m_stmt, i);
      return DbValue(DbBytes(data, data + n));
    }
    default:
      return DbValue();
  }
}

int64_t SqliteStatement::ColumnInteger(int i) const { return sqlite3_column_int64(m_stmt, i); }

std::string SqliteStatement::ColumnText(int i) const {
  const unsigned char* text = sqlite3_column_text(m_stmt, i);
  return text ? std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(sqlite3_column_bytes(m_stmt, i)))
              : std::string();
}

SqliteConnection::~SqliteConnection() { Close(); }

void SqliteConnection::Open(const std::string& path, const std::string& key, bool readOnly) {
  Close();
  if (path.empty()) throw DbException::FromSystem(ENOENT, "Cannot open", path);
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) throw DbException::FromSystem(errno, "Cannot open", path);
  if (!S_ISREG(st.st_mode)) throw DbException::FromSystem(EISDIR, "Cannot open", path);
  // The file's own permissions decide, before the engine is asked.
  const int fd = ::open(path.c_str(), (readOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC);
  if (fd < 0) throw DbException::FromSystem(errno, "Cannot open", path);
  const bool plain = HasPlainHeader(fd);
  ::close(fd);

  sqlite3* db = nullptr;
  const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
  int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
  m_db = db;
  m_path = path;
  m_readOnly = readOnly;
  try {
    if (rc != SQLITE_OK) Throw(rc);
    // Another program's write may hold the file at this very moment: even
    // the first read waits for it.
    sqlite3_busy_timeout(db, m_lockWaitMs);
    if (!plain) SetKey(db, key);
    // The first read tells whether the key opens the file.
    rc = sqlite3_exec(db, kFirstRead, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK && readOnly && sqlite3_extended_errcode(db) == SQLITE_READONLY_ROLLBACK &&
        RollBackInterruptedWrite(path, plain ? std::string() : key)) {
      rc = sqlite3_exec(db, kFirstRead, nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
      if ((rc & 0xff) == SQLITE_NOTADB && plain) {
        throw DbException(DbErrorKind::kOther, "State:SQLITE_NOTADB,Native:26,Origin:[SQLCipher]",
                          "The file is damaged: " + path, rc);
      }
      Throw(rc);
    }
    if (!readOnly && sqlite3_db_readonly(db, "main") == 1) {
      throw DbException::FromSystem(EACCES, "Cannot write", path);
    }
    ApplySettings(false);
  } catch (...) {
    Close();
    throw;
  }
}

void SqliteConnection::OpenNew(const std::string& path, const std::string& key) {
  Close();
  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  m_db = db;
  m_path = path;
  m_readOnly = false;
  try {
    if (rc != SQLITE_OK) Throw(rc);
    SetKey(db, key);
    ApplySettings(true);
  } catch (...) {
    Close();
    throw;
  }
}

void SqliteConnection::ApplySettings(bool newFile) {
  sqlite3_busy_timeout(m_db, m_lockWaitMs);
  Execute("PRAGMA foreign_keys=ON");
  if (m_readOnly) return;
  Execute("PRAGMA synchronous=FULL");
  // A new file being filled is dropped whole when anything fails: its journal stays in memory.
  Execute(newFile ? "PRAGMA journal_mode=MEMORY" : "PRAGMA journal_mode=DELETE");
}

void SqliteConnection::Close() noexcept {
  if (m_db) sqlite3_close_v2(m_db);
  m_db = nullptr;
}

void SqliteConnection::SetLockWait(int milliseconds) {
  m_lockWaitMs = milliseconds;
  if (m_db) sqlite3_busy_timeout(m_db, milliseconds);
}

void SqliteConnection::Execute(const std::string& sql, const std::vector<DbValue>& params) {
  SqliteStatement statement(*this, sql);
  statement.BindAll(params);
  while (statement.Step()) {
  }
}

int64_t SqliteConnection::LastInsertRowId() const { return m_db ? sqlite3_last_insert_rowid(m_db) : 0; }

bool SqliteConnection::InTransaction() const { return m_db && sqlite3_get_autocommit(m_db) == 0; }

std::vector<std::string> SqliteConnection::TableNames() {
  std::vector<std::string> names;
  SqliteStatement statement(*this,
                            "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite\\_%' ESCAPE "
                            "'\\' ORDER BY rowid");
  while (statement.Step()) names.push_back(statement.ColumnText(0));
  return names;
}

bool SqliteConnection::TableExists(const std::string& name) {
  SqliteStatement statement(*this, "SELECT 1 FROM sqlite_master WHERE type='table' AND name=?");
  statement.Bind(1, DbValue(name));
  return statement.Step();
}

void SqliteConnection::Throw(int rc) const {
  if (!m_db) throw DbException::FromSqlite(rc, 0, sqlite3_errstr(rc));
  const int extended = sqlite3_extended_errcode(m_db);
  const int code = (extended & 0xff) == (rc & 0xff) ? extended : rc;
  throw DbException::FromSqlite(code, sqlite3_system_errno(m_db), sqlite3_errmsg(m_db));
}

}  // namespace qel
