// The program's own file and folder, from the executable the system started
// (/proc/self/exe), never from argv[0]: a program started through PATH sees
// its own folder, not the current one.
#pragma once

#include <string>

namespace qel {

// The absolute path of the running executable; empty when it cannot be read.
std::string ProgramPath();
// Its folder with a trailing '/'; empty when the path cannot be read.
std::string ProgramFolder();

}  // namespace qel
