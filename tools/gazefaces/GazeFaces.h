// The schematic faces of the gaze-cueing task: two men and two women, each
// looking straight ahead, to the left or to the right (as the testee sees
// the picture), drawn from vector descriptions at two sizes: 240 x 272 for
// the run and 120 x 136 for the editors' preview, on the black of the run
// screen.
//
// Picture i (0..11) is face i / 3 (man 1, man 2, woman 1, woman 2) with gaze
// i % 3 (straight, left, right): the task's BITMAP 101 + i (large) and
// 113 + i (small).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qel {

namespace pictures {

inline constexpr int kGazeFaceCount = 4;
inline constexpr int kGazeCount = 3;
inline constexpr int kGazeFaceWidth = 240;
inline constexpr int kGazeFaceHeight = 272;
// The preview pictures are drawn at half the size.
inline constexpr int kGazeFaceSmallDivisor = 2;

enum GazeDirection : int { kGazeStraight = 0, kGazeLeft = 1, kGazeRight = 2 };

// "gaze_m1_left.bmp", "gaze_w2_straight_small.bmp", ...
std::string GazeFaceFileName(int face, int gaze, bool small);

// The picture's pixels (0x00RRGGBB, rows top to bottom). Throws
// std::invalid_argument for a face or gaze out of range.
std::vector<uint32_t> RenderGazeFace(int face, int gaze, bool small);

// Where the centre of a pupil lies in the large picture (eye 0 on the
// picture's left, 1 on its right): the gaze moves both pupils sideways.
void GazePupilCentre(int face, int gaze, int eye, double* x, double* y);

}  // namespace pictures

}  // namespace qel
