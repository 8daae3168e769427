#include "tools/uninstall/UninstallCommand.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

#include "db/acl/FileAccess.h"

extern char** environ;

namespace qel {

namespace uninstall {

namespace {

constexpr size_t kProductCodeLength = 38;  // with both braces
constexpr mode_t kExecuteBits = S_IXUSR | S_IXGRP | S_IXOTH;
constexpr mode_t kReadOnlyBits = S_IRUSR | S_IRGRP | S_IROTH;
constexpr mode_t kWritableBits = S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP | S_IROTH;
constexpr char kQuietOption[] = "/quiet";
constexpr char kNonInteractive[] = "DEBIAN_FRONTEND=noninteractive";

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A name of a file in the folder itself: no separator, no "..", not empty.
bool IsPlainName(const std::string& name) {
  return !name.empty() && name.find('/') == std::string::npos && name.find("..") == std::string::npos;
}

bool SetOne(const std::string& folder, const std::string& name, int mode, std::string* reason) {
  if (!IsPlainName(name)) {
    *reason = "\"" + name + "\": not a file name of the program folder";
    return false;
  }
  const std::string path = folder + name;
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) {
    *reason = path + ": " + std::strerror(errno);
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    *reason = path + ": not a regular file";
    return false;
  }
  const bool writable = mode == kWritableMode;
  const mode_t bits = (st.st_mode & kExecuteBits) | (writable ? kWritableBits : kReadOnlyBits);
  if (::chmod(path.c_str(), bits) != 0) {
    *reason = path + ": the mode cannot be set: " + std::strerror(errno);
    return false;
  }
  return SetFileAccessForUsers(path, writable, reason);
}

}  // namespace

std::string JoinArguments(int argc, const char* const* argv) {
  std::string text;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) text += ' ';
    text += argv[i];
  }
  return text;
}

bool IsPermissionForm(const std::string& commandLine) { return !commandLine.empty() && commandLine[0] == '/'; }

std::vector<PermissionToken> ParsePermissionTokens(const std::string& commandLine) {
  std::vector<PermissionToken> tokens;
  const std::string lower = Lower(commandLine);
  size_t start = 0;
  while (start < commandLine.size()) {
    size_t end = commandLine.find(' ', start);
    if (end == std::string::npos) end = commandLine.size();
    const size_t slash = commandLine.find('/', start);
    if (slash < end && slash + 1 < commandLine.size()) {
      const char letter = lower[slash + 1];
      const int mode = letter == 'r' ? kReadOnlyMode : letter == 'w' ? kWritableMode : 0;
      if (mode != 0) {
        const size_t list = std::min(slash + 2, end);
        tokens.push_back({mode, commandLine.substr(list, end - list)});
      }
    }
    start = end + 1;
  }
  return tokens;
}

bool SetFileModeList(const std::string& folder, int mode, const std::string& list,
                     std::vector<std::string>* refusals) {
  if ((mode != kReadOnlyMode && mode != kWritableMode) || folder.empty()) return false;
  const std::string names = Trim(list);
  if (names.empty()) return false;
  bool all = true;
  size_t start = 0;
  while (true) {
    const size_t comma = names.find(',', start);
    const std::string name = names.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    std::string reason;
    if (!SetOne(folder, name, mode, &reason)) {
      all = false;
      if (refusals) refusals->push_back(reason);
    }
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return all;
}

int RunPermissionForm(const std::string& folder, const std::string& commandLine,
                      std::vector<std::string>* refusals) {
  bool all = true;
  for (const PermissionToken& token : ParsePermissionTokens(commandLine)) {
    // An empty list changes nothing and is no failure.
    if (Trim(token.list).empty()) continue;
    all = SetFileModeList(folder, token.mode, token.list, refusals) && all;
  }
  return all ? kExitDone : kExitRefused;
}

std::string FindProductCode(const std::string& commandLine) {
  const size_t open = commandLine.find('{');
  const size_t close = commandLine.find('}');
  if (open == std::string::npos || close == std::string::npos || close < open ||
      close - open != kProductCodeLength - 1) {
    return std::string();
  }
  return commandLine.substr(open, kProductCodeLength);
}

bool IsQuietRemoval(const std::string& commandLine) {
  return Lower(commandLine).find(kQuietOption) != std::string::npos;
}

std::string PackageOfProductCode(const std::string& code) {
  return !code.empty() && Lower(code) == Lower(kProductCode) ? kPackageName : std::string();
}

std::vector<std::string> BuildRemovalCommand(const std::string& package, bool quiet) {
  std::vector<std::string> argv = {kPackageManager, "remove", "--yes"};
  if (quiet) argv.push_back("--quiet");
  argv.push_back(package);
  return argv;
}

int RunCommand(const std::vector<std::string>& argv, std::string* output) {
  if (argv.empty()) return -1;
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);

  // The tool has no terminal: the package manager asks nothing.
  std::vector<std::string> environment;
  for (char** e = environ; e && *e; ++e) {
    if (std::strncmp(*e, "DEBIAN_FRONTEND=", std::strlen("DEBIAN_FRONTEND=")) != 0) environment.emplace_back(*e);
  }
  environment.emplace_back(kNonInteractive);
  std::vector<char*> envp;
  for (std::string& e : environment) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> args = argv;
  std::vector<char*> argp;
  for (std::string& a : args) argp.push_back(a.data());
  argp.push_back(nullptr);

  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, argp[0], &actions, nullptr, argp.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeFds[1]);
  if (spawned != 0) {
    ::close(pipeFds[0]);
    return -1;
  }
  char buffer[4096];
  ssize_t n;
  while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) != 0) {
    if (n < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (output) output->append(buffer, static_cast<size_t>(n));
  }
  ::close(pipeFds[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace uninstall

}  // namespace qel
