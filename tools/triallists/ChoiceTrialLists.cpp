#include "tools/triallists/ChoiceTrialLists.h"

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>

#include "tools/triallists/SeededDraw.h"

namespace qel {

namespace triallists {
namespace {

constexpr int kOrderTries = 400000;
constexpr int kCodeTries = 1000;

enum TaskNumber : uint32_t { kFl = 4, kGac = 5, kFi = 6, kSsv = 7, kRoa = 8 };

CodeList Repeat(const std::vector<std::string>& kinds, int each) {
  CodeList codes;
  for (const std::string& kind : kinds) codes.insert(codes.end(), each, kind);
  return codes;
}

int LongestRun(const CodeList& codes, bool cyclic, const std::function<int(const std::string&)>& key) {
  const size_t n = codes.size();
  if (n == 0) return 0;
  int longest = 0, run = 0;
  const size_t steps = cyclic ? 2 * n : n;
  int previous = 0;
  for (size_t k = 0; k < steps; ++k) {
    const int value = key(codes[k % n]);
    run = (k > 0 && value == previous) ? run + 1 : 1;
    previous = value;
    longest = std::max(longest, run);
  }
  return longest;
}

bool Keeps(const CodeList& codes, const SequenceRules& rules, const std::map<std::string, int>& codeIds) {
  if (!rules.first.empty() && codes.front() != rules.first) return false;
  if (LongestRun(codes, rules.cyclic, rules.answer) > rules.maxAnswerRun) return false;
  if (LongestRun(codes, rules.cyclic, [&](const std::string& c) { return codeIds.at(c); }) > rules.maxCodeRun) {
    return false;
  }
  if (!rules.noRepeat.empty()) {
    if (codes.front() == rules.noRepeat) return false;
    for (size_t i = 1; i < codes.size(); ++i) {
      if (codes[i] == rules.noRepeat && codes[i - 1] == rules.noRepeat) return false;
    }
  }
  if (rules.step) {
    int position = rules.start;
    for (const std::string& code : codes) {
      position += rules.step(code);
      if (position < rules.low || position > rules.high) return false;
    }
  }
  return true;
}

// ---- Flanker ------------------------------------------------------------

// Odd codes ask for the left button, even ones for the right.
int FlankerButton(const std::string& code) { return (code[0] - '0') % 2; }

CodeList FlankerList(int version, int part, bool practice) {
  const std::vector<std::string> kinds =
      part == 0 ? std::vector<std::string>{"1", "2", "3", "4"} : std::vector<std::string>{"1", "2", "5", "6"};
  const int each = practice ? (part == 0 ? 2 : 3) : (part == 0 ? 10 : 20);
  SequenceRules rules;
  rules.seed = ListSeed(kFl, version, part, practice);
  rules.answer = FlankerButton;
  return OrderCodes(Repeat(kinds, each), rules);
}

// ---- Gaze-Arrow Cueing --------------------------------------------------

const char* const kGacPractice[] = {"aRR", "m20LL", "aLR", "w20RL", "aLL", "aRL", "c", "m10RR", "m10LR"};

// 1 ball left, 2 right, 3 none (catch trials: both buttons).
int GacButton(const std::string& code) {
  if (code == "c") return 3;
  return code.back() == 'L' ? 1 : 2;
}

CodeList GacList(int version, int, bool practice) {
  if (practice) return CodeList(std::begin(kGacPractice), std::end(kGacPractice));
  CodeList codes = Repeat({"aRR", "aRL", "aLL", "aLR"}, 12);
  codes.insert(codes.end(), 8, "c");
  // Every face with every cue and ball side, three times: valid and invalid
  // gaze cues equally often for each face.
  for (const char* face : {"m1", "m2", "w1", "w2"}) {
    for (const char* cueTarget : {"LL", "LR", "RL", "RR"}) {
      codes.insert(codes.end(), 3, std::string(face) + "0" + cueTarget);
    }
  }
  SequenceRules rules;
  rules.seed = ListSeed(kGac, version, 0, false);
  rules.answer = GacButton;
  rules.noRepeat = "c";
  return OrderCodes(codes, rules);
}

// ---- Feature Integration --------------------------------------------------

// The mixtures of a display: the target with three similar or three
// dissimilar patterns, four similar or four dissimilar ones.
enum Mixture { kTargetSimilar = 0, kTargetDissimilar, kAllSimilar, kAllDissimilar, kMixtures };

constexpr char kFiTargets[] = "ABC";
const char* const kFiFirst[3][2] = {{"PMRS", "FAJG"}, {"BKHF", "PMTN"}, {"SCNO", "FBLG"}};  // practice, test

std::string FiSimilar(char target) {
  std::string letters;
  for (char c = 'A'; c < 'M'; ++c) {
    if (c != target) letters += c;
  }
  return letters;
}

const std::string kFiDissimilar = "MNOPQRST";

Mixture MixtureOf(const std::string& code, char target) {
  int t = 0, similar = 0;
  for (char c : code) {
    if (c == target) ++t;
    else if (c < 'M') ++similar;
  }
  if (t == 1) return similar == 3 ? kTargetSimilar : kTargetDissimilar;
  return similar == 4 ? kAllSimilar : kAllDissimilar;
}

// The least used letters of the pool, ties broken by the draw.
std::string LeastUsed(const std::string& pool, const std::map<char, int>& uses, size_t n, SeededDraw& draw) {
  std::string letters = pool;
  draw.Shuffle(letters);
  std::stable_sort(letters.begin(), letters.end(), [&](char a, char b) { return uses.at(a) < uses.at(b); });
  return letters.substr(0, n);
}

CodeList FiList(int version, int, bool practice) {
  const char target = kFiTargets[version];
  const int length = practice ? 12 : 80;
  const std::string first = kFiFirst[version][practice ? 0 : 1];
  const std::string similar = FiSimilar(target);
  SeededDraw draw(ListSeed(kFi, version, 0, practice) ^ 0xA5A5A5A5u);

  std::map<char, int> uses;
  for (char c : similar + kFiDissimilar) uses[c] = 0;
  CodeList codes = {first};
  std::set<std::string> seen = {first};
  for (char c : first) {
    if (c != target) ++uses[c];
  }
  const size_t firstTarget = first.find(target);
  for (int m = 0; m < kMixtures; ++m) {
    // The target's position: every position equally often within a mixture
    // (within one), the first code's place counted too; it takes the first
    // position of the cycle.
    const bool holdsFirst = MixtureOf(first, target) == m;
    const int start = (holdsFirst && firstTarget != std::string::npos) ? static_cast<int>(firstTarget)
                                                                       : static_cast<int>(draw.Below(4));
    std::vector<int> positions;
    for (int i = 0; i < length / kMixtures; ++i) positions.push_back((start + i) % 4);
    if (holdsFirst) positions.erase(positions.begin());
    const int count = static_cast<int>(positions.size());
    draw.Shuffle(positions);
    const bool withTarget = m == kTargetSimilar || m == kTargetDissimilar;
    const std::string& pool = (m == kTargetSimilar || m == kAllSimilar) ? similar : kFiDissimilar;
    for (int i = 0; i < count; ++i) {
      std::string code;
      for (int tries = 0;; ++tries) {
        if (tries > kCodeTries) throw std::runtime_error("cannot draw a new feature display");
        std::string letters = LeastUsed(pool, uses, withTarget ? 3 : 4, draw);
        draw.Shuffle(letters);
        code = letters;
        if (withTarget) code.insert(code.begin() + positions[i], target);
        if (!seen.count(code)) break;
        // Another draw: shuffle the ties differently.
      }
      seen.insert(code);
      for (char c : code) {
        if (c != target) ++uses[c];
      }
      codes.push_back(code);
    }
  }
  SequenceRules rules;
  rules.seed = ListSeed(kFi, version, 0, practice);
  rules.answer = [target](const std::string& code) { return code.find(target) != std::string::npos ? 2 : 1; };
  rules.first = first;
  return OrderCodes(codes, rules);
}

// ---- Shifting Attentional Set Visual and Response Organization Arrows ----

// Both have three parts (compatible, incompatible, mixed) whose kinds come
// equally often.
struct CompatibilityTask {
  TaskNumber number;
  int practiceLengths[3];
  int testLengths[3];
  std::vector<std::string> kinds[3];
  int (*button)(const std::string&);
};

CodeList CompatibilityList(const CompatibilityTask& task, int version, int part, bool practice,
                           const SequenceRules& walk) {
  const int length = practice ? task.practiceLengths[part] : task.testLengths[part];
  SequenceRules rules = walk;
  rules.seed = ListSeed(task.number, version, part, practice);
  rules.answer = task.button;
  rules.maxCodeRun = 3;
  return OrderCodes(Repeat(task.kinds[part], length / static_cast<int>(task.kinds[part].size())), rules);
}

// The left button when the jump and the colour agree (CL, IR), the right one
// otherwise (CR, IL).
int SsvButton(const std::string& code) { return (code == "CL" || code == "IR") ? 1 : 2; }

const CompatibilityTask kSsvTask = {
    kSsv, {10, 10, 16}, {40, 40, 80}, {{"CL", "CR"}, {"IL", "IR"}, {"CL", "CR", "IL", "IR"}}, SsvButton};

CodeList SsvList(int version, int part, bool practice) {
  // The square starts on square 4 (6 in the mixed part) and never leaves the
  // row: as many jumps left as right, so the list played again starts over.
  SequenceRules walk;
  walk.step = [](const std::string& code) { return code[1] == 'R' ? 1 : -1; };
  walk.start = part == 2 ? 6 : 4;
  walk.low = 0;
  walk.high = 9;
  return CompatibilityList(kSsvTask, version, part, practice, walk);
}

// "L" and "r" ask for the left button, "R" and "l" for the right one.
int RoaButton(const std::string& code) { return (code == "L" || code == "r") ? 1 : 2; }

const CompatibilityTask kRoaTask = {
    kRoa, {8, 8, 16}, {48, 48, 96}, {{"L", "R"}, {"l", "r"}, {"L", "R", "l", "r"}}, RoaButton};

CodeList RoaList(int version, int part, bool practice) {
  return CompatibilityList(kRoaTask, version, part, practice, SequenceRules{});
}

}  // namespace

CodeList OrderCodes(CodeList codes, const SequenceRules& rules) {
  if (codes.empty()) return codes;
  std::map<std::string, int> codeIds;
  for (const std::string& code : codes) codeIds.emplace(code, static_cast<int>(codeIds.size()));
  SeededDraw draw(rules.seed);
  // A fixed first code stays in front; the others are shuffled behind it.
  const bool fixedFirst = !rules.first.empty();
  if (fixedFirst) {
    const auto it = std::find(codes.begin(), codes.end(), rules.first);
    if (it == codes.end()) throw std::runtime_error("the first code is not in the list");
    std::iter_swap(codes.begin(), it);
  }
  for (int tries = 0;; ++tries) {
    if (tries > kOrderTries) throw std::runtime_error("cannot order the list by its rules");
    if (fixedFirst) {
      CodeList rest(codes.begin() + 1, codes.end());
      draw.Shuffle(rest);
      std::copy(rest.begin(), rest.end(), codes.begin() + 1);
    } else {
      draw.Shuffle(codes);
    }
    if (Keeps(codes, rules, codeIds)) return codes;
  }
}

std::vector<TaskTrialLists> BuildChoiceTaskTrialLists() {
  std::vector<TaskTrialLists> tasks(5);

  TaskTrialLists& fl = tasks[0];
  fl.prefix = "Fl";
  fl.title = "Flanker";
  fl.folder = "fl";
  fl.versions = 3;
  fl.parts = 2;
  fl.practiceLengths = {8, 12};
  fl.testLengths = {40, 80};
  fl.description = {"Codes \"1\" to \"6\" (centre and flank colours: 1 and 2 compatible, 3 and 4",
                    "neutral, 5 and 6 incompatible; odd codes ask for the left button, even",
                    "ones for the right). Part 1: codes 1-4, each twice in practice and ten times",
                    "in the test; part 2: codes 1, 2, 5 and 6, each three and twenty times."};
  fl.codeRules = {"No code more than twice in a row and no more than four codes with the",
                  "same correct button in a row, also across the end of a list."};
  FillLists(fl, FlankerList);

  TaskTrialLists& gac = tasks[1];
  gac.prefix = "Gac";
  gac.title = "Gaze-Arrow Cueing";
  gac.folder = "gac";
  gac.versions = 3;
  gac.parts = 1;
  gac.practiceLengths = {9};
  gac.testLengths = {104};
  gac.description = {"Practice (every version): aRR, m20LL, aLR, w20RL, aLL, aRL, c, m10RR, m10LR.",
                     "Test: aRR, aRL, aLL and aLR 12 times each, the catch trial c 8 times, and",
                     "48 face codes: each of the faces m1, m2, w1, w2 with each cue (L, R) and",
                     "ball side (L, R) three times, written face, \"0\", cue, ball (m10LR)."};
  gac.codeRules = {"No code more than twice in a row, no two catch trials in a row nor one",
                   "first, and no more than four codes with the same correct answer in a",
                   "row, also across the end of the list."};
  FillLists(gac, GacList);

  TaskTrialLists& fi = tasks[2];
  fi.prefix = "Fi";
  fi.title = "Feature Integration";
  fi.folder = "fi";
  fi.versions = 3;
  fi.parts = 1;
  fi.practiceLengths = {12};
  fi.testLengths = {80};
  fi.description = {"Four patterns A-T per code, positions 0 top left, 1 top right, 2 bottom left,",
                    "3 bottom right; targets A / B / C (versions 1 / 2 / 3); similar patterns are",
                    "the other letters below M, dissimilar ones M-T. A quarter of the codes each:",
                    "the target with three similar patterns, the target with three dissimilar",
                    "ones, four similar, four dissimilar (practice 3 each of 12). The lists begin",
                    "with PMRS / FAJG, BKHF / PMTN, SCNO / FBLG (practice / test)."};
  fi.codeRules = {"The target stands on each position equally often (within one) per kind",
                  "of code; no letter twice in a code, no code twice in a list, the",
                  "distractor letters used about equally often, and no more than four",
                  "codes with the same correct answer in a row, also across the end."};
  FillLists(fi, FiList);

  TaskTrialLists& ssv = tasks[3];
  ssv.prefix = "Ssv";
  ssv.title = "Shifting Attentional Set Visual";
  ssv.folder = "ssv";
  ssv.versions = 3;
  ssv.parts = 3;
  ssv.practiceLengths = {10, 10, 16};
  ssv.testLengths = {40, 40, 80};
  ssv.description = {"Codes C (compatible colour) or I (incompatible colour), then the jump L or R.",
                     "Part 1: CL and CR; part 2: IL and IR; part 3: all four; each kind equally",
                     "often. CL and IR ask for the left button, CR and IL for the right."};
  ssv.codeRules = {"The square starts on square 4 (6 in part 3), jumps one square per code",
                   "and never leaves the row of ten (0-9); as many jumps left as right. No",
                   "code more than three times in a row and no more than four codes with the",
                   "same correct button in a row, also across the end of a list."};
  FillLists(ssv, SsvList);

  TaskTrialLists& roa = tasks[4];
  roa.prefix = "Roa";
  roa.title = "Response Organization Arrows";
  roa.folder = "roa";
  roa.versions = 3;
  roa.parts = 3;
  roa.practiceLengths = {8, 8, 16};
  roa.testLengths = {48, 48, 96};
  roa.description = {"Codes L and R (compatible arrow pointing left, right) and l and r",
                     "(incompatible arrow). Part 1: L and R; part 2: l and r; part 3: all four;",
                     "each kind equally often. L and r ask for the left button, R and l for the", "right."};
  roa.codeRules = {"No code more than three times in a row and no more than four codes with",
                   "the same correct button in a row, also across the end of a list."};
  FillLists(roa, RoaList);
  return tasks;
}

}  // namespace triallists

}  // namespace qel
