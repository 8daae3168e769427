#include "tools/triallists/SustainedAttentionLists.h"

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/triallists/SeededDraw.h"
#include "tools/triallists/TrialListSpec.h"

namespace qel {

namespace triallists {
namespace {

// The target animal of each version (5 bee, 6 bird, 4 butterfly); the
// other animals of every version are 1 cat, 2 fish and 3 snail.
constexpr char kTargets[] = "564";
constexpr char kOthers[] = "123";
constexpr char kWindows[] = "123";  // the three windows of the house's upper part and sides
constexpr int kBlock = 12;          // one series: 6 targets, each other animal twice
constexpr int kPracticeLength = 24;
constexpr int kTestLength = 240;
constexpr int kOrderTries = 200000;

uint32_t Seed(int version, bool practice) {
  return 0x5A020000u + (static_cast<uint32_t>(version) << 8) + (practice ? 1u : 0u);
}

bool IsTarget(const std::string& code, char target) { return code[0] == target; }

// The order rules between a code and the one before it: never the same
// window twice in a row (so never the same code), and no more than kMaxRun
// codes with the same answer in a row; `run` is the length of the run the
// previous code ends.
bool Follows(const std::string& previous, int run, const std::string& code, char target) {
  if (previous.empty()) return true;
  if (code[1] == previous[1]) return false;
  return IsTarget(code, target) != IsTarget(previous, target) || run < kMaxRun;
}

// The twelve codes of a block: the target twice in each window, and each
// other animal in the two windows other than skip[animal].
std::vector<std::string> BlockCodes(char target, const std::array<int, 3>& skip) {
  std::vector<std::string> codes;
  for (char w : kWindows) {
    if (w == '\0') break;
    codes.push_back({target, w});
    codes.push_back({target, w});
  }
  for (int a = 0; a < 3; ++a) {
    for (int w = 0; w < 3; ++w) {
      if (w != skip[a]) codes.push_back({kOthers[a], kWindows[w]});
    }
  }
  return codes;
}

// The block in an order that follows the list so far (and, for a list
// played round and round, leads back into its first code).
std::vector<std::string> OrderBlock(std::vector<std::string> codes, const std::vector<std::string>& list,
                                    bool closesCycle, char target, SeededDraw& draw) {
  for (int attempt = 0; attempt < kOrderTries; ++attempt) {
    draw.Shuffle(codes);
    std::string previous = list.empty() ? std::string() : list.back();
    int run = 0;
    for (auto it = list.rbegin(); it != list.rend() && IsTarget(*it, target) == IsTarget(previous, target); ++it) ++run;
    bool ok = true;
    for (const std::string& code : codes) {
      if (!Follows(previous, run, code, target)) {
        ok = false;
        break;
      }
      run = !previous.empty() && IsTarget(code, target) == IsTarget(previous, target) ? run + 1 : 1;
      previous = code;
    }
    if (ok && closesCycle && !list.empty()) {
      // Round the end: the first codes continue the run of the last ones.
      int lead = 0;
      while (lead < static_cast<int>(list.size()) && IsTarget(list[lead], target) == IsTarget(previous, target)) ++lead;
      ok = list.front()[1] != previous[1] &&
           (IsTarget(list.front(), target) != IsTarget(previous, target) || run + lead <= kMaxRun);
    }
    if (ok) return codes;
  }
  throw std::runtime_error("no order of a block meets the rules");
}

CodeList Sao2List(int version, bool practice) {
  const char target = kTargets[version];
  const int length = practice ? kPracticeLength : kTestLength;
  SeededDraw draw(Seed(version, practice));
  // The window each other animal leaves out, one of the six permutations
  // per block, all six before any comes again: first the three of one kind
  // (the turns of 0 1 2, or those of 0 2 1), then the three of the other,
  // each three in a drawn order. Any three of one kind leave each animal out
  // of each window once, so over the list, wherever it ends, each other
  // animal stands in each window equally often, within one.
  std::array<std::array<int, 3>, 3> turns[2] = {{{{0, 1, 2}, {1, 2, 0}, {2, 0, 1}}},
                                                {{{0, 2, 1}, {2, 1, 0}, {1, 0, 2}}}};
  std::vector<std::array<int, 3>> permutations;
  CodeList list;
  for (int block = 0; block < length / kBlock; ++block) {
    if (block % 6 == 0) {
      const uint32_t first = draw.Below(2);
      draw.Shuffle(turns[0]);
      draw.Shuffle(turns[1]);
      permutations.assign(turns[first].begin(), turns[first].end());
      permutations.insert(permutations.end(), turns[1 - first].begin(), turns[1 - first].end());
    }
    const bool last = block + 1 == length / kBlock;
    const auto codes = OrderBlock(BlockCodes(target, permutations[block % 6]), list, last && !practice, target, draw);
    list.insert(list.end(), codes.begin(), codes.end());
  }
  return list;
}

}  // namespace

TaskTrialLists Sao2TrialLists() {
  TaskTrialLists sao2;
  sao2.prefix = "Sao2";
  sao2.title = "Sustained Attention Objects 2 keys";
  sao2.folder = "sao2";
  sao2.versions = 3;
  sao2.parts = 1;
  sao2.practiceLength = kPracticeLength;
  sao2.testLengths = {kTestLength};
  sao2.description = {
      "Targets 5 / 6 / 4 (versions 1 / 2 / 3). Every block of 12 codes (one series)",
      "holds the target twice in each window and each of cat, fish and snail twice,",
      "in two different windows; over the list each of them stands in each window",
      "equally often (within one). No window twice in a row and no more than four",
      "codes with the same answer in a row, in the test lists also round their end",
      "(they are played again for longer runs).",
  };
  sao2.codeRules = {
      "Codes: two characters, the animal '1'..'6' (1 cat, 2 fish, 3 snail,",
      "4 butterfly, 5 bee, 6 bird), then the window of the house '1'..'3'.",
  };
  sao2.practice.assign(3, std::vector<CodeList>(1));
  sao2.test.assign(3, std::vector<CodeList>(1));
  for (int v = 0; v < 3; ++v) {
    sao2.practice[v][0] = Sao2List(v, true);
    sao2.test[v][0] = Sao2List(v, false);
  }
  return sao2;
}

}  // namespace triallists

}  // namespace qel
