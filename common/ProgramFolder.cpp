#include "common/ProgramFolder.h"

#include <unistd.h>

#include <vector>

namespace qel {

std::string ProgramPath() {
  std::vector<char> buffer(256);
  while (true) {
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return std::string();
    if (static_cast<size_t>(n) < buffer.size()) return std::string(buffer.data(), static_cast<size_t>(n));
    if (buffer.size() >= 65536) return std::string();
    buffer.resize(buffer.size() * 2);
  }
}

std::string ProgramFolder() {
  const std::string path = ProgramPath();
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace qel
