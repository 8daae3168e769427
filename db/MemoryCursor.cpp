#include "db/MemoryCursor.h"

namespace qel {

MemoryCursor::MemoryCursor(std::vector<DbFieldInfo> fields, std::vector<std::vector<DbValue>> rows)
    : m_fields(std::move(fields)), m_rows(std::move(rows)) {
  MoveFirst();
}

void MemoryCursor::MoveFirst() {
  m_index = 0;
  m_bof = m_rows.empty();
}

void MemoryCursor::MoveNext() {
  if (IsEOF()) return;
  ++m_index;
  m_bof = false;
}

const DbValue& MemoryCursor::Value(size_t i) const {
  static const DbValue kNull;
  if (IsEOF() || i >= m_rows[m_index].size()) return kNull;
  return m_rows[m_index][i];
}

}  // namespace qel
