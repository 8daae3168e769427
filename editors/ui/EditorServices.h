// What the model editor and the task dialog are given by the program: the
// plug-ins the model's tasks bind to, the run data their tasks are prepared
// with, the task host (texts, sounds, button mapping), the runs, and the
// program's texts.
#pragma once

#include "editors/ModelEditing.h"
#include "editors/TaskTextHelpers.h"

namespace qel {

class CTaskHost;
class CTaskRunData;
class IEditorRuns;

struct EditorServices {
  TaskLibraryList libraries;       // the loaded plug-ins
  CTaskRunData* runData = nullptr;  // the program's one run data
  CTaskHost* host = nullptr;        // the program's task host
  IEditorRuns* runs = nullptr;      // null: the run buttons start nothing
  TextLoader texts;                 // empty: the program's own TEXT resources
  int captureDevice = -1;           // the voice key's capture device (-1: the default one)
  // The program's TEXT resource (the loader given, else the module's table).
  std::string LoadText(uint32_t id) const;
};

}  // namespace qel
