// Draws the animal pictures of the house tasks and writes them as 24-bit
// BMP files into the folder given on the command line.
//
//   qel_picture_generator <output folder>
#include <cstdio>
#include <exception>
#include <filesystem>

#include "tools/pictures/AnimalPictures.h"
#include "tools/pictures/BmpWriter.h"
#include "tools/pictures/PictureRenderer.h"

using namespace qel;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  try {
    const std::filesystem::path folder(argv[1]);
    std::filesystem::create_directories(folder);
    for (const auto& picture : qel::pictures::AnimalPictures()) {
      const auto pixels = qel::pictures::RenderPicture(picture);
      if (!qel::pictures::WriteBmp24File((folder / picture.fileName).string(), pixels, picture.width, picture.height)) {
        return 1;
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
