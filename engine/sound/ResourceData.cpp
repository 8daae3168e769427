#include "engine/sound/ResourceData.h"

namespace qel {

bool LoadResourceData(uint32_t id, const char* type, const uint8_t** data, uint32_t* size, QelResModule module) {
  if (data) *data = nullptr;
  if (size) *size = 0;
  const QelResource* r = QelFindResource(module ? module : QelGetResourceModule(), type, id);
  if (!r) return false;
  if (data) *data = r->data;
  if (size) *size = r->size;
  return true;
}

}  // namespace qel
