// The trial lists of the two-choice tasks: "Flanker", "Gaze-Arrow Cueing",
// "Feature Integration", "Shifting Attentional Set Visual" and "Response
// Organization Arrows", each code kind as often as the task asks, in an
// order drawn from a fixed seed under the task's sequence rules.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/triallists/TaskTrialLists.h"

namespace qel {

namespace triallists {

// How a list of given codes is put in order.
struct SequenceRules {
  uint32_t seed = 0;
  // The button a code asks for (any value; equal values count as one answer).
  std::function<int(const std::string&)> answer;
  int maxAnswerRun = 4;  // the same answer at most this often in a row
  int maxCodeRun = 2;    // the same code at most this often in a row
  bool cyclic = true;    // runs count across the list's end (lists are played round)
  std::string first;     // a code the list must begin with ("" any)
  // A walk over the list (the square of the shifting task): the position
  // after each code, which must stay within [low, high].
  std::function<int(const std::string&)> step;
  int start = 0;
  int low = 0;
  int high = 0;
  // Codes that may not follow each other ("c" after "c").
  std::string noRepeat;
};

// The codes in an order that keeps the rules. Throws std::runtime_error
// when no order is found.
CodeList OrderCodes(CodeList codes, const SequenceRules& rules);

// The five tasks in the order above.
std::vector<TaskTrialLists> BuildChoiceTaskTrialLists();

}  // namespace triallists

}  // namespace qel
