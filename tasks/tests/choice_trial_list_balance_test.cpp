// Every committed trial list of the two-choice tasks (flanker, gaze-arrow
// cueing, feature integration, shifting set, response organization)
// against the balance the tasks ask for and the rules the lists are drawn
// by: how often each kind of code comes, which kinds a part may hold, runs
// of equal answers and codes (also across a list's end, as the lists are
// played round), the fixed first codes and the shifting square's walk.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tasks/plugins/fi/FiTrialLists.h"
#include "tasks/plugins/fl/FlTrialLists.h"
#include "tasks/plugins/gac/GacTrialLists.h"
#include "tasks/plugins/roa/RoaTrialLists.h"
#include "tasks/plugins/ssv/SsvTrialLists.h"

namespace qel {

namespace {

using List = std::vector<std::string>;

List Read(const char (*codes)[kTrialCodeSize], int length) {
  List list;
  for (int i = 0; codes && i < length; ++i) list.emplace_back(codes[i]);
  return list;
}

// The longest run of codes with the same key, counted round the list.
int LongestRun(const List& list, const std::function<std::string(const std::string&)>& key) {
  const size_t n = list.size();
  int longest = 0, run = 0;
  for (size_t k = 0; k < 2 * n; ++k) {
    run = (k > 0 && key(list[k % n]) == key(list[(k - 1) % n])) ? run + 1 : 1;
    longest = std::max(longest, run);
  }
  return longest;
}

std::string Same(const std::string& code) { return code; }

std::map<std::string, int> Counts(const List& list) {
  std::map<std::string, int> counts;
  for (const std::string& code : list) ++counts[code];
  return counts;
}

std::string Trace(int v, int p, bool practice) {
  return "version " + std::to_string(v + 1) + " part " + std::to_string(p + 1) + (practice ? " practice" : " test");
}

TEST(FlankerLists, EachCodeEquallyOftenAndOnlyThePartsKinds) {
  const auto button = [](const std::string& c) { return std::string((c[0] - '0') % 2 ? "left" : "right"); };
  for (int v = 0; v < kFlVersions; ++v) {
    for (int p = 0; p < kFlParts; ++p) {
      for (const bool practice : {true, false}) {
        SCOPED_TRACE(Trace(v, p, practice));
        const int length = practice ? FlPracticeLength(p) : FlTestLength(p);
        EXPECT_EQ(length, practice ? (p == 0 ? 8 : 12) : (p == 0 ? 40 : 80));
        const List list = Read(practice ? FlPracticeList(v, p) : FlTestList(v, p), length);
        // Part 1 compatible and neutral, part 2 compatible and incompatible.
        const std::map<std::string, int> expected =
            p == 0
                ? std::map<std::string, int>{{"1", length / 4}, {"2", length / 4}, {"3", length / 4}, {"4", length / 4}}
                : std::map<std::string, int>{
                      {"1", length / 4}, {"2", length / 4}, {"5", length / 4}, {"6", length / 4}};
        EXPECT_EQ(Counts(list), expected);
        EXPECT_LE(LongestRun(list, Same), 2);
        EXPECT_LE(LongestRun(list, button), 4);
      }
    }
  }
}

TEST(GazeCueingLists, PracticeFixedTestBalanced) {
  const List practice = {"aRR", "m20LL", "aLR", "w20RL", "aLL", "aRL", "c", "m10RR", "m10LR"};
  const auto answer = [](const std::string& c) { return c == "c" ? std::string("both") : c.substr(c.size() - 1); };
  for (int v = 0; v < kGacVersions; ++v) {
    SCOPED_TRACE(Trace(v, 0, false));
    EXPECT_EQ(Read(GacPracticeList(v, 0), kGacPracticeLength), practice);
    ASSERT_EQ(GacTestLength(0), 104);
    const List list = Read(GacTestList(v, 0), GacTestLength(0));
    std::map<std::string, int> counts = Counts(list);
    for (const char* arrow : {"aRR", "aRL", "aLL", "aLR"}) EXPECT_EQ(counts[arrow], 12) << arrow;
    EXPECT_EQ(counts["c"], 8);
    // Every face with every cue and ball side three times.
    for (const char* face : {"m1", "m2", "w1", "w2"}) {
      for (const char* cueBall : {"LL", "LR", "RL", "RR"}) {
        EXPECT_EQ(counts[std::string(face) + "0" + cueBall], 3) << face << cueBall;
      }
    }
    EXPECT_EQ(counts.size(), 4u + 1u + 16u);
    EXPECT_NE(list.front(), "c");
    for (size_t i = 1; i < list.size(); ++i) EXPECT_FALSE(list[i] == "c" && list[i - 1] == "c") << i;
    EXPECT_LE(LongestRun(list, Same), 2);
    EXPECT_LE(LongestRun(list, answer), 4);
  }
  // The versions differ in order only.
  EXPECT_NE(Read(GacTestList(0, 0), 104), Read(GacTestList(1, 0), 104));
}

// The feature displays: the target with three similar or three dissimilar
// patterns, four similar, four dissimilar, a quarter each.
TEST(FeatureLists, MixturesPositionsAndFirstCodes) {
  const char* const first[3][2] = {{"PMRS", "FAJG"}, {"BKHF", "PMTN"}, {"SCNO", "FBLG"}};
  for (int v = 0; v < kFiVersions; ++v) {
    const char target = "ABC"[v];
    for (const bool practice : {true, false}) {
      SCOPED_TRACE(Trace(v, 0, practice));
      const int length = practice ? kFiPracticeLength : FiTestLength(0);
      EXPECT_EQ(length, practice ? 12 : 80);
      const List list = Read(practice ? FiPracticeList(v, 0) : FiTestList(v, 0), length);
      ASSERT_EQ(static_cast<int>(list.size()), length);
      EXPECT_EQ(list.front(), first[v][practice ? 0 : 1]);
      std::map<std::string, int> mixtures;
      std::map<std::string, std::map<int, int>> positions;
      std::map<char, int> distractors;
      for (const std::string& code : list) {
        ASSERT_EQ(code.size(), 4u) << code;
        EXPECT_EQ(std::set<char>(code.begin(), code.end()).size(), 4u) << code << ": a letter twice";
        int t = 0, similar = 0, dissimilar = 0, at = -1;
        for (int i = 0; i < 4; ++i) {
          const char c = code[i];
          ASSERT_TRUE(c >= 'A' && c <= 'T') << code;
          if (c == target) {
            ++t;
            at = i;
          } else {
            ++distractors[c];
            ++(c < 'M' ? similar : dissimilar);
          }
        }
        const std::string mixture = t == 1 && similar == 3      ? "target similar"
                                    : t == 1 && dissimilar == 3 ? "target dissimilar"
                                    : t == 0 && similar == 4    ? "similar"
                                    : t == 0 && dissimilar == 4 ? "dissimilar"
                                                                : "mixed " + code;
        ++mixtures[mixture];
        if (at >= 0) ++positions[mixture][at];
      }
      EXPECT_EQ(mixtures, (std::map<std::string, int>{{"target similar", length / 4},
                                                      {"target dissimilar", length / 4},
                                                      {"similar", length / 4},
                                                      {"dissimilar", length / 4}}));
      for (const auto& [mixture, byPosition] : positions) {
        int low = length, high = 0;
        for (int i = 0; i < 4; ++i) {
          const auto it = byPosition.find(i);
          const int n = it == byPosition.end() ? 0 : it->second;
          low = std::min(low, n);
          high = std::max(high, n);
        }
        EXPECT_LE(high - low, 1) << mixture << ": the target on each position equally often";
      }
      EXPECT_EQ(Counts(list).size(), list.size()) << "no code twice";
      if (!practice) {
        // Every distractor letter of a kind about equally often.
        int low = length, high = 0;
        for (char c = 'M'; c <= 'T'; ++c) {
          low = std::min(low, distractors[c]);
          high = std::max(high, distractors[c]);
        }
        EXPECT_LE(high - low, 2) << "dissimilar letters";
      }
      EXPECT_LE(LongestRun(list, [&](const std::string& c) { return std::string(c.find(target) < 4 ? "yes" : "no"); }),
                4);
    }
  }
}

// The two tasks of three parts (compatible, incompatible, mixed): each
// kind of the part equally often; the lists of a task and their lengths.
struct CompatibilityLists {
  const char* name;
  int versions;
  int practiceLengths[3];
  int testLengths[3];
  std::vector<std::string> kinds[3];
  std::string (*button)(const std::string&);
  const char (*(*practice)(int, int))[kTrialCodeSize];
  const char (*(*test)(int, int))[kTrialCodeSize];
  int (*practiceLength)(int);
  int (*testLength)(int);
};

void ExpectBalanced(const CompatibilityLists& task, const std::function<void(int, const List&)>& more) {
  SCOPED_TRACE(task.name);
  for (int v = 0; v < task.versions; ++v) {
    for (int p = 0; p < 3; ++p) {
      for (const bool practice : {true, false}) {
        SCOPED_TRACE(Trace(v, p, practice));
        const int length = practice ? task.practiceLength(p) : task.testLength(p);
        EXPECT_EQ(length, practice ? task.practiceLengths[p] : task.testLengths[p]);
        const List list = Read(practice ? task.practice(v, p) : task.test(v, p), length);
        std::map<std::string, int> expected;
        for (const std::string& k : task.kinds[p]) expected[k] = length / static_cast<int>(task.kinds[p].size());
        EXPECT_EQ(Counts(list), expected);
        EXPECT_LE(LongestRun(list, Same), 3);
        EXPECT_LE(LongestRun(list, task.button), 4);
        more(p, list);
      }
    }
  }
}

std::string ShiftingButton(const std::string& c) { return c == "CL" || c == "IR" ? "left" : "right"; }
std::string ArrowButton(const std::string& c) { return c == "L" || c == "r" ? "left" : "right"; }

TEST(CompatibilityLists, KindsBalancedAndTheSquareStaysInTheRow) {
  const CompatibilityLists shifting = {"shifting set",
                                       kSsvVersions,
                                       {10, 10, 16},
                                       {40, 40, 80},
                                       {{"CL", "CR"}, {"IL", "IR"}, {"CL", "CR", "IL", "IR"}},
                                       ShiftingButton,
                                       SsvPracticeList,
                                       SsvTestList,
                                       SsvPracticeLength,
                                       SsvTestLength};
  ExpectBalanced(shifting, [](int p, const List& list) {
    int position = p == 2 ? 6 : 4;
    for (const std::string& code : list) {
      position += code[1] == 'R' ? 1 : -1;
      EXPECT_GE(position, 0);
      EXPECT_LE(position, 9);
    }
    EXPECT_EQ(position, p == 2 ? 6 : 4) << "back at the start: the list may be played again";
  });
  const CompatibilityLists arrows = {"response organization",
                                     kRoaVersions,
                                     {8, 8, 16},
                                     {48, 48, 96},
                                     {{"L", "R"}, {"l", "r"}, {"L", "R", "l", "r"}},
                                     ArrowButton,
                                     RoaPracticeList,
                                     RoaTestList,
                                     RoaPracticeLength,
                                     RoaTestLength};
  ExpectBalanced(arrows, [](int, const List&) {});
}

}  // namespace

}  // namespace qel
