// The program's side around one task plug-in, all fakes and bound to one
// another: a host over a display, the library record the host serves, a
// run context (model task) of the record at version 1 and speed 100, and
// run data. Tests set the parts, trials and parameters their task needs.
#pragma once

#include <memory>

#include "tests/support/fakes/FakeDisplay.h"
#include "tests/support/fakes/FakeModelTask.h"
#include "tests/support/fakes/FakeRunData.h"
#include "tests/support/fakes/FakeTaskHost.h"
#include "tests/support/fakes/FakeTaskLibrary.h"

namespace qel {

struct FakeTaskSurroundings {
  explicit FakeTaskSurroundings(int width = 800, int height = 600) : display(width, height) {
    record.host = &host;
    context.library = &record;
    context.w.TaskVersion = 1;
    context.w.TaskSSS = 100;
  }
  FakeTaskSurroundings(const FakeTaskSurroundings&) = delete;
  FakeTaskSurroundings& operator=(const FakeTaskSurroundings&) = delete;

  FakeDisplay display;
  FakeTaskHost host{&display};
  FakeTaskLibrary record;
  FakeModelTask context;
  std::unique_ptr<FakeRunData> runData = std::make_unique<FakeRunData>();
};

}  // namespace qel
