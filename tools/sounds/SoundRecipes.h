// The program's WAVE resources, each in the format its users expect:
// feedback sounds 179-183 and the two sounds of the configuration pages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/sounds/WaveFileWriter.h"

namespace qel {

namespace sounds {

struct SoundRecipe {
  uint32_t resourceId;
  std::string fileName;
  WaveLayout layout;
  std::vector<double> (*synthesize)(const WaveLayout& layout);
};

const std::vector<SoundRecipe>& SoundRecipes();

}  // namespace sounds

}  // namespace qel
