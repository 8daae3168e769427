#include "db/tests/support/DbTestTools.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace qel {

namespace test {

ProgramResult RunProgram(const std::vector<std::string>& argv, const std::string& input) {
  ProgramResult result;
  int in[2], out[2], err[2];
  if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) return result;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err[1], 2);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  const int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), ::environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(in[0]);
  ::close(out[1]);
  ::close(err[1]);
  if (rc != 0) {
    ::close(in[1]);
    ::close(out[0]);
    ::close(err[0]);
    return result;
  }
  size_t written = 0;
  bool inputOpen = true;
  if (input.empty()) {
    ::close(in[1]);
    inputOpen = false;
  }
  bool outOpen = true, errOpen = true;
  char buffer[4096];
  while (outOpen || errOpen) {
    pollfd fds[3];
    int n = 0;
    if (outOpen) fds[n++] = {out[0], POLLIN, 0};
    if (errOpen) fds[n++] = {err[0], POLLIN, 0};
    if (inputOpen) fds[n++] = {in[1], POLLOUT, 0};
    if (::poll(fds, static_cast<nfds_t>(n), -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (int i = 0; i < n; ++i) {
      if (!fds[i].revents) continue;
      if (fds[i].fd == in[1]) {
        const ssize_t w = ::write(in[1], input.data() + written, input.size() - written);
        if (w > 0) written += static_cast<size_t>(w);
        if (w < 0 || written == input.size()) {
          ::close(in[1]);
          inputOpen = false;
        }
        continue;
      }
      const ssize_t r = ::read(fds[i].fd, buffer, sizeof buffer);
      if (r <= 0) {
        ::close(fds[i].fd);
        (fds[i].fd == out[0] ? outOpen : errOpen) = false;
      } else {
        (fds[i].fd == out[0] ? result.output : result.errors).append(buffer, static_cast<size_t>(r));
      }
    }
  }
  if (inputOpen) ::close(in[1]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
  return result;
}

bool HaveProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "/usr/bin:/bin");
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    if (!dir.empty() && ::access((dir + "/" + name).c_str(), X_OK) == 0) return true;
  }
  return false;
}

ProgramResult RunSqlShell(const std::string& shell, const std::string& file, const std::string& sql,
                          const std::string& key) {
  std::string script;
  if (!key.empty()) {
    std::string quoted;
    for (char c : key) {
      quoted += c;
      if (c == '\'') quoted += '\'';
    }
    script += "PRAGMA key='" + quoted + "';\n";
  }
  script += sql + "\n";
  return RunProgram({shell, "-batch", "-bail", file}, script);
}

std::string SystemPython() { return "/usr/bin/python3"; }

}  // namespace test

}  // namespace qel
