// Draws the face pictures of the emotion tasks and writes them as PNG files
// into the folder given on the command line; with a second folder, also
// contact sheets of all of them for looking at.
//
//   qel_face_generator <output folder> [<contact sheet folder>]
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>

#include "tools/faces/ContactSheet.h"
#include "tools/faces/FaceSet.h"
#include "tools/pictures/PngWriter.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: %s <output folder> [<contact sheet folder>]\n", argv[0]);
    return 2;
  }
  try {
    const std::filesystem::path folder(argv[1]);
    std::filesystem::create_directories(folder);
    for (const qel::faces::FacePicture& face : qel::faces::AllFacePictures()) {
      int width = 0;
      int height = 0;
      const auto pixels = qel::faces::RenderFace(face, &width, &height);
      const auto bytes = qel::pictures::EncodePng24(pixels.data(), width, height, width);
      const auto path = folder / qel::faces::FaceFileName(face);
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
      out.close();
      if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
      }
    }
    if (argc == 3) {
      std::filesystem::create_directories(argv[2]);
      qel::faces::WriteContactSheets(argv[2]);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
