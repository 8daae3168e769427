#include "project/LoadedTaskLibraries.h"

#include "engine/library/TaskLibraries.h"

namespace qel {

bool CLoadedTaskLibraries::IsTaskLibraryLoaded(const std::string& code) const {
  return FindTaskLibrary(code.c_str()) != nullptr;
}

}  // namespace qel
