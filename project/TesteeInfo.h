// The records through which a testee and a testee code are written to and
// read from a project file.
#pragma once

#include <cstdint>
#include <string>

#include "include/qel/DateTime.h"

namespace qel {

class CTesteeInfo {
 public:
  // Texts empty, birth date null, preference and sex 0.
  void Clear();

  std::string m_testee;  // the identifier, the key
  std::string m_code;
  std::string m_firstName;
  std::string m_surname;
  QelDateTime m_dateBirth;
  int32_t m_preference = 0;  // handedness
  int32_t m_sex = 0;
  std::string m_comment;
};

// The columns of the file's testee-code table, as a mask.
enum TesteeCodeColumn : uint32_t {
  kTesteeCodeColumnCode = 0x1,
  kTesteeCodeColumnComment = 0x2,
  kTesteeCodeColumnDescription = 0x4,
};

class CTesteeCodeInfo {
 public:
  // Texts empty, no columns.
  void Clear();

  std::string m_code;
  std::string m_comment;
  std::string m_description;
  uint32_t m_columns = 0;  // TesteeCodeColumn bits: the columns the file's table has
};

}  // namespace qel
