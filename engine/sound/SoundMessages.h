// Where a sound layer's failure goes. On the thread that opened the layer
// (the user-interface thread) it is shown at once; any other thread (audio
// callbacks, timer and worker threads) hands it to the user-interface
// thread, and only the first such failure since the layer was opened, so a
// failing device cannot flood the operator.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

namespace qel {

class CSoundMessages {
 public:
  // Called by the opening operation: its thread is the one that may show.
  void Opened();
  // Shows or posts "text" (plain box, or with the style given).
  void Report(const std::string& text, unsigned style = 0);

 private:
  std::mutex m_mutex;
  std::thread::id m_owner{};
  bool m_haveOwner = false;
  std::atomic<bool> m_posted{false};
};

}  // namespace qel
