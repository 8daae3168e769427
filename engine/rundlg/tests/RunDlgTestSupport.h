// What the run dialog tests share: the program's host and run data, the
// scripted plug-in reading the host's run clock, and event pumping (the
// recording devices, project and score dialog are those of the session
// tests).
#pragma once

#include "app/model/ExpModelTask.h"
#include "app/rundata/TaskRunData.h"
#include "engine/host/ui/TaskHost.h"
#include "engine/rundlg/tests/RunSessionFakes.h"

namespace qel {

namespace test {

// The program's one host and run data (made after wx is up).
CTaskHost& Host();
CTaskRunData& RunData();

// Handles everything queued for the user-interface thread.
void Pump();

// The scripted plug-in of tests/support, reading the run clock of the
// program's host and publishing its trial list there at the prepare command.
PluginScript& TheScript();
void ResetScript();

}  // namespace test

}  // namespace qel
