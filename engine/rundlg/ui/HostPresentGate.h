// The run's present gate on the real host: the held run clock time put onto
// CLOCK_MONOTONIC, where the display and the sound output wait for it.
#pragma once

#include "engine/run/RunPresentGate.h"

namespace qel {

class CTaskHost;
class CTimerMs;

class CHostPresentGate final : public IRunPresentGate {
 public:
  // Neither is owned; both must outlive the gate's use. The clock must run
  // on CLOCK_MONOTONIC.
  CHostPresentGate(const CTimerMs& clock, CTaskHost& host) : m_clock(clock), m_host(host) {}

  void HoldUntil(int64_t runNs) override;
  void Release() override;

 private:
  const CTimerMs& m_clock;
  CTaskHost& m_host;
};

}  // namespace qel
