#include "tools/faces/FaceDrawing.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "tools/faces/FaceModel.h"

namespace qel {

namespace faces {
namespace {

using pictures::kNoColour;
using pictures::PictureDescription;
using pictures::Shape;

constexpr double kCentreX = 120.0;
constexpr double kBrowY = 99.0;
constexpr double kEyeY = 118.0;
constexpr double kEyeHalfHeight = 7.2;
constexpr double kMouthY = 181.0;

constexpr uint32_t kBackdrop = 0xDDE3E8;
constexpr uint32_t kEyeWhite = 0xFAF8F2;
constexpr uint32_t kLidLine = 0x2B211C;
constexpr uint32_t kPupil = 0x151010;
constexpr uint32_t kGlint = 0xFFFFFF;
constexpr uint32_t kMouthInside = 0x4A2020;
constexpr uint32_t kTeeth = 0xF6F3EA;
constexpr uint32_t kBlushRed = 0xE8505A;

struct Pt {
  double x;
  double y;
};

Pt Lerp(Pt a, Pt b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }
Pt Mirror(Pt p) { return {2 * kCentreX - p.x, p.y}; }

// A cubic Bezier segment from the previous point to p.
struct Seg {
  Pt c1;
  Pt c2;
  Pt p;
};

Pt BezierPoint(Pt p0, const Seg& s, double t) {
  const double u = 1 - t;
  return {u * u * u * p0.x + 3 * u * u * t * s.c1.x + 3 * u * t * t * s.c2.x + t * t * t * s.p.x,
          u * u * u * p0.y + 3 * u * u * t * s.c1.y + 3 * u * t * t * s.c2.y + t * t * t * s.p.y};
}

// The curve from a to b whose middle lies `depth` below the straight line
// between them.
Seg Bowed(Pt a, Pt b, double depth) {
  const double lift = depth * 4.0 / 3.0;
  Pt c1 = Lerp(a, b, 1.0 / 3.0);
  Pt c2 = Lerp(a, b, 2.0 / 3.0);
  c1.y += lift;
  c2.y += lift;
  return {c1, c2, b};
}

uint32_t Mix(uint32_t a, uint32_t b, double t) {
  auto channel = [&](int shift) {
    const double va = (a >> shift) & 0xFF;
    const double vb = (b >> shift) & 0xFF;
    return static_cast<uint32_t>(va + (vb - va) * t + 0.5) << shift;
  };
  return channel(16) | channel(8) | channel(0);
}

// A path in the picture path language, numbers with two decimals.
class PathText {
 public:
  PathText& M(Pt p) { return Add('M', {p}); }
  PathText& L(Pt p) { return Add('L', {p}); }
  PathText& C(const Seg& s) { return Add('C', {s.c1, s.c2, s.p}); }
  PathText& E(Pt centre, double rx, double ry, double degrees) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "E %.2f %.2f %.2f %.2f %.2f ", centre.x, centre.y, rx, ry, degrees);
    m_text += buffer;
    return *this;
  }
  PathText& Z() {
    m_text += "Z ";
    return *this;
  }
  std::string Text() const { return m_text; }

 private:
  PathText& Add(char op, std::initializer_list<Pt> points) {
    m_text += op;
    for (const Pt& p : points) {
      char buffer[48];
      std::snprintf(buffer, sizeof buffer, " %.2f %.2f", p.x, p.y);
      m_text += buffer;
    }
    m_text += ' ';
    return *this;
  }

  std::string m_text;
};

class FaceBuilder {
 public:
  FaceBuilder(const Person& person, const Expression& expression, double gazeShift, double lineScale)
      : m_p(person), m_e(expression), m_gaze(gazeShift), m_ls(lineScale) {}

  PictureDescription Build() {
    m_picture.width = kLargeWidth;
    m_picture.height = kLargeHeight;
    m_picture.background = kBackdrop;
    BackHair();
    Neck();
    Clothes();
    if (!m_p.female) Ears();
    Head();
    FrontHair();
    Nose();
    for (int side = 0; side < 2; ++side) Brow(side);
    for (int side = 0; side < 2; ++side) Eye(side);
    Marks();
    Mouth();
    return m_picture;
  }

 private:
  double Line(double width) const { return width * m_ls; }

  int Fill(uint32_t colour, const PathText& path, int clip = -1) {
    return Add(Shape{colour, kNoColour, 0, path.Text(), clip});
  }
  int Stroke(uint32_t colour, double width, const PathText& path, int clip = -1) {
    return Add(Shape{kNoColour, colour, Line(width), path.Text(), clip});
  }
  int FillStroke(uint32_t fill, uint32_t stroke, double width, const PathText& path, int clip = -1) {
    return Add(Shape{fill, stroke, Line(width), path.Text(), clip});
  }
  int Add(Shape shape) {
    m_picture.shapes.push_back(std::move(shape));
    return static_cast<int>(m_picture.shapes.size()) - 1;
  }

  // x of a side: side 0 is the viewer's left (smaller x).
  static double Out(int side) { return side == 0 ? -1.0 : 1.0; }

  // --- The person ----------------------------------------------------------

  // The left half of the head outline from the top of the skull down to the
  // middle of the chin.
  std::vector<Seg> HeadLeftHalf(Pt& start) const {
    const double cx = kCentreX;
    start = {cx, m_p.headTop};
    const Pt temple{cx - m_p.templeHalf, 78};
    const Pt cheek{cx - m_p.cheekHalf, 132};
    const Pt jaw{cx - m_p.jawHalf, m_p.jawY};
    const Pt chinSide{cx - m_p.chinHalf, m_p.chinY - 3};
    const Pt chin{cx, m_p.chinY};
    return {
        {{cx - m_p.templeHalf * 0.62, m_p.headTop}, {cx - m_p.templeHalf, m_p.headTop + 22}, temple},
        {{cx - m_p.templeHalf, 100}, {cx - m_p.cheekHalf, 112}, cheek},
        {{cx - m_p.cheekHalf, 158}, {cx - m_p.jawHalf - 3, m_p.jawY - 18}, jaw},
        {{cx - m_p.jawHalf + 3, m_p.jawY + 14}, {chinSide.x - 12, m_p.chinY - 4}, chinSide},
        {{chinSide.x + 5, m_p.chinY + 0.5}, {cx - 6, m_p.chinY}, chin},
    };
  }

  void Head() {
    Pt start;
    const std::vector<Seg> left = HeadLeftHalf(start);
    PathText path;
    path.M(start);
    for (const Seg& s : left) path.C(s);
    for (size_t k = left.size(); k-- > 0;) {
      const Pt from = k == 0 ? start : left[k - 1].p;
      path.C({Mirror(left[k].c2), Mirror(left[k].c1), Mirror(from)});
    }
    path.Z();
    FillStroke(m_p.skin, m_p.shade, 1.6, path);
  }

  void Ears() {
    for (int side = 0; side < 2; ++side) {
      const Pt centre{kCentreX + Out(side) * (m_p.cheekHalf - 1), 128};
      FillStroke(m_p.skin, m_p.shade, 1.4, PathText().E(centre, 8.5, 16, Out(side) * 8));
      const Pt top{centre.x + Out(side) * 1, centre.y - 9};
      Stroke(m_p.shade, 1.2,
             PathText().M(top).C({{top.x + Out(side) * 5, top.y + 2},
                                  {top.x + Out(side) * 4, top.y + 14},
                                  {top.x - Out(side) * 1, top.y + 17}}));
    }
  }

  void Neck() {
    const double half = m_p.female ? 23 : 28;
    const double cx = kCentreX;
    const int neck =
        Fill(m_p.skin,
             PathText().M({cx - half + 2, 180}).L({cx - half, 252}).L({cx + half, 252}).L({cx + half - 2, 180}).Z());
    // The shadow under the chin.
    Fill(Mix(m_p.skin, m_p.shade, 0.55), PathText().E({cx, m_p.chinY + 3}, m_p.chinHalf + 16, 9, 0), neck);
  }

  void Clothes() {
    const double cx = kCentreX;
    PathText body;
    body.M({0, 272}).L({0, 252}).C({{12, 238}, {cx - 72, 236}, {cx - 32, 238}});
    PathText neckline;
    switch (m_p.hair) {
      case HairStyle::kCrewCut: {
        // A shirt with an open collar.
        body.L({cx, 262}).L({cx + 32, 238}).C({{cx + 72, 236}, {228, 238}, {240, 252}}).L({240, 272}).Z();
        FillStroke(m_p.clothing, m_p.clothingShade, 1.5, body);
        for (int side = 0; side < 2; ++side) {
          const double o = Out(side);
          FillStroke(m_p.clothing, m_p.clothingShade, 1.5,
                     PathText().M({cx + o * 30, 234}).L({cx + o * 44, 244}).L({cx + o * 6, 262}).Z());
        }
        break;
      }
      case HairStyle::kReceding: {
        // A sweater with a round neck.
        body.C({{cx - 20, 256}, {cx + 20, 256}, {cx + 32, 238}})
            .C({{cx + 72, 236}, {228, 238}, {240, 252}})
            .L({240, 272})
            .Z();
        FillStroke(m_p.clothing, m_p.clothingShade, 1.5, body);
        Stroke(m_p.clothingShade, 3.0,
               PathText().M({cx - 31, 240}).C({{cx - 20, 257}, {cx + 20, 257}, {cx + 31, 240}}));
        break;
      }
      case HairStyle::kLong: {
        // A top with a V neck.
        body.L({cx, 268}).L({cx + 32, 238}).C({{cx + 72, 236}, {228, 238}, {240, 252}}).L({240, 272}).Z();
        FillStroke(m_p.clothing, m_p.clothingShade, 1.5, body);
        break;
      }
      case HairStyle::kBob: {
        // A top with a wide round neck.
        body.C({{cx - 22, 262}, {cx + 22, 262}, {cx + 32, 238}})
            .C({{cx + 72, 236}, {228, 238}, {240, 252}})
            .L({240, 272})
            .Z();
        FillStroke(m_p.clothing, m_p.clothingShade, 1.5, body);
        break;
      }
    }
  }

  void BackHair() {
    const double cx = kCentreX;
    const double top = m_p.headTop;
    switch (m_p.hair) {
      case HairStyle::kLong:
        // Down to the shoulders behind the head.
        FillStroke(m_p.hairColour, m_p.hairShade, 1.5,
                   PathText()
                       .M({cx - 82, 244})
                       .C({{cx - 92, 170}, {cx - 88, top - 4}, {cx, top - 12}})
                       .C({{cx + 88, top - 4}, {cx + 92, 170}, {cx + 82, 244}})
                       .C({{cx + 60, 252}, {cx - 60, 252}, {cx - 82, 244}})
                       .Z());
        break;
      case HairStyle::kBob:
        // To the jaw behind the head.
        FillStroke(m_p.hairColour, m_p.hairShade, 1.5,
                   PathText()
                       .M({cx - 84, 198})
                       .C({{cx - 94, 120}, {cx - 88, top - 14}, {cx, top - 14}})
                       .C({{cx + 88, top - 14}, {cx + 94, 120}, {cx + 84, 198}})
                       .C({{cx + 60, 212}, {cx - 60, 212}, {cx - 84, 198}})
                       .Z());
        break;
      default:
        break;
    }
  }

  void FrontHair() {
    const double cx = kCentreX;
    const double top = m_p.headTop;
    const double t = m_p.templeHalf;
    switch (m_p.hair) {
      case HairStyle::kCrewCut: {
        // A short cap with a straight hairline and short sideburns.
        PathText cap;
        cap.M({cx - t - 2, 98})
            .C({{cx - t - 6, 60}, {cx - t * 0.8, top - 8}, {cx, top - 8}})
            .C({{cx + t * 0.8, top - 8}, {cx + t + 6, 60}, {cx + t + 2, 98}})
            .L({cx + t - 5, 98})
            .C({{cx + t - 6, 80}, {cx + 50, 66}, {cx + 44, 60}})
            .C({{cx + 24, 54}, {cx - 24, 54}, {cx - 44, 60}})
            .C({{cx - 50, 66}, {cx - t + 6, 80}, {cx - t + 5, 98}})
            .Z();
        FillStroke(m_p.hairColour, m_p.hairShade, 1.2, cap);
        PathText strands;
        for (int i = -3; i <= 3; ++i) {
          strands.M({cx + i * 12, top + 2}).C({{cx + i * 13, top + 10}, {cx + i * 14, 46}, {cx + i * 14.5, 52}});
        }
        Stroke(m_p.hairShade, 1.0, strands);
        break;
      }
      case HairStyle::kReceding: {
        // Hair at the sides and on the crown, the temples bare.
        PathText hair;
        hair.M({cx - t - 3, 106})
            .C({{cx - t - 8, 60}, {cx - t * 0.85, top - 6}, {cx, top - 6}})
            .C({{cx + t * 0.85, top - 6}, {cx + t + 8, 60}, {cx + t + 3, 106}})
            .L({cx + t - 4, 106})
            .C({{cx + t - 4, 84}, {cx + t - 8, 58}, {cx + 34, 44}})
            .C({{cx + 26, 34}, {cx + 12, 32}, {cx, 34}})
            .C({{cx - 12, 32}, {cx - 26, 34}, {cx - 34, 44}})
            .C({{cx - t + 8, 58}, {cx - t + 4, 84}, {cx - t + 4, 106}})
            .Z();
        FillStroke(m_p.hairColour, m_p.hairShade, 1.2, hair);
        PathText strands;
        for (int side = 0; side < 2; ++side) {
          const double o = Out(side);
          for (int i = 0; i < 3; ++i) {
            const double y = 60.0 + i * 12;
            strands.M({cx + o * (t - 2 + i * 2), y})
                .C({{cx + o * (t + 1 + i * 2), y + 12},
                    {cx + o * (t + 1 + i * 2), y + 20},
                    {cx + o * (t - 1 + i * 2), y + 28}});
          }
        }
        Stroke(m_p.hairShade, 1.0, strands);
        break;
      }
      case HairStyle::kLong: {
        // Parted in the middle, falling past the cheeks over the ears.
        for (int side = 0; side < 2; ++side) {
          const double o = Out(side);
          PathText lock;
          lock.M({cx + o * 2, top - 10})
              .C({{cx + o * 60, top - 10}, {cx + o * 86, 60}, {cx + o * 82, 140}})
              .C({{cx + o * 80, 180}, {cx + o * 76, 214}, {cx + o * 72, 236}})
              .L({cx + o * 60, 228})
              .C({{cx + o * 62, 190}, {cx + o * 58, 150}, {cx + o * 57, 112}})
              .C({{cx + o * 56, 84}, {cx + o * 48, 62}, {cx + o * 34, 56}})
              .C({{cx + o * 20, 50}, {cx + o * 8, 44}, {cx + o * 2, 40}})
              .Z();
          FillStroke(m_p.hairColour, m_p.hairShade, 1.2, lock);
          PathText strands;
          strands.M({cx + o * 10, top}).C({{cx + o * 50, top + 4}, {cx + o * 72, 80}, {cx + o * 70, 160}});
          strands.M({cx + o * 24, top + 4}).C({{cx + o * 60, top + 16}, {cx + o * 66, 120}, {cx + o * 66, 200}});
          Stroke(m_p.hairShade, 1.0, strands);
        }
        break;
      }
      case HairStyle::kBob: {
        // Sides to the cheeks and a fringe that ends above the brows.
        PathText bob;
        bob.M({cx - 72, 156})
            .C({{cx - 80, 100}, {cx - 78, top - 10}, {cx, top - 10}})
            .C({{cx + 78, top - 10}, {cx + 80, 100}, {cx + 72, 156}})
            .L({cx + 60, 150})
            .C({{cx + 60, 120}, {cx + 60, 84}, {cx + 54, 62}});
        // The fringe's lower edge in five scallops.
        const double edge = 59;
        for (int i = 0; i < 5; ++i) {
          const double x0 = cx + 54 - i * 21.6;
          const double x1 = x0 - 21.6;
          bob.C({{x0 - 4, edge + 3}, {x1 + 8, edge + 3}, {x1, edge - 2}});
        }
        bob.C({{cx - 60, 84}, {cx - 60, 120}, {cx - 60, 150}}).Z();
        FillStroke(m_p.hairColour, m_p.hairShade, 1.2, bob);
        PathText strands;
        for (int i = -2; i <= 2; ++i) {
          strands.M({cx + i * 20, top - 6}).C({{cx + i * 22, 30}, {cx + i * 22, 44}, {cx + i * 21.6 - 4, 56}});
        }
        Stroke(m_p.hairShade, 1.0, strands);
        break;
      }
    }
  }

  void Nose() {
    const double cx = kCentreX;
    PathText nose;
    nose.M({cx + 7, 122}).C({{cx + 8, 132}, {cx + 9, 141}, {cx + 12, 147}});
    for (int side = 0; side < 2; ++side) {
      const double o = Out(side);
      nose.M({cx + o * 11, 147}).C({{cx + o * 16, 153}, {cx + o * 9, 159}, {cx + o * 3, 156}});
    }
    nose.M({cx - 3, 156}).C({{cx - 1, 158}, {cx + 1, 158}, {cx + 3, 156}});
    Stroke(m_p.shade, 1.3, nose);
    Fill(Mix(m_p.shade, 0x000000, 0.3), PathText().E({cx - 6, 155}, 2.6, 1.4, 10).E({cx + 6, 155}, 2.6, 1.4, -10));
  }

  // --- The expression ------------------------------------------------------

  void Brow(int side) {
    const double o = Out(side);
    const ::qel::faces::Brow& b = m_e.brows[side];
    const Pt inner{kCentreX + o * (12 - m_e.browsTogether), kBrowY + b.innerDy};
    const Pt outer{kCentreX + o * (m_p.eyeHalfSpacing + m_p.eyeHalfWidth + 2), kBrowY + 3 + b.outerDy};
    const Seg centre = Bowed(inner, outer, b.arch);
    const double thick = m_p.browThickness * std::max(1.0, m_ls * 0.6);
    const double atInner = thick / 2;
    const double atOuter = thick * 0.28;
    auto shifted = [&](double sign) {
      return Seg{{centre.c1.x, centre.c1.y + sign * (atInner * 2 + atOuter) / 3},
                 {centre.c2.x, centre.c2.y + sign * (atInner + atOuter * 2) / 3},
                 {outer.x, outer.y + sign * atOuter}};
    };
    const Seg top = shifted(-1);
    const Seg bottom = shifted(1);
    PathText path;
    path.M({inner.x, inner.y - atInner}).C(top).L(bottom.p).C({bottom.c2, bottom.c1, {inner.x, inner.y + atInner}}).Z();
    FillStroke(m_p.browColour, m_p.browColour, 0.8, path);
  }

  void Eye(int side) {
    const double o = Out(side);
    const double ex = kCentreX + o * m_p.eyeHalfSpacing;
    const double ey = kEyeY;
    const double w = m_p.eyeHalfWidth;
    const double h = kEyeHalfHeight;
    const double upper = m_e.upperLid[side];
    const double droop = m_e.outerDroop;
    const Pt outerCorner{ex + o * w, ey - 0.5 + droop * 0.4};
    const Pt innerCorner{ex - o * w, ey + 1};
    const double lidLift = h * 1.33 * upper;
    const Seg upperLid{{ex + o * w * 0.5, ey - lidLift - droop * 0.6}, {ex - o * w * 0.45, ey - lidLift}, innerCorner};
    const double lowerDepth = (h * 0.85 - m_e.lowerLid[side]) * 1.33;
    const Seg lowerLid{{ex - o * w * 0.45, ey + lowerDepth}, {ex + o * w * 0.5, ey + lowerDepth}, outerCorner};

    PathText opening;
    opening.M(outerCorner).C(upperLid).C(lowerLid).Z();
    const int white = Fill(kEyeWhite, opening);
    const double r = w * 0.46;
    const Pt iris{ex + m_e.irisDx + m_gaze, ey + 1 + m_e.irisDy};
    FillStroke(m_p.iris, Mix(m_p.iris, 0x000000, 0.45), 1.0, PathText().E(iris, r, r, 0), white);
    Fill(kPupil, PathText().E(iris, r * 0.42, r * 0.42, 0), white);
    Fill(kGlint, PathText().E({iris.x + r * 0.32, iris.y - r * 0.3}, r * 0.17, r * 0.17, 0), white);

    // The crease above the lid rises with a raised lid and stays with a lowered one.
    const double creaseLift = h * 1.33 * std::max(upper, 1.0) + 5;
    Stroke(m_p.shade, 1.0,
           PathText()
               .M({ex + o * w * 0.95, ey - 3 + droop * 0.3})
               .C({{ex + o * w * 0.5, ey - creaseLift - droop * 0.3},
                   {ex - o * w * 0.5, ey - creaseLift},
                   {ex - o * w * 0.85, ey - 4}}));
    Stroke(m_p.shade, 0.9, PathText().M(innerCorner).C(lowerLid));
    Stroke(kLidLine, m_p.female ? 2.4 : 2.0, PathText().M(outerCorner).C(upperLid));
    if (m_p.female) {
      PathText lashes;
      for (double t : {0.0, 0.12, 0.26}) {
        const Pt at = BezierPoint(outerCorner, upperLid, t);
        lashes.M(at).L({at.x + o * (3.5 - t * 4), at.y - 3.2 + t * 2});
      }
      Stroke(kLidLine, 1.3, lashes);
    }
    if (m_e.smileFolds) {
      // The raised cheek below the lower lid.
      Stroke(m_p.shade, 1.0,
             PathText()
                 .M({ex + o * w * 0.9, ey + 8})
                 .C({{ex + o * w * 0.4, ey + 13}, {ex - o * w * 0.4, ey + 13}, {ex - o * w * 0.8, ey + 9}}));
    }
  }

  void Marks() {
    const double cx = kCentreX;
    if (m_e.foreheadLines != kNoForeheadLines) {
      const bool wide = m_e.foreheadLines == kLongForeheadLines;
      const double half = wide ? 32 : 14;
      PathText lines;
      for (double y = wide ? 66 : 72; y <= 78; y += 6) {
        lines.M({cx - half, y + 1}).C(Bowed({cx - half, y + 1}, {cx + half, y + 1}, -2));
      }
      Stroke(m_p.shade, 1.1, lines);
    }
    if (m_e.frownLines) {
      PathText lines;
      for (int side = 0; side < 2; ++side) {
        const double o = Out(side);
        lines.M({cx + o * 4, 98}).C({{cx + o * 5.5, 101}, {cx + o * 5.5, 105}, {cx + o * 4, 109}});
      }
      Stroke(m_p.shade, 1.3, lines);
    }
    if (m_e.noseWrinkles) {
      PathText lines;
      for (double y : {124.0, 129.0, 134.0}) lines.M({cx - 7, y + 1}).C(Bowed({cx - 7, y + 1}, {cx + 7, y + 1}, -2));
      Stroke(m_p.shade, 1.1, lines);
    }
    if (m_e.blush) {
      const uint32_t outer = Mix(m_p.skin, kBlushRed, 0.2);
      const uint32_t inner = Mix(m_p.skin, kBlushRed, 0.36);
      for (int side = 0; side < 2; ++side) {
        const Pt centre{cx + Out(side) * 40, 146};
        Fill(outer, PathText().E(centre, 14, 8, 0));
        Fill(inner, PathText().E(centre, 9.5, 5, 0));
      }
    }
  }

  void Mouth() {
    const double cx = kCentreX;
    const ::qel::faces::Mouth& m = m_e.mouth;
    const double w = m_p.mouthHalfWidth * m.width;
    const Pt left{cx - w, kMouthY + m.cornerDy[0]};
    const Pt right{cx + w, kMouthY + m.cornerDy[1]};
    const double full = m_p.lipFullness;
    const double upperOuter = m.upperInner + (m.upperOuter - m.upperInner) * full;
    const double lowerOuter = m.lowerInner + (m.lowerOuter - m.lowerInner) * full;
    // A curve between the corners; the right lip raise lifts its right half.
    auto curve = [&](double depth, double raise) {
      Seg s = Bowed(left, right, depth);
      s.c2.y -= raise;
      return s;
    };
    auto reversed = [&](const Seg& s) { return Seg{s.c2, s.c1, left}; };
    const Seg topOuter = curve(upperOuter, m.rightLipRaise * 1.2);
    const Seg topInner = curve(m.upperInner, m.rightLipRaise);
    const Seg bottomInner = curve(m.lowerInner, 0);
    const Seg bottomOuter = curve(lowerOuter, 0);

    if (m_e.smileFolds || m_e.noseWrinkles) {
      // Folds from the wings of the nose past the mouth corners.
      PathText folds;
      for (int side = 0; side < 2; ++side) {
        const double o = Out(side);
        const Pt corner = side == 0 ? left : right;
        const Pt from{cx + o * 15, 152};
        const Pt to{corner.x + o * 6, corner.y + 2};
        folds.M(from).C({{from.x + o * 6, from.y + 8}, {to.x + o * 3, to.y - 8}, to});
      }
      Stroke(m_p.shade, 1.2, folds);
    }

    const uint32_t lipEdge = Mix(m_p.lips, m_p.shade, 0.5);
    FillStroke(m_p.lips, lipEdge, 0.8, PathText().M(left).C(topOuter).C(reversed(bottomOuter)).Z());
    const bool open = m.lowerInner - m.upperInner > 0.6;
    if (open) {
      const int inside = Fill(kMouthInside, PathText().M(left).C(topInner).C(reversed(bottomInner)).Z());
      if (m.upperTeeth > 0) {
        const Seg teethEdge = curve(m.upperInner + m.upperTeeth, m.rightLipRaise);
        PathText teeth;
        teeth.M(left).C(topInner).C({teethEdge.c2, teethEdge.c1, left}).Z();
        Fill(kTeeth, teeth, inside);
      }
      if (m.lowerTeeth > 0) {
        const Seg teethEdge = curve(m.lowerInner - m.lowerTeeth, 0);
        PathText teeth;
        teeth.M(left).C(bottomInner).C({teethEdge.c2, teethEdge.c1, left}).Z();
        Fill(kTeeth, teeth, inside);
      }
      Stroke(lipEdge, 1.0, PathText().M(left).C(topInner).C(reversed(bottomInner)).Z());
    } else {
      Stroke(Mix(m_p.lips, 0x000000, 0.55), 1.6, PathText().M(left).C(topInner));
    }
    if (m_e.dimple == 1) {
      Stroke(m_p.shade, 1.2,
             PathText()
                 .M({right.x + 3, right.y - 4})
                 .C({{right.x + 6, right.y - 1}, {right.x + 6, right.y + 3}, {right.x + 3, right.y + 6}}));
    }
  }

  const Person& m_p;
  const Expression& m_e;
  double m_gaze;
  double m_ls;
  PictureDescription m_picture;
};

}  // namespace

PictureDescription DescribeFace(int person, int emotion, int gaze, double lineScale) {
  return FaceBuilder(PersonAt(person), ExpressionOf(emotion), GazeShift(gaze), lineScale).Build();
}

}  // namespace faces

}  // namespace qel
