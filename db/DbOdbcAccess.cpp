#include "db/DbOdbcAccess.h"

#include "db/Columns.h"
#include "db/SqliteDriver.h"

namespace qel {

DbConnectString BuildAccessConnectString(const std::string& path) {
  DbConnectString connect;
  if (path.empty()) return connect;
  connect.text = "Driver=SQLCipher;DBQ=" + path + ";DefaultDir=" + GetDirectoryOfPath(path) + ";";
  connect.path = path;
  connect.opener = &OpenSqliteDriver;
  return connect;
}

CDbOdbcAccess::CDbOdbcAccess(const std::string& path) : CDbOdbc(path) {}

CDbOdbcAccess::~CDbOdbcAccess() = default;

DbConnectString CDbOdbcAccess::GetConnectString(const std::string& path) {
  DbConnectString connect = BuildAccessConnectString(path);
  if (!connect.IsEmpty() && !m_password.empty()) connect.key = m_password;
  return connect;
}

CRsOdbcAccess::CRsOdbcAccess(CDbOdbc* database) : CRsOdbc(database, std::string()) {
  // The derived class names its table.
  m_tableName.clear();
}

CRsOdbcAccess::~CRsOdbcAccess() = default;

std::string CRsOdbcAccess::GetDefaultConnect() { return BuildAccessConnectString(m_path).text; }

bool CRsOdbcAccess::Open(int openType, const std::string& sql, unsigned options) {
  ClearColumns();
  try {
    CColumns columns(m_pDatabase, m_tableName);
    if (columns.Open(kForwardOnly, std::string(), kReadOnly)) {
      int count = 0;
      while (!columns.IsEOF()) {
        m_tableColumns.push_back(columns.m_columnName);
        ++count;
        columns.MoveNext();
      }
      columns.Close();
      if (m_variableColumns) m_nFields = count;
    }
    if (!CRsOdbc::Open(openType, sql, options)) return false;
    for (int i = 0; i < GetODBCFieldCount(); ++i) {
      DbFieldInfo info;
      GetODBCFieldInfo(i, &info);
      AppendColumn(info.name, info.sqlType, info.precision);
    }
  } catch (const DbException& e) {
    ReportException(&e, true);
    return false;
  }
  return true;
}

bool CRsOdbcAccess::SetTextField(const std::string& column, std::string& destination, const std::string& value) {
  if (value.empty() && !column.empty()) {
    DbFieldInfo info;
    if (GetODBCFieldInfo(column, &info) && !info.nullable) {
      destination = " ";
      return false;
    }
  }
  destination = value;
  return true;
}

}  // namespace qel
