// What one trial list must hold: kinds of trials with their counts, the
// characters that fill the other positions, and how the list is used.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qel {

namespace triallists {

struct TrialKind {
  int category = 0;       // the balance class the kind counts to
  std::string items;      // memory items the code holds, each once (letters in lower case)
  uint8_t positions = 0;  // bit i set: the items may stand on position i
  bool target = false;    // the correct answer is the yes-key
  int count = 0;
};

struct TrialListSpec {
  uint32_t seed = 0;
  std::vector<TrialKind> kinds;
  std::string distractors;  // characters for the positions no memory item takes
  bool letters = false;     // letters: upper case intact, a quarter made lower case (degraded)
  bool cyclic = false;      // the list is played round and round: runs count across its end
};

// Codes of four characters, position 0 top left, 1 top right, 2 bottom
// left, 3 bottom right.
inline constexpr int kCodeLength = 4;

// The longest run of trials with the same correct answer.
inline constexpr int kMaxRun = 4;

}  // namespace triallists

}  // namespace qel
