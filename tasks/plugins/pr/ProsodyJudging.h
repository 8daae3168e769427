// What the Prosody task reads from a trial code and how it judges the
// operator's click: the emotion of the sentence played against the emotion
// the testee named.
#pragma once

#include <cstdint>

namespace qel {

namespace pr {

enum Emotion : int32_t { kNoEmotion = -1, kHappy = 1, kSad = 2, kAngry = 3, kFrightened = 4 };
constexpr int kEmotions = 4;
constexpr int kSentences = 12;

// Categories of a response after the click: 10..13 the emotion named right
// (happy, sad, angry, frightened); the confusions of a sentence spoken in
// emotion p are 14 + 4 (p - 1) + 1..3, and that group's own code
// 14 + 4 (p - 1) (14, 18, 22, 26) stands for all of them together.
constexpr int32_t kFirstCorrect = 10;
constexpr int32_t kFirstErrorGroup = 14;
constexpr int32_t kErrorGroupStep = 4;

// WAVE resources: sentence s in emotion e (1..4) is 201 + 12 (e - 1) + s;
// the demonstration sentence in emotion e is 249 + (e - 1).
constexpr uint32_t kFirstSentenceWave = 201;
constexpr uint32_t kFirstDemonstrationWave = 249;

struct SentenceCode {
  bool valid = false;
  int32_t emotion = kNoEmotion;
  int sentence = 0;  // 0..11
};

// A code is an emotion letter (H happy, S sad, A angry, F frightened; upper
// or lower case) and a sentence number of digits only, taken modulo 12.
// Anything else gives no sentence.
SentenceCode ParseSentenceCode(const char* code);

uint32_t SentenceWave(const SentenceCode& code);
uint32_t DemonstrationWave(int32_t emotion);

// The category of naming `chosen` for a sentence in `presented` (both
// 1..4); 0 when either is not an emotion.
int32_t IdentificationCategory(int32_t chosen, int32_t presented);

// A category with the confusions of each emotion taken together (15..17
// become 14, 19..21 become 18, ...); others stay.
int32_t GroupedCategory(int32_t category);
// The group code of the confusions of sentences in an emotion (1..4).
int32_t ErrorGroup(int32_t presented);

}  // namespace pr

}  // namespace qel
