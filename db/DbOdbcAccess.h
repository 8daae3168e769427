// The connection to one of the program's own database files (project,
// users and norms databases) with its password, and the base of every
// record set over such a file. The password is the file's encryption key.
//
// Thread contract: user-interface thread only.
#pragma once

#include <string>

#include "db/DbOdbc.h"
#include "db/DbRecord.h"
#include "db/RsOdbc.h"

namespace qel {

// The connect string of a database file, without its key; empty for an
// empty path.
DbConnectString BuildAccessConnectString(const std::string& path);

class CDbOdbcAccess : public CDbOdbc {
 public:
  explicit CDbOdbcAccess(const std::string& path = std::string());
  ~CDbOdbcAccess() override;

  // An empty password means none.
  void SetPassword(const std::string& password) { m_password = password; }
  const std::string& GetPassword() const { return m_password; }

  // BuildAccessConnectString with the key when a password is set.
  DbConnectString GetConnectString(const std::string& path) override;

 private:
  std::string m_password;
};

class CRsOdbcAccess : public CRsOdbc, public CDbRecord {
 public:
  explicit CRsOdbcAccess(CDbOdbc* database);
  ~CRsOdbcAccess() override;

  // Learns the table's real columns from the column catalog (with the
  // variable-columns flag set, the field count becomes their number), opens
  // the table, and records the result columns. Never throws: a database
  // error is reported once (caption the path, detail the table) and gives
  // false.
  bool Open(int openType = kDefaultType, const std::string& sql = std::string(),
            unsigned options = kNoOptions) override;
  std::string GetDefaultConnect() override;
  // The table name: every record set opens its whole table and narrows it
  // with the filter and sort.
  std::string GetDefaultSQL() override { return m_tableName; }

  // Copies the value into a bound text; an empty value for a column that
  // takes no NULL becomes a single blank (result false).
  bool SetTextField(const std::string& column, std::string& destination, const std::string& value);

 protected:
  bool m_variableColumns = false;
};

}  // namespace qel
