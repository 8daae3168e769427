// A fresh folder under the system's temporary folder for one test, removed
// with everything in it when the object goes.
#pragma once

#include <filesystem>
#include <string>

namespace qel {

namespace test {

class TempFolder {
 public:
  TempFolder();  // a folder that cannot be made fails the test
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Empty when the folder could not be made.
  const std::filesystem::path& Path() const { return m_path; }
  // A file of the folder (not made).
  std::string File(const std::string& name) const { return (m_path / name).string(); }

 private:
  std::filesystem::path m_path;
};

}  // namespace test

}  // namespace qel
