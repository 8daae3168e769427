// The variable tables of the three tasks against what the compute-variables command writes:
// every part of every task holds trials of each of its categories (and of
// categories no row counts), every row's code is the one the category
// lists of its part ask for, in order, and every row's value is the
// statistic of its own category, worked out here from the trials.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "include/qel/TaskEntry.h"
#include "tasks/tests/support/LoadedTask.h"

namespace qel {

namespace {

using test::LoadedTask;

// The categories of one part: the full-statistics list, then the short list,
// as variable-code tokens.
struct PartLists {
  std::vector<std::string> full;
  std::vector<std::string> brief;
};

struct TaskLayout {
  const char* task;
  const char* suffix;
  std::vector<PartLists> parts;
  std::map<std::string, int32_t> categories;  // token -> task category
  std::vector<int32_t> defaultTrials;         // the norm trial count of each part
  // A category that no row counts.
  int32_t uncounted;
};

const TaskLayout kLayouts[] = {
    {"MSL",
     "_ms",
     {{{"h", "c0"}, {"m", "f0"}},
      {{"h", "c0", "c1"}, {"m", "f0", "f1"}},
      {{"h", "c0", "c1", "c2"}, {"m", "f0", "f1", "f2"}}},
     {{"h", 1}, {"c0", 10}, {"c1", 11}, {"c2", 12}, {"m", 4}, {"f0", 13}, {"f1", 14}, {"f2", 15}},
     {40, 72, 96},
     2},
    {"FA4L",
     "_l4",
     {{{"h", "cit", "crn"}, {"m", "fit", "frn"}}, {{"h", "cit", "crn"}, {"m", "fit", "frn"}}},
     {{"h", 1}, {"cit", 10}, {"crn", 11}, {"m", 4}, {"fit", 13}, {"frn", 14}},
     {80, 80},
     12},
    {"MSO1", "_mo1", {{{"h"}, {"m", "f"}}, {{"h"}, {"m", "f"}}}, {{"h", 1}, {"m", 4}, {"f", 3}}, {40, 40}, 2},
};

// The codes of the whole table, part after part.
std::vector<std::string> ExpectedCodes(const TaskLayout& l) {
  std::vector<std::string> codes;
  for (size_t p = 0; p < l.parts.size(); ++p) {
    const std::string part = std::to_string(p + 1) + l.suffix;
    codes.push_back("Ntot" + part);
    for (const std::string& c : l.parts[p].full) {
      for (const char* s : {"N", "T", "S", "M", "L", "U", "D", "Z"}) codes.push_back(s + c + part);
    }
    for (const std::string& c : l.parts[p].brief) {
      for (const char* s : {"N", "T", "Z"}) codes.push_back(s + c + part);
    }
    for (const char* s : {"No", "Np", "Ni"}) codes.push_back(s + part);
  }
  return codes;
}

// The statistics of a set of reaction times (all above 0).
struct Stats {
  double n, mean, sd, median, logMean, slowest, fastest;
};

Stats Of(std::vector<int32_t> x) {
  std::sort(x.begin(), x.end());
  const double n = static_cast<double>(x.size());
  double sum = 0.0, logs = 0.0;
  for (int32_t v : x) {
    sum += v;
    logs += std::log(static_cast<double>(v));
  }
  const double mean = sum / n;
  double squares = 0.0;
  for (int32_t v : x) squares += (v - mean) * (v - mean);
  const size_t q = x.size() / 4;
  double slow = 0.0, fast = 0.0;
  for (size_t i = 0; i < q; ++i) {
    fast += x[i];
    slow += x[x.size() - 1 - i];
  }
  return {n,
          mean,
          std::sqrt(squares / (n - 1)),
          static_cast<double>(x[x.size() / 2]),
          logs / n,
          slow / static_cast<double>(q),
          fast / static_cast<double>(q)};
}

// The host's category of a task category.
int32_t HostCategory(int32_t taskCategory) {
  if (taskCategory >= 10 && taskCategory <= 12) return kCatCorrectRejection;
  if (taskCategory >= 13 && taskCategory <= 15) return kCatFalseAlarm;
  return taskCategory;
}

class TaskVariables : public testing::TestWithParam<TaskLayout> {};

TEST_P(TaskVariables, EveryRowHoldsTheStatisticOfItsCategory) {
  const TaskLayout& l = GetParam();
  LoadedTask t(l.task);
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));

  const std::vector<std::string> codes = ExpectedCodes(l);
  ASSERT_EQ(t.m_library.scoreVariableCount, codes.size());
  for (size_t i = 0; i < codes.size(); ++i) {
    ASSERT_STREQ(t.m_library.scoreVariables[i].code, codes[i].c_str()) << "row " << i;
  }

  // Each part: 4, 5, 6, ... trials of its listed categories, 3 anticipations,
  // 2 omissions, 1 skipped trial, the rest up to the norm trial count of a
  // category no row counts; the trials of the categories interleaved.
  std::map<std::pair<int, int32_t>, std::vector<int32_t>> times;  // (part, category) -> RTs
  for (size_t p = 0; p < l.parts.size(); ++p) {
    std::vector<std::pair<int32_t, int>> counts;
    int total = 0;
    for (const auto* list : {&l.parts[p].full, &l.parts[p].brief}) {
      for (const std::string& c : *list) {
        counts.emplace_back(l.categories.at(c), 4 + static_cast<int>(counts.size()));
        total += counts.back().second;
      }
    }
    for (auto [category, count] : {std::pair{kCatAnticipation, 3}, {kCatOmission, 2}, {kCatSkipped, 1}}) {
      counts.emplace_back(category, count);
      total += count;
    }
    ASSERT_LT(total, l.defaultTrials[p]);
    counts.emplace_back(l.uncounted, l.defaultTrials[p] - total);
    int n = 0;
    for (int round = 0; n < l.defaultTrials[p]; ++round) {
      for (auto [category, count] : counts) {
        if (round >= count) continue;
        const bool timed = category != kCatOmission && category != kCatSkipped && category != kCatAnticipation;
        const int32_t rt = timed ? 300 + 7 * category + 13 * round + 50 * static_cast<int32_t>(p) : 0;
        t.m_runData->category[p][n] = HostCategory(category);
        t.m_runData->taskCategory[p][n] = category;
        t.m_runData->reactionTime[p][n] = rt;
        if (timed) times[{static_cast<int>(p), category}].push_back(rt);
        ++n;
      }
    }
    t.m_task.trialCounts[p] = static_cast<uint32_t>(n);
  }

  // Norms that differ for every Z row.
  std::map<std::string, std::pair<double, double>> norms;
  for (uint32_t i = 0; i < t.m_library.normVariableCount; ++i) {
    const std::string name = t.m_library.normVariables[i].name;
    const double mean[] = {100.0 + 37.0 * i, 0.0, 0.0, 0.0};
    const double sd[] = {3.0 + i, 0.0, 0.0, 0.0};
    ASSERT_TRUE(t.m_library.AddNormFunction(l.task, name.c_str(), kNormFunctionMean, 0.0, 150.0, mean, 4));
    ASSERT_TRUE(t.m_library.AddNormFunction(l.task, name.c_str(), kNormFunctionSd, 0.0, 150.0, sd, 4));
    norms[name] = {mean[0], sd[0]};
  }
  const QelTesteeRecord testee{QelDateTime::FromDate(1970, 3, 1)};
  t.m_runData->testee = &testee;
  t.m_runData->testDate = QelDateTime::FromDate(2012, 3, 1);
  t.m_runData->normTableSwitch = 0;
  t.m_runData->ClearValues();
  int32_t count = -1;
  ASSERT_TRUE(
      t.m_library.CallTaskEntry(kCmdComputeVariables, reinterpret_cast<intptr_t>(t.m_runData.get()), 0, 0, &count));
  EXPECT_EQ(count, static_cast<int32_t>(codes.size()));

  const bool omissionsCount = t.m_library.modelDefault->w.TaskType == kResponseTwoChoice;
  const size_t suffix = std::string(l.suffix).size();
  for (size_t i = 0; i < codes.size(); ++i) {
    const std::string& code = codes[i];
    SCOPED_TRACE(code);
    const int part = code[code.size() - suffix - 1] - '1';
    EXPECT_EQ(t.m_library.scoreVariables[i].part, part + 1);
    double value = 0.0;
    const bool valid = t.m_runData->GetValue(static_cast<int>(i), &value);
    const std::string head = code.substr(0, code.size() - suffix - 1);
    if (head == "Ntot") {
      EXPECT_TRUE(valid && value == l.defaultTrials[part]) << value;
      continue;
    }
    if (head == "No" || head == "Np" || head == "Ni") {
      const double want = head == "No" ? 2 : head == "Np" ? 3 : 1;
      EXPECT_EQ(valid, head != "No" || omissionsCount);
      if (valid) {
        EXPECT_EQ(value, want);
      }
      continue;
    }
    const std::string token = head.substr(1);
    const Stats s = Of(times.at({part, l.categories.at(token)}));
    const auto& partLists = l.parts[part];
    const bool full = std::find(partLists.full.begin(), partLists.full.end(), token) != partLists.full.end();
    double want = 0.0;
    switch (head[0]) {
      case 'N':
        want = s.n;
        break;
      case 'T':
        want = s.mean;
        break;
      case 'S':
        want = s.sd;
        break;
      case 'M':
        want = s.median;
        break;
      case 'L':
        want = s.logMean;
        break;
      case 'U':
        want = s.slowest;
        break;
      case 'D':
        want = s.fastest;
        break;
      case 'Z': {
        const auto [m, sd] = norms.at(code);
        want = ((full ? s.mean : s.n) - m) / sd;
        break;
      }
    }
    ASSERT_TRUE(valid);
    EXPECT_NEAR(value, want, 1e-9);
  }
}

INSTANTIATE_TEST_SUITE_P(All, TaskVariables, testing::ValuesIn(kLayouts),
                         [](const auto& info) { return std::string(info.param.task); });

}  // namespace

}  // namespace qel
