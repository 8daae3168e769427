// qel_make_sounds <folder>: writes the program's WAVE resources into the
// folder. The output is the same bytes on every run, so the committed files
// can be checked against it.
#include <cstdio>
#include <string>

#include "tools/sounds/SoundRecipes.h"
#include "tools/sounds/WaveFileWriter.h"

using namespace qel;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  for (const auto& recipe : qel::sounds::SoundRecipes()) {
    const auto bytes = qel::sounds::BuildWaveImage(recipe.layout, recipe.synthesize(recipe.layout));
    const std::string path = folder + "/" + recipe.fileName;
    if (!qel::sounds::WriteFileBytes(path, bytes)) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
    std::printf("WAVE %u %s (%zu bytes)\n", recipe.resourceId, recipe.fileName.c_str(), bytes.size());
  }
  return 0;
}
