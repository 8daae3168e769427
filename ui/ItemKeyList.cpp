#include "ui/ItemKeyList.h"

namespace qel {

int CStringArrayEx::Find(const char* text) const {
  if (!text) return -1;
  for (size_t i = 0; i < size(); ++i) {
    if ((*this)[i] == text) return static_cast<int>(i);
  }
  return -1;
}

std::string CItemKeyList::GetKey(int i) const {
  const uint32_t row = static_cast<uint32_t>(i);
  if (row >= m_nRowCount || row >= m_keys.size()) return std::string();
  return m_keys[row];
}

}  // namespace qel
