// Makes the Prosody task's sentences and button pictures and writes them
// into the plug-in's folder given on the command line: sounds/*.wav (each
// sentence in each emotion, and the demonstration sentence in each emotion)
// and bitmaps/*.bmp (the buttons).
//
//   qel_prosody_generator tasks/plugins/pr
#include <cstdio>
#include <exception>
#include <filesystem>

#include "tools/pictures/BmpWriter.h"
#include "tools/prosody/ButtonPictures.h"
#include "tools/prosody/ProsodySpeech.h"

using namespace qel;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <plug-in folder>\n", argv[0]);
    return 2;
  }
  try {
    const std::filesystem::path folder(argv[1]);
    const std::filesystem::path sounds = folder / "sounds";
    const std::filesystem::path bitmaps = folder / "bitmaps";
    std::filesystem::create_directories(sounds);
    std::filesystem::create_directories(bitmaps);
    for (int e = 0; e < prosody::kEmotionCount; ++e) {
      const prosody::EmotionVoice& voice = prosody::Emotion(e);
      for (int s = 0; s < prosody::kSentenceCount; ++s) {
        if (!prosody::Speak(prosody::Sentences()[s], voice, sounds / prosody::SentenceFile(e, s))) return 1;
      }
      if (!prosody::Speak(prosody::DemonstrationSentence(), voice, sounds / prosody::DemonstrationFile(e))) return 1;
    }
    for (const prosody::ButtonSpec& spec : prosody::ButtonSpecs()) {
      const auto pixels = prosody::RenderButton(spec);
      if (!pictures::WriteBmpFile((bitmaps / spec.fileName).string(), pixels, spec.width, spec.height)) return 1;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
