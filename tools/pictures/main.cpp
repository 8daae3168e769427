// Draws the animal pictures of the house tasks and writes them as 24-bit
// BMP files into the folder given on the command line.
//
//   qel_picture_generator <output folder>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>

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
      const auto bytes = qel::pictures::EncodeBmp24(pixels.data(), picture.width, picture.height, picture.width);
      const auto path = folder / picture.fileName;
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
      out.close();
      if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
