#include "tools/pictures/PictureFiles.h"

#include <cstdio>
#include <exception>
#include <fstream>

#include "tools/pictures/BmpWriter.h"
#include "tools/pictures/PictureRenderer.h"

namespace qel {

namespace pictures {

bool WritePictureFiles(const std::vector<PictureDescription>& pictures, const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  for (const PictureDescription& picture : pictures) {
    const auto pixels = RenderPicture(picture);
    const auto bytes = EncodeBmp24(pixels.data(), picture.width, picture.height, picture.width);
    const auto path = folder / picture.fileName;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return false;
    }
  }
  return true;
}

int RunPictureGenerator(int argc, char** argv, const std::vector<PictureDescription>& (*pictures)()) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  try {
    return WritePictureFiles(pictures(), argv[1]) ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}

}  // namespace pictures

}  // namespace qel
