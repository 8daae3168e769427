// Event pumping for window tests that run without a running main loop: the
// tests dispatch the window system's and wx's events themselves.
#pragma once

#include <functional>

namespace qel {

namespace test {

// Dispatches window-system events (when an event loop is active), pending
// wx events and idle work (which deletes closed windows) for `ms`.
void Pump(int ms);
// Pumps until `done` holds or `timeoutMs` passed; returns done().
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);

}  // namespace test

}  // namespace qel
