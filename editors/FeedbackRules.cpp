#include "editors/FeedbackRules.h"

#include "include/qel/ModelTask.h"

namespace qel {

namespace {
const char* const kOptionNames[] = {"None", "Audio", "Visual"};
constexpr uint32_t kOptionCount = 3;
constexpr uint16_t kSoundResources[kFeedbackSoundCount] = {181, 182, 183, 179, 180};
}  // namespace

std::string FeedbackOptionName(uint32_t option) { return option < kOptionCount ? kOptionNames[option] : "?"; }

int FindFeedbackOption(const std::string& name) {
  for (uint32_t i = 0; i < kOptionCount; ++i) {
    if (name == kOptionNames[i]) return static_cast<int>(i);
  }
  return -1;
}

bool FeedbackPossible(uint32_t taskFlags) { return (taskFlags & (kFeedbackAudioAllowed | kFeedbackVisualAllowed)) != 0; }

FeedbackChoices OfferedFeedback(uint32_t taskFlags, uint32_t taskFbk) {
  FeedbackChoices c;
  if (!FeedbackPossible(taskFlags)) return c;
  const uint32_t stored = FeedbackTypeOf(taskFbk);
  auto offer = [&](uint32_t option) {
    if (option == stored) c.selected = static_cast<int>(c.options.size());
    c.options.push_back(option);
  };
  offer(kFeedbackNone);
  if (taskFlags & kFeedbackAudioAllowed) offer(kFeedbackAudio);
  if (taskFlags & kFeedbackVisualAllowed) offer(kFeedbackVisual);
  return c;
}

uint16_t FeedbackSoundResource(int choice) {
  return choice >= 0 && choice < kFeedbackSoundCount ? kSoundResources[choice] : 0;
}

uint32_t WithFeedbackOption(uint32_t taskFbk, uint32_t option) {
  return (taskFbk & ~kFeedbackTypeMask) | (option & kFeedbackTypeMask);
}

uint32_t WithFeedbackSound(uint32_t taskFbk, uint32_t sound) {
  return (taskFbk & kFeedbackTypeMask) | (sound << kFeedbackSoundShift);
}

}  // namespace qel
