// Every committed trial list of the memory-search and focused-attention
// tasks, judged the way the tasks judge a display, against the balance the
// tasks ask for and the rules the lists are built by.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tasks/plugins/fa4l/Fa4lTrialLists.h"
#include "tasks/plugins/msl/MslTrialLists.h"
#include "tasks/plugins/mso1/Mso1TrialLists.h"

namespace qel {

namespace {

enum class Task { kMsl, kFa4l, kMso1 };

// The memory sets as the tasks store them.
constexpr char kMslSets[] = "k??j??g??kr?jm?gt?krsjmzgtv";  // entry p x 9 + v x 3, first p+1
constexpr char kFa4lSets[] = "c??x??m??jnsftzglv";          // entry p x 9 + v x 3; 1 letter, then 3
constexpr char kMso1Sets[] = "205040346125";                // entry (p x 3 + v) x 2, first p+1

std::string MemorySet(Task task, int v, int p) {
  switch (task) {
    case Task::kMsl:
      return std::string(kMslSets + p * 9 + v * 3, p + 1);
    case Task::kFa4l:
      return std::string(kFa4lSets + p * 9 + v * 3, p == 0 ? 1 : 3);
    case Task::kMso1:
      return std::string(kMso1Sets + (p * 3 + v) * 2, p + 1);
  }
  return "";
}

// Every letter any part of the version asks to remember: the letter tasks
// take their distractors from outside all of them.
std::string VersionItems(Task task, int v) {
  const int parts = task == Task::kMsl ? 3 : 2;
  std::string all;
  for (int p = 0; p < parts; ++p) all += MemorySet(task, v, p);
  return all;
}

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// How a display is judged.
struct Judgement {
  int category = 0;  // MSL: memory letters shown; FA4L: 2 relevant, 1 irrelevant only, 0 none; MSO1: 1 holds, 0 none
  bool target = false;
  int memoryShown = 0;
};

Judgement Judge(Task task, const std::string& memory, const std::string& code) {
  Judgement j;
  switch (task) {
    case Task::kMsl:  // pairs of a display letter (lower-cased) and a memory letter that are equal
      for (char c : code) j.memoryShown += static_cast<int>(std::count(memory.begin(), memory.end(), Lower(c)));
      j.category = j.memoryShown;
      j.target = j.memoryShown == static_cast<int>(memory.size());
      break;
    case Task::kFa4l: {  // positions 0 and 3 are relevant as stored
      bool anywhere = false, relevant = false;
      for (int i = 0; i < 4; ++i) {
        if (memory.find(Lower(code[i])) == std::string::npos) continue;
        ++j.memoryShown;
        anywhere = true;
        relevant = relevant || i == 0 || i == 3;
      }
      j.category = relevant ? 2 : anywhere ? 1 : 0;
      j.target = relevant;
      break;
    }
    case Task::kMso1:  // any picture equal to any memory picture
      for (char c : code) j.memoryShown += memory.find(c) != std::string::npos;
      j.category = j.memoryShown > 0 ? 1 : 0;
      j.target = j.memoryShown > 0;
      break;
  }
  return j;
}

// The positions on which a category lets a memory item stand.
std::vector<int> PositionsOf(Task task, int category) {
  if (task == Task::kFa4l) return category == 2 ? std::vector<int>{0, 3} : std::vector<int>{1, 2};
  return {0, 1, 2, 3};
}

bool SpreadAtMostOne(const std::array<int, 4>& counts, const std::vector<int>& positions) {
  int low = 1 << 30, high = -1;
  for (int i : positions) {
    low = std::min(low, counts[i]);
    high = std::max(high, counts[i]);
  }
  return high - low <= 1;
}

struct ListCase {
  Task task;
  int version;
  int part;
  bool practice;
  const char (*codes)[kTrialCodeSize];
  int length;
  std::map<int, int> expected;  // category -> count
};

void PrintTo(const ListCase& c, std::ostream* os) {
  *os << (c.task == Task::kMsl    ? "MSL"
          : c.task == Task::kFa4l ? "FA4L"
                                  : "MSO1")
      << " version " << c.version + 1 << " part " << c.part + 1 << (c.practice ? " practice" : " test");
}

std::vector<ListCase> AllLists() {
  std::vector<ListCase> cases;
  const std::map<int, int> msl[3] = {
      {{1, 20}, {0, 20}}, {{2, 36}, {1, 18}, {0, 18}}, {{3, 48}, {2, 16}, {1, 16}, {0, 16}}};
  const std::map<int, int> mslPractice[3] = {
      {{1, 6}, {0, 6}}, {{2, 6}, {1, 3}, {0, 3}}, {{3, 6}, {2, 2}, {1, 2}, {0, 2}}};
  const std::map<int, int> fa4l = {{2, 20}, {1, 10}, {0, 10}}, fa4lPractice = {{2, 6}, {1, 3}, {0, 3}};
  const std::map<int, int> mso1 = {{1, 20}, {0, 20}}, mso1Practice = {{1, 6}, {0, 6}};
  const int mslLengths[3] = {40, 72, 96};
  for (int v = 0; v < 3; ++v) {
    for (int p = 0; p < 3; ++p) {
      cases.push_back({Task::kMsl, v, p, true, qel::MslPracticeList(v, p), 12, mslPractice[p]});
      cases.push_back({Task::kMsl, v, p, false, qel::MslTestList(v, p), mslLengths[p], msl[p]});
    }
    for (int p = 0; p < 2; ++p) {
      cases.push_back({Task::kFa4l, v, p, true, qel::Fa4lPracticeList(v, p), 12, fa4lPractice});
      cases.push_back({Task::kFa4l, v, p, false, qel::Fa4lTestList(v, p), 40, fa4l});
      cases.push_back({Task::kMso1, v, p, true, qel::Mso1PracticeList(v, p), 12, mso1Practice});
      cases.push_back({Task::kMso1, v, p, false, qel::Mso1TestList(v, p), 40, mso1});
    }
  }
  return cases;
}

class TrialListBalance : public testing::TestWithParam<ListCase> {};

TEST_P(TrialListBalance, MeetsTheBalanceAndTheRulesOfItsTask) {
  const ListCase& c = GetParam();
  ASSERT_NE(c.codes, nullptr);
  const bool letters = c.task != Task::kMso1;
  const std::string memory = MemorySet(c.task, c.version, c.part);
  const std::string versionItems = VersionItems(c.task, c.version);

  std::map<int, int> categories;
  std::map<std::pair<int, char>, std::array<int, 4>> byCategory;  // (category, item) -> positions
  std::map<char, std::array<int, 4>> overList;                    // item -> positions
  std::map<std::string, int> subsets;                             // MSL: memory letters shown -> codes
  std::set<std::string> seen;
  int memoryCells = 0, memoryDegraded = 0, otherCells = 0, otherDegraded = 0;
  std::vector<bool> answers;

  for (int t = 0; t < c.length; ++t) {
    const char* slot = c.codes[t];
    SCOPED_TRACE("code " + std::to_string(t) + " \"" + std::string(slot, strnlen(slot, kTrialCodeSize)) + "\"");
    // Four characters, then nothing but NULs in the 17-byte slot.
    ASSERT_EQ(strnlen(slot, kTrialCodeSize), 4u);
    for (int i = 4; i < kTrialCodeSize; ++i) EXPECT_EQ(slot[i], '\0');
    const std::string code(slot, 4);

    std::string folded;
    for (char ch : code) folded += Lower(ch);
    EXPECT_TRUE(seen.insert(folded).second) << "code twice in the list";
    std::set<char> distinct(folded.begin(), folded.end());
    EXPECT_EQ(distinct.size(), 4u) << "a character twice in one code";

    for (int i = 0; i < 4; ++i) {
      const char ch = code[i];
      const bool isMemory = memory.find(letters ? Lower(ch) : ch) != std::string::npos;
      if (letters) {
        ASSERT_TRUE(std::isalpha(static_cast<unsigned char>(ch))) << "not a letter";
        EXPECT_EQ(std::string("aeiouy").find(Lower(ch)), std::string::npos) << "a vowel (mask)";
        const bool degraded = std::islower(static_cast<unsigned char>(ch)) != 0;
        (isMemory ? memoryCells : otherCells) += 1;
        (isMemory ? memoryDegraded : otherDegraded) += degraded;
      } else {
        EXPECT_TRUE(ch >= '1' && ch <= '6') << "not a picture number";
      }
      if (letters && !isMemory) {
        EXPECT_EQ(versionItems.find(Lower(ch)), std::string::npos) << "a distractor out of the version's memory sets";
      }
    }

    const Judgement j = Judge(c.task, memory, code);
    ++categories[j.category];
    answers.push_back(j.target);
    if (c.task != Task::kMsl) {
      EXPECT_LE(j.memoryShown, 1) << "more than one memory item";
    }
    std::string shown;
    for (int i = 0; i < 4; ++i) {
      const char item = letters ? Lower(code[i]) : code[i];
      if (memory.find(item) == std::string::npos) continue;
      shown += item;
      ++byCategory[{j.category, item}][i];
      ++overList[item][i];
    }
    std::sort(shown.begin(), shown.end());
    if (c.task == Task::kMsl) ++subsets[shown];
  }

  EXPECT_EQ(categories, c.expected);

  // Each memory item on each of its positions equally often, within one.
  for (const auto& [key, counts] : byCategory) {
    EXPECT_TRUE(SpreadAtMostOne(counts, PositionsOf(c.task, key.first)))
        << "item " << key.second << " in category " << key.first << ": " << counts[0] << " " << counts[1] << " "
        << counts[2] << " " << counts[3];
  }
  if (c.task != Task::kFa4l) {
    for (const auto& [item, counts] : overList) {
      EXPECT_TRUE(SpreadAtMostOne(counts, {0, 1, 2, 3}))
          << "item " << item << ": " << counts[0] << " " << counts[1] << " " << counts[2] << " " << counts[3];
    }
  }
  // Codes holding part of the memory set hold each subset of that size about equally often.
  if (c.task == Task::kMsl) {
    std::map<size_t, std::pair<int, int>> range;  // subset size -> lowest, highest count
    std::map<size_t, int> kinds;
    for (const auto& [subset, n] : subsets) {
      auto [it, fresh] = range.try_emplace(subset.size(), n, n);
      it->second.first = std::min(it->second.first, n);
      it->second.second = std::max(it->second.second, n);
      ++kinds[subset.size()];
    }
    for (const auto& [size, lowHigh] : range) {
      EXPECT_LE(lowHigh.second - lowHigh.first, 1) << "subsets of " << size;
      if (size > 0 && size < memory.size() && c.expected.at(static_cast<int>(size)) >= 3) {
        EXPECT_EQ(kinds[size], memory.size()) << "every subset of " << size << " letters appears";
      }
    }
  }

  // A quarter (rounded down) of the memory letters and of the distractors degraded.
  if (letters) {
    EXPECT_EQ(memoryDegraded, memoryCells / 4);
    EXPECT_EQ(otherDegraded, otherCells / 4);
  }

  // No more than four equal answers in a row; the focused-attention lists
  // are played round and round, so their runs also count across the end.
  const size_t n = answers.size();
  const size_t steps = c.task == Task::kFa4l ? 2 * n : n;
  int run = 0, longest = 0;
  for (size_t k = 0; k < steps; ++k) {
    run = k > 0 && answers[k % n] == answers[(k - 1) % n] ? run + 1 : 1;
    longest = std::max(longest, run);
  }
  EXPECT_LE(longest, 4);
}

INSTANTIATE_TEST_SUITE_P(AllLists, TrialListBalance, testing::ValuesIn(AllLists()),
                         [](const testing::TestParamInfo<ListCase>& info) {
                           const ListCase& c = info.param;
                           const char* task = c.task == Task::kMsl ? "Msl" : c.task == Task::kFa4l ? "Fa4l" : "Mso1";
                           return std::string(task) + "V" + std::to_string(c.version + 1) + "P" +
                                  std::to_string(c.part + 1) + (c.practice ? "Practice" : "Test");
                         });

TEST(TrialListTables, AccessorsAndLengthsMatchTheTables) {
  EXPECT_EQ(qel::MslTestList(0, 0), qel::kMslTestPart1[0]);
  EXPECT_EQ(qel::MslTestList(2, 1), qel::kMslTestPart2[2]);
  EXPECT_EQ(qel::MslTestList(1, 2), qel::kMslTestPart3[1]);
  EXPECT_EQ(qel::MslPracticeList(2, 2), qel::kMslPractice[2][2]);
  EXPECT_EQ(qel::Fa4lTestList(2, 1), qel::kFa4lTest[2][1]);
  EXPECT_EQ(qel::Mso1PracticeList(1, 0), qel::kMso1Practice[1][0]);
  for (auto [version, part] : {std::pair{-1, 0}, std::pair{3, 0}, std::pair{0, -1}}) {
    EXPECT_EQ(qel::MslTestList(version, part), nullptr);
    EXPECT_EQ(qel::MslPracticeList(version, part), nullptr);
    EXPECT_EQ(qel::Fa4lTestList(version, part), nullptr);
    EXPECT_EQ(qel::Mso1PracticeList(version, part), nullptr);
  }
  EXPECT_EQ(qel::MslTestList(0, 3), nullptr);
  EXPECT_EQ(qel::Fa4lTestList(0, 2), nullptr);
  EXPECT_EQ(qel::Mso1TestList(0, 2), nullptr);
  EXPECT_EQ(qel::MslTestLength(0), 40);
  EXPECT_EQ(qel::MslTestLength(1), 72);
  EXPECT_EQ(qel::MslTestLength(2), 96);
  EXPECT_EQ(qel::MslTestLength(3), 0);
  EXPECT_EQ(qel::Fa4lTestLength(1), 40);
  EXPECT_EQ(qel::Mso1TestLength(-1), 0);
  EXPECT_EQ(qel::kMslPracticeLength, 12);
  EXPECT_EQ(qel::kFa4lPracticeLength, 12);
  EXPECT_EQ(qel::kMso1PracticeLength, 12);
}

// The judging above, on the displays the tasks' own examples name.
TEST(TrialListJudging, FollowsTheTasksExamples) {
  EXPECT_TRUE(Judge(Task::kMsl, "kr", "KRJQ").target);
  EXPECT_TRUE(Judge(Task::kMsl, "kr", "RTHK").target);
  EXPECT_EQ(Judge(Task::kMsl, "kr", "CFRB").category, 1);
  EXPECT_FALSE(Judge(Task::kMsl, "kr", "CFRB").target);
  EXPECT_EQ(Judge(Task::kMsl, "k", "KBKD").category, 2);
  EXPECT_FALSE(Judge(Task::kMsl, "k", "KBKD").target);
  EXPECT_TRUE(Judge(Task::kFa4l, "c", "CRTB").target);
  EXPECT_TRUE(Judge(Task::kFa4l, "c", "SVZC").target);
  EXPECT_EQ(Judge(Task::kFa4l, "c", "KRCD").category, 1);
  EXPECT_FALSE(Judge(Task::kFa4l, "c", "KRCD").target);
  EXPECT_TRUE(Judge(Task::kMso1, "34", "4561").target);
  EXPECT_FALSE(Judge(Task::kMso1, "34", "1652").target);
  EXPECT_EQ(MemorySet(Task::kMsl, 1, 2), "jmz");
  EXPECT_EQ(MemorySet(Task::kFa4l, 2, 1), "glv");
  EXPECT_EQ(MemorySet(Task::kMso1, 1, 1), "61");
}

}  // namespace

}  // namespace qel
