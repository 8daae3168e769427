// The clock of a run and its 1 ms beat, as one interface so the run engine
// can be driven by the real beat thread in the program and by a clock that a
// test moves by hand.
#pragma once

#include <cstdint>

namespace qel {

class ITickSource {
 public:
  // Called once per beat on the source's thread with the beat's scheduled
  // time (same origin as NowNs).
  using BeatFn = void (*)(void* context, int64_t scheduledNs);

  virtual ~ITickSource() = default;

  // Whether the clock can be read at all.
  virtual bool HasClock() const = 0;
  // Monotonic time in nanoseconds; any origin, never goes back.
  virtual int64_t NowNs() const = 0;
  // Whether NowNs is the system's CLOCK_MONOTONIC.
  virtual bool IsSystemMonotonic() const { return false; }
  // Whether the beats may run in real time, and whether they do now.
  virtual bool RealTimeAllowed() const { return true; }
  virtual bool IsRealTime() const { return false; }

  // Starts the beats. False when they cannot start or already run.
  virtual bool StartBeats(BeatFn fn, void* context) = 0;
  // Ends the beats. When it returns (on any thread but the beat thread
  // itself) no beat is running and none follows.
  virtual void StopBeats() = 0;
  virtual bool BeatsRunning() const = 0;
};

}  // namespace qel
