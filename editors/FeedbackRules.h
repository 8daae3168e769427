// The Feedback page's rules: the options a task allows, the sound of each
// choice and the changes of the feedback word.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qel {

constexpr uint32_t kFeedbackAudioAllowed = 0x10000;
constexpr uint32_t kFeedbackVisualAllowed = 0x20000;
constexpr int kFeedbackSoundCount = 5;
constexpr int kSoundTestLengthMs = 5000;

// "None", "Audio", "Visual"; "?" otherwise.
std::string FeedbackOptionName(uint32_t option);
// The option's index in the names; -1 when none.
int FindFeedbackOption(const std::string& name);
bool FeedbackPossible(uint32_t taskFlags);

// The combo's entries for the task and the position of the stored option
// among them (-1 when it is not offered).
struct FeedbackChoices {
  std::vector<uint32_t> options;
  int selected = -1;
};
FeedbackChoices OfferedFeedback(uint32_t taskFlags, uint32_t taskFbk);

// The WAVE resource of a sound choice (0..4); 0 for none.
uint16_t FeedbackSoundResource(int choice);

// The feedback word with a new option (sound kept) or a new sound (option kept).
uint32_t WithFeedbackOption(uint32_t taskFbk, uint32_t option);
uint32_t WithFeedbackSound(uint32_t taskFbk, uint32_t sound);

}  // namespace qel
