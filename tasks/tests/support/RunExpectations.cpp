#include "tasks/tests/support/RunExpectations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "include/qel/ModelTask.h"
#include "include/qel/TaskEntry.h"

namespace qel {

namespace test {

int Row(const LoadedTask& t, const std::string& code) {
  for (uint32_t i = 0; i < t.m_library.scoreVariableCount; ++i) {
    if (code == t.m_library.scoreVariables[i].code) return static_cast<int>(i);
  }
  return -1;
}

void ExpectValues(const LoadedTask& t, const std::vector<Expected>& expected) {
  for (const Expected& e : expected) {
    const int i = Row(t, e.code);
    ASSERT_GE(i, 0) << e.code;
    double value = 0.0;
    const bool valid = t.m_runData->GetValue(i, &value);
    if (e.value == kNoValue) {
      EXPECT_FALSE(valid) << e.code << " = " << value;
    } else {
      EXPECT_TRUE(valid) << e.code;
      EXPECT_NEAR(value, e.value, 1e-9) << e.code;
    }
  }
}

void ExpectPartEmpty(const LoadedTask& t, int part) {
  for (uint32_t i = 0; i < t.m_library.scoreVariableCount; ++i) {
    if (t.m_library.scoreVariables[i].part != part + 1) continue;
    double value = 0.0;
    EXPECT_FALSE(t.m_runData->GetValue(static_cast<int>(i), &value)) << t.m_library.scoreVariables[i].code;
  }
}

void AddNorms(LoadedTask& t, const std::map<std::string, Norm>& norms) {
  const std::string key = t.m_library.GetShortCode();
  for (const auto& [name, norm] : norms) {
    const double mean[] = {norm.mean, 0.0, 0.0, 0.0};
    const double sd[] = {norm.sd, 0.0, 0.0, 0.0};
    ASSERT_TRUE(t.m_library.AddNormFunction(key.c_str(), name.c_str(), 0, 0.0, 150.0, mean, 4));
    ASSERT_TRUE(t.m_library.AddNormFunction(key.c_str(), name.c_str(), 1, 0.0, 150.0, sd, 4));
  }
}

void ExpectZFromOwnNorms(const LoadedTask& t, const std::map<std::string, Norm>& norms) {
  for (uint32_t n = 0; n < t.m_library.normVariableCount; ++n) {
    const TaskNormVariable& row = t.m_library.normVariables[n];
    if (!row.name) continue;
    SCOPED_TRACE(row.name);
    double raw = 0.0;
    double z = 0.0;
    const bool rawValid = t.m_runData->GetValue(row.source, &raw);
    const bool zValid = t.m_runData->GetValue(row.id, &z);
    const auto it = norms.find(row.name);
    if (it == norms.end() || !rawValid) {
      EXPECT_FALSE(zValid);
      continue;
    }
    // Counts of errors (false alarms, misses) have an SD of at least 1.
    const int type = t.m_library.scoreVariables[row.source].VariableType();
    double sd = it->second.sd;
    if ((type == 4 || type == 5) && sd > 0.0 && sd < 1.0) sd = 1.0;
    ASSERT_TRUE(zValid);
    EXPECT_NEAR(z, (raw - it->second.mean) / sd, 1e-9);
  }
}

std::map<std::string, Norm> NormsFor(const LoadedTask& t, const std::map<std::string, Norm>& chosen) {
  std::map<std::string, Norm> norms = chosen;
  for (uint32_t n = 0; n < t.m_library.normVariableCount; ++n) {
    const char* name = t.m_library.normVariables[n].name;
    if (name) norms.emplace(name, Norm{100.0 + 37.0 * n, 3.0 + n});
  }
  return norms;
}

void ExpectNoZScores(const LoadedTask& t) {
  for (uint32_t n = 0; n < t.m_library.normVariableCount; ++n) {
    double z = 0.0;
    EXPECT_FALSE(t.m_runData->GetValue(t.m_library.normVariables[n].id, &z)) << t.m_library.normVariables[n].name;
  }
}

const QelTesteeRecord kTestee{QelDateTime::FromDate(1960, 6, 1)};
const QelDateTime kTestDate = QelDateTime::FromDate(2010, 6, 1);

void StoreTrials(LoadedTask& t, int part, const std::vector<StoredTrial>& trials) {
  t.m_runData->ClearPart(part);
  for (size_t i = 0; i < trials.size() && i < static_cast<size_t>(kMaxResponses); ++i) {
    t.m_runData->category[part][i] = trials[i].category;
    t.m_runData->taskCategory[part][i] = trials[i].taskCategory;
    t.m_runData->reactionTime[part][i] = trials[i].rt;
  }
  t.m_task.trialCounts[part] = static_cast<uint32_t>(trials.size());
}

int32_t ComputeVariables(LoadedTask& t, bool practice, const QelTesteeRecord* testee, const QelDateTime& testDate) {
  CTaskRunData& data = *t.m_runData;
  data.normTableSwitch = practice ? 1 : 0;
  data.testDate = testDate;
  data.testee = testee;
  data.resultWord = 0;
  data.ClearValues();
  int32_t v = -1;
  if (!t.m_library.CallTaskEntry(kCmdComputeVariables, reinterpret_cast<intptr_t>(&data), 0, 0, &v)) return -1;
  return v;
}

RtStats StatsOf(std::vector<double> v) {
  RtStats s;
  s.n = static_cast<double>(v.size());
  if (v.empty()) return s;
  double sum = 0, logs = 0;
  for (double x : v) {
    sum += x;
    logs += std::log(x);
  }
  s.mean = sum / s.n;
  s.logMean = logs / s.n;
  if (v.size() >= 2) {
    double squares = 0;
    for (double x : v) squares += (x - s.mean) * (x - s.mean);
    s.sd = std::sqrt(squares / (s.n - 1));
    std::sort(v.begin(), v.end());
    s.median = v[v.size() / 2];
  }
  if (v.size() >= 4) {
    const size_t k = v.size() / 4;
    double low = 0, high = 0;
    for (size_t i = 0; i < k; ++i) {
      low += v[i];
      high += v[v.size() - 1 - i];
    }
    s.lower = low / static_cast<double>(k);
    s.upper = high / static_cast<double>(k);
  }
  return s;
}

}  // namespace test

}  // namespace qel
