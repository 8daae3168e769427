// The user record keeps only a salted hash of a password.
#include <gtest/gtest.h>

#include "admin/UserRecord.h"

namespace qel {

namespace test {
namespace {

TEST(UserRecord, StoresASaltedHashThatFitsThePasswordColumnAndChecksIt) {
  CUserRecord user;
  user.SetPassword("s3cret'pass");
  EXPECT_EQ(user.m_password.find("s3cret"), std::string::npos);
  EXPECT_LE(user.m_password.size(), 64u);
  EXPECT_TRUE(user.CheckPassword("s3cret'pass"));
  EXPECT_FALSE(user.CheckPassword("s3cret'pasS"));
  EXPECT_FALSE(user.CheckPassword(""));

  CUserRecord other;
  other.SetPassword("s3cret'pass");
  EXPECT_NE(other.m_password, user.m_password);  // a fresh salt each time
}

TEST(UserRecord, NoPasswordAndForeignTextsNeverCheck) {
  CUserRecord user;
  user.SetPassword("");
  EXPECT_FALSE(user.HasPassword());
  EXPECT_FALSE(user.CheckPassword(""));
  // A plain text in the column (not a stored hash) is no password at all.
  user.m_password = "secret";
  EXPECT_FALSE(user.CheckPassword("secret"));
  const std::string stored = HashUserPassword("x");
  EXPECT_FALSE(VerifyUserPassword(stored.substr(0, stored.size() - 1), "x"));
  EXPECT_FALSE(VerifyUserPassword("pbkdf2:99999999999:AAAAAAAAAAAAAAAA:" + std::string(32, 'A'), "x"));
}

}  // namespace
}  // namespace test

}  // namespace qel
