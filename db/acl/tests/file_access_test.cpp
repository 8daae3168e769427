// Access rights for every account of the workstation: the ACL that getfacl
// reads back, what another account may then really do with the file and in
// the folder, and a filesystem that refuses ACLs.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "db/acl/FileAccess.h"
#include "db/tests/support/DbTestTools.h"
#include "tests/support/common/OtherAccount.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {
namespace {

// An account of the workstation in no group but its own, and one that is
// also in the local users' group.
constexpr uid_t kStranger = 54321;
constexpr uid_t kMember = 54322;

gid_t UsersGroup() {
  const group* g = ::getgrnam(kLocalUsersGroup);
  return g ? g->gr_gid : static_cast<gid_t>(-1);
}

std::vector<std::string> Facl(const std::string& path) {
  const ProgramResult r = RunProgram({"getfacl", "--omit-header", "--absolute-names", path});
  EXPECT_EQ(r.exitCode, 0) << r.errors;
  std::vector<std::string> lines;
  std::string line;
  for (char c : r.output) {
    if (c == '\n') {
      if (!line.empty()) lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  return lines;
}

bool Has(const std::vector<std::string>& lines, const std::string& entry) {
  for (const std::string& l : lines) {
    // getfacl adds "#effective:..." after an entry the mask narrows.
    if (l.substr(0, l.find('\t')) == entry) return true;
  }
  return false;
}

class FileAccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveProgram("getfacl")) GTEST_SKIP() << "getfacl is needed";
    if (UsersGroup() == static_cast<gid_t>(-1)) GTEST_SKIP() << "the system has no group users";
    ASSERT_EQ(::chmod(m_dir.Path().c_str(), 0755), 0);
    m_file = m_dir.File("Qel.qeu");
    std::ofstream(m_file) << "users";
    ASSERT_EQ(::chmod(m_file.c_str(), 0600), 0);
  }

  // What account uid (groups as given) can do with the file: 1 read, 2 write.
  int Access(uid_t uid, const std::vector<gid_t>& groups) {
    const std::string file = m_file;
    return RunAsAccount(uid, groups, [file] {
      int rights = 0;
      const int r = ::open(file.c_str(), O_RDONLY);
      if (r >= 0) {
        rights |= 1;
        ::close(r);
      }
      const int w = ::open(file.c_str(), O_WRONLY | O_APPEND);
      if (w >= 0) {
        rights |= 2;
        ::close(w);
      }
      return rights;
    });
  }

  TempFolder m_dir;
  std::string m_file;
};

TEST_F(FileAccessTest, TheUsersGroupReadsAndWritesAndOthersRead) {
  std::string error;
  ASSERT_TRUE(SetFileAccessForUsers(m_file, true, &error)) << error;
  const std::vector<std::string> acl = Facl(m_file);
  EXPECT_TRUE(Has(acl, "user::rw-"));
  EXPECT_TRUE(Has(acl, "group:users:rw-"));
  EXPECT_TRUE(Has(acl, "mask::rw-"));
  EXPECT_TRUE(Has(acl, "other::r--"));
  EXPECT_TRUE(Has(acl, "group::---"));  // the owner's own group keeps what it had

  if (::geteuid() != 0) GTEST_SKIP() << "only root can act as other accounts";
  EXPECT_EQ(Access(kMember, {kMember, UsersGroup()}), 3);
  EXPECT_EQ(Access(kStranger, {kStranger}), 1);
}

TEST_F(FileAccessTest, WithoutWritingTheGroupReadsOnlyAndOthersLoseWriting) {
  ASSERT_EQ(::chmod(m_file.c_str(), 0666), 0);
  ASSERT_TRUE(SetFileAccessForUsers(m_file, false));
  const std::vector<std::string> acl = Facl(m_file);
  EXPECT_TRUE(Has(acl, "group:users:r--"));
  EXPECT_TRUE(Has(acl, "other::r--"));
  EXPECT_FALSE(Has(acl, "group:users:rw-"));

  if (::geteuid() != 0) GTEST_SKIP() << "only root can act as other accounts";
  EXPECT_EQ(Access(kMember, {kMember, UsersGroup()}), 1);
  EXPECT_EQ(Access(kStranger, {kStranger}), 1);
}

TEST_F(FileAccessTest, EntriesOfOtherUsersStayAndARepeatChangesTheGroupEntry) {
  const ProgramResult set = RunProgram({"setfacl", "-m", "u:" + std::to_string(kStranger) + ":rw", m_file});
  ASSERT_EQ(set.exitCode, 0) << set.errors;
  ASSERT_TRUE(SetFileAccessForUsers(m_file, true));
  ASSERT_TRUE(SetFileAccessForUsers(m_file, false));
  const std::vector<std::string> acl = Facl(m_file);
  EXPECT_TRUE(Has(acl, "user:" + std::to_string(kStranger) + ":rw-"));
  EXPECT_TRUE(Has(acl, "group:users:r--"));
  int groupEntries = 0;
  for (const std::string& l : acl) groupEntries += l.rfind("group:users:", 0) == 0;
  EXPECT_EQ(groupEntries, 1);
}

TEST_F(FileAccessTest, AProgramMayBeRunByThoseWhoMayReadIt) {
  ASSERT_EQ(::chmod(m_file.c_str(), 0700), 0);
  ASSERT_TRUE(SetFileAccessForUsers(m_file, false));
  const std::vector<std::string> acl = Facl(m_file);
  EXPECT_TRUE(Has(acl, "group:users:r-x"));
  EXPECT_TRUE(Has(acl, "other::r-x"));
}

TEST_F(FileAccessTest, AFolderLetsTheGroupMakeFilesThatInheritTheEntries) {
  const std::string folder = m_dir.File("shared");
  ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
  std::string error;
  ASSERT_TRUE(SetFolderAccessForUsers(folder, true, &error)) << error;
  const std::vector<std::string> acl = Facl(folder);
  EXPECT_TRUE(Has(acl, "group:users:rwx"));
  EXPECT_TRUE(Has(acl, "other::r-x"));
  EXPECT_TRUE(Has(acl, "default:group:users:rwx"));
  EXPECT_TRUE(Has(acl, "default:other::r-x"));

  if (::geteuid() != 0) GTEST_SKIP() << "only root can act as other accounts";
  const auto makeFile = [folder](const char* name) {
    return [folder, name] {
      const int fd = ::open((folder + "/" + name).c_str(), O_CREAT | O_WRONLY | O_EXCL, 0644);
      if (fd < 0) return 1;
      ::close(fd);
      return 0;
    };
  };
  EXPECT_EQ(RunAsAccount(kMember, {kMember, UsersGroup()}, makeFile("journal")), 0);
  EXPECT_EQ(RunAsAccount(kStranger, {kStranger}, makeFile("stranger")), 1);
  EXPECT_TRUE(Has(Facl(folder + "/journal"), "group:users:rwx"));
}

TEST_F(FileAccessTest, AFileSystemWithoutAclsIsReportedAndNothingIsWidened) {
  // The process filesystem keeps no access-control lists.
  std::string error;
  EXPECT_FALSE(SetFileAccessForUsers("/proc/self/comm", true, &error));
  EXPECT_NE(error.find("keeps no access-control lists"), std::string::npos) << error;
  error.clear();
  EXPECT_FALSE(SetFolderAccessForUsers("/proc/self", true, &error));
  EXPECT_NE(error.find("/proc/self"), std::string::npos) << error;
}

TEST_F(FileAccessTest, MissingFilesAndKindMismatchesAreRefused) {
  std::string error;
  EXPECT_FALSE(SetFileAccessForUsers(m_dir.File("none"), true, &error));
  EXPECT_NE(error.find("cannot be found"), std::string::npos) << error;
  EXPECT_FALSE(SetFileAccessForUsers(m_dir.Path().string(), true, &error));
  EXPECT_NE(error.find("is a folder"), std::string::npos) << error;
  EXPECT_FALSE(SetFolderAccessForUsers(m_file, true, &error));
  EXPECT_NE(error.find("is not a folder"), std::string::npos) << error;
  EXPECT_FALSE(SetFileAccessForUsers("", true, &error));
  EXPECT_TRUE(Has(Facl(m_file), "other::---"));  // untouched by the refusals
}

}  // namespace
}  // namespace test

}  // namespace qel
