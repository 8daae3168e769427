#include "tasks/layers/house/HousePicture.h"

#include "display/image/ImageDecoder.h"

namespace qel {

namespace {

constexpr int kOriginX = 320;
constexpr int kOriginY = 240;

constexpr COLORREF kWallPen = 0x7F7F7F;
constexpr COLORREF kWall = 0xFFFFFF;
constexpr COLORREF kRoof = 0x0000FF;  // red
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kOpening = 0x000000;

constexpr QelPoint kWalls[] = {{40, 220},  {200, 110}, {439, 110}, {439, 30}, {489, 30},
                               {489, 145}, {599, 220}, {599, 475}, {40, 475}};
constexpr QelPoint kRoofPoints[] = {{320, 0}, {0, 220}, {40, 220}, {200, 110}, {439, 110}, {599, 220}, {639, 220}};
// Shutters beside the windows and the door; right and bottom inclusive.
constexpr QelRect kGreenParts[] = {{232, 147, 271, 252}, {368, 147, 407, 252}, {72, 307, 111, 412},
                                   {208, 307, 247, 412}, {392, 307, 431, 412}, {528, 307, 567, 412},
                                   {262, 300, 377, 469}};
constexpr QelRect kWindows[CHousePicture::kWindowCount] = {
    {272, 150, 367, 249}, {112, 310, 207, 409}, {432, 310, 527, 409}, {272, 310, 367, 459}};

// Design units to pixels at a picture size (integer arithmetic, as the
// design is laid out).
struct Scale {
  int centreX, centreY, size;
  int X(int x) const { return centreX + size * (x - kOriginX) / CHousePicture::kDesignSize; }
  int Y(int y) const { return centreY + size * (y - kOriginY) / CHousePicture::kDesignSize; }
  int Length(int w) const { return size * w / CHousePicture::kDesignSize; }
  void FillInclusive(CDC* dc, const QelRect& r, COLORREF colour) const {
    dc->FillSolidRect(X(r.left), Y(r.top), Length(r.right - r.left + 1), Length(r.bottom - r.top + 1), colour);
  }
};

template <int N>
void DrawPolygon(CDC* dc, const Scale& s, const QelPoint (&design)[N]) {
  QelPoint points[N];
  for (int i = 0; i < N; ++i) points[i] = {s.X(design[i].x), s.Y(design[i].y)};
  dc->Polygon(points, N);
}

}  // namespace

CHousePicture::CHousePicture() {
  for (int i = 0; i < kPictureCount; ++i) m_pictureIds[i] = kFirstPictureId + static_cast<uint32_t>(i);
}

void CHousePicture::SetPictureId(int picture, uint32_t id) {
  if (picture >= 1 && picture <= kPictureCount) m_pictureIds[picture - 1] = id;
}

uint32_t CHousePicture::GetPictureId(int picture) const {
  return picture >= 1 && picture <= kPictureCount ? m_pictureIds[picture - 1] : 0;
}

bool CHousePicture::LoadPictures(QelResModule module) {
  bool all = true;
  for (int i = 0; i < kPictureCount; ++i) {
    m_pictures[i].Clear();
    const QelResource* res = QelFindResource(module, "BITMAP", m_pictureIds[i]);
    if (!res) res = QelFindResource(module, "PNG", m_pictureIds[i]);
    if (!res || QelDecodeImage(res->data, res->size, m_pictures[i]) != QelImageStatus::kOk) {
      m_pictures[i].Clear();
      all = false;
    }
  }
  return all;
}

const QelImage* CHousePicture::Picture(int picture) const {
  if (picture < 1 || picture > kPictureCount || m_pictures[picture - 1].IsEmpty()) return nullptr;
  return &m_pictures[picture - 1];
}

bool CHousePicture::HasPicture(int picture) const { return Picture(picture) != nullptr; }

QelRect CHousePicture::WindowRect(int window) {
  return window >= 0 && window < kWindowCount ? kWindows[window] : QelRect{};
}

void CHousePicture::FillSquare(CDC* dc, int x, int y, int h, COLORREF colour) {
  if (dc) dc->FillSolidRect(x - h, y - h, 2 * h + 1, 2 * h + 1, colour);
}

void CHousePicture::DrawHouse(CDC* dc, int centreX, int centreY, int size) const {
  if (!dc) return;
  const Scale s{centreX, centreY, size};
  int pen = size * 3 / kDesignSize;
  if (pen < 1) pen = 1;
  dc->SetPen(kWallPen, pen);
  dc->SetBrush(kWall);
  DrawPolygon(dc, s, kWalls);
  dc->SetBrush(kRoof);
  DrawPolygon(dc, s, kRoofPoints);
  for (const QelRect& r : kGreenParts) s.FillInclusive(dc, r, kGreen);
  for (const QelRect& r : kWindows) s.FillInclusive(dc, r, kOpening);
}

void CHousePicture::Draw(CDC* dc, int centreX, int centreY) const { DrawHouse(dc, centreX, centreY, kDesignSize); }

void CHousePicture::DrawScaled(CDC* dc, int centreX, int centreY) const { DrawHouse(dc, centreX, centreY, m_size); }

bool CHousePicture::DrawPictureAt(CDC* dc, int x, int y, int picture) const {
  const QelImage* image = Picture(picture);
  if (!dc || !image) return false;
  const QelBitmap bitmap = image->View();
  return dc->BitBlt(x, y, bitmap.width, bitmap.height, bitmap, 0, 0, kRopSrcCopy);
}

bool CHousePicture::DrawAnimal(CDC* dc, int centreX, int centreY, int window, int picture) const {
  if (window < 0 || window >= kWindowCount) return false;
  const Scale s{centreX, centreY, kDesignSize};
  return DrawPictureAt(dc, s.X(kWindows[window].left), s.Y(kWindows[window].top), picture);
}

bool CHousePicture::DrawAnimalScaled(CDC* dc, int centreX, int centreY, int window, int picture, bool flip) const {
  const QelImage* image = Picture(picture);
  if (!dc || !image || window < 0 || window >= kWindowCount) return false;
  const Scale s{centreX, centreY, m_size};
  const QelRect& r = kWindows[window];
  const int x = s.X(r.left);
  const int y = s.Y(r.top);
  const int w = s.Length(r.right - r.left + 1);
  const int h = s.Length(r.bottom - r.top + 1);
  if (w <= 0 || h <= 0) return false;
  const QelBitmap bitmap = image->View();
  // Upside down: a negative height drawn upward from the bottom edge.
  return flip ? dc->StretchBlt(x, y + h, w, -h, bitmap, 0, 0, bitmap.width, bitmap.height, kRopSrcCopy)
              : dc->StretchBlt(x, y, w, h, bitmap, 0, 0, bitmap.width, bitmap.height, kRopSrcCopy);
}

}  // namespace qel
