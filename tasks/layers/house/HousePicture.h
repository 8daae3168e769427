// The house of the object tasks: a white house with a red roof, green
// shutters and door, and four black window openings in which the animal
// pictures appear. It is designed in a 640 x 480 frame whose point
// (320, 240) lies at the given centre; the picture size (480 at first)
// scales the design, so at 480 design units are pixels.
//
// Windows (design units, right and bottom inclusive): 0 the upper window,
// 1 lower left, 2 lower right, 3 the tall opening in the middle below.
#pragma once

#include <cstdint>

#include "display/image/Image.h"
#include "include/qel/DrawContext.h"
#include "include/qel/Resources.h"

namespace qel {

class CHousePicture {
 public:
  static constexpr int kPictureCount = 6;
  static constexpr int kWindowCount = 4;
  static constexpr int kDesignSize = 480;
  static constexpr uint32_t kFirstPictureId = 101;

  // Pictures 1..6 are the BITMAP resources 101..106; size 480.
  CHousePicture();
  CHousePicture(const CHousePicture&) = delete;
  CHousePicture& operator=(const CHousePicture&) = delete;

  // Picture numbers are 1-based (as in the trial codes).
  void SetPictureId(int picture, uint32_t id);
  uint32_t GetPictureId(int picture) const;
  void SetPictureSize(int size) { m_size = size; }
  int GetPictureSize() const { return m_size; }

  // Decodes the six pictures from a module's BITMAP (or PNG) resources;
  // true when all six are there. A picture that fails stays empty and is
  // not drawn.
  bool LoadPictures(QelResModule module);
  bool HasPicture(int picture) const;

  // The house 1:1 around (centreX, centreY).
  void Draw(CDC* dc, int centreX, int centreY) const;
  // Picture 1..6 drawn 1:1 at the top-left corner of window 0..3; false
  // when nothing was drawn.
  bool DrawAnimal(CDC* dc, int centreX, int centreY, int window, int picture) const;
  // The house scaled by picture size / 480.
  void DrawScaled(CDC* dc, int centreX, int centreY) const;
  // Picture 1..6 stretched into the scaled window 0..3, upside down when
  // asked.
  bool DrawAnimalScaled(CDC* dc, int centreX, int centreY, int window, int picture, bool flip) const;
  // A picture 1:1 with its top-left corner at (x, y).
  bool DrawPictureAt(CDC* dc, int x, int y, int picture) const;

  // Window 0..3 in design units (right and bottom inclusive); empty outside.
  static QelRect WindowRect(int window);
  // A filled square of 2h + 1 pixels centred at (x, y).
  static void FillSquare(CDC* dc, int x, int y, int h, COLORREF colour);

 private:
  void DrawHouse(CDC* dc, int centreX, int centreY, int size) const;
  const QelImage* Picture(int picture) const;

  uint32_t m_pictureIds[kPictureCount];
  int m_size = kDesignSize;
  QelImage m_pictures[kPictureCount];
};

}  // namespace qel
