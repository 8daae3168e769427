#include "admin/AdminProject.h"

namespace qel {

std::string ProjectCaption(const IAdminProject* project, const std::string& mode) {
  if (!project) return mode;
  return "Project " + project->GetName() + ": " + mode;
}

}  // namespace qel
