#include "tools/triallists/SpokenAnswerLists.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>

#include "tools/triallists/SeededDraw.h"

namespace qel {

namespace triallists {
namespace {

constexpr int kOrderTries = 200000;
constexpr int kArithmeticVersions = 3;
constexpr int kArithmeticPractice = 4;
constexpr int kArithmeticTest = 32;
// No more than this many problems of one kind (or sentences of one emotion) in a row.
constexpr int kMaxKindRun = 3;

enum TaskNumber : uint32_t { kMam1 = 1, kMaa1 = 2, kMaa2 = 3, kPr = 4 };

// One seed per task, version and list.
uint32_t Seed(TaskNumber task, int version, bool practice) {
  return 0x5A0C0000u + (task << 12) + (static_cast<uint32_t>(version) << 8) + (practice ? 1u : 0u);
}

struct Problem {
  int a = 0;
  int b = 0;
  int kind = 0;
};

std::string Digits(int value, int width) {
  char text[8];
  std::snprintf(text, sizeof text, "%0*d", width, value);
  return text;
}

// Longest run of equal kinds.
int LongestRun(const std::vector<int>& kinds) {
  int longest = 0, run = 0;
  for (size_t i = 0; i < kinds.size(); ++i) {
    run = (i > 0 && kinds[i] == kinds[i - 1]) ? run + 1 : 1;
    longest = std::max(longest, run);
  }
  return longest;
}

// Shuffles until `fits` accepts the order.
template <class T>
void OrderUntil(std::vector<T>& items, SeededDraw& draw, const std::function<bool(const std::vector<T>&)>& fits) {
  for (int tries = 0;; ++tries) {
    if (tries == kOrderTries) throw std::runtime_error("cannot order the list within its rules");
    draw.Shuffle(items);
    if (fits(items)) return;
  }
}

// ---- Mental arithmetic -------------------------------------------------

// Multiplication: one-digit factors 2..9 ("1" and "0" make no problem).
std::vector<Problem> ProductPool(int kind) {
  std::vector<Problem> pool;
  for (int a = 2; a <= 9; ++a) {
    for (int b = 2; b <= 9; ++b) {
      if (ProductKind(a, b) == kind) pool.push_back({a, b, kind});
    }
  }
  return pool;
}

// Addition: two-digit operands 11..89 without a 0 in the units, never
// equal, whose sum lies in [low, high] (at most 99: the answer has two digits).
std::vector<Problem> SumPool(int kind, int low, int high) {
  std::vector<Problem> pool;
  for (int a = 11; a <= 89; ++a) {
    for (int b = 11; b <= 89; ++b) {
      if (a % 10 == 0 || b % 10 == 0 || a == b) continue;
      if (a + b < low || a + b > high || a + b > 99) continue;
      if (SumKind(a, b) == kind) pool.push_back({a, b, kind});
    }
  }
  return pool;
}

struct ArithmeticLists {
  CodeList practice;
  CodeList test;
};

// Twins are the same problem with the operands exchanged.
enum class Twins { kNever, kNotAdjacent };

bool AreTwins(const Problem& p, const Problem& q) { return p.a == q.b && p.b == q.a; }

// Draws perKind[k] problems of kind k for the test list and practiceEach[k]
// for the practice list; no problem twice in a version, and twins either
// never in one version or never one right after the other.
ArithmeticLists DrawArithmetic(const std::vector<std::vector<Problem>>& pools, const std::vector<int>& perKind,
                               const std::vector<int>& practiceEach, int digits, Twins twins, uint32_t seed) {
  SeededDraw draw(seed);
  std::set<std::pair<int, int>> used;
  std::vector<Problem> test, practice;
  const auto take = [&](int kind, int count, std::vector<Problem>& into) {
    std::vector<Problem> pool = pools[kind];
    draw.Shuffle(pool);
    int taken = 0;
    for (const Problem& p : pool) {
      if (taken == count) break;
      if (used.count({p.a, p.b}) || (twins == Twins::kNever && used.count({p.b, p.a}))) continue;
      used.insert({p.a, p.b});
      into.push_back(p);
      ++taken;
    }
    if (taken < count) throw std::runtime_error("too few problems of a kind");
  };
  for (size_t k = 0; k < pools.size(); ++k) take(static_cast<int>(k), perKind[k], test);
  for (size_t k = 0; k < pools.size(); ++k) take(static_cast<int>(k), practiceEach[k], practice);

  const auto fits = [](const std::vector<Problem>& list) {
    std::vector<int> kinds;
    for (const Problem& p : list) kinds.push_back(p.kind);
    for (size_t i = 1; i < list.size(); ++i) {
      if (AreTwins(list[i - 1], list[i])) return false;
    }
    return LongestRun(kinds) <= kMaxKindRun;
  };
  OrderUntil<Problem>(test, draw, fits);
  OrderUntil<Problem>(practice, draw, fits);

  ArithmeticLists lists;
  for (const Problem& p : test) lists.test.push_back(Digits(p.a, digits) + Digits(p.b, digits));
  for (const Problem& p : practice) lists.practice.push_back(Digits(p.a, digits) + Digits(p.b, digits));
  return lists;
}

TaskTrialLists ArithmeticTask(const std::string& prefix, const std::string& title, const std::string& folder,
                              const std::vector<std::string>& description, const std::vector<std::string>& rules) {
  TaskTrialLists task;
  task.prefix = prefix;
  task.title = title;
  task.folder = folder;
  task.versions = kArithmeticVersions;
  task.parts = 1;
  task.practiceLength = kArithmeticPractice;
  task.testLengths = {kArithmeticTest};
  task.description = description;
  task.codeRules = rules;
  task.practice.assign(task.versions, std::vector<CodeList>(1));
  task.test.assign(task.versions, std::vector<CodeList>(1));
  return task;
}

TaskTrialLists Multiplication() {
  TaskTrialLists task =
      ArithmeticTask("Mam1", "Mental Arithmetic Multiplication", "mam1",
                     {"Codes \"ab\": a x b with one-digit factors 2..9. Per version 16 products below 20",
                      "and 16 of 20 or more (practice 2 / 2)."},
                     {"No problem twice in a version, a problem never right after its twin (the",
                      "factors exchanged); no more than three problems of one kind in a row."});
  const std::vector<std::vector<Problem>> pools = {ProductPool(0), ProductPool(1)};
  for (int v = 0; v < task.versions; ++v) {
    ArithmeticLists lists = DrawArithmetic(pools, {16, 16}, {2, 2}, 1, Twins::kNotAdjacent, Seed(kMam1, v, false));
    task.test[v][0] = std::move(lists.test);
    task.practice[v][0] = std::move(lists.practice);
  }
  return task;
}

TaskTrialLists Addition(TaskNumber number, const std::string& prefix, const std::string& title,
                        const std::string& folder, int low, int high) {
  TaskTrialLists task =
      ArithmeticTask(prefix, title, folder,
                     {"Codes \"aabb\": aa + bb with two-digit operands 11..89, no 0 in the units, never",
                      "equal, sums " + std::to_string(low) + ".." + std::to_string(high) +
                          ". Per version 8 problems of each kind: no carry and",
                      "bb < aa, no carry and bb > aa, carry and bb < aa, carry and bb > aa (practice 1 of",
                      "each); a carry is a sum of the units above 9."},
                     {"No problem twice in a version and never a problem together with its twin",
                      "(the operands exchanged); no more than three problems of one kind in a row."});
  std::vector<std::vector<Problem>> pools;
  for (int k = 0; k < 4; ++k) pools.push_back(SumPool(k, low, high));
  for (int v = 0; v < task.versions; ++v) {
    ArithmeticLists lists = DrawArithmetic(pools, {8, 8, 8, 8}, {1, 1, 1, 1}, 2, Twins::kNever, Seed(number, v, false));
    task.test[v][0] = std::move(lists.test);
    task.practice[v][0] = std::move(lists.practice);
  }
  return task;
}

// ---- Prosody -----------------------------------------------------------

constexpr char kEmotionLetters[] = "HSAF";  // happy, sad, angry, frightened
constexpr int kEmotions = 4;
constexpr int kSentences = 12;
constexpr int kQuarter = kSentences;  // trials in a quarter of the test list
// The same sentence comes back after this many other trials at the least.
constexpr int kSentenceGap = 3;

struct Utterance {
  int emotion = 0;
  int sentence = 0;
};

std::string ProsodyCode(const Utterance& u) {
  return std::string(1, kEmotionLetters[u.emotion]) + Digits(u.sentence, 2);
}

bool ProsodyOrderFits(const std::vector<Utterance>& list) {
  std::vector<int> emotions;
  for (const Utterance& u : list) emotions.push_back(u.emotion);
  if (LongestRun(emotions) > kMaxKindRun - 1) return false;
  for (size_t i = 0; i < list.size(); ++i) {
    for (size_t j = i + 1; j < list.size() && j <= i + kSentenceGap; ++j) {
      if (list[i].sentence == list[j].sentence) return false;
    }
  }
  return true;
}

TaskTrialLists Prosody() {
  TaskTrialLists task;
  task.prefix = "Pr";
  task.title = "Prosody";
  task.folder = "pr";
  task.versions = 1;
  task.parts = 1;
  task.practiceLength = kEmotions;
  task.testLengths = {kEmotions * kSentences};
  task.description = {"Codes \"Enn\": an emotion letter (H happy, S sad, A angry, F frightened) and the",
                      "sentence number 00..11. The test list holds every sentence in every emotion once;",
                      "each quarter of 12 holds every sentence once and every emotion three times",
                      "(sentence s in quarter q is spoken in emotion (e(s) + q) mod 4, e giving every",
                      "emotion to three sentences). The practice list holds every emotion once, four",
                      "different sentences."};
  task.codeRules = {"No more than two sentences of one emotion in a row, and a sentence comes",
                    "back after three other trials at the least (across the quarters too)."};
  SeededDraw draw(Seed(kPr, 0, false));

  std::vector<int> first(kSentences);
  for (int s = 0; s < kSentences; ++s) first[s] = s % kEmotions;
  draw.Shuffle(first);
  std::vector<Utterance> test;
  for (int q = 0; q < kEmotions; ++q) {
    std::vector<Utterance> quarter;
    for (int s = 0; s < kSentences; ++s) quarter.push_back({(first[s] + q) % kEmotions, s});
    OrderUntil<Utterance>(quarter, draw, [&](const std::vector<Utterance>& candidate) {
      std::vector<Utterance> joined(test.end() - std::min<ptrdiff_t>(test.size(), kQuarter), test.end());
      joined.insert(joined.end(), candidate.begin(), candidate.end());
      return ProsodyOrderFits(joined);
    });
    test.insert(test.end(), quarter.begin(), quarter.end());
  }

  SeededDraw practiceDraw(Seed(kPr, 0, true));
  std::vector<int> sentences(kSentences);
  for (int s = 0; s < kSentences; ++s) sentences[s] = s;
  practiceDraw.Shuffle(sentences);
  std::vector<Utterance> practice;
  for (int e = 0; e < kEmotions; ++e) practice.push_back({e, sentences[e]});
  OrderUntil<Utterance>(practice, practiceDraw, ProsodyOrderFits);

  task.test = {{CodeList()}};
  task.practice = {{CodeList()}};
  for (const Utterance& u : test) task.test[0][0].push_back(ProsodyCode(u));
  for (const Utterance& u : practice) task.practice[0][0].push_back(ProsodyCode(u));
  return task;
}

}  // namespace

int ProductKind(int a, int b) { return a * b < 20 ? 0 : 1; }

int SumKind(int a, int b) {
  const bool carry = a % 10 + b % 10 > 9;
  return (carry ? 2 : 0) + (b < a ? 0 : 1);
}

std::vector<TaskTrialLists> BuildSpokenAnswerLists() {
  std::vector<TaskTrialLists> tasks;
  tasks.push_back(Multiplication());
  tasks.push_back(Addition(kMaa1, "Maa1", "Mental Arithmetic Addition Type 1", "maa1", 22, 59));
  tasks.push_back(Addition(kMaa2, "Maa2", "Mental Arithmetic Addition Type 2", "maa2", 61, 99));
  tasks.push_back(Prosody());
  return tasks;
}

}  // namespace triallists

}  // namespace qel
