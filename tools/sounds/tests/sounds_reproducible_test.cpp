// The committed WAVE resources are exactly what the generator writes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "tests/support/common/TempFolder.h"

namespace qel {

namespace fs = std::filesystem;

namespace {

std::vector<char> ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> WaveNames(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir))
    if (e.path().extension() == ".wav") names.insert(e.path().filename().string());
  return names;
}

TEST(SoundGenerator, WritesTheCommittedFilesByteForByte) {
  const qel::test::TempFolder folder;
  ASSERT_FALSE(folder.Path().empty());
  const fs::path& out = folder.Path();
  const std::string cmd = std::string("\"") + QEL_MAKE_SOUNDS + "\" \"" + out.string() + "\" > /dev/null";
  ASSERT_EQ(std::system(cmd.c_str()), 0);

  const fs::path committed = QEL_SOUND_RESOURCES;
  const auto generated = WaveNames(out);
  EXPECT_EQ(generated.size(), 7u);
  EXPECT_EQ(generated, WaveNames(committed));
  for (const auto& name : generated) {
    SCOPED_TRACE(name);
    const auto fresh = ReadAll(out / name);
    const auto kept = ReadAll(committed / name);
    ASSERT_FALSE(fresh.empty());
    EXPECT_TRUE(fresh == kept) << "regenerate with qel_make_sounds " << committed;
  }
}

}  // namespace

}  // namespace qel
