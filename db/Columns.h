// The column catalog of one table: a row per column with its qualifier,
// owner, table, name, SQL type code, type name, precision, length, scale,
// radix and nullability (0 no NULL, 1 NULL allowed).
//
// Thread contract: user-interface thread only.
#pragma once

#include <cstdint>
#include <string>

#include "db/DbRecordset.h"

namespace qel {

class CColumns : public DbRecordset {
 public:
  CColumns(DbDatabase* database, const std::string& tableName);

  // Reads the catalog of the table (failures throw a DbException).
  bool Open(int openType = kDefaultType, const std::string& sql = std::string(),
            unsigned options = kNoOptions) override;
  std::string GetDefaultConnect() override { return "ODBC;"; }
  void DoFieldExchange(DbFieldExchange& fx) override;

  std::string m_tableQualifier;
  std::string m_tableOwner;
  std::string m_tableName;
  std::string m_columnName;
  int32_t m_dataType = 0;
  std::string m_typeName;
  int32_t m_precision = 0;
  int32_t m_length = 0;
  int32_t m_scale = 0;
  int32_t m_radix = 0;
  int32_t m_nullable = 0;

  // Parameters: only the table name is set.
  std::string m_qualifierParam;
  std::string m_ownerParam;
  std::string m_tableNameParam;
  std::string m_columnNameParam;
};

}  // namespace qel
