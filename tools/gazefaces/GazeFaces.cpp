#include "tools/gazefaces/GazeFaces.h"

#include <cstdio>
#include <deque>
#include <stdexcept>

#include "tools/pictures/PictureDescription.h"
#include "tools/pictures/PictureRenderer.h"

namespace qel {

namespace pictures {
namespace {

constexpr uint32_t kBackground = 0x000000;
constexpr uint32_t kInk = 0x2A1E18;
constexpr uint32_t kEyeWhite = 0xF8F8F4;
constexpr uint32_t kPupil = 0x101010;
constexpr uint32_t kLips = 0xB5555A;

// Eyes of every face (design units of the large picture).
constexpr double kEyeY = 126;
constexpr double kEyeX[2] = {92, 148};
constexpr double kEyeRx = 17;
constexpr double kEyeRy = 9.5;
constexpr double kIrisR = 7.5;
constexpr double kPupilR = 3.5;
// How far the pupils move for a sideways look.
constexpr double kGazeShift = 8.5;

struct FaceStyle {
  const char* name;
  uint32_t skin;
  uint32_t hair;
  uint32_t iris;
  bool woman;
  bool longHair;
  bool moustache;
};

constexpr FaceStyle kStyles[kGazeFaceCount] = {
    {"m1", 0xF1C9A5, 0x3B2A1E, 0x5A7FB0, false, false, false},  // man 1: dark brown short hair, blue eyes
    {"m2", 0xC68E62, 0x161412, 0x6B4A2A, false, false, true},   // man 2: black hair, brown eyes, moustache
    {"w1", 0xF3D2B8, 0x8A5A2B, 0x4E8A5E, true, true, false},    // woman 1: long brown hair, green eyes
    {"w2", 0xE0B08C, 0xB8452A, 0x6A5638, true, false, false},   // woman 2: auburn bob, hazel eyes
};

const char* const kGazeNames[kGazeCount] = {"straight", "left", "right"};

// Builds path texts in design units scaled to the picture; the texts live
// as long as the builder.
class PathText {
 public:
  explicit PathText(double scale) : m_scale(scale) {}

  const char* Ellipse(double cx, double cy, double rx, double ry, double degrees = 0) {
    return Keep("E " + N(cx) + " " + N(cy) + " " + N(rx) + " " + N(ry) + " " + N(degrees / m_scale));
  }
  // Points of a closed outline of cubic curves: "M x y C ... Z" with the
  // numbers given in design units.
  const char* Path(const std::vector<double>& numbers, const char* ops) {
    std::string text;
    size_t k = 0;
    for (const char* op = ops; *op; ++op) {
      if (!text.empty()) text += " ";
      text += *op;
      const int count = *op == 'M' || *op == 'L' ? 2 : *op == 'C' ? 6 : 0;
      for (int i = 0; i < count; ++i) text += " " + N(numbers.at(k++));
    }
    if (k != numbers.size()) throw std::invalid_argument("path numbers left over");
    return Keep(text);
  }

 private:
  std::string N(double v) const {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", v * m_scale);
    return buffer;
  }
  const char* Keep(std::string text) {
    m_texts.push_back(std::move(text));
    return m_texts.back().c_str();
  }

  double m_scale;
  std::deque<std::string> m_texts;
};

void CheckRange(int face, int gaze) {
  if (face < 0 || face >= kGazeFaceCount || gaze < 0 || gaze >= kGazeCount) {
    throw std::invalid_argument("no such gaze face");
  }
}

double GazeOffset(int gaze) { return gaze == kGazeLeft ? -kGazeShift : gaze == kGazeRight ? kGazeShift : 0.0; }

}  // namespace

std::string GazeFaceFileName(int face, int gaze, bool small) {
  CheckRange(face, gaze);
  return std::string("gaze_") + kStyles[face].name + "_" + kGazeNames[gaze] + (small ? "_small" : "") + ".bmp";
}

void GazePupilCentre(int face, int gaze, int eye, double* x, double* y) {
  CheckRange(face, gaze);
  *x = kEyeX[eye ? 1 : 0] + GazeOffset(gaze);
  *y = kEyeY;
}

std::vector<uint32_t> RenderGazeFace(int face, int gaze, bool small) {
  CheckRange(face, gaze);
  const FaceStyle& style = kStyles[face];
  const double scale = small ? 1.0 / kGazeFaceSmallDivisor : 1.0;
  PathText p(scale);
  PictureDescription picture;
  picture.width = small ? kGazeFaceWidth / kGazeFaceSmallDivisor : kGazeFaceWidth;
  picture.height = small ? kGazeFaceHeight / kGazeFaceSmallDivisor : kGazeFaceHeight;
  picture.background = kBackground;
  std::vector<Shape>& s = picture.shapes;
  const double line = 2.0 * scale;

  // Long hair falls behind the shoulders; shoulders and neck.
  if (style.longHair) {
    s.push_back({style.hair, kNoColour, 0,
                 p.Path({120, 28, 40, 28, 20, 120, 30, 250, 210, 250, 220, 120, 200, 28, 120, 28}, "MCLCZ")});
  }
  s.push_back(
      {0x3C5A78, kNoColour, 0, p.Path({20, 272, 30, 236, 80, 226, 120, 226, 160, 226, 210, 236, 220, 272}, "MCCZ")});
  s.push_back({style.skin, kInk, line, p.Path({96, 200, 96, 240, 144, 240, 144, 200}, "MLLLZ")});
  // Ears, head.
  s.push_back({style.skin, kInk, line, p.Ellipse(43, 134, 10, 18)});
  s.push_back({style.skin, kInk, line, p.Ellipse(197, 134, 10, 18)});
  s.push_back({style.skin, kInk, line, p.Ellipse(120, 132, 76, 98)});
  // Hair on the head: a cap over the forehead, fuller for the women.
  if (style.woman) {
    s.push_back({style.hair, kNoColour, 0,
                 p.Path({42,  140, 34,  60,  80, 30,  120, 30, 160, 30, 206, 60, 198,
                         140, 190, 100, 170, 78, 120, 76,  70, 78,  50, 100, 42, 140},
                        "MCCCCZ")});
    if (!style.longHair) {
      // A bob: hair down to the jaw on both sides.
      s.push_back({style.hair, kNoColour, 0, p.Path({40, 110, 30, 160, 38, 196, 60, 200, 56, 150}, "MCLZ")});
      s.push_back({style.hair, kNoColour, 0, p.Path({200, 110, 210, 160, 202, 196, 180, 200, 184, 150}, "MCLZ")});
    }
  } else {
    s.push_back({style.hair, kNoColour, 0,
                 p.Path({46,  118, 40, 56,  84, 32,  120, 32, 156, 32, 200, 56, 194,
                         118, 184, 84, 160, 70, 120, 70,  80, 70,  56, 84,  46, 118},
                        "MCCCCZ")});
  }
  // Eyebrows.
  const double browLift = style.woman ? 2 : 0;
  s.push_back({kNoColour, style.hair, 4.0 * scale,
               p.Path({74, 108 - browLift, 86, 101 - browLift, 100, 102 - browLift, 110, 106 - browLift}, "MC")});
  s.push_back({kNoColour, style.hair, 4.0 * scale,
               p.Path({166, 108 - browLift, 154, 101 - browLift, 140, 102 - browLift, 130, 106 - browLift}, "MC")});
  // Eyes: the white, then iris and pupil clipped to it and moved by the gaze.
  const double shift = GazeOffset(gaze);
  for (double eyeX : kEyeX) {
    const int white = static_cast<int>(s.size());
    s.push_back({kEyeWhite, kNoColour, 0, p.Ellipse(eyeX, kEyeY, kEyeRx, kEyeRy)});
    s.push_back({style.iris, kNoColour, 0, p.Ellipse(eyeX + shift, kEyeY, kIrisR, kIrisR), white});
    s.push_back({kPupil, kNoColour, 0, p.Ellipse(eyeX + shift, kEyeY, kPupilR, kPupilR), white});
    s.push_back({kNoColour, kInk, 1.5 * scale, p.Ellipse(eyeX, kEyeY, kEyeRx, kEyeRy)});
    if (style.woman) {
      // Lashes on the upper lid.
      s.push_back(
          {kNoColour, kInk, 2.5 * scale,
           p.Path({eyeX - kEyeRx, kEyeY - 1, eyeX - 8, kEyeY - 13, eyeX + 8, kEyeY - 13, eyeX + kEyeRx, kEyeY - 1},
                  "MC")});
    }
  }
  // Nose and mouth.
  s.push_back(
      {kNoColour, kInk, line, p.Path({120, 134, 114, 154, 108, 164, 112, 168, 116, 171, 124, 171, 128, 168}, "MCC")});
  if (style.moustache) {
    s.push_back(
        {style.hair, kNoColour, 0,
         p.Path({94, 190, 100, 176, 114, 178, 120, 182, 126, 178, 140, 176, 146, 190, 134, 184, 106, 184, 94, 190},
                "MCCCZ")});
  }
  s.push_back({style.woman ? kLips : kNoColour, kInk, line,
               p.Path({100, 192, 110, 200, 130, 200, 140, 192, 130, 206, 110, 206, 100, 192}, "MCCZ")});

  return RenderPicture(picture);
}

}  // namespace pictures

}  // namespace qel
