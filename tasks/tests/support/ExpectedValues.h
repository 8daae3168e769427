// Checking a loaded task's computed variables against values worked out by
// hand: rows by code, expected values (9999.0: no value), norm functions
// that are one constant mean and SD at every age, and the Z-score every
// norm row found by name must give.
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

// The row of a variable code in the loaded task's table; -1 when none.
int Row(const LoadedTask& t, const std::string& code);

// Every expected value is in the run data (to 1e-9), or has no value.
void ExpectValues(const LoadedTask& t, const std::vector<Expected>& expected);

// Every row of a part that was not run stays without a value.
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
// norms (counts of errors and misses with an SD of at least 1); rows
// without norms or without a raw value give no Z. Combined rows (no name)
// are left to the caller.
void ExpectZFromOwnNorms(const LoadedTask& t, const std::map<std::string, Norm>& norms);

// The statistics of a list of reaction times, worked out plainly as the
// eight rows of a category expect them: the SD over all values, the median
// the upper middle one, the quarter means over the quarter's own values;
// 9999.0 where there are too few values.
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
