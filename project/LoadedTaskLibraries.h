// The program's answer to "is this task's plug-in loaded": the table of
// plug-ins loaded at start-up (engine/library/TaskLibraries.h).
#pragma once

#include "project/TaskAvailability.h"

namespace qel {

class CLoadedTaskLibraries final : public ITaskAvailability {
 public:
  bool IsTaskLibraryLoaded(const std::string& code) const override;
};

}  // namespace qel
