#include "db/Columns.h"

#include "db/DbException.h"
#include "db/MemoryCursor.h"

namespace qel {

CColumns::CColumns(DbDatabase* database, const std::string& tableName)
    : DbRecordset(database), m_tableNameParam(tableName) {
  m_nFields = 11;
}

bool CColumns::Open(int, const std::string&, unsigned) {
  Close();
  if (!m_pDatabase || !m_pDatabase->IsOpen()) throw DbException::Logic("The database is not open.");
  std::vector<std::vector<DbValue>> rows;
  for (const DbCatalogColumn& c : m_pDatabase->Driver()->Columns(m_tableNameParam)) {
    if (!m_columnNameParam.empty() && c.name != m_columnNameParam) continue;
    rows.push_back({DbValue(c.qualifier), DbValue(c.owner), DbValue(c.table), DbValue(c.name),
                    DbValue(static_cast<int32_t>(c.dataType)), DbValue(c.typeName),
                    DbValue(static_cast<int32_t>(c.precision)), DbValue(static_cast<int32_t>(c.length)),
                    DbValue(static_cast<int32_t>(c.scale)), DbValue(static_cast<int32_t>(c.radix)),
                    DbValue(static_cast<int32_t>(c.nullable))});
  }
  std::vector<DbFieldInfo> fields;
  for (const char* name : {"table_qualifier", "table_owner", "table_name", "column_name", "data_type", "type_name",
                           "precision", "length", "scale", "radix", "nullable"}) {
    DbFieldInfo info;
    info.name = name;
    fields.push_back(info);
  }
  OpenOnCursor(std::make_unique<MemoryCursor>(std::move(fields), std::move(rows)));
  return true;
}

void CColumns::DoFieldExchange(DbFieldExchange& fx) {
  fx.Text("table_qualifier", m_tableQualifier);
  fx.Text("table_owner", m_tableOwner);
  fx.Text("table_name", m_tableName);
  fx.Text("column_name", m_columnName);
  fx.Long("data_type", m_dataType);
  fx.Text("type_name", m_typeName);
  fx.Long("precision", m_precision);
  fx.Long("length", m_length);
  fx.Long("scale", m_scale);
  fx.Long("radix", m_radix);
  fx.Long("nullable", m_nullable);
}

}  // namespace qel
