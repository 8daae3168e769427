// Replacing files whole: permissions honoured, owner, group, mode, ACL and
// extended attributes kept, the umask never touched, nothing left behind
// after a crash; bounded reads that never block on a FIFO.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <random>
#include <thread>

#include "common/AtomicFile.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace {

constexpr uid_t kOtherUser = 65534;  // nobody
constexpr gid_t kOtherGroup = 65534;

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

size_t FilesIn(const std::string& folder) {
  size_t n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder)) ++n;
  return n;
}

std::string Shell(const std::string& command) {
  std::string out;
  if (FILE* p = ::popen((command + " 2>&1").c_str(), "r")) {
    char buffer[512];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, p)) out.append(buffer, n);
    ::pclose(p);
  }
  return out;
}

struct stat StatOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st;
}

// Runs body in a child process as another account (nobody, with the given
// groups) and gives its exit status; only root can change accounts.
int RunAs(uid_t uid, std::vector<gid_t> groups, const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::setgroups(groups.size(), groups.data()) != 0 || ::setresgid(groups[0], groups[0], groups[0]) != 0 ||
        ::setresuid(uid, uid, uid) != 0) {
      ::_exit(90);
    }
    ::_exit(body());
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

TEST(AtomicFile, WritesAndReplacesAFileKeepingItsPermissions) {
  test::TempFolder dir;
  const std::string path = dir.File("a.bin");
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(path, "first", 5, &error)) << error;
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(WriteFileAtomically(path, "second!", 7, &error)) << error;
  EXPECT_EQ(Slurp(path), "second!");
  EXPECT_EQ(StatOf(path).st_mode & 07777, 0640u);
  EXPECT_EQ(FilesIn(dir.Path()), 1u);  // no temporary file left
}

TEST(AtomicFile, WritesThroughASymbolicLinkBesideTheRealFile) {
  test::TempFolder dir;
  const std::string real = dir.File("real.qem");
  const std::string link = dir.File("link.qem");
  ASSERT_TRUE(WriteFileAtomically(real, "old", 3, nullptr));
  ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
  ASSERT_TRUE(WriteFileAtomically(link, "new", 3, nullptr));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(Slurp(real), "new");
}

TEST(AtomicFile, AMissingFolderOrAFolderIsAnError) {
  test::TempFolder dir;
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(dir.File("no/such/file"), "x", 1, &error));
  EXPECT_NE(error.find("no/such"), std::string::npos) << error;
  EXPECT_FALSE(WriteFileAtomically(dir.Path(), "x", 1, &error));
  EXPECT_NE(error.find("not a file"), std::string::npos) << error;
}

TEST(AtomicFile, KeepsOwnerGroupAclAndExtendedAttributes) {
  if (::geteuid() != 0) GTEST_SKIP() << "giving a file another owner needs root";
  test::TempFolder dir;
  const std::string path = dir.File("shared.qem");
  ASSERT_TRUE(WriteFileAtomically(path, "old", 3, nullptr));
  ASSERT_EQ(::chown(path.c_str(), kOtherUser, kOtherGroup), 0);
  ASSERT_EQ(::chmod(path.c_str(), 02660), 0);
  const std::string acl = Shell("setfacl -m u:daemon:r,g:adm:rw '" + path + "'");
  ASSERT_EQ(acl, "") << acl;
  ASSERT_EQ(::setxattr(path.c_str(), "user.qel.note", "kept", 4, 0), 0) << std::strerror(errno);
  const std::string aclBefore = Shell("getfacl -cp '" + path + "'");

  std::string error;
  ASSERT_TRUE(WriteFileAtomically(path, "new", 3, &error)) << error;
  EXPECT_EQ(Slurp(path), "new");
  const struct stat st = StatOf(path);
  EXPECT_EQ(st.st_uid, kOtherUser);
  EXPECT_EQ(st.st_gid, kOtherGroup);
  EXPECT_EQ(st.st_mode & 07777, 02660u);
  const std::string aclAfter = Shell("getfacl -cp '" + path + "'");
  EXPECT_EQ(aclAfter, aclBefore);
  EXPECT_NE(aclAfter.find("user:daemon:r--"), std::string::npos) << aclAfter;
  EXPECT_NE(aclAfter.find("group:adm:rw-"), std::string::npos) << aclAfter;
  EXPECT_NE(Shell("getfattr -d '" + path + "'").find("user.qel.note=\"kept\""), std::string::npos);
}

// Files the user may not write are never replaced, also where the folder
// would let a rename through.
TEST(AtomicFile, AFileTheUserMayNotWriteIsNotReplaced) {
  if (::geteuid() != 0) GTEST_SKIP() << "a second account needs root";
  test::TempFolder dir;
  ASSERT_EQ(::chmod(dir.Path().c_str(), 0777), 0);  // a shared folder anybody may write into
  struct Case {
    const char* name;
    uid_t owner;
    gid_t group;
    mode_t mode;
    std::vector<gid_t> groups;  // of the account that saves
    const char* reason;
  };
  const Case cases[] = {
      {"own read-only file", kOtherUser, kOtherGroup, 0444, {kOtherGroup}, "Permission denied"},
      {"another user's file", 0, 0, 0644, {kOtherGroup}, "Permission denied"},
      // Writable through the group, but the owner could not be kept.
      {"another user's group-writable file", 0, kOtherGroup, 0664, {kOtherGroup}, "Cannot keep the owner"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.File(std::string(c.name) + ".qem");
    ASSERT_TRUE(WriteFileAtomically(path, "theirs", 6, nullptr));
    ASSERT_EQ(::chown(path.c_str(), c.owner, c.group), 0);
    ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);
    const std::string reasonFile = path + ".reason";
    const int status = RunAs(kOtherUser, c.groups, [&] {
      std::string error;
      const bool ok = WriteFileAtomically(path, "mine", 4, &error);
      std::ofstream(reasonFile) << error;
      return ok ? 0 : 1;
    });
    EXPECT_EQ(status, 1);
    EXPECT_NE(Slurp(reasonFile).find(c.reason), std::string::npos) << Slurp(reasonFile);
    EXPECT_EQ(Slurp(path), "theirs");
    const struct stat st = StatOf(path);
    EXPECT_EQ(st.st_uid, c.owner);
    EXPECT_EQ(st.st_mode & 07777, c.mode);
    std::filesystem::remove(reasonFile);
  }
  EXPECT_EQ(FilesIn(dir.Path()), std::size(cases));  // no temporary file left
}

TEST(AtomicFile, ANewFileGetsTheUmaskWhichIsNeverChanged) {
  test::TempFolder dir;
  const mode_t previous = ::umask(027);
  std::atomic<bool> done{false};
  std::atomic<int> changed{0};
  // The umask is only readable from the process status without changing it.
  std::thread watcher([&] {
    while (!done) {
      std::ifstream status("/proc/self/status");
      std::string line;
      while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0 && line.find("0027") == std::string::npos) ++changed;
      }
    }
  });
  for (int i = 0; i < 200; ++i) {
    const std::string path = dir.File("new" + std::to_string(i));
    ASSERT_TRUE(WriteFileAtomically(path, "x", 1, nullptr));
    EXPECT_EQ(StatOf(path).st_mode & 0777, 0640u);
  }
  done = true;
  watcher.join();
  ::umask(previous);
  EXPECT_EQ(changed.load(), 0);
}

// A save killed at any moment leaves the old or the new file whole, and
// nothing beside it once the next save in that folder has run.
TEST(AtomicFile, ASaveKilledAtAnyMomentLeavesNothingBehind) {
  test::TempFolder dir;
  const std::string path = dir.File("model.qem");
  const std::string a(1 << 16, 'a'), b(1 << 16, 'b');
  ASSERT_TRUE(WriteFileAtomically(path, a.data(), a.size(), nullptr));
  std::mt19937 random(7);
  for (int kill = 0; kill < 200; ++kill) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      for (int i = 0;; ++i) {
        const std::string& text = i % 2 ? a : b;
        WriteFileAtomically(path, text.data(), text.size(), nullptr);
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 10000));
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    const std::string now = Slurp(path);
    ASSERT_TRUE(now == a || now == b) << "a partial file after kill " << kill;
  }
  ASSERT_TRUE(WriteFileAtomically(path, a.data(), a.size(), nullptr));
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(AtomicFile, ANamedReplacementIsFilledByNameAndCommittedOrAbandoned) {
  test::TempFolder dir;
  const std::string path = dir.File("project.qep");
  ASSERT_TRUE(WriteFileAtomically(path, "old", 3, nullptr));
  {
    CFileReplacement replacement;
    std::string error;
    ASSERT_TRUE(replacement.Begin(path, CFileReplacement::Temp::kNamed, &error)) << error;
    std::ofstream(replacement.TempPath()) << "built by name";
    EXPECT_EQ(Slurp(path), "old");
    ASSERT_TRUE(replacement.Commit(&error)) << error;
  }
  EXPECT_EQ(Slurp(path), "built by name");
  {
    CFileReplacement replacement;
    ASSERT_TRUE(replacement.Begin(path, CFileReplacement::Temp::kNamed, nullptr));
    std::ofstream(replacement.TempPath()) << "never";
    EXPECT_EQ(FilesIn(dir.Path()), 2u);
  }  // not committed: gone
  EXPECT_EQ(Slurp(path), "built by name");
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(AtomicFile, OnlyStaleTemporaryFilesOfThisUserAndHostAreRemoved) {
  test::TempFolder dir;
  char host[256] = {};
  ::gethostname(host, sizeof host - 1);
  const pid_t gone = [] {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(0);
    ::waitpid(pid, nullptr, 0);
    return pid;
  }();
  const std::string stale = ".m.qem.qeltmp-" + std::to_string(gone) + "@" + host + "~abc";
  const std::string running = ".m.qem.qeltmp-" + std::to_string(::getppid()) + "@" + host + "~abc";
  const std::string elsewhere = ".m.qem.qeltmp-" + std::to_string(gone) + "@another-host~abc";
  const std::string unrelated = ".m.qem.backup";
  for (const std::string& name : {stale, running, elsewhere, unrelated}) std::ofstream(dir.File(name)) << "x";
  RemoveStaleTempFiles(dir.Path().string());
  EXPECT_FALSE(std::filesystem::exists(dir.File(stale)));
  EXPECT_TRUE(std::filesystem::exists(dir.File(running)));
  EXPECT_TRUE(std::filesystem::exists(dir.File(elsewhere)));
  EXPECT_TRUE(std::filesystem::exists(dir.File(unrelated)));
}

TEST(BoundedRead, LimitsAndErrors) {
  test::TempFolder dir;
  std::vector<uint8_t> bytes;
  std::string error;
  EXPECT_FALSE(ReadFileBounded(dir.File("missing"), 100, &bytes, &error));
  EXPECT_NE(error.find("Cannot open"), std::string::npos);
  EXPECT_FALSE(ReadFileBounded(dir.Path(), 100, &bytes, &error));
  EXPECT_NE(error.find("not a file"), std::string::npos);
  ASSERT_TRUE(WriteFileAtomically(dir.File("ten"), "0123456789", 10, nullptr));
  EXPECT_TRUE(ReadFileBounded(dir.File("ten"), 10, &bytes, &error));
  EXPECT_EQ(bytes.size(), 10u);
  EXPECT_FALSE(ReadFileBounded(dir.File("ten"), 9, &bytes, &error));
  EXPECT_NE(error.find("too large"), std::string::npos);
  EXPECT_TRUE(bytes.empty());
}

TEST(BoundedRead, AFifoIsRefusedWithoutWaitingForAWriter) {
  test::TempFolder dir;
  const std::string fifo = dir.File("model.qem");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto read = std::async(std::launch::async, [&] {
    std::vector<uint8_t> bytes;
    std::string error;
    const bool ok = ReadFileBounded(fifo, 100, &bytes, &error);
    return std::make_pair(ok, error);
  });
  if (read.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);  // let the blocked read go
    if (fd >= 0) ::close(fd);
    FAIL() << "the read waited for a writer";
  }
  const auto [ok, error] = read.get();
  EXPECT_FALSE(ok);
  EXPECT_NE(error.find("not a file"), std::string::npos) << error;
}

}  // namespace

}  // namespace qel
