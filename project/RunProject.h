// What a task run needs of the open project: its path for the operator's
// question, the stored responses of an assessment, and the storing of a
// finished run. The project object implements it; it is the one way the run
// session reaches the project's data.
#pragma once

#include <cstdint>
#include <string>

#include "include/qel/DateTime.h"

namespace qel {

class CExpModelTask;
class CTaskRunData;

class IRunProject {
 public:
  virtual ~IRunProject() = default;

  // The project file's path; empty when none is open.
  virtual std::string GetPath() const = 0;

  // Reads the stored responses of parts first to last (1-based) of one
  // assessment of the task and sets the task's per-part trial counts and
  // dates from them. False when the read failed.
  virtual bool ReadResponses(const std::string& testeeCode, const std::string& modelName, CExpModelTask& task,
                             uint32_t assessment, int firstPart, int lastPart) = 0;

  // Stores the run of the task's current part and assessment: its response
  // arrays from the run data and its first variableCount variables, in one
  // transaction, as the logged-in user. userAdded tells whether that user
  // joined the project's users, newVariablesRow whether a new assessment row
  // was made. False (and nothing stored) when anything failed.
  virtual bool WriteResponses(const std::string& testeeCode, const std::string& modelName, CExpModelTask& task,
                              const CTaskRunData& runData, int variableCount, const QelDateTime& runDate,
                              bool* userAdded, bool* newVariablesRow) = 0;
};

}  // namespace qel
