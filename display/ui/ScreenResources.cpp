#include "display/ui/ScreenResources.h"

namespace qel {

QelResModule QelScreenResources() { return &QelModuleResources(); }

}  // namespace qel
