// A host-timed task plug-in inside the test program: its entry answers
// every command from the active script and records what it was asked. One
// script is active at a time (the entry is a plain function); the run
// machine's timer thread reads it while a part runs.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "include/qel/ModelTask.h"
#include "include/qel/TaskHostInterface.h"
#include "tests/support/fakes/FakeTaskLibrary.h"

namespace qel {

namespace test {

// What the testee does in one trial (trials are counted by the trial command).
struct TrialScript {
  int32_t rtMs = -1;     // key down this long after the signal was shown; -1: no response
  uint32_t holdMs = 50;  // how long it stays down
  int32_t bits = 1;      // the response bits
};

// One command as the plug-in saw it.
struct PluginCall {
  uint32_t command;
  intptr_t a, b;
  uint32_t at;       // run clock
  std::string code;  // the trial code for the signal, trial and correct-response commands
};

struct PluginScript {
  // Where the plug-in reads the run clock (0 when unset) and publishes its
  // trial list and break flag.
  std::function<uint32_t()> clock;
  ITaskHost* host = nullptr;

  // The set-up command: the trial list it publishes, or a refusal.
  std::vector<std::string> codes{"T1", "T1"};
  bool prepareResult = true;
  // The testee, by trial; trials past the list answer as otherTrials.
  std::vector<TrialScript> trials;
  TrialScript otherTrials;
  int32_t startDelay = 500;                                        // kCmdWarningInterval
  bool showSignal = true;                                          // kCmdShowSignal
  int32_t stepBack = 0;                                            // kCmdBreakBegin
  int32_t resumeDelay = 0;                                         // kCmdBreakEnd
  int32_t extraResponses = 0;                                      // kCmdExtraResponseCount
  std::function<int32_t(int32_t code, int32_t early)> onResponse;  // kCmdOnResponse; 0 when unset
  std::function<int32_t()> onTimeout;                              // kCmdOnNoResponse; 0 when unset
  std::function<int32_t(uint32_t now)> trialEnded;                 // kCmdIsTrialEnded; 0 when unset
  std::function<int32_t()> poll;  // kCmdGetResponse (as a plug-in reading keys); the trials' answer when unset
  std::function<bool(int32_t category, int32_t code, int32_t* out)>
      classify;  // kCmdClassifyResponse; refused when unset
  // The compute-variables command: the variable count it gives (< 0: refused), the result word
  // and the host's break flag it writes.
  int32_t variables = 3;
  int32_t resultWord = 1;
  uint8_t breakFlagAtEnd = 0;
  // The self-timed run and "view task signals" commands; refused when unset.
  std::function<bool()> selfTimed;
  std::function<bool()> signals;

  // Observed (the response poll, the trial-ended poll and the no-response
  // command come on the timer thread).
  std::atomic<int> sequence{-1};  // trial number (trial commands - 1)
  std::atomic<bool> shown{false};
  std::atomic<uint32_t> shownAt{0};
  std::atomic<uint32_t> polls{0};
  std::vector<PluginCall> calls;  // all but 17 and 18; guarded by callsMutex
  mutable std::mutex callsMutex;

  const TrialScript& Current() const;
  std::vector<PluginCall> Calls(uint32_t command) const;
  std::vector<uint32_t> Commands() const;
  int Count(uint32_t command) const;
};

// The script the entry answers from (nullptr: every command is refused).
void SetActivePluginScript(PluginScript* script);

extern "C" bool ScriptedTaskEntry(uint32_t command, intptr_t a, intptr_t b, intptr_t c, int32_t* out);

// The model task words the scripted plug-in is run with: a host-timed part
// with a fixed 200 ms signal, a fixed 1000 ms interval, responses valid
// from 100 to 1500 ms, no interruption before 1000 trials.
QelTaskWords ScriptedTaskWords();

// A library record whose entry is the scripted plug-in.
class ScriptedTaskLibrary final : public FakeTaskLibrary {
 public:
  ScriptedTaskLibrary() { entry = &ScriptedTaskEntry; }
};

}  // namespace test

}  // namespace qel
