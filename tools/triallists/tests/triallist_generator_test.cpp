#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/common/TempFolder.h"
#include "tools/triallists/TableWriter.h"
#include "tools/triallists/TaskTrialLists.h"

namespace qel {

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(TrialListGenerator, ReproducesTheCommittedTablesByteForByte) {
  qel::test::TempFolder out;
  ASSERT_FALSE(out.Path().empty());
  const std::string command = std::string("'") + QEL_TRIALLIST_GENERATOR + "' '" + out.Path().string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  const fs::path committed = fs::path(QEL_SOURCE_DIR) / "tasks/plugins";
  const char* const files[] = {
      "msl/MslTrialLists.h",   "msl/MslTrialLists.cpp",   "fa4l/Fa4lTrialLists.h", "fa4l/Fa4lTrialLists.cpp",
      "mso1/Mso1TrialLists.h", "mso1/Mso1TrialLists.cpp", "mfe8/Mfe8TrialLists.h", "mfe8/Mfe8TrialLists.cpp",
      "mfe6/Mfe6TrialLists.h", "mfe6/Mfe6TrialLists.cpp", "mfe4/Mfe4TrialLists.h", "mfe4/Mfe4TrialLists.cpp",
      "ife/IfeTrialLists.h",   "ife/IfeTrialLists.cpp",   "iae/IaeTrialLists.h",   "iae/IaeTrialLists.cpp",
      "sao2/Sao2TrialLists.h", "sao2/Sao2TrialLists.cpp", "mam1/Mam1TrialLists.h", "mam1/Mam1TrialLists.cpp",
      "maa1/Maa1TrialLists.h", "maa1/Maa1TrialLists.cpp", "maa2/Maa2TrialLists.h", "maa2/Maa2TrialLists.cpp",
      "pr/PrTrialLists.h",     "pr/PrTrialLists.cpp",     "fl/FlTrialLists.h",     "fl/FlTrialLists.cpp",
      "gac/GacTrialLists.h",   "gac/GacTrialLists.cpp",   "fi/FiTrialLists.h",     "fi/FiTrialLists.cpp",
      "ssv/SsvTrialLists.h",   "ssv/SsvTrialLists.cpp",   "roa/RoaTrialLists.h",   "roa/RoaTrialLists.cpp"};
  for (const char* file : files) {
    SCOPED_TRACE(file);
    const std::string fresh = ReadFile(out.Path() / file);
    EXPECT_FALSE(fresh.empty());
    EXPECT_TRUE(fresh == ReadFile(committed / file)) << "run tools/qel_triallist_generator tasks/plugins and commit";
  }
}

TEST(TrialListGenerator, WithoutAFolderFails) {
  const std::string command = std::string("'") + QEL_TRIALLIST_GENERATOR + "' >/dev/null 2>&1";
  EXPECT_NE(std::system(command.c_str()), 0);
}

TEST(TableWriter, RefusesListsOfTheWrongLength) {
  auto tasks = qel::triallists::BuildAllTaskTrialLists();
  ASSERT_GE(tasks.size(), 3u);
  tasks[0].test[1][2].pop_back();
  EXPECT_THROW(qel::triallists::WriteSource(tasks[0]), std::runtime_error);
  tasks[1].practice[0][0][3] = "ABCDEFGHIJKLMNOPQ";  // 17 characters do not fit a slot
  EXPECT_THROW(qel::triallists::WriteSource(tasks[1]), std::runtime_error);
  for (auto& task : tasks) {
    if (task.secondLength == 0) continue;
    task.secondTest[0][1].pop_back();  // a further list is checked as well
    EXPECT_THROW(qel::triallists::WriteSource(task), std::runtime_error) << task.title;
  }
}

}  // namespace

}  // namespace qel
