// A font of the task screens, the counterpart of a GDI font object: the
// description a drawing context needs to select it. Point sizes become pixel
// heights at a fixed screen resolution of 96 pixels per inch (the logical
// resolution of a screen context); a negative height is the character
// height, as with GDI fonts.
#pragma once

#include "include/qel/DrawContext.h"

namespace qel {

// Pixels per logical inch assumed for every task screen.
constexpr int kTaskLogPixelsY = 96;

// a x b / c with a 64-bit product, rounded half away from zero; -1 when c is
// 0 or the result does not fit.
int MulDiv(int a, int b, int c);

class CTaskFont {
 public:
  // Height -MulDiv(points, 96, 72), the given weight, the display's default face.
  void CreateFromPoints(int points, int weight);
  void Delete();

  bool IsCreated() const { return m_created; }
  int Height() const { return m_height; }
  int Weight() const { return m_weight; }

  // Makes the font the context's font for the output that follows; false
  // without a context or before the font is created.
  bool Select(CDC* dc) const;
  // Gives the context its default font back.
  static void Deselect(CDC* dc);

 private:
  bool m_created = false;
  int m_height = 0;
  int m_weight = kFwNormal;
};

}  // namespace qel
