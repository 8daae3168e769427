// The committed sentences and buttons of the Prosody task are exactly what
// the generator writes (espeak-ng and sox give the same bytes every run).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "tests/support/common/TempFolder.h"
#include "tools/prosody/ButtonPictures.h"
#include "tools/prosody/ProsodySpeech.h"

namespace qel {

namespace {

namespace fs = std::filesystem;

std::vector<char> ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> Names(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

TEST(ProsodyGenerator, WritesTheCommittedFilesByteForByte) {
  const qel::test::TempFolder folder;
  ASSERT_FALSE(folder.Path().empty());
  const fs::path& out = folder.Path();
  const std::string cmd = std::string("\"") + QEL_PROSODY_GENERATOR + "\" \"" + out.string() + "\"";
  ASSERT_EQ(std::system(cmd.c_str()), 0);

  std::set<std::string> expectedSounds;
  for (int e = 0; e < prosody::kEmotionCount; ++e) {
    for (int s = 0; s < prosody::kSentenceCount; ++s) expectedSounds.insert(prosody::SentenceFile(e, s));
    expectedSounds.insert(prosody::DemonstrationFile(e));
  }
  EXPECT_EQ(expectedSounds.size(), 52u);
  std::set<std::string> expectedBitmaps;
  for (const prosody::ButtonSpec& spec : prosody::ButtonSpecs()) expectedBitmaps.insert(spec.fileName);

  const fs::path committed = QEL_PROSODY_FOLDER;
  for (const auto& [sub, expected] : {std::pair<std::string, std::set<std::string>>{"sounds", expectedSounds},
                                      std::pair<std::string, std::set<std::string>>{"bitmaps", expectedBitmaps}}) {
    EXPECT_EQ(Names(out / sub), expected) << "nothing else is written, no temporary file is left";
    EXPECT_EQ(Names(committed / sub), expected);
    for (const std::string& name : expected) {
      SCOPED_TRACE(sub + "/" + name);
      const auto fresh = ReadAll(out / sub / name);
      ASSERT_FALSE(fresh.empty());
      EXPECT_TRUE(fresh == ReadAll(committed / sub / name))
          << "regenerate with qel_prosody_generator " << committed.string();
    }
  }
}

TEST(ProsodyGenerator, WithoutAFolderFails) {
  const std::string command = std::string("'") + QEL_PROSODY_GENERATOR + "' >/dev/null 2>&1";
  EXPECT_NE(std::system(command.c_str()), 0);
}

}  // namespace

}  // namespace qel
