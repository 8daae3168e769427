// Checks of a loaded task's variables after command 29: values by code
// against hand-computed ones, parts left without values, Z-scores against
// norm functions added to the task's library record, and the statistics of
// a list of reaction times worked out plainly.
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
// Distinct norms for every norm row found by name, with a few chosen by hand.
std::map<std::string, Norm> NormsFor(const LoadedTask& t, const std::map<std::string, Norm>& chosen);
// Every norm row found by name gives the Z of its own raw row with its own
// norms: norms that differ for every row show a getter that points at
// another row. Combined rows (no name) are left to the caller.
void ExpectZFromOwnNorms(const LoadedTask& t, const std::map<std::string, Norm>& norms);

// The statistics of a list of reaction times as the eight rows of a
// category expect them: the SD over all values, the median the upper middle
// one, the quarter means over the quarter's own values; 9999.0 where there
// are too few values.
struct RtStats {
  double n = 0;
  double mean = kNoValue;
  double sd = kNoValue;
  double median = kNoValue;
  double logMean = kNoValue;
  double upper = kNoValue;  // mean of the slowest quarter
  double lower = kNoValue;  // mean of the fastest quarter
};
RtStats StatsOf(std::vector<double> values);

}  // namespace test

}  // namespace qel
