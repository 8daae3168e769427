// Draws one face picture from the parametric description (FaceModel.h) as a
// vector picture of the large size, and names the regions of the picture
// that carry the expression.
#pragma once

#include "tools/pictures/PictureDescription.h"

namespace qel {

namespace faces {

inline constexpr int kLargeWidth = 240;
inline constexpr int kLargeHeight = 272;

// A rectangle of the large picture; right and bottom excluded.
struct Box {
  int left;
  int top;
  int right;
  int bottom;
};

// Everything an expression changes lies inside kExpressionBox; the head,
// hair, ears, neck and clothes outside it are the person's alone. The brows,
// the eyes and the mouth lie in their own boxes inside it.
inline constexpr Box kExpressionBox{66, 60, 174, 214};
inline constexpr Box kBrowBox{66, 72, 174, 106};
inline constexpr Box kEyeBox{66, 106, 174, 138};
inline constexpr Box kMouthBox{80, 158, 160, 214};

// Person 0..3, emotion 0..8, gaze 0 straight, 1 left, 2 right. lineScale
// thickens the lines for a picture that is drawn large and then shrunk.
pictures::PictureDescription DescribeFace(int person, int emotion, int gaze, double lineScale);

}  // namespace faces

}  // namespace qel
