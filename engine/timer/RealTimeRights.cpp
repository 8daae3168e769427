#include "engine/timer/RealTimeRights.h"

#include <sys/resource.h>

#include <cstdint>
#include <fstream>
#include <string>

namespace qel {

namespace {

constexpr int kCapSysNice = 23;

// The effective capability set of this process, from /proc.
uint64_t EffectiveCapabilities() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("CapEff:", 0) == 0) return std::stoull(line.substr(7), nullptr, 16);
  }
  return 0;
}

}  // namespace

bool RealTimeSchedulingAllowed(int priority) {
  if ((EffectiveCapabilities() >> kCapSysNice) & 1u) return true;
  rlimit limit{};
  return getrlimit(RLIMIT_RTPRIO, &limit) == 0 &&
         (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur >= static_cast<rlim_t>(priority));
}

}  // namespace qel
