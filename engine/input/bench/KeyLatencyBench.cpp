// How long an XTest key press takes to show in the key state read through
// the device layer: the press is sent (XTestFakeKeyEvent + XFlush) on a
// connection of its own, then the state is polled until the key is down.
// Run under an X server (xvfb-run). Reports median, 99th percentile and
// largest latency over the presses.
//   qel_key_latency_bench [presses]   (default 200)
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "engine/input/InputDevices.h"
#include "engine/input/KeyCodes.h"
#include "engine/input/X11KeyMap.h"

namespace qel {

namespace {

using Clock = std::chrono::steady_clock;

bool WaitForKey(uint8_t code, bool down) {
  uint8_t state[qel::kKeyboardStateSize];
  const auto until = Clock::now() + std::chrono::seconds(2);
  while (Clock::now() < until) {
    qel::ReadKeyboard(state);
    if (((state[code] & qel::kDown) != 0) == down) return true;
  }
  return false;
}

}  // namespace

}  // namespace qel

using namespace qel;

int main(int argc, char** argv) {
  const int presses = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  Display* injector = XOpenDisplay(nullptr);
  if (injector == nullptr || qel::CreateDirectInput() != qel::kInputOk || !qel::EnumKeyboards() ||
      qel::AcquireKeyboard(0, 0) != qel::kInputOk) {
    std::fprintf(stderr, "needs an X server with XTest\n");
    return 1;
  }
  uint8_t state[qel::kKeyboardStateSize];
  qel::ReadKeyboard(state);  // acquires
  const uint8_t code = qel::kKeyA;
  const unsigned keycode = qel::X11FromKeyCode(code);

  std::vector<double> us;
  us.reserve(static_cast<size_t>(presses));
  for (int i = 0; i < presses; ++i) {
    const auto t0 = Clock::now();
    XTestFakeKeyEvent(injector, keycode, True, CurrentTime);
    XFlush(injector);
    if (!WaitForKey(code, true)) {
      std::fprintf(stderr, "key press %d never showed\n", i);
      return 1;
    }
    us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    XTestFakeKeyEvent(injector, keycode, False, CurrentTime);
    XFlush(injector);
    WaitForKey(code, false);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  qel::ReleaseDirectInput();
  XCloseDisplay(injector);

  std::sort(us.begin(), us.end());
  const auto at = [&](double q) { return us[std::min(us.size() - 1, static_cast<size_t>(q * (us.size() - 1)))]; };
  std::printf("key press to state, %d presses: median %.1f us  p99 %.1f us  max %.1f us\n", presses, at(0.5), at(0.99),
              us.back());
  return 0;
}
