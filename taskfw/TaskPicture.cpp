// Pictures from the plug-in's own BITMAP or PNG resources.
#include <cstring>
#include <vector>

#include "display/image/ImageDecoder.h"
#include "include/qel/Resources.h"
#include "taskfw/TaskBase.h"

namespace qel {

bool CTaskBase::DrawBitmap(CDC* dc, uint32_t bitmapId, int x, int y, bool flip) {
  if (!dc || !m_record || !m_record->resources) return false;
  // The plug-in's own table, without switching the current module (this
  // runs on worker threads of self-timed tasks too).
  const QelResModule module = m_record->resources;
  const QelResource* res = QelFindResource(module, "BITMAP", bitmapId);
  if (!res) res = QelFindResource(module, "PNG", bitmapId);
  QelImage image;
  if (!res || QelDecodeImage(res->data, res->size, image) != QelImageStatus::kOk) return false;
  return BlitBitmap(dc, image.View(), x, y, flip);
}

bool CTaskBase::BlitBitmap(CDC* dc, const QelBitmap& bitmap, int x, int y, bool flip) {
  if (!dc || bitmap.IsEmpty()) return false;
  if (!flip) return dc->BitBlt(x, y, bitmap.width, bitmap.height, bitmap, 0, 0, kRopSrcCopy);
  // Upside down: the rows in reverse order, drawn 1:1 at the same place.
  std::vector<uint32_t> rows(static_cast<size_t>(bitmap.width) * static_cast<size_t>(bitmap.height));
  for (int r = 0; r < bitmap.height; ++r) {
    std::memcpy(&rows[static_cast<size_t>(r) * bitmap.width], bitmap.Row(bitmap.height - 1 - r),
                static_cast<size_t>(bitmap.width) * sizeof(uint32_t));
  }
  QelBitmap flipped;
  flipped.width = bitmap.width;
  flipped.height = bitmap.height;
  flipped.stride = bitmap.width * 4;
  flipped.pixels = rows.data();
  return dc->BitBlt(x, y, flipped.width, flipped.height, flipped, 0, 0, kRopSrcCopy);
}

}  // namespace qel
