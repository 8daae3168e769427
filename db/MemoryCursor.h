// A cursor over rows held in memory: catalog queries and the rows of export
// targets whose driver holds or reads them itself. Read-only.
#pragma once

#include <vector>

#include "db/DbDriver.h"

namespace qel {

class MemoryCursor : public DbCursor {
 public:
  MemoryCursor(std::vector<DbFieldInfo> fields, std::vector<std::vector<DbValue>> rows);

  const std::vector<DbFieldInfo>& Fields() const override { return m_fields; }
  bool IsBOF() const override { return m_bof; }
  bool IsEOF() const override { return m_index >= m_rows.size(); }
  void MoveNext() override;
  void MoveFirst() override;
  const DbValue& Value(size_t i) const override;

 private:
  std::vector<DbFieldInfo> m_fields;
  std::vector<std::vector<DbValue>> m_rows;
  size_t m_index = 0;
  bool m_bof = true;
};

}  // namespace qel
