// The engine under every database file of the program: SQLite with
// SQLCipher's encryption. A file protected by a key cannot be read without
// it, by this program or any other.
//
// Opening never creates a file. Every connection works with foreign keys
// on, full synchronous writes and a rollback journal. Errors leave as a
// DbException classified from SQLite's result code and the errno of the
// failed file operation.
//
// Thread contract: a connection and its statements belong to one thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/DbValue.h"

struct sqlite3;
struct sqlite3_stmt;

namespace qel {

class SqliteConnection;

// One prepared statement. Dates are bound in the stored text form.
class SqliteStatement {
 public:
  SqliteStatement(SqliteConnection& connection, const std::string& sql);
  ~SqliteStatement();
  SqliteStatement(SqliteStatement&& other) noexcept;
  SqliteStatement& operator=(SqliteStatement&&) = delete;
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  // index counts from 1.
  void Bind(int index, const DbValue& value);
  void BindAll(const std::vector<DbValue>& values);
  // True when a row stands; false when the statement is done.
  bool Step();
  void Reset();

  int ColumnCount() const;
  std::string ColumnName(int i) const;
  // NULL, a whole number, a double, a text or bytes, as stored.
  DbValue Column(int i) const;
  int64_t ColumnInteger(int i) const;
  std::string ColumnText(int i) const;

 private:
  SqliteConnection* m_connection;
  sqlite3_stmt* m_stmt = nullptr;
};

class SqliteConnection {
 public:
  static constexpr int kDefaultLockWaitMs = 5000;
  // No value the program stores is larger: a larger one read is refused as damaged.
  static constexpr size_t kMaxValueBytes = 16u << 20;

  SqliteConnection() = default;
  ~SqliteConnection();
  SqliteConnection(const SqliteConnection&) = delete;
  SqliteConnection& operator=(const SqliteConnection&) = delete;

  // Opens an existing database file. A key is used only for a protected
  // file (a file in SQLite's plain format opens without it, as an
  // unprotected database ignores a password). Failures: kMissingFile,
  // kNoPermission (not readable, or not writable when writing is asked),
  // kWrongKey (protected and the key is wrong or missing).
  void Open(const std::string& path, const std::string& key, bool readOnly);
  // Opens an empty file that was made for a new database (NewFileBeside);
  // a key protects it from its first byte. The journal stays in memory, so
  // the file may lose its name while it is being filled.
  void OpenNew(const std::string& path, const std::string& key);
  void Close() noexcept;

  bool IsOpen() const { return m_db != nullptr; }
  bool IsReadOnly() const { return m_readOnly; }
  const std::string& Path() const { return m_path; }
  sqlite3* Handle() const { return m_db; }

  void SetLockWait(int milliseconds);

  // Runs one statement to its end with the values bound in order.
  void Execute(const std::string& sql, const std::vector<DbValue>& params = {});
  int64_t LastInsertRowId() const;
  // True while a transaction is open on the connection.
  bool InTransaction() const;

  // The tables of the main database, without SQLite's own ones.
  std::vector<std::string> TableNames();
  bool TableExists(const std::string& name);

  // Throws the connection's last error for result code rc.
  [[noreturn]] void Throw(int rc) const;

 private:
  void ApplySettings(bool newFile);

  sqlite3* m_db = nullptr;
  std::string m_path;
  bool m_readOnly = false;
  int m_lockWaitMs = kDefaultLockWaitMs;
};

}  // namespace qel
