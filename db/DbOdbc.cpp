#include "db/DbOdbc.h"

#include "db/DbException.h"
#include "db/RsOdbc.h"

namespace qel {

std::string GetDirectoryOfPath(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return std::string();
  return path.substr(0, slash + 1);
}

CDbOdbc::CDbOdbc(const std::string& path) { SetPathParts(path); }

CDbOdbc::~CDbOdbc() {
  if (m_inTransaction && Driver() && Driver()->InTransaction()) {
    try {
      Driver()->RollbackTransaction();
    } catch (const DbException&) {
    }
  }
  CloseQuietly();
}

DbConnectString CDbOdbc::GetConnectString(const std::string&) { return DbConnectString(); }

void CDbOdbc::SetPathParts(const std::string& path) {
  if (path.empty()) return;
  m_directory = GetDirectoryOfPath(path);
  m_path = path;
  m_name = path.substr(m_directory.size());
  const size_t dot = m_name.find_last_of('.');
  m_title = dot == std::string::npos ? m_name : m_name.substr(0, dot);
}

bool CDbOdbc::Open(const std::string& path, unsigned options) {
  m_tableNames.clear();
  SetPathParts(path);
  m_inTransaction = false;
  m_connectString = GetConnectString(path);
  if (!OpenEx(m_connectString, options | kDbOpenNoDialog)) return false;
  try {
    CTables tables(this);
    if (tables.Open(DbRecordset::kForwardOnly, std::string(), DbRecordset::kNoOptions)) {
      while (!tables.IsEOF()) {
        if (tables.m_tableType == "TABLE") m_tableNames.push_back(tables.m_tableName);
        tables.MoveNext();
      }
      tables.Close();
    }
  } catch (const DbException& e) {
    ReportDBException(&e, path, std::string(), true);
    return false;
  }
  return true;
}

void CDbOdbc::Close() {
  if (m_inTransaction) {
    m_inTransaction = false;
    if (Driver() && Driver()->InTransaction()) {
      try {
        Driver()->RollbackTransaction();
      } catch (const DbException&) {
        // Closing the engine's connection ends the transaction all the same.
      }
    }
  }
  DbDatabase::Close();
}

bool CDbOdbc::TableExists(const std::string& name) const {
  if (name.empty()) return false;
  for (const std::string& table : m_tableNames) {
    if (table == name) return true;
  }
  return false;
}

bool CDbOdbc::BeginTrans() {
  DbDriver* driver = Driver();
  if (!driver) throw DbException::Logic("The database is not open: " + m_path);
  if (m_inTransaction) {
    if (driver->InTransaction()) return false;  // joins the open transaction
    // The engine ended the transaction itself (after an error): begin anew.
    m_inTransaction = false;
  }
  if (!driver->SupportsTransactions()) return false;
  driver->BeginTransaction();
  m_inTransaction = true;
  return true;
}

void CDbOdbc::CommitTrans() {
  if (!m_inTransaction) return;
  m_inTransaction = false;
  DbDriver* driver = Driver();
  if (!driver || !driver->InTransaction()) {
    throw DbException::Logic("The transaction ended before its commit; nothing of it was stored: " + m_path);
  }
  driver->CommitTransaction();
}

void CDbOdbc::Rollback() {
  if (!m_inTransaction) return;
  m_inTransaction = false;
  DbDriver* driver = Driver();
  if (driver && driver->InTransaction()) driver->RollbackTransaction();
}

DbTransaction::DbTransaction(CDbOdbc& database) : m_database(database), m_owns(database.BeginTrans()) {}

DbTransaction::~DbTransaction() {
  if (!m_owns || m_done) return;
  try {
    m_database.Rollback();
  } catch (const DbException&) {
  }
}

void DbTransaction::Commit() {
  if (m_done) return;
  m_done = true;
  if (m_owns) m_database.CommitTrans();
}

}  // namespace qel
