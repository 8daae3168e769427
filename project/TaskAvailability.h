// Whether a task plug-in with a given short code is loaded. The project
// cache asks it for every task entry of a cached model; the program answers
// from its table of loaded plug-ins (LoadedTaskLibraries.h).
#pragma once

#include <string>

namespace qel {

class ITaskAvailability {
 public:
  virtual ~ITaskAvailability() = default;
  // True when a plug-in with that short code (compared exactly) is loaded.
  virtual bool IsTaskLibraryLoaded(const std::string& code) const = 0;
};

}  // namespace qel
