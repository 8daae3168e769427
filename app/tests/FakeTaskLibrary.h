// A plug-in library record for tests: the fields a plug-in would publish
// and a norm service that records its calls.
#pragma once

#include <string>
#include <vector>

#include "qel/TaskLibraryInterface.h"

class FakeTaskLibrary : public ITaskLibrary {
 public:
  FakeTaskLibrary() = default;
  ~FakeTaskLibrary() = default;

  struct ValueCall {
    int n;
    double value;
    double age;
    int kind;
    bool floor;
  };
  std::vector<ValueCall> valueCalls;
  bool valueAnswer = true;
  double valueResult = 1.5;

  void ResetNorms() override {}
  bool LoadNorms(INormsProvider*, const char*) override { return false; }
  bool AddNormFunction(const char*, const char*, int, double, double, const double*, int) override {
    return false;
  }
  int FindNormFunction(const char*, const char*, int, double) const override { return -1; }
  bool GetVariableValue(int n, double* out, double value, double age, int kind, bool floor) override {
    valueCalls.push_back({n, value, age, kind, floor});
    if (valueAnswer) *out = valueResult;
    return valueAnswer;
  }
  bool ComputeNormZ(const char*, const char*, double*, double, double, int, bool, bool) override {
    return false;
  }
};
