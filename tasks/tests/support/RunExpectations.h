// Checks of a loaded task's variables after command 29: values by code
// against hand-computed ones, parts left without values, and Z-scores
// against norm functions added to the task's library record.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tasks/tests/support/LoadedTask.h"

namespace qel {

namespace test {

struct Expected {
  const char* code;
  double value;  // 9999.0: no value
};

// The row of a variable code; -1 when the task has none.
int Row(const LoadedTask& t, const std::string& code);
void ExpectValues(const LoadedTask& t, const std::vector<Expected>& expected);
// Every row of a part (0-based) that was not run stays without a value.
void ExpectPartEmpty(const LoadedTask& t, int part);

// Norm functions of one Z variable at every age: mean and SD.
struct Norm {
  double mean;
  double sd;
};

void AddNorms(LoadedTask& t, const std::map<std::string, Norm>& norms);
// Distinct norms for every norm row, with a few chosen by hand.
std::map<std::string, Norm> NormsFor(const LoadedTask& t, const std::map<std::string, Norm>& chosen);
// Every norm row gives the Z of its own raw row with its own norms: norms
// that differ for every row show a getter that points at another row.
void ExpectZFromOwnNorms(const LoadedTask& t, const std::map<std::string, Norm>& norms);

}  // namespace test

}  // namespace qel
