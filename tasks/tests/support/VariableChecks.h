// Checks of the variables command 29 writes into the program's run data,
// and norms given to the program's library record, for the end-to-end task
// tests: values by code against hand-computed ones, the Z of every named
// norm row from its own norms.
#pragma once

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

// Every expected value (and every expected absence of one).
void ExpectValues(const LoadedTask& t, const std::vector<Expected>& expected);

// Every row of a part (0-based) that was not run stays without a value.
void ExpectPartEmpty(const LoadedTask& t, int part);

// Norm functions of one Z variable at every age: mean and SD.
struct Norm {
  double mean;
  double sd;
};

// Gives the record the norm functions, constant over all ages.
void AddNorms(LoadedTask& t, const std::map<std::string, Norm>& norms);

// Distinct norms for every named norm row, with a few chosen by hand.
std::map<std::string, Norm> NormsFor(const LoadedTask& t, const std::map<std::string, Norm>& chosen);

// Every named norm row gives the Z of its own raw row with its own norms
// (norms that differ for every row show a getter that points at another
// row); counts of errors get an SD of at least 1. Combined rows (no name)
// are left to the caller.
void ExpectZFromOwnNorms(const LoadedTask& t, const std::map<std::string, Norm>& norms);

// A testee 50 years old at the test date.
extern const QelTesteeRecord kTestee;
extern const QelDateTime kTestDate;

}  // namespace test

}  // namespace qel
