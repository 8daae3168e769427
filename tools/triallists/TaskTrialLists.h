// The trial lists of the memory-search and focused-attention tasks: for
// every version and part a practice list and a test list, built from the
// memory sets and the balance each task asks for.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qel {

namespace triallists {

using CodeList = std::vector<std::string>;

struct TaskTrialLists {
  std::string prefix;  // "Msl": names kMslPractice, MslTestList, ...
  std::string title;   // the task's name
  std::string folder;  // the task's folder under tasks/
  int versions = 0;
  int parts = 0;
  int practiceLength = 0;
  std::vector<int> practiceLengths;             // per part, when the parts' practice lists differ in length
  std::vector<int> testLengths;                 // per part
  std::vector<std::string> description;         // how the lists are balanced, one line each
  std::vector<std::vector<CodeList>> practice;  // [version][part]
  std::vector<std::vector<CodeList>> test;      // [version][part]
  // Further lists of a practice and of a test run (the host's second list),
  // each secondLength codes; none when secondLength is 0.
  int secondLength = 0;
  std::vector<std::vector<CodeList>> secondPractice;  // [version][part]
  std::vector<std::vector<CodeList>> secondTest;      // [version][part]
  // What the codes hold, one line each; empty: the four-position displays
  // of the memory-search tasks.
  std::vector<std::string> codeRules;
};

// The practice-list length of a part.
int PracticeLength(const TaskTrialLists& task, int part);

// One seed per task (a number of its own), version, part and list.
uint32_t ListSeed(uint32_t task, int version, int part, bool practice);

// The practice and the test list of every version and part of the task from
// build(version, part, practice); a list that cannot be built throws
// std::runtime_error naming the task, version and part.
void FillLists(TaskTrialLists& task, const std::function<CodeList(int, int, bool)>& build);

// "Memory Search Letters", "Focused Attention 4 letters" and "Memory Search
// Objects 1 key", then the lists of the other tasks (FaceTrialLists.h,
// SustainedAttentionLists.h, SpokenAnswerLists.h, ChoiceTrialLists.h), in
// that order. Throws std::runtime_error when a list cannot be built.
std::vector<TaskTrialLists> BuildAllTaskTrialLists();

}  // namespace triallists

}  // namespace qel
