#include "tools/faces/FaceSet.h"

#include <stdexcept>

#include "tools/faces/FaceDrawing.h"
#include "tools/faces/FaceModel.h"
#include "tools/pictures/PictureRenderer.h"

namespace qel {

namespace faces {
namespace {

// Lines of the picture that is shrunk four times: twice as thick, so they
// stay visible at the small size.
constexpr double kSmallLineScale = 2.0;

}  // namespace

std::string FaceFileName(const FacePicture& face) {
  std::string name = PersonAt(face.person).code;
  name += "_" + std::to_string(face.emotion);
  if (face.gaze == 1) name += "_left";
  if (face.gaze == 2) name += "_right";
  name += face.size == FaceSize::kLarge ? "_large.png" : "_small.png";
  return name;
}

std::vector<FacePicture> AllFacePictures() {
  std::vector<FacePicture> all;
  for (FaceSize size : {FaceSize::kLarge, FaceSize::kSmall}) {
    for (int person = 0; person < kPersons; ++person) {
      for (int emotion = 0; emotion < kEmotions; ++emotion) {
        const int gazes = emotion < kAvertedEmotions ? kGazes : 1;
        for (int gaze = 0; gaze < gazes; ++gaze) all.push_back({person, emotion, gaze, size});
      }
    }
  }
  return all;
}

std::vector<uint32_t> ShrinkByAveraging(const std::vector<uint32_t>& pixels, int width, int height, int factor) {
  if (factor < 1 || width % factor != 0 || height % factor != 0 ||
      pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
    throw std::invalid_argument("the picture does not shrink by that factor");
  }
  const int w = width / factor;
  const int h = height / factor;
  const uint32_t count = static_cast<uint32_t>(factor * factor);
  std::vector<uint32_t> out(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint32_t sum[3] = {0, 0, 0};
      for (int dy = 0; dy < factor; ++dy) {
        for (int dx = 0; dx < factor; ++dx) {
          const uint32_t p = pixels[static_cast<size_t>(y * factor + dy) * width + x * factor + dx];
          sum[0] += (p >> 16) & 0xFF;
          sum[1] += (p >> 8) & 0xFF;
          sum[2] += p & 0xFF;
        }
      }
      uint32_t value = 0;
      for (int c = 0; c < 3; ++c) value = (value << 8) | ((sum[c] + count / 2) / count);
      out[static_cast<size_t>(y) * w + x] = value;
    }
  }
  return out;
}

std::vector<uint32_t> RenderFace(const FacePicture& face, int* width, int* height) {
  const bool small = face.size == FaceSize::kSmall;
  const auto pixels =
      pictures::RenderPicture(DescribeFace(face.person, face.emotion, face.gaze, small ? kSmallLineScale : 1.0));
  *width = small ? kSmallWidth : kLargeWidth;
  *height = small ? kSmallHeight : kLargeHeight;
  return small ? ShrinkByAveraging(pixels, kLargeWidth, kLargeHeight, kSmallFactor) : pixels;
}

}  // namespace faces

}  // namespace qel
