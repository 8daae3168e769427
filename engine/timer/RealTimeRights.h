// Whether this process may schedule threads in real time (SCHED_FIFO) at a
// given priority: with the CAP_SYS_NICE capability (root, or a program
// given it with setcap) or an rtprio limit at least that high (a group's
// limit in /etc/security/limits.d, as scripts/setup sets up).
#pragma once

namespace qel {

bool RealTimeSchedulingAllowed(int priority);

}  // namespace qel
