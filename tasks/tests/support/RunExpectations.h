// Checks of a loaded task's variables after command 29: values by code
// against hand-computed ones, parts left without values, Z-scores against
// norm functions added to the task's library record, trials stored as a run
// leaves them and the compute-variables command over them, and the
// statistics of a list of reaction times worked out plainly.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "include/qel/DateTime.h"
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
// No norm row has a Z-score.
void ExpectNoZScores(const LoadedTask& t);

// A testee of 50 at the test date.
extern const QelTesteeRecord kTestee;
extern const QelDateTime kTestDate;

// One stored trial of a part: the run engine's category, the task's
// category after its reclassification, the reaction time.
struct StoredTrial {
  int32_t category;
  int32_t taskCategory;
  int32_t rt;
};
// The part's trials as a run would leave them (and its stored trial count).
void StoreTrials(LoadedTask& t, int part, const std::vector<StoredTrial>& trials);
// The end of a run: norm switch, test date, testee, cleared values, then
// command 29; its value (-1 when refused).
int32_t ComputeVariables(LoadedTask& t, bool practice, const QelTesteeRecord* testee,
                         const QelDateTime& testDate = kTestDate);

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
