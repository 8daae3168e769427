// The testee search record: what the testee search dialog asks for and the
// project cache applies (marking testees, choosing the rows of a list).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qel {

struct CTesteeFilter {
  std::string m_testee;   // pattern for the testee name
  std::string m_code;     // pattern for the testee code
  std::string m_surname;  // pattern for the surname
  uint8_t m_ignoreCase = 0;
  uint8_t m_wholeMatch = 0;          // 0: a field matches when it begins with the pattern
  std::vector<std::string> m_names;  // when not empty: testees by exact name instead
};

}  // namespace qel
