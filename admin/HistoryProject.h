// What the update-history dialogs need of the open project beyond the
// administration dialogs' view: whether it is an audited (CFR) project, and
// its stored history, read from the file. The project object answers it
// (the program's adapter); tests give a project of their own.
#pragma once

#include <cstdint>
#include <string>

#include "admin/AdminProject.h"

namespace qel {

class IProjectHistory;

class IHistoryProject : public IAdminProject {
 public:
  // A project is open and keeps the 21 CFR rules (its history is audited).
  virtual bool IsOpenCfr() const = 0;
  virtual IProjectHistory& History() = 0;

 protected:
  ~IHistoryProject() = default;
};

// The captions of the history dialogs: "Project %s, testee %s: %s" and
// "Project %s, testee %s, model %s, task %s, assno %d: %s"; the mode text
// alone without a project.
std::string TesteeUpdatesCaption(const IAdminProject* project, const std::string& testee, const std::string& mode);
std::string AssessmentUpdatesCaption(const IAdminProject* project, const std::string& testee,
                                     const std::string& model, const std::string& task, uint32_t assessment,
                                     const std::string& mode);

}  // namespace qel
