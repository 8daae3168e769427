#include "tools/triallists/FaceTrialLists.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

#include "tools/triallists/SeededDraw.h"
#include "tools/triallists/TrialListBuilder.h"
#include "tools/triallists/TrialListSpec.h"

namespace qel {

namespace triallists {
namespace {

constexpr int kPersons = 4;  // m1, m2, w1, w2
constexpr int kOrderTries = 200000;

enum FaceTask : uint32_t { kMfe8 = 4, kMfe6 = 5, kMfe4 = 6, kIfe = 7, kIae = 8 };
enum ListKind : uint32_t { kTestList = 0, kPracticeList = 1, kSecondTest = 2, kSecondPractice = 3 };

// One seed per task, part and list.
uint32_t Seed(FaceTask task, int part, ListKind list) {
  return 0xFACE0000u + (task << 12) + (static_cast<uint32_t>(part) << 4) + list;
}

struct Trial {
  std::string code;
  bool target = false;
};

// Puts the trials in an order with no more than kMaxRun equal answers in a
// row and never the same code twice in a row.
CodeList Ordered(std::vector<Trial> trials, SeededDraw& draw) {
  for (int tries = 0;; ++tries) {
    if (tries > kOrderTries) throw std::runtime_error("cannot order the list without long runs");
    draw.Shuffle(trials);
    std::vector<bool> targets;
    bool repeated = false;
    for (size_t i = 0; i < trials.size(); ++i) {
      targets.push_back(trials[i].target);
      if (i > 0 && trials[i].code == trials[i - 1].code) repeated = true;
    }
    if (!repeated && LongestRun(targets, false) <= kMaxRun) break;
  }
  CodeList codes;
  for (const Trial& trial : trials) codes.push_back(trial.code);
  return codes;
}

// 0..n-1 in a drawn order.
std::vector<int> Permutation(int n, SeededDraw& draw) {
  std::vector<int> order(n);
  for (int i = 0; i < n; ++i) order[i] = i;
  draw.Shuffle(order);
  return order;
}

// ---- Matching Facial Emotions -------------------------------------------

// The twelve ordered pairs of two different persons.
std::vector<std::pair<int, int>> PersonPairs() {
  std::vector<std::pair<int, int>> pairs;
  for (int a = 0; a < kPersons; ++a) {
    for (int b = 0; b < kPersons; ++b) {
      if (a != b) pairs.emplace_back(a, b);
    }
  }
  return pairs;
}

// How often each unordered pair of different emotions (a < b, 1-based) is
// shown so that every emotion is shown equally often: all pairs `base`
// times, and one more time the pairs of a ring through the emotions (every
// emotion in two of them) or of a matching (every emotion in one).
std::vector<std::pair<std::pair<int, int>, int>> DifferentPairCounts(int emotions, int pairs) {
  const int all = emotions * (emotions - 1) / 2;
  const int base = pairs / all;
  const int extra = pairs - base * all;
  if ((2 * extra) % emotions != 0) throw std::runtime_error("the emotions cannot be shown equally often");
  const int degree = 2 * extra / emotions;
  std::vector<std::pair<std::pair<int, int>, int>> counts;
  for (int a = 1; a <= emotions; ++a) {
    for (int b = a + 1; b <= emotions; ++b) {
      bool more = false;
      if (degree == 2) more = b == a + 1 || (a == 1 && b == emotions);
      else if (degree == 1) more = a % 2 == 1 && b == a + 1;
      else if (degree != 0) throw std::runtime_error("the emotions cannot be shown equally often");
      counts.push_back({{a, b}, base + (more ? 1 : 0)});
    }
  }
  return counts;
}

CodeList MfeList(FaceTask task, int emotions, int length, ListKind list) {
  SeededDraw draw(Seed(task, 0, list));
  const int half = length / 2;
  if (half % emotions != 0) throw std::runtime_error("same-emotion pairs cannot be split over the emotions");
  // Emotion pairs, left face first: each same pair half / emotions times,
  // each different pair shown both ways round in turn.
  std::vector<std::pair<int, int>> same, different;
  for (int e = 1; e <= emotions; ++e) {
    for (int k = 0; k < half / emotions; ++k) same.emplace_back(e, e);
  }
  for (const auto& [pair, count] : DifferentPairCounts(emotions, half)) {
    for (int k = 0; k < count; ++k) {
      different.push_back(k % 2 == 0 ? pair : std::make_pair(pair.second, pair.first));
    }
  }
  // Two different persons beside each other, the twelve ways in turn from a
  // drawn start, in each kind of pair.
  const std::vector<std::pair<int, int>> persons = PersonPairs();
  std::vector<Trial> trials;
  for (const auto* kind : {&same, &different}) {
    const std::vector<int> order = Permutation(static_cast<int>(persons.size()), draw);
    for (size_t i = 0; i < kind->size(); ++i) {
      const auto [left, right] = persons[order[i % order.size()]];
      const auto [e1, e2] = (*kind)[i];
      trials.push_back({FaceCodeOf(left, e1) + FaceCodeOf(right, e2), e1 == e2});
    }
  }
  return Ordered(std::move(trials), draw);
}

TaskTrialLists MfeTask(FaceTask task, int emotions, int practiceLength, int testLength) {
  TaskTrialLists lists;
  const std::string n = std::to_string(emotions);
  lists.prefix = "Mfe" + n;
  lists.title = "Matching Facial Emotions " + n;
  lists.folder = "mfe" + n;
  lists.versions = 1;
  lists.parts = 1;
  lists.practiceLength = practiceLength;
  lists.testLengths = {testLength};
  lists.description = {"Emotions 1.." + n + ". Half of each list are pairs of one emotion (" +
                           std::to_string(testLength / 2) + " of " + std::to_string(testLength) + ", practice " +
                           std::to_string(practiceLength / 2) + "),",
                       "each emotion equally often in them; every emotion is shown equally often over",
                       "both faces of the whole list, each pair of two emotions shown both ways round in turn."};
  lists.codeRules = {"Codes: two faces of three characters, sex (m, w), person (1, 2), emotion.",
                     "The two faces are always different persons, the twelve ordered pairs of",
                     "persons in turn within the same-emotion and the different-emotion pairs, so",
                     "men, women and mixed pairs alternate. No more than four codes with the same",
                     "correct answer in a row, never the same code twice in a row."};
  lists.practice = {{MfeList(task, emotions, practiceLength, kPracticeList)}};
  lists.test = {{MfeList(task, emotions, testLength, kTestList)}};
  return lists;
}

// ---- Identification of facial emotions ----------------------------------

// n values of `values`, each equally often and the rest spread over values
// in a drawn order.
std::vector<int> Spread(const std::vector<int>& values, int n, SeededDraw& draw) {
  std::vector<int> out;
  const std::vector<int> order = Permutation(static_cast<int>(values.size()), draw);
  for (int i = 0; i < n; ++i) out.push_back(values[order[i % values.size()]]);
  return out;
}

// A list of one part: `targets` faces of the part's emotion and as many of
// the other emotions; gazes (0 straight, 1 left, 2 right) as given per
// half; persons in turn.
CodeList IdentificationList(FaceTask task, int part, ListKind list, int emotions, int targets,
                            const std::vector<int>& gazes) {
  SeededDraw draw(Seed(task, part, list));
  const int target = part + 1;
  std::vector<int> others;
  for (int e = 0; e < emotions; ++e) {
    if (e != target) others.push_back(e);
  }
  std::vector<Trial> trials;
  for (bool isTarget : {true, false}) {
    std::vector<int> emotion = isTarget ? std::vector<int>(targets, target) : Spread(others, targets, draw);
    std::sort(emotion.begin(), emotion.end());
    // Persons in turn over each emotion, and the gazes over each person.
    const std::vector<int> personOrder = Permutation(kPersons, draw);
    std::vector<int> gaze = gazes;
    draw.Shuffle(gaze);
    for (int i = 0; i < targets; ++i) {
      const int person = personOrder[i % kPersons];
      trials.push_back({FaceCodeOf(person, emotion[i], gaze[i]), isTarget});
    }
  }
  return Ordered(std::move(trials), draw);
}

std::vector<int> Gazes(int straight, int left, int right) {
  std::vector<int> gazes(straight, 0);
  gazes.insert(gazes.end(), left, 1);
  gazes.insert(gazes.end(), right, 2);
  return gazes;
}

const char* const kEmotionNames[] = {"neutral", "happy",    "sad",   "angry",   "fear",
                                     "disgust", "surprise", "shame", "contempt"};

TaskTrialLists IdentificationTask(FaceTask task) {
  const bool averted = task == kIae;
  TaskTrialLists lists;
  lists.prefix = averted ? "Iae" : "Ife";
  lists.title = averted ? "Identification of Averted Facial Emotions" : "Identification Facial Emotions";
  lists.folder = averted ? "iae" : "ife";
  lists.versions = 1;
  lists.parts = averted ? 4 : 8;
  lists.practiceLength = 8;
  const int test = averted ? 64 : 40;
  lists.testLengths.assign(lists.parts, test);
  lists.secondLength = 4;
  const int emotions = averted ? 5 : 9;
  if (averted) {
    lists.description = {"Part p asks for emotion p (1 happy, 2 sad, 3 angry, 4 fear). Per 64 codes: 32 of",
                         "the part's emotion and 8 of each other emotion of 0..4 (neutral included); in each",
                         "half 16 straight, 8 averted left, 8 averted right (practice 4 + 4, each 2 / 1 / 1).",
                         "The further lists of a practice and a test run: 2 + 2 codes each."};
  } else {
    lists.description = {"Part p asks for emotion p (1 happy ... 8 contempt). Per 40 codes: 20 of the part's",
                         "emotion and 20 of the other eight emotions of 0..8 (neutral included), two or three",
                         "each (practice 4 + 4). The further lists of a practice and a test run: 2 + 2 codes each."};
  }
  lists.codeRules = {averted ? "Codes: sex (m, w), person (1, 2), emotion 0..4, then L or R for averted eyes."
                             : "Codes: sex (m, w), person (1, 2), emotion 0..8.",
                     "The four persons in turn within the part's emotion and within the others.",
                     "No more than four codes with the same correct answer in a row, never the same",
                     "code twice in a row."};
  const std::vector<int> testGazes = averted ? Gazes(16, 8, 8) : Gazes(test / 2, 0, 0);
  const std::vector<int> shortGazes = averted ? Gazes(2, 1, 1) : Gazes(4, 0, 0);
  const std::vector<int> secondGazes = averted ? Gazes(1, 1, 0) : Gazes(2, 0, 0);
  lists.practice.assign(1, std::vector<CodeList>(lists.parts));
  lists.test.assign(1, std::vector<CodeList>(lists.parts));
  lists.secondPractice.assign(1, std::vector<CodeList>(lists.parts));
  lists.secondTest.assign(1, std::vector<CodeList>(lists.parts));
  for (int p = 0; p < lists.parts; ++p) {
    try {
      lists.practice[0][p] = IdentificationList(task, p, kPracticeList, emotions, 4, shortGazes);
      lists.test[0][p] = IdentificationList(task, p, kTestList, emotions, test / 2, testGazes);
      lists.secondPractice[0][p] = IdentificationList(task, p, kSecondPractice, emotions, 2, secondGazes);
      lists.secondTest[0][p] = IdentificationList(task, p, kSecondTest, emotions, 2, secondGazes);
    } catch (const std::runtime_error& e) {
      throw std::runtime_error(lists.title + ", part " + kEmotionNames[p + 1] + ": " + e.what());
    }
  }
  return lists;
}

}  // namespace

std::string FaceCodeOf(int person, int emotion, int gaze) {
  std::string code;
  code += person < 2 ? 'm' : 'w';
  code += static_cast<char>('1' + person % 2);
  code += static_cast<char>('0' + emotion);
  if (gaze == 1) code += 'L';
  if (gaze == 2) code += 'R';
  return code;
}

std::vector<TaskTrialLists> BuildFaceTaskTrialLists() {
  std::vector<TaskTrialLists> tasks;
  tasks.push_back(MfeTask(kMfe8, 8, 16, 224));
  tasks.push_back(MfeTask(kMfe6, 6, 12, 192));
  tasks.push_back(MfeTask(kMfe4, 4, 8, 160));
  tasks.push_back(IdentificationTask(kIfe));
  tasks.push_back(IdentificationTask(kIae));
  return tasks;
}

}  // namespace triallists

}  // namespace qel
