// A task plug-in of the program folder loaded by the program's own loader
// (CTaskLibrary), with a test host over a memory display, a model task
// (CExpModelTask) bound to the record and the program's run data.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "app/model/ExpModelTask.h"
#include "app/rundata/TaskRunData.h"
#include "engine/library/TaskLibrary.h"
#include "tests/support/fakes/FakeDisplay.h"
#include "tests/support/fakes/FakeTaskHost.h"

namespace qel {

namespace test {

// The plug-in file of the program folder, e.g. PluginPath("MSL").
std::string PluginPath(const std::string& shortCode);

class LoadedTask {
 public:
  // Loads Qel<shortCode>.qet; Loaded() tells whether it worked.
  explicit LoadedTask(const std::string& shortCode, int width = 640, int height = 480);
  ~LoadedTask();
  LoadedTask(const LoadedTask&) = delete;
  LoadedTask& operator=(const LoadedTask&) = delete;

  bool Loaded() const { return m_library.module != nullptr; }

  // A boolean command through TaskEntry.
  bool Command(uint32_t command, intptr_t a = 0, intptr_t b = 0, intptr_t c = 0);
  // A value command; the value (0 when the command fails).
  int32_t Value(uint32_t command, intptr_t a = 0, intptr_t b = 0, intptr_t c = 0);

  // The set-up command for a version (1-based) and part (0-based), as a test run
  // unless practice is set; the host's language as given.
  bool Setup(uint32_t version, int part, bool practice = false, int language = 0);
  // The trial command with a code in a 17-byte slot: whether it is a target trial.
  bool Judge(const char* code);
  // The classification command after the trial command of the same code.
  int32_t Classify(const char* code, int32_t category);
  // The signal on, with a code in a 17-byte slot, on the display.
  bool ShowSignal(const char* code);
  // The editor's preview of a code into surface 0 of the display.
  bool DrawPreview(const char* code);
  // The part start with the run data.
  bool BeginRun() { return Command(5, reinterpret_cast<intptr_t>(m_runData.get())); }

  FakeDisplay m_display;
  FakeTaskHost m_host{&m_display};
  CTaskLibrary m_library;
  CExpModelTask m_task;
  std::unique_ptr<CTaskRunData> m_runData;
};

// For a part of the task (version 1-based, part 0-based) after its start:
// a whole 17-byte slot of each fill character without its NUL (no code at
// all for '\0') is judged (command 25 gives the case's answer), classified,
// shown, hidden and previewed on the test display, as the host may hand it
// over; the sanitizer build watches that nothing is read past the slot.
void ExpectWholeSlots(const std::string& shortCode, uint32_t version, int part,
                      std::initializer_list<std::pair<char, bool>> fillsAndTargets);

}  // namespace test

}  // namespace qel
