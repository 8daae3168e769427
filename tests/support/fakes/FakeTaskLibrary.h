// A library record for tests: the fields a plug-in would publish, and a
// norm service that records every request and answers from a table of
// (entry, kind) -> value filled by the test, or every request with one
// value. Tests that run a scripted plug-in set `entry`.
#pragma once

#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "include/qel/ModelTask.h"
#include "include/qel/TaskLibraryInterface.h"

namespace qel {

class FakeTaskLibrary : public ITaskLibrary {
 public:
  struct Request {
    int n;
    double value;
    double age;
    int kind;
    bool floorAllowed;
  };

  void ResetNorms() override { m_norms.clear(); }
  bool LoadNorms(INormsProvider*, const char*) override { return false; }
  bool AddNormFunction(const char*, const char*, int, double, double, const double*, int) override { return false; }
  int FindNormFunction(const char*, const char*, int, double) const override { return -1; }
  bool GetVariableValue(int n, double* out, double value, double age, int kind, bool floorAllowed) override {
    m_requests.push_back({n, value, age, kind, floorAllowed});
    std::optional<double> answer = m_answerAll;
    const auto it = m_norms.find({n, kind});
    if (it != m_norms.end()) answer = it->second;
    if (answer && out) *out = *answer;
    if (!answer && out && !m_missingLeavesOut) *out = kNoValue;
    return answer.has_value();
  }
  bool ComputeNormZ(const char*, const char*, double* out, double, double, int, bool, bool) override {
    if (out && !m_missingLeavesOut) *out = kNoValue;
    return false;
  }

  std::map<std::pair<int, int>, double> m_norms;  // (entry, kind) -> answer
  std::optional<double> m_answerAll;              // the answer to requests the table does not hold
  // A request without an answer leaves *out as it was (to see that the
  // caller preset it); otherwise it gives kNoValue, as the program's record.
  bool m_missingLeavesOut = false;
  std::vector<Request> m_requests;
};

}  // namespace qel
