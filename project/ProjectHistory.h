// The stored history of an audited (CFR) project as the history lists read
// it: the kept versions of testee rows, response rows and score rows, read
// from the file (the cache holds only their count and dates). The project
// object implements it; a plain project keeps no history and answers 0 rows.
//
// Each read empties the lists it is given (any may be null) and appends one
// entry per kept row; the result is the number of rows, -1 when the file
// cannot be read.
//
// Thread contract: the user-interface thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "include/qel/DateTime.h"

namespace qel {

struct CTesteeFilter;

class IProjectHistory {
 public:
  // Kept testee rows that pass the filter (all for none), sorted by testee,
  // date and sequence; flags is false for every row.
  virtual int ReadTesteeHistory(const CTesteeFilter* filter, std::vector<std::string>* testees,
                                std::vector<std::string>* codes, std::vector<std::string>* firstNames,
                                std::vector<std::string>* surnames, std::vector<QelDateTime>* birthDates,
                                std::vector<std::string>* preferenceTexts, std::vector<std::string>* users,
                                std::vector<QelDateTime>* dates, std::vector<bool>* flags) = 0;
  // Kept response rows of the testee, model and task (an empty text: any).
  virtual int ReadResponseHistory(const std::string& testee, const std::string& model, const std::string& task,
                                  std::vector<uint32_t>* assessments, std::vector<int32_t>* parts,
                                  std::vector<QelDateTime>* partDates, std::vector<int32_t>* responseCounts,
                                  std::vector<std::string>* users, std::vector<std::string>* testees,
                                  std::vector<std::string>* models, std::vector<std::string>* tasks) = 0;
  // Kept score rows of the testee, model and task (an empty text: any);
  // flags (outdated) is false for every row.
  virtual int ReadVariableHistory(const std::string& testee, const std::string& model, const std::string& task,
                                  std::vector<uint32_t>* assessments, std::vector<QelDateTime>* assessmentDates,
                                  std::vector<bool>* flags, std::vector<int32_t>* variableCounts,
                                  std::vector<std::string>* users, std::vector<QelDateTime>* dates,
                                  std::vector<std::string>* testees, std::vector<std::string>* models,
                                  std::vector<std::string>* tasks, std::vector<int64_t>* versions = nullptr) = 0;

 protected:
  ~IProjectHistory() = default;
};

}  // namespace qel
