#include "tools/pictures/AnimalPictures.h"

namespace qel {

namespace pictures {
namespace {

constexpr uint32_t kSky = 0xE6F2FF;
constexpr uint32_t kInk = 0x24201C;
constexpr uint32_t kWhite = 0xFFFFFF;

PictureDescription Cat() {
  constexpr uint32_t fur = 0xF29A38, pale = 0xFCE3C0, pink = 0xF5A0A8, eye = 0x7CC242;
  return {"animal1_cat.bmp",
          kAnimalWidth,
          kAnimalHeight,
          kSky,
          {
              {kNoColour, kInk, 9, "M 66 90 C 92 88 94 66 82 54"},  // tail
              {kNoColour, fur, 5.5, "M 66 90 C 92 88 94 66 82 54"},
              {fur, kInk, 2, "E 48 72 23 22 0"},           // body
              {pale, kNoColour, 0, "E 48 78 11 14 0", 2},  // belly
              {fur, kInk, 2, "E 38 92 8 5 0"},             // paws
              {fur, kInk, 2, "E 58 92 8 5 0"},
              {fur, kInk, 2, "M 28 34 L 29 9 L 46 23 Z"},  // ears
              {fur, kInk, 2, "M 68 34 L 67 9 L 50 23 Z"},
              {pink, kNoColour, 0, "M 31 27 L 32 16 L 40 23 Z"},
              {pink, kNoColour, 0, "M 65 27 L 64 16 L 56 23 Z"},
              {fur, kInk, 2, "E 48 38 22 19 0"},  // head
              {kNoColour, kInk, 1.5, "M 44 20 L 45 27 M 48 19 L 48 27 M 52 20 L 51 27"},
              {eye, kInk, 1, "E 40 36 4 5 0"},  // eyes
              {eye, kInk, 1, "E 56 36 4 5 0"},
              {kInk, kNoColour, 0, "E 40 36 1.4 4 0"},
              {kInk, kNoColour, 0, "E 56 36 1.4 4 0"},
              {pale, kNoColour, 0, "E 48 47 9 5.5 0"},             // muzzle
              {0xE86A7A, kInk, 1, "M 45 43 L 51 43 L 48 46.5 Z"},  // nose
              {kNoColour, kInk, 1.2, "M 48 46.5 L 48 49 C 47 51 44 51 43 49.5 M 48 49 C 49 51 52 51 53 49.5"},
              {kNoColour, kInk, 1, "M 38 46 L 22 43 M 38 48.5 L 22 50 M 58 46 L 74 43 M 58 48.5 L 74 50"},
          }};
}

PictureDescription Fish() {
  constexpr uint32_t fin = 0x2F9E8F, scale = 0x49C6B4, belly = 0xBDEDE5;
  return {"animal2_fish.bmp",
          kAnimalWidth,
          kAnimalHeight,
          kSky,
          {
              {fin, kInk, 2, "M 24 50 L 5 31 C 10 44 10 56 5 69 Z"},  // tail
              {fin, kInk, 2, "M 36 35 C 42 18 58 18 66 33 Z"},        // fins
              {fin, kInk, 2, "M 46 66 L 52 81 L 63 66 Z"},
              {scale, kInk, 2, "E 52 50 32 19 0"},  // body
              {belly, kNoColour, 0, "E 56 60 26 9 0", 3},
              {kNoColour, 0x2A8276, 1.5,
               "M 38 40 C 43 45 43 53 38 58 M 47 38 C 52 44 52 54 47 60 M 56 40 C 61 45 61 53 56 58", 3},
              {kNoColour, kInk, 2, "M 66 37 C 61 45 61 55 66 63"},  // gill
              {kWhite, kInk, 1.5, "E 74 45 5 5 0"},                 // eye
              {kInk, kNoColour, 0, "E 75 45 2.5 2.5 0"},
              {kNoColour, kInk, 1.5, "M 84 53 L 77 54"},                                   // mouth
              {kNoColour, 0x5A90C8, 1.5, "E 88 27 3 3 0 E 83 17 2 2 0 E 90 9 2.5 2.5 0"},  // bubbles
          }};
}

PictureDescription Snail() {
  constexpr uint32_t skin = 0xC8D98A, shell = 0xC07A3A, line = 0x5A3210;
  return {"animal3_snail.bmp",
          kAnimalWidth,
          kAnimalHeight,
          kSky,
          {
              {skin, kInk, 2,
               "M 5 87 C 10 80 18 78 28 78 L 68 78 C 72 66 74 54 82 52 C 90 50 94 58 91 66 "
               "C 89 74 87 82 85 87 Z"},                                // body
              {kNoColour, kInk, 2, "M 79 54 L 73 34 M 86 53 L 88 32"},  // feelers
              {kInk, kNoColour, 0, "E 73 33 3 3 0"},
              {kInk, kNoColour, 0, "E 88 31 3 3 0"},
              {kNoColour, kInk, 1.3, "M 83 66 C 85 69 88 69 90 66"},  // smile
              {shell, line, 2, "E 44 55 27 25 0"},                    // shell
              {kNoColour, line, 2.5,
               "M 44 56 C 44 50 52 50 52 56 C 52 64 40 66 38 56 C 36 44 56 40 60 54 "
               "C 64 68 46 78 34 70 C 22 62 24 38 40 32",
               5},
          }};
}

PictureDescription Butterfly() {
  constexpr uint32_t upper = 0x9B4DCA, lower = 0xF0A030, spot = 0xFFE066, body = 0x2A2A2A;
  return {"animal4_butterfly.bmp",
          kAnimalWidth,
          kAnimalHeight,
          kSky,
          {
              {upper, kInk, 2, "M 46 46 C 36 20 12 8 8 26 C 6 42 24 52 46 52 Z"},  // upper wings
              {upper, kInk, 2, "M 50 46 C 60 20 84 8 88 26 C 90 42 72 52 50 52 Z"},
              {lower, kInk, 2, "M 46 54 C 30 54 12 64 18 80 C 24 94 42 82 46 60 Z"},  // lower wings
              {lower, kInk, 2, "M 50 54 C 66 54 84 64 78 80 C 72 94 54 82 50 60 Z"},
              {spot, kInk, 1, "E 24 29 6 6 0"},
              {spot, kInk, 1, "E 72 29 6 6 0"},
              {0xFFF2B0, kNoColour, 0, "E 29 72 4 4 0"},
              {0xFFF2B0, kNoColour, 0, "E 67 72 4 4 0"},
              {body, kNoColour, 0, "E 48 58 3.5 20 0"},  // body
              {body, kNoColour, 0, "E 48 36 5 5 0"},
              {kNoColour, body, 1.5, "M 46 33 C 42 22 38 16 33 13 M 50 33 C 54 22 58 16 63 13"},
              {body, kNoColour, 0, "E 33 13 2.2 2.2 0"},
              {body, kNoColour, 0, "E 63 13 2.2 2.2 0"},
          }};
}

PictureDescription Bee() {
  constexpr uint32_t wing = 0xD8EEFF, edge = 0x5080A0, yellow = 0xFFCC1E, black = 0x222222;
  return {"animal5_bee.bmp",
          kAnimalWidth,
          kAnimalHeight,
          kSky,
          {
              {wing, edge, 1.5, "E 50 31 11 18 -25"},  // wings
              {wing, edge, 1.5, "E 63 33 10 16 25"},
              {kNoColour, kInk, 2, "M 40 72 L 35 85 M 52 74 L 52 87 M 64 72 L 69 85"},  // legs
              {black, kNoColour, 0, "M 79 55 L 92 60 L 79 65 Z"},                       // sting
              {yellow, kNoColour, 0, "E 54 60 27 17 0"},                                // body
              {black, kNoColour, 0, "M 44 40 L 52 40 L 52 80 L 44 80 Z", 4},            // stripes
              {black, kNoColour, 0, "M 60 40 L 68 40 L 68 80 L 60 80 Z", 4},
              {black, kNoColour, 0, "M 75 40 L 82 40 L 82 80 L 75 80 Z", 4},
              {kNoColour, kInk, 2, "E 54 60 27 17 0"},
              {black, kNoColour, 0, "E 24 58 11 12 0"},  // head
              {kWhite, kNoColour, 0, "E 20 55 3 3 0"},
              {black, kNoColour, 0, "E 19.5 55 1.5 1.5 0"},
              {kNoColour, kInk, 1.8, "M 20 48 C 16 40 12 36 8 34 M 26 47 C 26 38 24 32 20 28"},
              {kInk, kNoColour, 0, "E 8 34 2 2 0 E 20 28 2 2 0"},
          }};
}

PictureDescription Bird() {
  constexpr uint32_t blue = 0x3F7FE0, dark = 0x2B5FB3, breast = 0xF2683A;
  return {"animal6_bird.bmp",
          kAnimalWidth,
          kAnimalHeight,
          kSky,
          {
              {kNoColour, 0x7A4A22, 6, "M 2 91 C 30 87 60 89 94 85"},         // branch
              {dark, kInk, 2, "M 26 62 L 4 74 L 8 82 L 32 70 Z"},             // tail
              {kNoColour, 0xE08A00, 2.5, "M 44 78 L 42 89 M 54 78 L 56 88"},  // legs
              {blue, kInk, 2, "E 46 60 26 21 -10"},                           // body
              {breast, kNoColour, 0, "E 62 67 16 15 0", 3},
              {kNoColour, kInk, 2, "E 46 60 26 21 -10"},
              {dark, kInk, 1.5, "M 26 52 C 36 44 54 50 54 64 C 46 72 32 70 26 52 Z"},  // wing
              {blue, kInk, 2, "E 66 36 15 14 0"},                                      // head
              {0xFFB000, kInk, 1.5, "M 79 31 L 93 37 L 79 43 Z"},                      // beak
              {kInk, kNoColour, 0, "E 70 33 3.5 3.5 0"},                               // eye
              {kWhite, kNoColour, 0, "E 71 32 1.2 1.2 0"},
          }};
}

}  // namespace

const std::vector<PictureDescription>& AnimalPictures() {
  static const std::vector<PictureDescription> pictures{Cat(), Fish(), Snail(), Butterfly(), Bee(), Bird()};
  return pictures;
}

}  // namespace pictures

}  // namespace qel
