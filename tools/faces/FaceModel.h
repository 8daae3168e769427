// Our own parametric description of the face pictures of the emotion tasks:
// four persons (two men, two women) told apart by the shape of the head,
// the hair, the colours and the features, and nine expressions that change
// only the brows, the eyes, the mouth and the marks around them (forehead,
// frown and nose lines, cheek folds, blush). The head, the hair, the ears,
// the neck and the clothes of a person are the same in every expression.
//
// Coordinates are those of the large picture (240 x 272 pixels); "left" and
// "right" are the viewer's.
#pragma once

#include <cstdint>

namespace qel {

namespace faces {

inline constexpr int kPersons = 4;          // m1, m2, w1, w2 in the order of the tasks' tables
inline constexpr int kEmotions = 9;         // 0 neutral, 1 happy ... 8 contempt
inline constexpr int kGazes = 3;            // 0 straight, 1 left, 2 right
inline constexpr int kAvertedEmotions = 5;  // gaze variants exist for emotions 0..4

enum class HairStyle { kCrewCut, kReceding, kLong, kBob };

struct Person {
  const char* code;  // "m1", "m2", "w1", "w2"
  bool female;
  HairStyle hair;
  // Head outline: half widths at the temples (y 78), the cheekbones (y 132)
  // and the jaw corners, the top of the skull and the chin.
  double headTop;
  double templeHalf;
  double cheekHalf;
  double jawHalf;
  double jawY;
  double chinY;
  double chinHalf;
  uint32_t skin;
  uint32_t shade;  // lines and shadows on the skin
  uint32_t hairColour;
  uint32_t hairShade;
  uint32_t browColour;
  uint32_t iris;
  uint32_t lips;
  uint32_t clothing;
  uint32_t clothingShade;
  double browThickness;
  double eyeHalfSpacing;  // from the middle of the face to each eye's centre
  double eyeHalfWidth;
  double mouthHalfWidth;
  double lipFullness;  // 1 average
};

// One brow: its inner and outer end moved up (negative) or down, and the
// bend of its middle (negative: arched up).
struct Brow {
  double innerDy;
  double outerDy;
  double arch;
};

struct Mouth {
  double cornerDy[2];  // left and right corner moved up (negative) or down
  double width;        // times the person's mouth width
  // Depths of four curves from corner to corner, measured at the middle from
  // the line between the corners (positive: lower): the top of the upper
  // lip, the edge of the upper lip, the edge of the lower lip and the bottom
  // of the lower lip. Equal edges close the mouth.
  double upperOuter;
  double upperInner;
  double lowerInner;
  double lowerOuter;
  double upperTeeth;     // height of the upper teeth below the upper lip's edge (0: none shown)
  double lowerTeeth;     // height of the lower teeth above the lower lip's edge
  double rightLipRaise;  // the upper lip lifted on the right side only
};

enum ForeheadLines { kNoForeheadLines = 0, kShortForeheadLines = 1, kLongForeheadLines = 2 };

struct Expression {
  const char* name;
  Brow brows[2];         // left, right
  double browsTogether;  // inner ends drawn towards the middle
  double upperLid[2];    // opening of the upper lid: 1 at rest, below 1 lowered, above 1 raised (white above the iris)
  double lowerLid[2];    // the lower lid raised by so many pixels
  double outerDroop;     // the outer end of the upper lid lowered (sadness)
  double irisDx;         // gaze of the expression itself (shame looks down and aside)
  double irisDy;
  Mouth mouth;
  ForeheadLines foreheadLines;
  bool frownLines;    // vertical lines between the brows
  bool noseWrinkles;  // lines across the bridge of the nose
  bool smileFolds;    // folds from the nose to the raised mouth corners
  bool blush;
  int dimple;  // 0 none, 1 beside the raised right mouth corner
};

// The four persons in table order.
const Person& PersonAt(int index);
// Expressions 0..8 by emotion digit.
const Expression& ExpressionOf(int emotion);
// Sideways iris shift of gaze 0 (straight), 1 (left) and 2 (right).
double GazeShift(int gaze);

}  // namespace faces

}  // namespace qel
