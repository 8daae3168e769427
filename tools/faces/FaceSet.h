// The face pictures the emotion tasks carry: every person in every
// expression with a straight gaze, and in the expressions 0..4 also looking
// to the left and to the right, each in the large size (240 x 272, shown in a
// run) and the small one (60 x 68, the editor's preview), written as PNG
// files named "<person>_<emotion>[_left|_right]_<large|small>.png".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qel {

namespace faces {

inline constexpr int kSmallFactor = 4;  // the small picture is the large one shrunk four times
inline constexpr int kSmallWidth = 60;
inline constexpr int kSmallHeight = 68;

enum class FaceSize { kLarge, kSmall };

struct FacePicture {
  int person;   // 0..3: m1, m2, w1, w2
  int emotion;  // 0..8
  int gaze;     // 0 straight, 1 left, 2 right
  FaceSize size;
};

std::string FaceFileName(const FacePicture& face);

// Every picture, large ones first: persons, then emotions, then gazes.
std::vector<FacePicture> AllFacePictures();

// Pixels 0x00RRGGBB, rows top to bottom, at the picture's size. The small
// picture is drawn large with thicker lines and shrunk by averaging each
// block of 4 x 4 pixels.
std::vector<uint32_t> RenderFace(const FacePicture& face, int* width, int* height);

// Each channel of a block of factor x factor pixels averaged, rounded to
// the nearest value.
std::vector<uint32_t> ShrinkByAveraging(const std::vector<uint32_t>& pixels, int width, int height, int factor);

}  // namespace faces

}  // namespace qel
