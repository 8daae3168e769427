#include "app/tests/road/RoadProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <fstream>

extern char** environ;

namespace qel::road {

namespace {

constexpr char kSelf[] = "/proc/self/exe";
// The exit status of a started process that could not become this program.
constexpr int kExecFailed = 127;
// How many of the log's last lines tell of a process that named nothing.
constexpr size_t kLastLines = 20;

std::string Describe(int status) {
  if (WIFSIGNALED(status)) return "signal " + std::to_string(WTERMSIG(status));
  if (WIFEXITED(status)) return "exit status " + std::to_string(WEXITSTATUS(status));
  return "status " + std::to_string(status);
}

}  // namespace

RoadProcess::RoadProcess(const std::string& test, const Variables& variables, const std::string& logPath)
    : m_logPath(logPath) {
  // Everything the new process needs is made before it is forked: between
  // the fork and the exec only async-signal-safe calls are made.
  char self[4096];
  const ssize_t length = ::readlink(kSelf, self, sizeof self - 1);
  if (length <= 0) {
    m_startError = std::string("this program's file is unknown: ") + std::strerror(errno);
    return;
  }
  self[length] = '\0';
  const std::string filter = "--gtest_filter=" + test;
  std::vector<char*> argv{self, const_cast<char*>(filter.c_str()), nullptr};

  std::vector<std::string> settings;
  for (const auto& [name, value] : variables) settings.push_back(name + "=" + value);
  std::vector<char*> envp;
  for (char** entry = environ; *entry; ++entry) {
    const std::string text = *entry;
    const bool replaced = std::any_of(variables.begin(), variables.end(), [&](const auto& variable) {
      return text.compare(0, variable.first.size() + 1, variable.first + "=") == 0;
    });
    if (!replaced) envp.push_back(*entry);
  }
  for (std::string& setting : settings) envp.push_back(setting.data());
  envp.push_back(nullptr);

  const int log = ::open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (log < 0) {
    m_startError = "the log " + logPath + " cannot be written: " + std::strerror(errno);
    return;
  }
  const pid_t parent = ::getpid();
  const pid_t pid = ::fork();
  if (pid == 0) {
    // Killed with the thread that started it; gone at once if that went
    // before the request was made.
    if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || ::getppid() != parent) ::_exit(kExecFailed);
    if (::dup2(log, STDOUT_FILENO) < 0 || ::dup2(log, STDERR_FILENO) < 0) ::_exit(kExecFailed);
    ::execve(self, argv.data(), envp.data());
    ::_exit(kExecFailed);
  }
  ::close(log);
  if (pid < 0) {
    m_startError = std::string("no process could be started: ") + std::strerror(errno);
    return;
  }
  m_pid = pid;
}

RoadProcess::~RoadProcess() { Kill(); }

bool RoadProcess::Running() {
  if (m_pid <= 0 || m_ended) return false;
  const pid_t done = ::waitpid(m_pid, &m_status, WNOHANG);
  if (done == m_pid) m_ended = true;
  return !m_ended;
}

bool RoadProcess::Kill() {
  if (m_pid <= 0 || !Running()) return false;
  ::kill(m_pid, SIGKILL);
  while (::waitpid(m_pid, &m_status, 0) < 0 && errno == EINTR) {
  }
  m_ended = true;
  return WIFSIGNALED(m_status) && WTERMSIG(m_status) == SIGKILL;
}

std::string RoadProcess::Ending() const { return m_ended ? Describe(m_status) : "running"; }

std::string RoadProcess::Told() const {
  std::ifstream in(m_logPath);
  std::string told;
  std::deque<std::string> last;
  for (std::string line; std::getline(in, line);) {
    if (line.find("step \"") != std::string::npos || line.find("Failure") != std::string::npos ||
        line.find("walk:") != std::string::npos) {
      told += line + "\n";
    }
    last.push_back(line);
    if (last.size() > kLastLines) last.pop_front();
  }
  if (!told.empty()) return told;
  for (const std::string& line : last) told += line + "\n";
  return told;
}

}  // namespace qel::road
