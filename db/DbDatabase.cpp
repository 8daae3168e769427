#include "db/DbDatabase.h"

#include "db/DbException.h"

namespace qel {

DbDatabase::~DbDatabase() { CloseQuietly(); }

bool DbDatabase::OpenEx(const DbConnectString& connect, unsigned options) {
  CloseQuietly();
  if (connect.IsEmpty()) return false;
  const bool readOnly = (options & kDbOpenReadOnly) != 0;
  std::unique_ptr<DbDriver> driver = connect.opener(connect, readOnly);
  if (!driver) return false;
  if (m_lockWaitMs >= 0) driver->SetLockWait(m_lockWaitMs);
  m_driver = std::move(driver);
  m_readOnly = readOnly;
  ++m_generation;
  return true;
}

void DbDatabase::Close() {
  if (!m_driver) return;
  ++m_generation;
  std::unique_ptr<DbDriver> driver = std::move(m_driver);
  driver->Close();
}

void DbDatabase::CloseQuietly() noexcept {
  // The driver's destructor drops what it did not write.
  if (m_driver) ++m_generation;
  m_driver.reset();
}

void DbDatabase::ExecuteStatement(const DbStatement& statement) {
  if (!m_driver) throw DbException::Logic("The database is not open.");
  m_driver->Execute(statement);
}

void DbDatabase::SetLockWait(int milliseconds) {
  m_lockWaitMs = milliseconds;
  if (m_driver) m_driver->SetLockWait(milliseconds);
}

}  // namespace qel
