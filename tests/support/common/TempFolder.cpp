#include "tests/support/common/TempFolder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

namespace qel {

namespace test {

TempFolder::TempFolder() {
  std::error_code ec;
  std::string pattern = (std::filesystem::temp_directory_path(ec) / "qel-test-XXXXXX").string();
  if (!ec && mkdtemp(pattern.data())) {
    m_path = pattern;
  } else {
    ADD_FAILURE() << "no temporary folder could be made";
  }
}

TempFolder::~TempFolder() {
  std::error_code ec;
  if (!m_path.empty()) std::filesystem::remove_all(m_path, ec);
}

}  // namespace test

}  // namespace qel
