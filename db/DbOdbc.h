// The program's one connection class: every project, users and norms
// database and every export target is opened through it. Its subclasses
// differ in the connect string they build for a path (the program's own
// database files, dBase folders, Excel workbooks, text files).
//
// Transactions are single-level: BeginTrans joins an open transaction. A
// transaction that cannot begin or commit is a failure (a DbException),
// never silently unprotected work, and the in-transaction flag never
// outlives a failed commit, an engine's own rollback or a close.
//
// Thread contract: user-interface thread only; no locks.
#pragma once

#include <string>
#include <vector>

#include "db/DbDatabase.h"

namespace qel {

// The folder part of a path with its closing "/"; empty for an empty path
// or a bare file name.
std::string GetDirectoryOfPath(const std::string& path);

class CDbOdbc : public DbDatabase {
 public:
  // An empty path sets nothing.
  explicit CDbOdbc(const std::string& path = std::string());
  ~CDbOdbc() override;

  // The connect string for a path; empty (no driver) in this class.
  virtual DbConnectString GetConnectString(const std::string& path);

  // Opens the file at the path through the driver the connect string names
  // (options: kDbOpenReadOnly or none) and reads the names of its tables. A
  // failure to connect leaves as a DbException; a failure to read the table
  // catalog is shown (caption: the path) and gives false with the connection
  // left open.
  bool Open(const std::string& path, unsigned options);
  // Rolls back an open transaction, then ends the connection (see DbDatabase).
  void Close() override;

  // Exact, case-sensitive match with a name read at open.
  bool TableExists(const std::string& name) const;

  // True when it began a transaction; false when it joined the open one or
  // the driver has no transactions. Throws when the engine cannot begin.
  bool BeginTrans();
  // Throws when the commit fails (the work is then rolled back).
  void CommitTrans();
  void Rollback();
  bool IsInTransaction() const { return m_inTransaction; }

  const std::string& GetDirectory() const { return m_directory; }
  const std::string& GetPath() const { return m_path; }
  const std::string& GetNameWithExtension() const { return m_name; }
  const std::string& GetTitle() const { return m_title; }
  // The connect string of the last Open (empty after construction).
  const DbConnectString& GetConnect() const { return m_connectString; }
  const std::vector<std::string>& GetTableNames() const { return m_tableNames; }

 protected:
  void SetPathParts(const std::string& path);
  void ClearConnectString() { m_connectString = DbConnectString(); }

 private:
  std::string m_directory;
  std::string m_path;
  std::string m_name;
  std::string m_title;
  DbConnectString m_connectString;
  bool m_inTransaction = false;
  std::vector<std::string> m_tableNames;
};

// One write as one transaction: begins (or joins) on construction, commits
// on Commit, and rolls back on destruction when it began the transaction
// and was not committed.
class DbTransaction {
 public:
  explicit DbTransaction(CDbOdbc& database);
  ~DbTransaction();
  DbTransaction(const DbTransaction&) = delete;
  DbTransaction& operator=(const DbTransaction&) = delete;

  // Commits a transaction this guard began (throws when that fails); a
  // joined one is committed by the guard that began it.
  void Commit();
  bool Owns() const { return m_owns; }

 private:
  CDbOdbc& m_database;
  bool m_owns = false;
  bool m_done = false;
};

}  // namespace qel
