#include "tests/support/common/OtherAccount.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qel {

namespace test {

int RunAsAccount(uid_t uid, const std::vector<gid_t>& groups, const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    const gid_t primary = groups.empty() ? static_cast<gid_t>(uid) : groups[0];
    if (::setgroups(groups.size(), groups.data()) != 0 || ::setresgid(primary, primary, primary) != 0 ||
        ::setresuid(uid, uid, uid) != 0) {
      ::_exit(90);
    }
    ::_exit(body());
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

}  // namespace test

}  // namespace qel
