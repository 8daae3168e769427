#include "tools/prosody/ProsodySpeech.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

extern char** environ;

namespace qel {

namespace prosody {
namespace {

// espeak-ng's British English voice for every sentence: only the emotion changes.
constexpr const char* kVoice = "en-gb";

const EmotionVoice kEmotions[kEmotionCount] = {
    {"happy", 'h', 68, 185, 70, "x-high"},
    {"sad", 's', 20, 125, 35, "x-low"},
    {"angry", 'a', 42, 170, 100, "high"},
    {"frightened", 'f', 92, 215, 60, "low"},
};

// Runs a program with its arguments (no shell); true when it exits with 0.
bool Run(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
    std::fprintf(stderr, "cannot start %s\n", argv[0]);
    return false;
  }
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s failed\n", argv[0]);
    return false;
  }
  return true;
}

}  // namespace

const EmotionVoice& Emotion(int emotion) { return kEmotions[emotion]; }

const std::vector<std::string>& Sentences() {
  static const std::vector<std::string> sentences = {
      "The train leaves the station at eight o'clock.",
      "She put the book on the kitchen table.",
      "We will paint the garden fence next week.",
      "The letter arrived on Tuesday morning.",
      "He is going to the market this afternoon.",
      "The shop on the corner closes at six.",
      "They carried the chairs into the hall.",
      "The bus stops in front of the library.",
      "My neighbour has a blue car.",
      "The meeting is on the second floor.",
      "I found the keys in my coat pocket.",
      "There are four windows in the room.",
  };
  return sentences;
}

const std::string& DemonstrationSentence() {
  static const std::string sentence = "The newspaper is lying on the chair.";
  return sentence;
}

std::string SentenceFile(int emotion, int sentence) {
  char name[16];
  std::snprintf(name, sizeof name, "%c%02d.wav", kEmotions[emotion].letter, sentence);
  return name;
}

std::string DemonstrationFile(int emotion) { return std::string("demo_") + kEmotions[emotion].letter + ".wav"; }

bool Speak(const std::string& text, const EmotionVoice& voice, const std::string& path) {
  const std::string raw = path + ".espeak.wav";
  const std::string ssml = std::string("<speak><prosody range=\"") + voice.range + "\">" + text + "</prosody></speak>";
  const bool ok = Run({"espeak-ng", "-v", kVoice, "-m", "-p", std::to_string(voice.pitch), "-s",
                       std::to_string(voice.wordsPerMinute), "-a", std::to_string(voice.amplitude), "-w", raw, ssml}) &&
                  Run({"sox", "-D", "-V1", raw, "-r", std::to_string(kSampleRate), "-c", "1", "-b", "16", "-e",
                       "signed-integer", path});
  std::error_code ignored;
  std::filesystem::remove(raw, ignored);
  return ok;
}

}  // namespace prosody

}  // namespace qel
