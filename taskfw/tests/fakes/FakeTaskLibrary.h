// A library record for tests: the norm service answers from a table of
// (entry, kind) -> value filled by the test and records every request.
#pragma once

#include <map>
#include <utility>
#include <vector>

#include "qel/ModelTask.h"
#include "qel/TaskLibraryInterface.h"

class FakeTaskLibrary final : public ITaskLibrary {
 public:
  struct Request {
    int n;
    double value;
    double age;
    int kind;
    bool floorAllowed;
  };

  void ResetNorms() override { norms.clear(); }
  bool LoadNorms(INormsProvider*, const char*) override { return false; }
  bool AddNormFunction(const char*, const char*, int, double, double, const double*, int) override {
    return false;
  }
  int FindNormFunction(const char*, const char*, int, double) const override { return -1; }
  bool GetVariableValue(int n, double* out, double value, double age, int kind, bool floorAllowed) override {
    requests.push_back({n, value, age, kind, floorAllowed});
    *out = kNoValue;
    const auto it = norms.find({n, kind});
    if (it == norms.end()) return false;
    *out = it->second;
    return true;
  }
  bool ComputeNormZ(const char*, const char*, double* out, double, double, int, bool, bool) override {
    *out = kNoValue;
    return false;
  }

  std::map<std::pair<int, int>, double> norms;  // (entry, kind) -> answer
  std::vector<Request> requests;
};
