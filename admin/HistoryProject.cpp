#include "admin/HistoryProject.h"

namespace qel {

std::string TesteeUpdatesCaption(const IAdminProject* project, const std::string& testee, const std::string& mode) {
  if (!project) return mode;
  return "Project " + project->GetName() + ", testee " + testee + ": " + mode;
}

std::string AssessmentUpdatesCaption(const IAdminProject* project, const std::string& testee,
                                     const std::string& model, const std::string& task, uint32_t assessment,
                                     const std::string& mode) {
  if (!project) return mode;
  // The number is shown as the signed "%d" of the caption.
  return "Project " + project->GetName() + ", testee " + testee + ", model " + model + ", task " + task + ", assno " +
         std::to_string(static_cast<int32_t>(assessment)) + ": " + mode;
}

}  // namespace qel
