// Row records of the audited (CFR) project file and of the workstation
// users database: one row's values in column order, the first base of the
// record sets of their tables. Dates start null, numbers 0, texts empty.
#pragma once

#include <cstdint>
#include <string>

#include "db/DbRecord.h"
#include "include/qel/DateTime.h"

namespace qel {

class CTesteeCodesRecord : public CDbRecord {
 public:
  std::string m_testeeCode;
  std::string m_comment;
  std::string m_description;
  QelDateTime m_date;
  std::string m_user;
  int32_t m_attributes = 0;
};

class CUsersRecord : public CDbRecord {
 public:
  std::string m_id;
  std::string m_pwd;
  int32_t m_type = 0;
  std::string m_fname;
  std::string m_sname;
  QelDateTime m_registered;
  std::string m_institute;
  std::string m_comment;
  QelDateTime m_date;
  std::string m_user;
  int32_t m_attributes = 0;
};

class CStringsRecord : public CDbRecord {
 public:
  int32_t m_codeNumber = 0;
  std::string m_codeString;
  int32_t m_number1 = 0;
  int32_t m_number2 = 0;
  std::string m_string1;
  std::string m_string2;
  int32_t m_attributes = 0;
};

}  // namespace qel
