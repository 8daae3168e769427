#include "tests/support/gui/WxPump.h"

#include <wx/app.h>
#include <wx/evtloop.h>

#include <chrono>
#include <thread>

namespace qel {

namespace test {

void Pump(int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  do {
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    while (loop && loop->Pending()) loop->Dispatch();
    wxTheApp->ProcessPendingEvents();
    wxTheApp->ProcessIdle();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  } while (std::chrono::steady_clock::now() < end);
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Pump(2);
  }
  return true;
}

}  // namespace test

}  // namespace qel
