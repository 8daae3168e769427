// Runs test code as another account, for tests of what a user may not do
// (only root can change accounts; callers check geteuid() first).
#pragma once

#include <sys/types.h>

#include <functional>
#include <vector>

namespace qel {

namespace test {

// The account nobody and its group.
inline constexpr uid_t kNobodyUser = 65534;
inline constexpr gid_t kNobodyGroup = 65534;

// Runs body in a child process as uid with the groups (the first is the
// primary group) and gives its exit status: body's result, 90 when the
// account could not be taken, 99 when the child did not exit normally.
int RunAsAccount(uid_t uid, const std::vector<gid_t>& groups, const std::function<int()>& body);

}  // namespace test

}  // namespace qel
