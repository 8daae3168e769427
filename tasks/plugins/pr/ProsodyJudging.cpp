#include "tasks/plugins/pr/ProsodyJudging.h"

#include <cstring>

namespace qel {

namespace pr {
namespace {

// [chosen - 1][presented - 1]
constexpr int32_t kCategories[kEmotions][kEmotions] = {
    {10, 19, 23, 27},  // happy named
    {15, 11, 24, 28},  // sad named
    {16, 20, 12, 29},  // angry named
    {17, 21, 25, 13},  // frightened named
};

int32_t EmotionOfLetter(char letter) {
  switch (letter) {
    case 'H':
    case 'h':
      return kHappy;
    case 'S':
    case 's':
      return kSad;
    case 'A':
    case 'a':
      return kAngry;
    case 'F':
    case 'f':
      return kFrightened;
    default:
      return kNoEmotion;
  }
}

bool IsEmotion(int32_t e) { return e >= kHappy && e <= kFrightened; }

}  // namespace

SentenceCode ParseSentenceCode(const char* code) {
  SentenceCode result;
  // A code slot holds at most 16 characters.
  const size_t length = code ? strnlen(code, 16) : 0;
  if (length < 2) return result;
  const int32_t emotion = EmotionOfLetter(code[0]);
  if (emotion == kNoEmotion) return result;
  int number = 0;
  for (size_t i = 1; i < length; ++i) {
    if (code[i] < '0' || code[i] > '9') return result;
    number = (number * 10 + (code[i] - '0')) % kSentences;
  }
  result.valid = true;
  result.emotion = emotion;
  result.sentence = number;
  return result;
}

uint32_t SentenceWave(const SentenceCode& code) {
  if (!code.valid) return 0;
  return kFirstSentenceWave + static_cast<uint32_t>((code.emotion - 1) * kSentences + code.sentence);
}

uint32_t DemonstrationWave(int32_t emotion) {
  return IsEmotion(emotion) ? kFirstDemonstrationWave + static_cast<uint32_t>(emotion - 1) : 0;
}

int32_t IdentificationCategory(int32_t chosen, int32_t presented) {
  if (!IsEmotion(chosen) || !IsEmotion(presented)) return 0;
  return kCategories[chosen - 1][presented - 1];
}

int32_t GroupedCategory(int32_t category) {
  if (category <= kFirstErrorGroup || category >= kFirstErrorGroup + kEmotions * kErrorGroupStep) return category;
  return category - (category - kFirstErrorGroup) % kErrorGroupStep;
}

int32_t ErrorGroup(int32_t presented) {
  return IsEmotion(presented) ? kFirstErrorGroup + (presented - 1) * kErrorGroupStep : 0;
}

}  // namespace pr

}  // namespace qel
