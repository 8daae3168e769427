// The spoken sentences of the Prosody task: twelve sentences of neutral
// content, each spoken in four emotions, and one more sentence for the
// demonstration, synthesised with espeak-ng and written by sox as 22050 Hz
// mono 16-bit PCM WAVE files. The emotions differ in the voice's pitch,
// pitch range, speed and loudness, as emotional speech does: happy high and
// lively, sad low, slow and soft, angry loud and tense, frightened very high
// and hurried.
#pragma once

#include <string>
#include <vector>

namespace qel {

namespace prosody {

inline constexpr int kEmotionCount = 4;  // happy, sad, angry, frightened
inline constexpr int kSentenceCount = 12;
inline constexpr int kSampleRate = 22050;

struct EmotionVoice {
  const char* name;    // "happy"
  char letter;         // 'h'
  int pitch;           // espeak-ng -p, 0..99
  int wordsPerMinute;  // espeak-ng -s
  int amplitude;       // espeak-ng -a, 0..200
  const char* range;   // SSML prosody range: "x-low" .. "x-high"
};

const EmotionVoice& Emotion(int emotion);
const std::vector<std::string>& Sentences();
const std::string& DemonstrationSentence();

// The file of a sentence (0..11) in an emotion (0..3), "h00.wav"; the
// demonstration sentence in an emotion, "demo_h.wav".
std::string SentenceFile(int emotion, int sentence);
std::string DemonstrationFile(int emotion);

// Speaks a text in an emotion into a WAVE file; the temporary espeak-ng file
// goes beside it. False (with the reason on stderr) when a program fails.
bool Speak(const std::string& text, const EmotionVoice& voice, const std::string& path);

}  // namespace prosody

}  // namespace qel
