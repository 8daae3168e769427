#include "tasks/tests/support/VariableChecks.h"

#include <gtest/gtest.h>

namespace qel {

namespace test {

const QelTesteeRecord kTestee{QelDateTime::FromDate(1960, 6, 1)};
const QelDateTime kTestDate = QelDateTime::FromDate(2010, 6, 1);

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

std::map<std::string, Norm> NormsFor(const LoadedTask& t, const std::map<std::string, Norm>& chosen) {
  std::map<std::string, Norm> norms = chosen;
  for (uint32_t n = 0; n < t.m_library.normVariableCount; ++n) {
    const char* name = t.m_library.normVariables[n].name;
    if (name) norms.emplace(name, Norm{100.0 + 37.0 * n, 3.0 + n});
  }
  return norms;
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

}  // namespace test

}  // namespace qel
