#include "tools/triallists/TaskTrialLists.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

#include "tools/triallists/ChoiceTrialLists.h"
#include "tools/triallists/FaceTrialLists.h"
#include "tools/triallists/SeededDraw.h"
#include "tools/triallists/SpokenAnswerLists.h"
#include "tools/triallists/SustainedAttentionLists.h"
#include "tools/triallists/TrialListBuilder.h"
#include "tools/triallists/TrialListSpec.h"

namespace qel {

namespace triallists {
namespace {

constexpr char kConsonants[] = "BCDFGHJKLMNPQRSTVWXZ";
constexpr char kPictures[] = "123456";
constexpr uint8_t kAllPositions = 0xF;
constexpr uint8_t kRelevantPositions = 0x9;    // top left and bottom right
constexpr uint8_t kIrrelevantPositions = 0x6;  // top right and bottom left
constexpr int kPracticeLength = 12;

enum TaskNumber : uint32_t { kMsl = 1, kFa4l = 2, kMso1 = 3 };

// n trials split over `shares` kinds as evenly as possible; which kinds get
// the one extra trial is drawn.
std::vector<int> SplitEvenly(int n, int shares, SeededDraw& draw) {
  std::vector<int> counts(shares, n / shares);
  std::vector<int> order(shares);
  for (int i = 0; i < shares; ++i) order[i] = i;
  draw.Shuffle(order);
  for (int i = 0; i < n % shares; ++i) ++counts[order[i]];
  return counts;
}

// The subsets of `set` with `size` members, in lexicographic order.
std::vector<std::string> Subsets(const std::string& set, size_t size) {
  std::vector<std::string> subsets;
  const size_t n = set.size();
  for (uint32_t mask = 0; mask < (1u << n); ++mask) {
    std::string subset;
    for (size_t i = 0; i < n; ++i) {
      if (mask & (1u << i)) subset += set[i];
    }
    if (subset.size() == size) subsets.push_back(subset);
  }
  std::sort(subsets.begin(), subsets.end());
  return subsets;
}

std::string Without(const std::string& all, const std::string& removed) {
  std::string kept;
  for (char c : all) {
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (removed.find(lower) == std::string::npos) kept += c;
  }
  return kept;
}

// ---- Memory Search Letters ----------------------------------------------

const char* const kMslSets[3][3] = {{"k", "j", "g"}, {"kr", "jm", "gt"}, {"krs", "jmz", "gtv"}};  // [part][version]
const std::vector<int> kMslTestCounts[3] = {{20, 20}, {36, 18, 18}, {48, 16, 16, 16}};            // all, ..., none
const std::vector<int> kMslPracticeCounts[3] = {{6, 6}, {6, 3, 3}, {6, 2, 2, 2}};

CodeList MslList(int version, int part, bool practice) {
  const std::string memory = kMslSets[part][version];
  const std::vector<int>& counts = practice ? kMslPracticeCounts[part] : kMslTestCounts[part];
  TrialListSpec spec;
  spec.seed = ListSeed(kMsl, version, part, practice);
  spec.letters = true;
  spec.distractors = Without(kConsonants, kMslSets[2][version]);
  SeededDraw draw(spec.seed ^ 0xA5A5A5A5u);
  for (size_t k = 0; k < counts.size(); ++k) {
    const size_t held = memory.size() - k;
    const std::vector<std::string> subsets = Subsets(memory, held);
    const std::vector<int> split = SplitEvenly(counts[k], static_cast<int>(subsets.size()), draw);
    for (size_t s = 0; s < subsets.size(); ++s) {
      spec.kinds.push_back(
          TrialKind{static_cast<int>(held), subsets[s], kAllPositions, held == memory.size(), split[s]});
    }
  }
  return BuildTrialList(spec);
}

// ---- Focused Attention 4 letters ----------------------------------------

const char* const kFa4lSets[2][3] = {{"c", "x", "m"}, {"jns", "ftz", "glv"}};  // [part][version]

CodeList Fa4lList(int version, int part, bool practice) {
  const std::string memory = kFa4lSets[part][version];
  const int relevant = practice ? 6 : 20, irrelevant = practice ? 3 : 10, none = practice ? 3 : 10;
  TrialListSpec spec;
  spec.seed = ListSeed(kFa4l, version, part, practice);
  spec.letters = true;
  spec.cyclic = true;  // played round and round up to the part's trial count
  spec.distractors = Without(kConsonants, std::string(kFa4lSets[0][version]) + kFa4lSets[1][version]);
  SeededDraw draw(spec.seed ^ 0xA5A5A5A5u);
  const int shares = static_cast<int>(memory.size());
  const std::vector<int> onRelevant = SplitEvenly(relevant, shares, draw);
  const std::vector<int> onIrrelevant = SplitEvenly(irrelevant, shares, draw);
  for (int i = 0; i < shares; ++i) {
    spec.kinds.push_back(TrialKind{2, std::string(1, memory[i]), kRelevantPositions, true, onRelevant[i]});
    spec.kinds.push_back(TrialKind{1, std::string(1, memory[i]), kIrrelevantPositions, false, onIrrelevant[i]});
  }
  spec.kinds.push_back(TrialKind{0, "", kAllPositions, false, none});
  return BuildTrialList(spec);
}

// ---- Memory Search Objects 1 key ----------------------------------------

const char* const kMso1Sets[2][3] = {{"2", "5", "4"}, {"34", "61", "25"}};  // [part][version]

CodeList Mso1List(int version, int part, bool practice) {
  const std::string memory = kMso1Sets[part][version];
  const int holding = practice ? 6 : 20, none = practice ? 6 : 20;
  TrialListSpec spec;
  spec.seed = ListSeed(kMso1, version, part, practice);
  spec.distractors = Without(kPictures, memory);  // never a second memory picture
  SeededDraw draw(spec.seed ^ 0xA5A5A5A5u);
  const std::vector<int> split = SplitEvenly(holding, static_cast<int>(memory.size()), draw);
  for (size_t i = 0; i < memory.size(); ++i) {
    spec.kinds.push_back(TrialKind{1, std::string(1, memory[i]), kAllPositions, true, split[i]});
  }
  spec.kinds.push_back(TrialKind{0, "", kAllPositions, false, none});
  return BuildTrialList(spec);
}

}  // namespace

std::vector<TaskTrialLists> BuildAllTaskTrialLists() {
  std::vector<TaskTrialLists> tasks(3);

  TaskTrialLists& msl = tasks[0];
  msl.prefix = "Msl";
  msl.title = "Memory Search Letters";
  msl.folder = "msl";
  msl.versions = 3;
  msl.parts = 3;
  msl.practiceLength = kPracticeLength;
  msl.testLengths = {40, 72, 96};
  msl.description = {"Memory sets k / j / g, k r / j m / g t, k r s / j m z / g t v (versions 1 / 2 / 3).",
                     "Part 1: 20 codes with the memory letter, 20 without (practice 6 / 6).",
                     "Part 2: 36 codes with both letters, 18 with one, 18 with none (practice 6 / 3 / 3).",
                     "Part 3: 48 codes with all three letters, 16 with two, 16 with one, 16 with none",
                     "(practice 6 / 2 / 2 / 2). Codes with part of the set hold each subset about equally often."};
  FillLists(msl, MslList);

  TaskTrialLists& fa4l = tasks[1];
  fa4l.prefix = "Fa4l";
  fa4l.title = "Focused Attention 4 letters";
  fa4l.folder = "fa4l";
  fa4l.versions = 3;
  fa4l.parts = 2;
  fa4l.practiceLength = kPracticeLength;
  fa4l.testLengths = {40, 40};
  fa4l.description = {"Memory sets c / x / m and j n s / f t z / g l v (versions 1 / 2 / 3).",
                      "Per 40 codes: 20 with one memory letter on a relevant position (0 top left or",
                      "3 bottom right, as stored), 10 with one memory letter only on an irrelevant",
                      "position (1 or 2), 10 with none (practice 6 / 3 / 3). Never a second memory",
                      "letter in a code. The lists are played round and round: no run of more than",
                      "four equal answers across the end of a list either."};
  FillLists(fa4l, Fa4lList);

  TaskTrialLists& mso1 = tasks[2];
  mso1.prefix = "Mso1";
  mso1.title = "Memory Search Objects 1 key";
  mso1.folder = "mso1";
  mso1.versions = 3;
  mso1.parts = 2;
  mso1.practiceLength = kPracticeLength;
  mso1.testLengths = {40, 40};
  mso1.description = {"Pictures 1..6, memory sets 2 / 5 / 4 and 3 4 / 6 1 / 2 5 (versions 1 / 2 / 3).",
                      "Per 40 codes: 20 holding one memory picture, 20 holding none (practice 6 / 6);",
                      "never both pictures of a two-picture set, no picture twice in a code."};
  FillLists(mso1, Mso1List);

  for (TaskTrialLists& task : BuildFaceTaskTrialLists()) tasks.push_back(std::move(task));
  tasks.push_back(Sao2TrialLists());
  for (TaskTrialLists& task : BuildSpokenAnswerLists()) tasks.push_back(std::move(task));
  for (TaskTrialLists& task : BuildChoiceTaskTrialLists()) tasks.push_back(std::move(task));
  return tasks;
}

uint32_t ListSeed(uint32_t task, int version, int part, bool practice) {
  return 0x51A70000u + (task << 12) + (static_cast<uint32_t>(version) << 8) + (static_cast<uint32_t>(part) << 4) +
         (practice ? 1u : 0u);
}

void FillLists(TaskTrialLists& task, const std::function<CodeList(int, int, bool)>& build) {
  task.practice.assign(task.versions, std::vector<CodeList>(task.parts));
  task.test.assign(task.versions, std::vector<CodeList>(task.parts));
  for (int v = 0; v < task.versions; ++v) {
    for (int p = 0; p < task.parts; ++p) {
      try {
        task.practice[v][p] = build(v, p, true);
        task.test[v][p] = build(v, p, false);
      } catch (const std::runtime_error& e) {
        throw std::runtime_error(task.title + ", version " + std::to_string(v + 1) + ", part " + std::to_string(p + 1) +
                                 ": " + e.what());
      }
    }
  }
}

int PracticeLength(const TaskTrialLists& task, int part) {
  if (task.practiceLengths.empty()) return task.practiceLength;
  return (part >= 0 && static_cast<size_t>(part) < task.practiceLengths.size()) ? task.practiceLengths[part] : 0;
}

}  // namespace triallists

}  // namespace qel
