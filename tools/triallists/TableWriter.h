// Writes a task's trial lists as C++ tables: a header declaring them and a
// source defining them, plus accessors by version and part.
#pragma once

#include <string>

#include "tools/triallists/TaskTrialLists.h"

namespace qel {

namespace triallists {

// The file names, relative to the tasks folder: "<folder>/<Prefix>TrialLists.h" and ".cpp".
std::string HeaderPath(const TaskTrialLists& task);
std::string SourcePath(const TaskTrialLists& task);

std::string WriteHeader(const TaskTrialLists& task);
std::string WriteSource(const TaskTrialLists& task);

}  // namespace triallists

}  // namespace qel
