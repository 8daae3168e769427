#include "editors/ui/EditorServices.h"

#include "include/qel/Resources.h"

namespace qel {

std::string EditorServices::LoadText(uint32_t id) const {
  if (texts) return texts(id);
  return QelLoadTextResource(&QelModuleResources(), id);
}

}  // namespace qel
