// Draws the faces of the gaze-cueing task and writes them as 24-bit BMP
// files into the folder given on the command line.
//
//   qel_gaze_face_generator <output folder>
#include <cstdio>
#include <exception>
#include <filesystem>

#include "tools/gazefaces/GazeFaces.h"
#include "tools/pictures/BmpWriter.h"

using namespace qel;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  try {
    const std::filesystem::path folder(argv[1]);
    std::filesystem::create_directories(folder);
    for (const bool small : {false, true}) {
      const int divisor = small ? pictures::kGazeFaceSmallDivisor : 1;
      const int width = pictures::kGazeFaceWidth / divisor;
      const int height = pictures::kGazeFaceHeight / divisor;
      for (int face = 0; face < pictures::kGazeFaceCount; ++face) {
        for (int gaze = 0; gaze < pictures::kGazeCount; ++gaze) {
          const auto path = folder / pictures::GazeFaceFileName(face, gaze, small);
          if (!pictures::WriteBmpFile(path.string(), pictures::RenderGazeFace(face, gaze, small), width, height)) {
            return 1;
          }
        }
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
