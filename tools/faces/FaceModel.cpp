#include "tools/faces/FaceModel.h"

namespace qel {

namespace faces {
namespace {

// code, female, hair, head top, temple, cheek, jaw half widths, jaw y, chin y, chin half width,
// skin, shade, hair, hair shade, brows, iris, lips, clothing, clothing shade,
// brow thickness, eye half spacing, eye half width, mouth half width, lip fullness.
const Person kPersonTable[kPersons] = {
    // A broad square face, short dark hair, brown eyes, a blue shirt.
    {"m1",     false,    HairStyle::kCrewCut,
     24,       62,       70,
     60,       192,      224,
     24,  //
     0xEBC4A1, 0xB98B6A, 0x3B2A20,
     0x2A1C14, 0x3A2A20, 0x6B4426,
     0xC98B7E, 0x3C6AA8, 0x2B4F80,  //
     5.2,      31,       15,
     22,       0.9},
    // A long narrow face with a pointed chin, grey hair receding at the
    // temples, blue eyes, a green sweater.
    {"m2",     false,    HairStyle::kReceding,
     20,       56,       61,
     46,       196,      230,
     12,  //
     0xD9A27E, 0xA8744F, 0x8C8C88,
     0x66665F, 0x6E6258, 0x4F7FB5,
     0xB9786B, 0x3F6B45, 0x2C4D31,  //
     4.0,      28,       14,
     20,       0.8},
    // An oval face, long dark hair parted in the middle, green eyes, red
    // lips, a wine-red top.
    {"w1",     true,     HairStyle::kLong,
     26,       57,       62,
     48,       194,      224,
     14,  //
     0xF3D2B8, 0xC9A085, 0x2B1B14,
     0x1A0F0A, 0x3B2820, 0x5E8C4C,
     0xC4505E, 0x8E2740, 0x651A2C,  //
     3.4,      30,       15.5,
     20,       1.25},
    // A round face, a fair bob with a fringe, blue eyes, pink lips, a teal
    // top.
    {"w2",     true,     HairStyle::kBob,
     28,       60,       66,
     55,       188,      220,
     18,  //
     0xE7B892, 0xB98763, 0xD9B45A,
     0xAF8A3C, 0x7A5A30, 0x4A78A8,
     0xCF6F78, 0x2D8C8A, 0x1F6462,  //
     3.2,      30,       15,
     19,       1.15},
};

// name, brows (left, right), brows together, upper lids, lower lids, outer droop, iris shift,
// mouth {corners, width, upper outer, upper inner, lower inner, lower outer, upper teeth,
// lower teeth, right lip raise}, forehead lines, frown lines, nose wrinkles, smile folds,
// blush, dimple.
const Expression kExpressionTable[kEmotions] = {
    {"neutral",
     {{0, 0, -2}, {0, 0, -2}},
     0,
     {1, 1},
     {0, 0},
     0,
     0,
     0,  //
     {{0, 0}, 1.0, -5, 0, 0, 6, 0, 0, 0},
     kNoForeheadLines,
     false,
     false,
     false,
     false,
     0},
    // Cheeks up, lower lids raised, a broad open smile with the upper teeth.
    {"happy",
     {{-2, -3, -3}, {-2, -3, -3}},
     0,
     {0.85, 0.85},
     {3.5, 3.5},
     0,
     0,
     0,  //
     {{-11, -11}, 1.25, -2, 3, 15, 19, 7, 0, 0},
     kNoForeheadLines,
     false,
     false,
     true,
     false,
     0},
    // Inner brows raised, lids drooping at the outer end, mouth corners down.
    {"sad",
     {{-9, 3, 1}, {-9, 3, 1}},
     2,
     {0.78, 0.78},
     {0, 0},
     3.5,
     0,
     1.5,  //
     {{9, 9}, 0.9, -9, -5, -5, 1, 0, 0, 0},
     kNoForeheadLines,
     false,
     false,
     false,
     false,
     0},
    // Brows down and together, a glare under lowered lids, lips pressed thin.
    {"angry",
     {{8, -2, 1}, {8, -2, 1}},
     4,
     {0.62, 0.62},
     {2.5, 2.5},
     0,
     0,
     0,  //
     {{3, 3}, 0.82, -3, 0, 0, 3.5, 0, 0, 0},
     kNoForeheadLines,
     true,
     false,
     false,
     false,
     0},
    // Straight brows raised and drawn together, eyes wide open, the mouth
    // open with its corners pulled down.
    {"fear",
     {{-11, -7, 1}, {-11, -7, 1}},
     3,
     {1.55, 1.55},
     {1, 1},
     0,
     0,
     0,  //
     {{6, 6}, 1.05, -9, -5, 9, 14, 3, 0, 0},
     kShortForeheadLines,
     false,
     false,
     false,
     false,
     0},
    // Brows lowered, eyes narrowed from below, the nose wrinkled and the
    // upper lip lifted on one side over the teeth.
    {"disgust",
     {{5, 1, 0}, {5, 1, 0}},
     2,
     {0.75, 0.75},
     {4, 4},
     0,
     0,
     0,  //
     {{6, 2}, 0.95, -8, -3, 2, 9, 4, 0, 4},
     kNoForeheadLines,
     false,
     true,
     false,
     false,
     0},
    // Brows high and round, eyes wide with white around the iris, the jaw
    // dropped into a round open mouth.
    {"surprise",
     {{-14, -13, -6}, {-14, -13, -6}},
     0,
     {1.6, 1.6},
     {-1, -1},
     0,
     0,
     0,  //
     {{0, 0}, 0.55, -10, -5, 17, 22, 0, 0, 0},
     kLongForeheadLines,
     false,
     false,
     false,
     false,
     0},
    // Eyes cast down and aside under lowered lids, blushing cheeks, the lips
    // pressed together.
    {"shame",
     {{-5, 2, 0}, {-5, 2, 0}},
     1,
     {0.5, 0.5},
     {0.5, 0.5},
     0,
     -2.5,
     3.5,  //
     {{4, 2}, 0.75, -3.5, 0, 0, 3.5, 0, 0, 0},
     kNoForeheadLines,
     false,
     false,
     false,
     true,
     0},
    // One brow up, lids half lowered, one mouth corner pulled up and in.
    {"contempt",
     {{0, 0, -2}, {-8, -5, -3}},
     0,
     {0.75, 0.75},
     {1, 1},
     0,
     0,
     0,  //
     {{1, -8}, 1.0, -5, 0, 0, 5, 0, 0, 0},
     kNoForeheadLines,
     false,
     false,
     false,
     false,
     1},
};

}  // namespace

const Person& PersonAt(int index) { return kPersonTable[index >= 0 && index < kPersons ? index : 0]; }

const Expression& ExpressionOf(int emotion) {
  return kExpressionTable[emotion >= 0 && emotion < kEmotions ? emotion : 0];
}

double GazeShift(int gaze) {
  switch (gaze) {
    case 1:
      return -5.5;
    case 2:
      return 5.5;
    default:
      return 0.0;
  }
}

}  // namespace faces

}  // namespace qel
