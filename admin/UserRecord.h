// A user of the workstation or of a CFR project, held by value. The users
// tables store its fields in the columns Id, PWD, Type, Fname, Sname,
// Registered, Institute and Comment.
//
// The password is kept only in its stored form, a salted PBKDF2 hash; the
// typed text never reaches a table.
#pragma once

#include <cstdint>
#include <string>

#include "include/qel/DateTime.h"

namespace qel {

class CUserRecord {
 public:
  std::string m_id;
  std::string m_password;  // the stored form (empty: no password)
  int32_t m_type = 0;
  std::string m_firstName;
  std::string m_surname;
  QelDateTime m_registered;  // null when empty
  std::string m_institute;
  std::string m_comment;

  void Clear() { *this = CUserRecord(); }

  // Stores the hash of a typed password; an empty text leaves no password.
  void SetPassword(const std::string& typed);
  // Whether the typed text is the user's password (false without one).
  bool CheckPassword(const std::string& typed) const;
  bool HasPassword() const { return !m_password.empty(); }
};

// "pbkdf2:<iterations>:<salt>:<hash>" (base64; 63 characters, within the
// 64 of the PWD columns) of PBKDF2-HMAC-SHA256 with a fresh random salt.
std::string HashUserPassword(const std::string& typed);
// Whether the typed text gives the stored hash; false for anything that is
// not a stored hash.
bool VerifyUserPassword(const std::string& stored, const std::string& typed);

}  // namespace qel
