// A user of the workstation or of a CFR project, held by value. The users
// tables store its fields in the columns Id, PWD, Type, Fname, Sname,
// Registered, Institute and Comment.
#pragma once

#include <cstdint>
#include <string>

#include "include/qel/DateTime.h"

namespace qel {

struct CUserRecord {
  std::string m_id;
  std::string m_password;
  int32_t m_type = 0;
  std::string m_firstName;
  std::string m_surname;
  QelDateTime m_registered;  // null when empty
  std::string m_institute;
  std::string m_comment;
};

}  // namespace qel
