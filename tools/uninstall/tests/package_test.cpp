// The product's Debian package, built by CPack from this build: what it
// holds, and that it installs and removes cleanly with dpkg into a root of
// its own (the system's own package database is never touched), the
// removal started by the installed QelUninstall through the package
// manager (here a stand-in on the PATH that hands the removal to dpkg).
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "db/tests/support/DbTestTools.h"
#include "tests/support/common/TempFolder.h"
#include "tools/uninstall/UninstallCommand.h"

namespace qel {

namespace test {
namespace {

namespace fs = std::filesystem;

std::string FindDeb(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() == ".deb") return entry.path().string();
  }
  return std::string();
}

std::vector<std::string> ProgramPlugins() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(QEL_OUTPUT_DIR)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("Qel", 0) == 0 && entry.path().extension() == ".qet") names.push_back(name);
  }
  return names;
}

class PackageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* program : {"cpack", "dpkg", "dpkg-deb", "fakeroot"}) {
      if (!HaveProgram(program)) GTEST_SKIP() << program << " is needed";
    }
    if (::geteuid() != 0) GTEST_SKIP() << "dpkg installs into a root of its own only as root";
    const char* path = std::getenv("PATH");
    m_savedPath = path ? path : "";
  }
  void TearDown() override { ::setenv("PATH", m_savedPath.c_str(), 1); }

  ProgramResult Dpkg(std::vector<std::string> args) {
    std::vector<std::string> argv = {"dpkg", "--root=" + m_root, "--force-script-chrootless", "--force-depends"};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProgram(argv);
  }

  TempFolder m_dir;
  std::string m_root;
  std::string m_savedPath;
};

TEST_F(PackageTest, TheDebInstallsAndTheInstalledToolRemovesIt) {
  const std::string out = m_dir.File("out");
  const ProgramResult built =
      RunProgram({"cpack", "-G", "DEB", "--config", std::string(QEL_OUTPUT_DIR) + "/../CPackConfig.cmake", "-B", out});
  ASSERT_EQ(built.exitCode, 0) << built.output << built.errors;
  const std::string deb = FindDeb(out);
  ASSERT_FALSE(deb.empty()) << built.output;

  // What the package is and holds.
  const ProgramResult fields = RunProgram({"dpkg-deb", "--field", deb, "Package", "Depends"});
  EXPECT_EQ(fields.output.rfind(std::string("Package: ") + uninstall::kPackageName + "\n", 0), 0u) << fields.output;
  EXPECT_NE(fields.output.find("Depends: "), std::string::npos) << fields.output;
  const ProgramResult contents = RunProgram({"dpkg-deb", "--contents", deb});
  std::vector<std::string> expected = {"./usr/lib/qel/QelUninstall", "./usr/lib/qel/libQelScreen.so",
                                       "./usr/share/applications/qel.desktop", "./usr/share/mime/packages/qel.xml"};
  const std::vector<std::string> plugins = ProgramPlugins();
  ASSERT_FALSE(plugins.empty());
  for (const std::string& plugin : plugins) expected.push_back("./usr/lib/qel/" + plugin);
  for (const std::string& file : expected) {
    EXPECT_NE(contents.output.find(file + "\n"), std::string::npos) << file << " is not in the package";
  }

  // Installed into a root of its own.
  m_root = m_dir.File("root");
  fs::create_directories(m_root + "/var/lib/dpkg/info");
  fs::create_directories(m_root + "/var/lib/dpkg/updates");
  std::ofstream(m_root + "/var/lib/dpkg/status").close();
  const ProgramResult installed = Dpkg({"--install", deb});
  ASSERT_EQ(installed.exitCode, 0) << installed.output << installed.errors;
  EXPECT_NE(Dpkg({"--status", uninstall::kPackageName}).output.find("Status: install ok installed"), std::string::npos);
  const std::string tool = m_root + "/usr/lib/qel/QelUninstall";
  ASSERT_EQ(::access(tool.c_str(), X_OK), 0);
  for (const std::string& plugin : plugins) EXPECT_TRUE(fs::exists(m_root + "/usr/lib/qel/" + plugin)) << plugin;
  struct stat folder {};
  ASSERT_EQ(::stat((m_root + "/var/lib/qel").c_str(), &folder), 0);
  EXPECT_EQ(folder.st_mode & 07777, 02775u);
  std::ofstream(m_root + "/var/lib/qel/Qel.qeu") << "the workstation users list";

  // The package manager the installed tool starts: a stand-in that hands
  // the removal to dpkg in this root.
  const std::string bin = m_dir.File("bin");
  fs::create_directories(bin);
  std::ofstream(bin + "/apt-get") << "#!/bin/sh\n[ \"$1\" = remove ] || exit 9\nfor p; do last=$p; done\n"
                                  << "exec dpkg --root='" << m_root
                                  << "' --force-script-chrootless --force-depends --remove \"$last\"\n";
  ASSERT_EQ(::chmod((bin + "/apt-get").c_str(), 0755), 0);
  ::setenv("PATH", (bin + ":" + m_savedPath).c_str(), 1);
  const ProgramResult removed = RunProgram({tool, uninstall::kProductCode, "/quiet"});
  EXPECT_EQ(removed.exitCode, uninstall::kExitDone) << removed.output << removed.errors;
  EXPECT_FALSE(fs::exists(tool));
  EXPECT_FALSE(fs::exists(m_root + "/usr/lib/qel"));
  EXPECT_FALSE(fs::exists(m_root + "/usr/share/applications/qel.desktop"));
  EXPECT_EQ(Dpkg({"--status", uninstall::kPackageName}).output.find("install ok installed"), std::string::npos);

  // The users list stays, also through a purge.
  const ProgramResult purged = Dpkg({"--purge", uninstall::kPackageName});
  EXPECT_EQ(purged.exitCode, 0) << purged.output << purged.errors;
  EXPECT_TRUE(fs::exists(m_root + "/var/lib/qel/Qel.qeu"));
}

}  // namespace
}  // namespace test

}  // namespace qel
