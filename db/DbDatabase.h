// A connection to one database through the driver its connect string names:
// the base of the program's connection class. It owns the driver, runs the
// statements the record sets build, and gives the engine's transactions.
//
// Thread contract: one thread (the user-interface thread).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "db/DbDriver.h"

namespace qel {

// Open options.
enum DbOpenOption : unsigned {
  kDbOpenNone = 0x0,
  kDbOpenReadOnly = 0x2,
  kDbOpenNoDialog = 0x8,  // never ask the operator for missing parts (always so here)
};

class DbDatabase {
 public:
  DbDatabase() = default;
  virtual ~DbDatabase();
  DbDatabase(const DbDatabase&) = delete;
  DbDatabase& operator=(const DbDatabase&) = delete;

  // Opens the connection; false (and nothing open) when the string names no
  // driver. A failure to connect throws a DbException.
  bool OpenEx(const DbConnectString& connect, unsigned options);
  // Ends the connection; what the driver still holds goes to its files. A
  // failure to write them throws a DbException (the connection is closed
  // all the same).
  virtual void Close();
  bool IsOpen() const { return m_driver != nullptr; }
  bool IsReadOnly() const { return m_readOnly; }

  DbDriver* Driver() const { return m_driver.get(); }
  // Changes with every open and close: a record set opened on an earlier
  // connection can tell that its rows are gone.
  uint64_t Generation() const { return m_generation; }
  void ExecuteStatement(const DbStatement& statement);

  // The waiting time for another connection's lock, for this and later
  // connections of the object.
  void SetLockWait(int milliseconds);

 protected:
  // Ends the connection without writing what a driver still holds.
  void CloseQuietly() noexcept;

 private:
  std::unique_ptr<DbDriver> m_driver;
  bool m_readOnly = false;
  int m_lockWaitMs = -1;
  uint64_t m_generation = 0;
};

}  // namespace qel
