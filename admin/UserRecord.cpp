#include "admin/UserRecord.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace qel {

namespace {

constexpr char kScheme[] = "pbkdf2";
constexpr int kIterations = 100000;
constexpr int kMaxIterations = 10000000;
constexpr size_t kSaltBytes = 12;  // 16 base64 characters
constexpr size_t kHashBytes = 24;  // 32 base64 characters

std::string Base64(const unsigned char* data, size_t n) {
  std::vector<unsigned char> out(4 * ((n + 2) / 3) + 1);
  const int written = EVP_EncodeBlock(out.data(), data, static_cast<int>(n));
  return std::string(reinterpret_cast<const char*>(out.data()), static_cast<size_t>(written));
}

// Decodes a base64 text of a whole number of 3-byte groups; false otherwise.
bool FromBase64(const std::string& text, size_t expected, std::vector<unsigned char>* out) {
  if (text.size() != 4 * ((expected + 2) / 3) || expected % 3 != 0) return false;
  out->assign(expected, 0);
  return EVP_DecodeBlock(out->data(), reinterpret_cast<const unsigned char*>(text.data()),
                         static_cast<int>(text.size())) == static_cast<int>(expected);
}

bool Derive(const std::string& typed, const unsigned char* salt, size_t saltBytes, int iterations, unsigned char* out) {
  return PKCS5_PBKDF2_HMAC(typed.data(), static_cast<int>(typed.size()), salt, static_cast<int>(saltBytes), iterations,
                           EVP_sha256(), static_cast<int>(kHashBytes), out) == 1;
}

}  // namespace

std::string HashUserPassword(const std::string& typed) {
  unsigned char salt[kSaltBytes];
  unsigned char hash[kHashBytes];
  if (RAND_bytes(salt, sizeof salt) != 1 || !Derive(typed, salt, sizeof salt, kIterations, hash)) {
    throw std::runtime_error("The password could not be protected.");
  }
  return std::string(kScheme) + ":" + std::to_string(kIterations) + ":" + Base64(salt, sizeof salt) + ":" +
         Base64(hash, sizeof hash);
}

bool VerifyUserPassword(const std::string& stored, const std::string& typed) {
  const std::string prefix = std::string(kScheme) + ":";
  if (stored.rfind(prefix, 0) != 0) return false;
  const size_t second = stored.find(':', prefix.size());
  if (second == std::string::npos) return false;
  const size_t third = stored.find(':', second + 1);
  if (third == std::string::npos) return false;
  const std::string count = stored.substr(prefix.size(), second - prefix.size());
  if (count.empty() || count.size() > 8 || count.find_first_not_of("0123456789") != std::string::npos) return false;
  const int iterations = std::atoi(count.c_str());
  if (iterations < 1 || iterations > kMaxIterations) return false;
  std::vector<unsigned char> salt, hash;
  if (!FromBase64(stored.substr(second + 1, third - second - 1), kSaltBytes, &salt) ||
      !FromBase64(stored.substr(third + 1), kHashBytes, &hash)) {
    return false;
  }
  unsigned char derived[kHashBytes];
  if (!Derive(typed, salt.data(), salt.size(), iterations, derived)) return false;
  return CRYPTO_memcmp(derived, hash.data(), kHashBytes) == 0;
}

void CUserRecord::SetPassword(const std::string& typed) {
  m_password = typed.empty() ? std::string() : HashUserPassword(typed);
}

bool CUserRecord::CheckPassword(const std::string& typed) const {
  return !m_password.empty() && VerifyUserPassword(m_password, typed);
}

}  // namespace qel
