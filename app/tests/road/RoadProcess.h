// A walk of the road in a process of its own, so that it can be killed:
// this test program started again on one of its tests, with variables of
// its environment naming the process's role, its output in a log file.
// The process is killed with SIGKILL whatever happens: when asked, when
// the object goes, and when the thread that started it ends.
#pragma once

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

namespace qel::road {

class RoadProcess {
 public:
  using Variables = std::vector<std::pair<std::string, std::string>>;

  // Starts this program on the test (a GoogleTest filter) with the
  // variables added to its environment; what it writes goes to the log.
  RoadProcess(const std::string& test, const Variables& variables, const std::string& logPath);
  ~RoadProcess();
  RoadProcess(const RoadProcess&) = delete;
  RoadProcess& operator=(const RoadProcess&) = delete;

  // Empty when the process runs (or ran); else why it could not start.
  const std::string& StartError() const { return m_startError; }
  // True while the process runs; once it has ended, Ending() says how.
  bool Running();
  // Sends SIGKILL and waits until the process has gone; true when the
  // signal ended it (not an end of its own before).
  bool Kill();
  // How the process ended: "exit status N" or "signal N".
  std::string Ending() const;
  // The lines of the log that name a step of the road or a failure; the
  // last lines when none does.
  std::string Told() const;

 private:
  pid_t m_pid = -1;
  int m_status = 0;
  bool m_ended = false;
  std::string m_logPath;
  std::string m_startError;
};

}  // namespace qel::road
