// Resources of a module (its embedded table) by id and type.
#pragma once

#include <cstdint>

#include "include/qel/Resources.h"

namespace qel {

// The bytes and size of resource (type, id) of module (null: the current
// resource module). Pointer and size are 0 when it is missing; true when found.
bool LoadResourceData(uint32_t id, const char* type, const uint8_t** data, uint32_t* size, QelResModule module);

}  // namespace qel
